// The digit fold done the slow, literal way, pass by pass, as the rules are
// written: the reference the fast ReduceToScore is checked (and timed) against.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Every row of the fold, pass by pass.
inline std::vector<std::string> LiteralRows(std::string_view digits)
{
    std::vector<std::string> rows{std::string(digits)};
    while (rows.back().size() > 2) {
        std::string next;
        for (std::size_t i = 0; i + 1 < rows.back().size(); ++i)
            next += static_cast<char>('0' + (rows.back()[i] - '0' + rows.back()[i + 1] - '0') % 10);
        rows.push_back(std::move(next));
    }
    return rows;
}

inline std::uint8_t LiteralFold(std::string_view digits)
{
    std::string s(digits);
    while (s.size() > 2) {
        std::string t;
        for (std::size_t i = 0; i + 1 < s.size(); ++i) {
            const int a = s[i + 1] - '0';
            const int b = s[i] - '0';
            t += static_cast<char>('0' + (a + b) % 10);
        }
        s = std::move(t);
    }
    if (s == "00")
        return 100;
    return static_cast<std::uint8_t>(s.empty() ? 0 : std::stoi(s));
}
