#pragma once

// The window as data: what a skin needs to create a control of the window,
// in standard C++ so that every skin reads the same table (app/window_table.h).
namespace z7 {

struct Rect
{
    int left = 0, top = 0, width = 0, height = 0;
};

enum class ControlKind { Picture, Line, Label, Panel, Button, Tree };

// How a control looks beyond its kind; flags.
enum ControlLook : unsigned {
    PlainLook = 0,
    Centred = 1,         // a label's text or a picture in the middle of the frame
    Stretched = 2,       // a picture scaled to the frame
    WhiteBackground = 4, // a panel
    LeftAligned = 8,     // a label's text on the left, centred in height
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
};

} // namespace z7
