#pragma once

// The window as data: what a skin needs to create a control of the window,
// in standard C++ so that every skin reads the same table, as a form file
// would be read (app/window_table.h, editor/value_rows.h).
#include <deque>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace z7 {

struct Rect
{
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

enum class ControlKind {
    Picture, // a picture of the program's own, or one of the picture list
    Line,    // a maroon bar
    Label,
    Panel,  // holds the controls that name it as parent
    Button, // a push button
    Tree,
    Edit,   // one line of text
    UpDown, // the spin arrows of the edit named as its buddy
    Toggle, // a push-like button that stays down
};

// How a control looks beyond its kind; flags.
enum ControlLook : unsigned {
    PlainLook = 0,
    Centred = 1,         // a label's text or a picture in the middle of the frame
    Stretched = 2,       // a picture scaled to the frame
    WhiteBackground = 4, // a panel
    LeftAligned = 8,     // a label's text on the left, centred in height
    DigitsOnly = 16,     // an edit that takes the digits 0-9 only when typed
    Highlighted = 32,    // an edit on the system's button-highlight colour
};

struct ControlDef
{
    const char16_t *name;
    ControlKind kind;
    const char16_t *parent; // nullptr: the window itself
    Rect rect;              // within the parent, at 96 dpi
    const char16_t *caption;
    const char16_t *description; // the name a screen reader says
    bool visible;
    bool enabled;
    unsigned look;
    const char16_t *picture; // a picture of the window's own, by name; nullptr for none
    // The place in the keyboard order among the controls of the same parent,
    // from 0; -1 for a control the Tab key skips. A push button the Tab key
    // skips still takes the focus when clicked; a toggle never takes it.
    int tabOrder = -1;
    // An up-down control: the edit it steps, its range and step.
    const char16_t *buddy = nullptr;
    int minimum = 0, maximum = 100, step = 1;
    // What the value means, shown when the pointer rests on the control and
    // given to screen readers as its description; nullptr for none.
    const char16_t *tip = nullptr;
};

// Rows of the window table built at run time, with the texts they point at.
struct ControlTable
{
    std::vector<ControlDef> controls;
    // A deque never moves what it holds, so the rows' pointers stay valid.
    std::deque<std::u16string> texts;

    const char16_t *keep(std::u16string text)
    {
        return texts.emplace_back(std::move(text)).c_str();
    }

    // Appends a row whose texts this table keeps, whoever owned the original's.
    void addCopy(const ControlDef &row)
    {
        ControlDef copy = row;
        for (const char16_t **text : {&copy.name, &copy.parent, &copy.caption, &copy.description,
                                      &copy.picture, &copy.buddy, &copy.tip}) {
            if (*text)
                *text = keep(*text);
        }
        controls.push_back(copy);
    }
};

} // namespace z7
