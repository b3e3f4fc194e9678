#include "FoldRows.h"

#include <algorithm>

#include "BinomialRowMod10.h"

namespace scoring {
namespace {

std::string NextRow(const std::string &row)
{
    std::string next;
    for (std::size_t i = 0; i + 1 < row.size(); ++i)
        next += static_cast<char>('0' + (DigitValue(row[i]) + DigitValue(row[i + 1])) % 10);
    return next;
}

// The row of the given length that the passes reach: each of its digits is
// the binomially weighted sum of the digits above it, mod 10.
std::string RowOfLength(std::string_view digits, std::size_t length)
{
    const std::size_t passes = digits.size() - length;
    std::vector<unsigned> sums(length, 0);
    BinomialRowMod10 weights(passes);
    for (std::size_t k = 0; k <= passes; ++k) {
        const unsigned weight = weights.Next();
        if (weight == 0)
            continue;
        for (std::size_t j = 0; j < length; ++j)
            sums[j] = (sums[j] + weight * DigitValue(digits[j + k])) % 10;
    }
    std::string row;
    for (unsigned sum : sums)
        row += static_cast<char>('0' + sum);
    return row;
}

} // namespace

Fold FoldRows(std::string_view digits, std::size_t limit)
{
    limit = std::max<std::size_t>(limit, 2);
    Fold fold;
    fold.rows.emplace_back(digits);
    if (digits.size() <= 2)
        return fold;
    if (digits.size() > limit) {
        fold.rowsLeftOut = digits.size() - limit - 1;
        fold.rows.push_back(RowOfLength(digits, limit));
    }
    while (fold.rows.back().size() > 2)
        fold.rows.push_back(NextRow(fold.rows.back()));
    return fold;
}

} // namespace scoring
