// The digit fold done the slow, literal way, pass by pass, as the rules are
// written: the reference the fast ReduceToScore is checked (and timed)
// against, and the rows FoldRows gives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include <vector>

// One pass: the last digits of the neighbours' sums.
inline std::string Folded(const std::string &s)
{
    std::string t;
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        t += static_cast<char>('0' + (s[i] - '0' + s[i + 1] - '0') % 10);
    return t;
}

inline std::uint8_t LiteralFold(std::string_view digits)
{
    std::string s(digits);
    while (s.size() > 2)
        s = Folded(s);
    if (s == "00")
        return 100;
    return static_cast<std::uint8_t>(s.empty() ? 0 : std::stoi(s));
}

// Every row, kept: for short digit rows only.
inline std::vector<std::string> LiteralRows(std::string_view digits)
{
    std::vector<std::string> rows{std::string(digits)};
    while (rows.back().size() > 2)
        rows.push_back(Folded(rows.back()));
    return rows;
}
