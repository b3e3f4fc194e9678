// The kana table: which digit each hiragana stands for, by its vowel row.
// Lookup only; turning whole names into digits is NameToDigits' job.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace scoring {

struct KanaRow {
    char digit;
    std::u16string_view members;
};

// Rows are tested in this order; they are disjoint, so the order never changes a result.
inline constexpr std::array<KanaRow, 6> KanaGroup{{
    {'0', u"ん"},
    {'1', u"あぁかがさざただなはばぱまやゃらわ"},
    {'2', u"いぃきぎしじちぢにひびぴみり"},
    {'3', u"うぅくぐすずつづっぬふぶぷむゆゅる"},
    {'4', u"えぇけげせぜてでねへべぺめれ"},
    {'5', u"おぉこごそぞとどのほぼぽもよょろを"},
}};

// The digit of one UTF-16 code unit, or nothing when the table does not know it.
// Each half of a surrogate pair is a code unit of its own and is never known.
std::optional<char> KanaDigit(char16_t unit);

} // namespace scoring
