// The tests' own scoring, worked out apart from the program: each kana's
// digit by its vowel row, the fold done the slow, literal way, pass by pass,
// as the rules are written, and for names too long for that, the score from
// Pascal's triangle (each of the last two digits is a sum of the first
// digits weighted by a row of it, whose entries modulo 2 and modulo 5 come
// from Lucas' theorem). Standard C++ only, for the fuzzer too.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace oracle {

// Kana by vowel row; a kana's digit is its row's number.
inline constexpr std::array<std::u16string_view, 6> KanaRows = {
    u"ん", u"あぁかがさざただなはばぱまやゃらわ", u"いぃきぎしじちぢにひびぴみり",
    u"うぅくぐすずつづっぬふぶぷむゆゅる", u"えぇけげせぜてでねへべぺめれ", u"おぉこごそぞとどのほぼぽもよょろを"};

// The digits of a text's kana, passing over anything else.
inline std::string Digits(std::u16string_view text)
{
    std::string digits;
    for (char16_t unit : text) {
        for (std::size_t row = 0; row < KanaRows.size(); ++row) {
            if (KanaRows[row].find(unit) != std::u16string_view::npos)
                digits += char('0' + row);
        }
    }
    return digits;
}

// By UTF-16 code units, a prefix first.
inline std::u16string Joined(std::u16string_view first, std::u16string_view second)
{
    return second < first ? std::u16string(second) + std::u16string(first)
                          : std::u16string(first) + std::u16string(second);
}

// One pass: the last digits of the neighbours' sums.
inline std::string Folded(const std::string &s)
{
    std::string t;
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        t += static_cast<char>('0' + (s[i] - '0' + s[i + 1] - '0') % 10);
    return t;
}

// Every row, kept: for short digit rows only.
inline std::vector<std::string> LiteralRows(std::string_view digits)
{
    std::vector<std::string> rows{std::string(digits)};
    while (rows.back().size() > 2)
        rows.push_back(Folded(rows.back()));
    return rows;
}

inline std::uint8_t LiteralFold(std::string_view digits)
{
    const std::string s = LiteralRows(digits).back();
    if (s == "00")
        return 100;
    return static_cast<std::uint8_t>(s.empty() ? 0 : std::stoi(s));
}

// C(m, k) mod 10, from C(m, k) mod 2 and mod 5.
inline int Binomial10(std::size_t m, std::size_t k)
{
    static const int small[5][5] = {{1}, {1, 1}, {1, 2, 1}, {1, 3, 3, 1}, {1, 4, 6, 4, 1}};
    const int mod2 = (k & ~m) == 0 ? 1 : 0;
    int mod5 = 1;
    for (; m > 0 || k > 0; m /= 5, k /= 5)
        mod5 = mod5 * small[m % 5][k % 5] % 5; // 0 where k's digit passes m's
    return (5 * mod2 + 6 * mod5) % 10;
}

// The fold of a digit row of any length, in time linear in it.
inline int Fold(std::string_view digits)
{
    if (digits.size() < 2)
        return LiteralFold(digits);
    int tens = 0;
    int units = 0;
    const std::size_t m = digits.size() - 2;
    for (std::size_t k = 0; k <= m; ++k) {
        const int weight = Binomial10(m, k);
        tens += weight * (digits[k] - '0');
        units += weight * (digits[k + 1] - '0');
    }
    const int score = tens % 10 * 10 + units % 10;
    return score == 0 ? 100 : score;
}

// The score of two names of any length; 0 when a name holds anything but the table's kana.
inline int Score(std::u16string_view first, std::u16string_view second)
{
    const std::u16string joined = Joined(first, second);
    const std::string digits = Digits(joined);
    if (digits.size() != joined.size() || digits.size() < 2)
        return 0;
    return Fold(digits);
}

} // namespace oracle
