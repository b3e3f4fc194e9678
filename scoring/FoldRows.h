// The rows of the fold, for showing how a score was made: the digit row, then
// each row of the last digits of its neighbours' sums, down to the last two
// digits. The score itself is ReduceToScore's; these rows only draw it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scoring {

struct Fold {
    // The digit row first, then each shorter row; the last has two digits
    // (or is the digit row itself, when that has two or fewer).
    std::vector<std::string> rows;
    // Rows left out between the digit row and the next one given, when the
    // digit row was longer than the limit; 0 when every row is given.
    std::size_t rowsLeftOut = 0;
};

// Every row for a digit row of up to limit digits (at least 2). A longer one
// gives the digit row, then only the rows of limit digits and fewer, found
// in time linear in its length. A character that is not a decimal digit
// counts as 0, as in ReduceToScore.
Fold FoldRows(std::string_view digits, std::size_t limit);

} // namespace scoring
