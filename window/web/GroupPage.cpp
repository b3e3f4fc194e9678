#include "GroupPage.h"

#include "Form1Handlers.h"
#include "Form1Page.h"

// Group.js: the page's side. Drawn as begin, every name, every pair best first, end.
extern "C" {
void form1_group_begin();
void form1_group_name(const char16_t *name, int length);
void form1_group_pair(int first, int second, int score, int rank);
void form1_group_end(int added);
void form1_group_say(const char16_t *text, int length);
}

namespace {

// Past this many characters a refused name is cut when it is quoted back.
constexpr std::size_t QuotedLength = 16;

} // namespace

void GroupPage::Say(std::u16string_view words)
{
    form1_group_say(words.data(), int(words.size()));
}

void GroupPage::Add(std::u16string_view name)
{
    switch (group.Add(name)) {
    case Group::Added::Yes:
        Say(u"");
        Draw(true);
        return;
    case Group::Added::NotKana:
        Say(Form1Text::Refusal);
        return;
    case Group::Added::Full:
        Say(GroupText::Full);
        return;
    case Group::Added::Empty:
        return;
    }
}

void GroupPage::Remove(std::size_t index)
{
    group.Remove(index);
    Say(u"");
    Draw(false);
}

void GroupPage::OpenBegin()
{
    group.Clear();
    refusedFromLink.clear();
    fullFromLink = false;
}

void GroupPage::OpenName(std::u16string_view name)
{
    switch (group.Add(name)) {
    case Group::Added::NotKana:
        refusedFromLink += u"「" + std::u16string(name.substr(0, QuotedLength))
                           + (name.size() > QuotedLength ? u"…」" : u"」");
        break;
    case Group::Added::Full:
        fullFromLink = true;
        break;
    default:
        break;
    }
}

void GroupPage::OpenEnd()
{
    // Each refused name is named, with the refusal's own words.
    std::u16string said;
    if (!refusedFromLink.empty())
        said = refusedFromLink + u": " + std::u16string(Form1Text::Refusal);
    if (fullFromLink)
        said += GroupText::Full;
    Say(said);
    Draw(false);
}

void GroupPage::Draw(bool added)
{
    form1_group_begin();
    for (const std::u16string &name : group.Names())
        form1_group_name(name.data(), int(name.size()));
    for (const Group::Pair &pair : group.Ranking())
        form1_group_pair(int(pair.first), int(pair.second), pair.score, pair.rank);
    form1_group_end(added);
}

void GroupPage::Play(std::size_t first, std::size_t second)
{
    const auto &names = group.Names();
    if (first < names.size() && second < names.size())
        form.PlayPair(names[first], names[second]);
}
