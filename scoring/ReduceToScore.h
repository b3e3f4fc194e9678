// Folds a digit string into the compatibility score: each pass replaces the
// digits by the last digits of their neighbours' sums until two are left,
// which are read as a number, "00" counting as 100.
#pragma once

#include <cstdint>
#include <string_view>

namespace scoring {

// 1 to 100 for two or more digits; a single digit scores itself, nothing
// scores 0. A character that is not a decimal digit counts as 0 in a pass.
// Any length is handled, in time linear in the length.
std::uint8_t ReduceToScore(std::string_view digits);

} // namespace scoring
