#include "BinomialRowMod10.h"

namespace scoring {
namespace {

constexpr unsigned InverseMod5[5] = {0, 1, 3, 2, 4};

// The value 0..9 that is r2 mod 2 and r5 mod 5.
constexpr unsigned FromResidues[2][5] = {{0, 6, 2, 8, 4}, {5, 1, 7, 3, 9}};

// Splits n (> 0) into 5^e * q with q coprime to 5; adds e to fives, returns q mod 5.
unsigned StripFives(std::size_t n, std::size_t &fives)
{
    while (n % 5 == 0) {
        n /= 5;
        ++fives;
    }
    return static_cast<unsigned>(n % 5);
}

} // namespace

unsigned BinomialRowMod10::Mod5() const
{
    return fives_ > 0 ? 0 : unitMod5_;
}

unsigned BinomialRowMod10::Next()
{
    if (k_ > 0) {
        // C(m, k) = C(m, k - 1) * (m - k + 1) / k, kept as a power of five
        // times a unit so the division stays exact modulo 5.
        std::size_t numeratorFives = 0;
        std::size_t denominatorFives = 0;
        const unsigned numerator = StripFives(m_ - k_ + 1, numeratorFives);
        const unsigned denominator = StripFives(k_, denominatorFives);
        fives_ = fives_ + numeratorFives - denominatorFives;
        unitMod5_ = unitMod5_ * numerator * InverseMod5[denominator] % 5;
    }
    // Lucas's theorem for the prime 2: C(m, k) is odd exactly when k's bits lie within m's.
    const unsigned mod2 = (k_ & m_) == k_ ? 1 : 0;
    const unsigned result = FromResidues[mod2][Mod5()];
    ++k_;
    return result;
}

} // namespace scoring
