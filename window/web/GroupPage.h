// The group's section on the page, below the window (Group.h decides what it
// holds): a name added, refused or removed, a group's link opened, and every
// pair handed to Group.js, best first, to draw as a ranking and a table. A
// pair chosen there is played out in the window (Form1Page), as if typed.
#pragma once

#include <string>
#include <string_view>

#include "Group.h"

class Form1Page;

class GroupPage {
public:
    explicit GroupPage(Form1Page &form) : form(form) {}

    // A name from the group's field; the field is emptied once it is added.
    void Add(std::u16string_view name);
    void Remove(std::size_t index);
    // A group's link is opened anew, name by name, then drawn once.
    void OpenBegin();
    void OpenName(std::u16string_view name);
    void OpenEnd();
    // The pair of the i-th and j-th names, played in the window.
    void Play(std::size_t first, std::size_t second);

private:
    // The whole group, handed to the page; added: the field's name was just taken.
    void Draw(bool added);
    void Say(std::u16string_view words);

    Form1Page &form;
    Group group;
    std::u16string refusedFromLink; // names of a link the boxes' check refused, each in 「」
    bool fullFromLink = false;
};
