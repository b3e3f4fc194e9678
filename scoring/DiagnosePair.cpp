#include "DiagnosePair.h"

#include "NameToDigits.h"
#include "ReduceToScore.h"

#include <utility>

namespace scoring {

Diagnosis DiagnosePair(std::u16string_view first, std::u16string_view second)
{
    if (second < first)
        std::swap(first, second);
    std::u16string joined;
    joined.reserve(first.size() + second.size());
    joined.append(first).append(second);

    std::string digits = NameToDigits(joined);
    const std::uint8_t score = ReduceToScore(digits);
    return {std::move(joined), std::move(digits), score};
}

} // namespace scoring
