#include "Group.h"

#include <algorithm>

#include "DiagnosePair.h"
#include "Form1Handlers.h"

Group::Added Group::Add(std::u16string_view name)
{
    if (name.empty())
        return Added::Empty;
    if (!IsAllKana(name))
        return Added::NotKana;
    if (names.size() >= MaxNames)
        return Added::Full;
    names.emplace_back(name);
    return Added::Yes;
}

void Group::Remove(std::size_t index)
{
    if (index < names.size())
        names.erase(names.begin() + std::ptrdiff_t(index));
}

std::vector<Group::Pair> Group::Ranking() const
{
    std::vector<Pair> pairs;
    pairs.reserve(names.size() * (names.size() - (names.empty() ? 0 : 1)) / 2);
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = i + 1; j < names.size(); ++j)
            pairs.push_back({i, j, scoring::DiagnosePair(names[i], names[j]).score, 0});
    std::stable_sort(pairs.begin(), pairs.end(), [](const Pair &a, const Pair &b) { return a.score > b.score; });
    for (std::size_t k = 0; k < pairs.size(); ++k)
        pairs[k].rank = k > 0 && pairs[k].score == pairs[k - 1].score ? pairs[k - 1].rank : int(k + 1);
    return pairs;
}
