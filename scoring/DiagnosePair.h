// The whole computation behind the diagnose button: puts the two names in a
// fixed order, joins them, encodes and folds the joined text. Pure; showing
// the results is the window's job.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scoring {

struct Diagnosis {
    std::u16string joined; // the name that sorts first, then the other
    std::string digits;    // NameToDigits of joined
    std::uint8_t score;    // ReduceToScore of digits
};

// Names are ordered by their UTF-16 code units (a prefix sorts first), so
// swapping the two names never changes the result.
Diagnosis DiagnosePair(std::u16string_view first, std::u16string_view second);

} // namespace scoring
