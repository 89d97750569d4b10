#pragma once

// What the window's contract cases need of a window: the window itself,
// opened on a table, and a driver that plays the user's input on it the way
// its toolkit delivers it (real mouse and key events on the Qt and Win32
// windows, the window in memory's own actions on the fake). The cases in
// tst_window_contract.cpp are written once and run on all three windows;
// each test program links them with one driver.

#include "ui/window.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace z7::contract {

enum class Key { Tab, ShiftTab, Up, Down, Enter, Space, Escape };

// How the user leaves the next message box.
struct BoxAction
{
    enum Kind { Press, Escape, Close } kind = Press;
    int button = 0; // for Press: the button from the left, 0 first
};

// What a message box showed, read off the box itself.
struct SeenBox
{
    std::u16string title;
    std::vector<std::u16string> lines;   // the text, one entry per line shown
    std::vector<std::u16string> buttons; // captions, left to right
    int defaultButton = -1;              // the button with the focus as it opened
};

class WindowDriver
{
public:
    virtual ~WindowDriver() = default;

    // Creates the window from the table, shows it and waits until it is up.
    virtual Window &open(const WindowDef &window, std::span<const ControlDef> controls,
                         WindowEvents &events) = 0;

    // The mouse's left button pressed and released in the middle of the control.
    virtual void click(std::u16string_view control) = 0;
    // The mouse clicked on the caption of tree node index.
    virtual void clickNode(int index) = 0;
    // Characters typed one by one into the control with the focus.
    virtual void typeKeys(std::u16string_view text) = 0;
    // A key pressed and released at the control with the focus.
    virtual void press(Key key) = 0;
    // The up-down's arrow clicked: +1 the upper, -1 the lower.
    virtual void clickArrow(std::u16string_view upDown, int direction) = 0;
    // The next message box the window shows is left so; what it showed is
    // kept for seenBoxes().
    virtual void answerNextBox(BoxAction action) = 0;
    virtual std::vector<SeenBox> seenBoxes() const = 0;
};

// The driver of the window this test program is built for.
std::unique_ptr<WindowDriver> MakeDriver();

} // namespace z7::contract
