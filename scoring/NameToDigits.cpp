#include "NameToDigits.h"

#include "KanaTable.h"

namespace scoring {

std::string NameToDigits(std::u16string_view name)
{
    std::string digits;
    digits.reserve(name.size());
    for (char16_t unit : name) {
        if (const auto digit = KanaDigit(unit))
            digits.push_back(*digit);
    }
    return digits;
}

} // namespace scoring
