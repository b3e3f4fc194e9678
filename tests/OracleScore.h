// The score of two names worked out apart from the program, for tests whose
// names are too long to fold pass by pass: each of the last two digits is a
// sum of the first digits weighted by a row of Pascal's triangle, whose
// entries modulo 2 and modulo 5 come from Lucas' theorem.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace oracle {

// Kana by vowel row; a kana's digit is its row's number.
inline const QStringList KanaRows = {
    QStringLiteral("ん"), QStringLiteral("あぁかがさざただなはばぱまやゃらわ"),
    QStringLiteral("いぃきぎしじちぢにひびぴみり"), QStringLiteral("うぅくぐすずつづっぬふぶぷむゆゅる"),
    QStringLiteral("えぇけげせぜてでねへべぺめれ"), QStringLiteral("おぉこごそぞとどのほぼぽもよょろを")};

// C(m, k) mod 10, from C(m, k) mod 2 and mod 5.
inline int Binomial10(qsizetype m, qsizetype k)
{
    static const int small[5][5] = {{1}, {1, 1}, {1, 2, 1}, {1, 3, 3, 1}, {1, 4, 6, 4, 1}};
    const int mod2 = (k & ~m) == 0 ? 1 : 0;
    int mod5 = 1;
    for (; m > 0 || k > 0; m /= 5, k /= 5)
        mod5 = mod5 * small[m % 5][k % 5] % 5; // 0 where k's digit passes m's
    return (5 * mod2 + 6 * mod5) % 10;
}

// 0 when a name holds anything but the table's kana.
inline int Score(const QString &first, const QString &second)
{
    const QString joined = first <= second ? first + second : second + first; // by UTF-16 code units
    std::vector<int> digits;
    for (QChar kana : joined) {
        for (int row = 0; row < KanaRows.size(); ++row) {
            if (KanaRows[row].contains(kana))
                digits.push_back(row);
        }
    }
    if (digits.size() != std::size_t(joined.size()) || digits.size() < 2)
        return 0;
    int tens = 0;
    int units = 0;
    const qsizetype m = qsizetype(digits.size()) - 2;
    for (qsizetype k = 0; k <= m; ++k) {
        const int weight = Binomial10(m, k);
        tens += weight * digits[std::size_t(k)];
        units += weight * digits[std::size_t(k + 1)];
    }
    const int score = tens % 10 * 10 + units % 10;
    return score == 0 ? 100 : score;
}

} // namespace oracle
