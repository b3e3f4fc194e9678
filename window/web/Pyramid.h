// What the page's pyramid shows below the window once the count has ended:
// how the score was made, as children work it out on paper. Decided here,
// in standard C++: the joined kana over their digits, each row of the fold
// with its number and its shift, the cut of a long pair with the note on
// the rows left out, the line that reads the score from the last row, and
// the pair's line over the result's picture. Pyramid.js and Picture.js only
// draw what they are handed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Pyramid {

// The longest digit row drawn whole: a row of it still reads on a phone.
inline constexpr std::size_t ShownDigits = 16;

struct Row {
    std::u16string label;  // what a screen reader says before the row
    std::u16string cells;  // one cell per character
    int shift = 0;         // in half cells, so each digit sits between the two it came from
};

struct Drawing {
    std::vector<Row> rows;
    std::u16string leftOut; // the note on the rows left out of a long pair, or empty
    std::size_t leftOutAfter = 0; // the note stands after this many rows
    std::u16string scoreLine;
    std::u16string pairLine; // the two names, each cut as the kana row is
    int widest = 0;         // cells in the widest row
};

// joined and digits as DiagnosePair gives them for first and second; score is its score.
Drawing Draw(std::u16string_view first, std::u16string_view second, std::u16string_view joined,
             std::string_view digits, int score);

} // namespace Pyramid
