#include "KanaTable.h"

namespace scoring {
namespace {

// Every member lies in the hiragana block, so a small direct index over that
// block, built once from KanaGroup at compile time, answers each unit in O(1).
constexpr char16_t BlockFirst = u'\u3041';
constexpr char16_t BlockLast = u'\u3096';
constexpr char NoDigit = 0;

using BlockIndex = std::array<char, BlockLast - BlockFirst + 1>;

constexpr BlockIndex BuildIndex()
{
    BlockIndex index{};
    for (const KanaRow &row : KanaGroup) {
        for (char16_t member : row.members) {
            if (member < BlockFirst || member > BlockLast)
                throw "kana table member outside the hiragana block";
            index[member - BlockFirst] = row.digit;
        }
    }
    return index;
}

constexpr BlockIndex Index = BuildIndex();

} // namespace

std::optional<char> KanaDigit(char16_t unit)
{
    if (unit < BlockFirst || unit > BlockLast)
        return std::nullopt;
    const char digit = Index[unit - BlockFirst];
    if (digit == NoDigit)
        return std::nullopt;
    return digit;
}

} // namespace scoring
