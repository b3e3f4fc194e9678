// Turns a name written in hiragana into one digit per kana, by vowel row.
// Characters the kana table does not know are dropped; callers decide what a
// shorter result means.
#pragma once

#include <string>
#include <string_view>

namespace scoring {

// Digits "0" to "5" in the order of the kana. The result is exactly as long as
// the name when every code unit is a kana of the table. Any length is handled.
std::string NameToDigits(std::u16string_view name);

} // namespace scoring
