#include "ReduceToScore.h"

#include "BinomialRowMod10.h"

namespace scoring {
namespace {

// Reads what is left after the passes: its leading decimal digits as a number,
// "00" as 100.
std::uint8_t ReadScore(std::string_view rest)
{
    if (rest == "00")
        return 100;
    unsigned value = 0;
    for (char c : rest) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + DigitValue(c);
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::uint8_t ReduceToScore(std::string_view digits)
{
    if (digits.size() <= 2)
        return ReadScore(digits);

    // After n - 2 passes the two digits left are the binomially weighted sums
    // of the input: x = sum C(n-2, k) d[k] and y = sum C(n-2, k) d[k+1], mod 10.
    const std::size_t passes = digits.size() - 2;
    BinomialRowMod10 weights(passes);
    unsigned x = 0;
    unsigned y = 0;
    for (std::size_t k = 0; k <= passes; ++k) {
        const unsigned weight = weights.Next();
        x = (x + weight * DigitValue(digits[k])) % 10;
        y = (y + weight * DigitValue(digits[k + 1])) % 10;
    }
    const char rest[2] = {static_cast<char>('0' + x), static_cast<char>('0' + y)};
    return ReadScore(std::string_view(rest, 2));
}

} // namespace scoring
