// libFuzzer target over the scoring core. The input is read as two names
// (mostly hiragana, so valid names come up often, with any other UTF-16 unit
// mixed in) and as a digit string; the properties every input must keep are
// checked, and the fold is compared with the literal pass-by-pass fold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DiagnosePair.h"
#include "NameToDigits.h"
#include "Oracle.h"
#include "ReduceToScore.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// Bytes below 0xB0 pick a unit of the hiragana block (its six unknown kana
// included); others take the next two bytes as any UTF-16 unit.
std::u16string Units(const std::uint8_t *data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] < 0xB0) {
            text += char16_t(0x3041 + data[i] % 86);
        } else if (i + 2 < size) {
            text += char16_t(data[i + 1] << 8 | data[i + 2]);
            i += 2;
        }
    }
    return text;
}

void CheckNames(const std::u16string &first, const std::u16string &second)
{
    const std::string digits = scoring::NameToDigits(first);
    Require(digits.size() <= first.size());
    for (char digit : digits)
        Require(digit >= '0' && digit <= '5');

    Require(digits == oracle::Digits(first));

    const scoring::Diagnosis diagnosis = scoring::DiagnosePair(first, second);
    Require(diagnosis.joined == oracle::Joined(first, second));
    Require(diagnosis.digits == oracle::Digits(diagnosis.joined));
    Require(diagnosis.score == oracle::Fold(diagnosis.digits));
    Require(scoring::DiagnosePair(second, first).score == diagnosis.score);

    const bool bothValid = !first.empty() && !second.empty()
        && diagnosis.digits.size() == diagnosis.joined.size();
    if (bothValid)
        Require(diagnosis.score >= 1 && diagnosis.score <= 100);
    if (diagnosis.digits.size() <= 600)
        Require(diagnosis.score == oracle::LiteralFold(diagnosis.digits));
}

void CheckDigits(const std::uint8_t *data, std::size_t size)
{
    std::string digits;
    for (std::size_t i = 0; i < size && i < 600; ++i)
        digits += char('0' + data[i] % 10);
    Require(scoring::ReduceToScore(digits) == oracle::LiteralFold(digits));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t split = 1 + (size - 1) * data[0] / 256;
    CheckNames(Units(data + 1, split - 1), Units(data + split, size - split));
    CheckDigits(data, size);
    return 0;
}
