// The digit fold done the slow, literal way, pass by pass, as the rules are
// written: the reference the fast ReduceToScore is checked (and timed) against.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
