// The web page's entry points: Form1Page.js calls them on the page's events,
// once the page's WebAssembly has started and the window is made.
#include <emscripten/emscripten.h>

#include <memory>

#include "Form1Page.h"
#include "GroupPage.h"

namespace {

std::unique_ptr<Form1Page> form;
std::unique_ptr<GroupPage> group;

} // namespace

extern "C" {

// Box: 0 Text1, 1 Text2.
EMSCRIPTEN_KEEPALIVE void form1_changed(int box)
{
    form->Changed(Box(box));
}

EMSCRIPTEN_KEEPALIVE void form1_focused(int box)
{
    form->Focused(Box(box));
}

EMSCRIPTEN_KEEPALIVE void form1_clicked()
{
    form->Clicked();
}

EMSCRIPTEN_KEEPALIVE void form1_tick()
{
    form->Tick();
}

EMSCRIPTEN_KEEPALIVE void form1_gesture()
{
    form->LoadCues();
}

EMSCRIPTEN_KEEPALIVE void form1_show_pyramid()
{
    form->ShowPyramid();
}

EMSCRIPTEN_KEEPALIVE void form1_open_shared(const char16_t *first, int firstLength, const char16_t *second,
                                            int secondLength)
{
    form->OpenShared({first, std::size_t(firstLength)}, {second, std::size_t(secondLength)});
}

// The group below the window: names are indexes into its list.
EMSCRIPTEN_KEEPALIVE void group_add(const char16_t *name, int length)
{
    group->Add({name, std::size_t(length)});
}

EMSCRIPTEN_KEEPALIVE void group_remove(int index)
{
    group->Remove(std::size_t(index));
}

EMSCRIPTEN_KEEPALIVE void group_open_begin()
{
    group->OpenBegin();
}

EMSCRIPTEN_KEEPALIVE void group_open_name(const char16_t *name, int length)
{
    group->OpenName({name, std::size_t(length)});
}

EMSCRIPTEN_KEEPALIVE void group_open_end()
{
    group->OpenEnd();
}

EMSCRIPTEN_KEEPALIVE void group_play(int first, int second)
{
    group->Play(std::size_t(first), std::size_t(second));
}

// Each in a task of its own, once main has returned: connects the page's
// events and opens the names of a shared result's link;
void form1_attach();
// connects the group's events and opens a group's link;
void form1_group_attach();
// gives the window's first box the focus, registers the offline worker and
// marks the page ready.
void form1_start();

} // extern "C"

int main()
{
    form = std::make_unique<Form1Page>();
    form->FetchCues();
    group = std::make_unique<GroupPage>(*form);
    form1_attach();
    form1_group_attach();
    form1_start();
    return 0;
}
