// Times the scoring core: DiagnosePair on the longest names the boxes hold and
// how its time grows with length, and the fold against the literal fold, all
// measured in one run so the ratios hold on a noisy machine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "DiagnosePair.h"
#include "Oracle.h"
#include "ReduceToScore.h"

namespace {

using Clock = std::chrono::steady_clock;

// Median wall time of one call, in milliseconds.
double MedianMs(const std::function<void()> &work, int repetitions)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

std::u16string Name(std::size_t length, std::u16string_view pattern)
{
    std::u16string name;
    for (std::size_t i = 0; i < length; ++i)
        name += pattern[i % pattern.size()];
    return name;
}

volatile unsigned sink;

} // namespace

int main()
{
    // Written as RESULTS.md holds it: a table of each figure, its goal and whether it holds.
    std::printf("`DiagnosePair` on two names of n characters each, median of 51 runs; `ReduceToScore` against "
                "the literal fold, interleaved.\n\n| figure | result | goal | holds |\n| --- | --- | --- | --- |\n");
    double previousPerChar = 0, longest = 0, worstGrowth = 0;
    std::string growths;
    for (std::size_t n : {4096u, 8192u, 16384u, 32767u}) {
        const auto first = Name(n, u"やまだたろう");
        const auto second = Name(n, u"すずきはなこ");
        const double ms = MedianMs([&] { sink = scoring::DiagnosePair(first, second).score; }, 51);
        const double perChar = ms * 1e6 / double(2 * n);
        if (previousPerChar > 0) {
            char growth[32];
            std::snprintf(growth, sizeof growth, "%s%.2fx", growths.empty() ? "" : ", ", perChar / previousPerChar);
            growths += growth;
            worstGrowth = std::max(worstGrowth, perChar / previousPerChar);
        }
        previousPerChar = perChar;
        longest = ms;
    }
    std::printf("| `DiagnosePair`, two names of 32,767 characters | %.2f ms | < 16 ms | %s |\n", longest,
                longest < 16 ? "yes" : "**no**");
    std::printf("| time per character, growth per doubling from 4,096 | %s | <= 1.25x | %s |\n", growths.c_str(),
                worstGrowth <= 1.25 ? "yes" : "**no**");

    std::string digits;
    for (int i = 0; i < 2000; ++i)
        digits += char('0' + (i * 7 + i / 3) % 6);
    double fast = 0;
    double literal = 0;
    for (int round = 0; round < 5; ++round) { // interleaved, so both see the same machine
        fast += MedianMs([&] { sink = scoring::ReduceToScore(digits); }, 201);
        literal += MedianMs([&] { sink = oracle::LiteralFold(digits); }, 11);
    }
    std::printf("| `ReduceToScore` against the literal fold, 2,000 digits | %.4f ms vs %.3f ms (%.0fx faster) | "
                "faster | %s |\n", fast / 5, literal / 5, literal / fast, fast < literal ? "yes" : "**no**");
    return 0;
}
