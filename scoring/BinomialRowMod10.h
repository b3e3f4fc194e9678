// Walks one row of Pascal's triangle, C(m, 0) .. C(m, m), modulo 10 without
// ever forming the coefficients. ReduceToScore and FoldRows weight digits
// with them, each digit's value read by DigitValue.
#pragma once

#include <cstddef>

namespace scoring {

// A digit character's value; anything else counts as 0.
inline unsigned DigitValue(char c)
{
    return c >= '0' && c <= '9' ? static_cast<unsigned>(c - '0') : 0;
}

class BinomialRowMod10 {
public:
    explicit BinomialRowMod10(std::size_t m) : m_(m) {}

    // C(m, k) mod 10 for the current k, then moves on to k + 1.
    unsigned Next();

private:
    unsigned Mod5() const;

    std::size_t m_;
    std::size_t k_ = 0;
    // C(m, k) = 5^fives_ * u with u coprime to 5 and u mod 5 == unitMod5_.
    std::size_t fives_ = 0;
    unsigned unitMod5_ = 1;
};

} // namespace scoring
