#include "Pyramid.h"

#include <algorithm>

#include "FoldRows.h"

namespace Pyramid {

namespace {

// As the page writes numbers in Japanese: digits in groups of three.
std::u16string Number(std::size_t n)
{
    const std::string digits = std::to_string(n);
    std::u16string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += char16_t(digits[i]);
    }
    return out;
}

std::u16string Wide(std::string_view ascii)
{
    return {ascii.begin(), ascii.end()};
}

// A name as long as the kana row shows, cut as it is.
std::u16string Cut(std::u16string_view name)
{
    return name.size() > ShownDigits ? std::u16string(name.substr(0, ShownDigits)) + u"…" : std::u16string(name);
}

} // namespace

Drawing Draw(std::u16string_view first, std::u16string_view second, std::u16string_view joined,
             std::string_view digits, int score)
{
    const scoring::Fold fold = scoring::FoldRows(digits, ShownDigits);
    const std::string_view top = std::string_view(fold.rows.front()).substr(0, ShownDigits);
    const std::u16string cut = top.size() < digits.size() ? u"…" : u"";

    Drawing drawing;
    drawing.widest = int(top.size() + (fold.rowsLeftOut ? 1 : 0));
    drawing.rows.push_back({u"名前", std::u16string(joined.substr(0, ShownDigits)) + cut, 0});
    drawing.rows.push_back({u"1段目", Wide(top) + cut, 0});
    if (fold.rowsLeftOut) {
        drawing.leftOut = u"名前が長いので、1段目は全" + Number(digits.size()) + u"桁のうち初めの" + Number(top.size())
                          + u"桁だけを示し、途中の" + Number(fold.rowsLeftOut) + u"段は省きました。";
        drawing.leftOutAfter = drawing.rows.size();
    }
    for (std::size_t i = 1; i < fold.rows.size(); ++i) {
        const std::string &row = fold.rows[i];
        drawing.rows.push_back({Number(i + fold.rowsLeftOut + 1) + u"段目", Wide(row), drawing.widest - int(row.size())});
    }
    const std::u16string last = Wide(fold.rows.back());
    drawing.scoreLine = u"最後の二けた「" + last + u"」で、相性度は " + Wide(std::to_string(score))
                        + (last == u"00" ? u"（「00」は100）" : u"");
    drawing.pairLine = Cut(first) + u" と " + Cut(second);
    return drawing;
}

} // namespace Pyramid
