// The page's group of names, beyond the original: everyone's compatibility
// at once, for a class or a party. Decided here, in standard C++: which
// names the group takes (the name boxes' own check), every pair's score
// from the same scoring as the window, and the pairs' order, best first,
// with a shared rank for a tie. GroupPage hands it to the page; Group.js
// only draws it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace GroupText {
inline constexpr std::u16string_view Heading = u"みんなの相性";
inline constexpr std::u16string_view How =
    u"名前をひとりずつ加えると、どの二人の相性もまとめて診断します。二人は上に並ぶ順に一人目・二人目です。";
inline constexpr std::u16string_view NameLabel = u"加える名前";
inline constexpr std::u16string_view Add = u"加える";
inline constexpr std::u16string_view Ranking = u"相性のよい順";
inline constexpr std::u16string_view Table = u"一覧表";
inline constexpr std::u16string_view Share = u"みんなの結果を送る";
inline constexpr std::u16string_view Full = u"名前は50人までです。";
} // namespace GroupText

class Group {
public:
    // Enough for a class; a link of thousands of names is refused past it.
    static constexpr std::size_t MaxNames = 50;

    enum class Added { Yes, Empty, NotKana, Full };
    Added Add(std::u16string_view name);
    void Remove(std::size_t index);
    void Clear() { names.clear(); }
    const std::vector<std::u16string> &Names() const { return names; }

    // Two names of the group, each pair once: first is above second in the list.
    struct Pair {
        std::size_t first, second;
        int score;
        int rank; // 1 + the pairs that score higher
    };
    // Best first; pairs of one score keep the list's order.
    std::vector<Pair> Ranking() const;

private:
    std::vector<std::u16string> names;
};
