#pragma once

// What the program's logic asks of its window, whichever toolkit draws it:
// the Qt skin in the Linux program, the Win32 skin in the Windows program and
// an in-memory fake in the tests implement Window; the logic implements
// WindowEvents and gets every event of the window's controls through it.
//
// Controls are addressed by name, and every name is compared without regard to
// the case of the letters A-Z only ("baukostenedit" finds "BaukostenEdit",
// "öl" does not find "Öl"). An unknown name is a fault of the caller: the
// getters answer the empty value, the setters do nothing.

#include "ui/controls.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

// Flags and results of a message box, as the program's messages use them: the
// low nibble picks the buttons, the next one the icon, the third the default
// button. The values are those of the Windows API, which the Win32 skin hands
// on unchanged; the names are the program's own, so that they collide with
// no macro of windows.h and no include order matters.
enum : int {
    BoxOk = 0,
    BoxOkCancel = 1,
    BoxYesNo = 4,
    BoxIconError = 16,
    BoxIconQuestion = 32,
    BoxIconInformation = 64,
    BoxDefaultButton2 = 256,
};
enum : int { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

struct Colour
{
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Colour &, const Colour &) = default;
};

// A change of a control's font: what is not given stays as it is.
struct FontChange
{
    std::u16string family; // empty: keep
    int pointSize = 0;     // 0: keep
    bool bold = false;
    std::optional<Colour> colour; // the text colour
};

// A node of the tree: its caption, its depth (0 for a top-level node, each
// node one level below the last node before it one level up) and its three
// codes.
struct TreeNode
{
    std::u16string caption;
    int depth = 0;
    int selectCode = 0;
    int recordCode = -1;
    int pictureIndex = 0;
    friend bool operator==(const TreeNode &, const TreeNode &) = default;
};

// The window itself; its controls come from the table the logic gives to
// Window::create.
struct WindowDef
{
    const char16_t *caption;
    int clientWidth; // at 96 dpi
    int clientHeight;
    const char16_t *fontFamily;
    int fontPointSize;
};

// The handlers of the window's controls. A skin never calls these directly:
// it calls the GuardedEvents (ui/error_report.h) it was given, so that no
// exception of the logic ever unwinds through the toolkit.
class WindowEvents
{
public:
    virtual ~WindowEvents() = default;

    // A push button was clicked; a toggle was clicked and has flipped its
    // down state; an up-down control stepped to another position than after
    // its previous step (0 at first).
    virtual void clicked(std::u16string_view control) = 0;
    // An up-down control wrote the result of a step into its edit, whether or
    // not clicked() follows.
    virtual void stepped(std::u16string_view upDown) = 0;
    // A key was released while the edit had the focus.
    virtual void keyReleased(std::u16string_view edit) = 0;
    // The tree's selection is about to move to node next (an index of the
    // nodes given to fillTree); the node being left is still selectedNode().
    virtual void treeChanging(int next) = 0;
    // The tree's selection has moved to node (-1: none).
    virtual void treeChanged(int node) = 0;
    // Asked before a node is drawn: a colour for its text, or nothing for the
    // tree's own colours.
    virtual std::optional<Colour> treeNodeColour(int node) = 0;
};

class Window
{
public:
    virtual ~Window() = default;

    // Creates the window and its controls, in the table's order (what comes
    // later lies above), hidden until the program entry shows it. Events go to
    // events from then on.
    virtual void create(const WindowDef &window, std::span<const ControlDef> controls,
                        WindowEvents &events) = 0;

    // Whether a control of that name exists, and its kind.
    virtual std::optional<ControlKind> findControl(std::u16string_view name) const = 0;

    // The text of an edit, the caption of a label, button or toggle.
    virtual std::u16string text(std::u16string_view control) const = 0;
    virtual void setText(std::u16string_view control, std::u16string_view text) = 0;
    // Whether the control itself is set visible (not whether its parent is).
    virtual bool visible(std::u16string_view control) const = 0;
    virtual void setVisible(std::u16string_view control, bool visible) = 0;
    virtual bool enabled(std::u16string_view control) const = 0;
    virtual void setEnabled(std::u16string_view control, bool enabled) = 0;
    // The lasting state of a toggle; setting it runs no handler.
    virtual bool down(std::u16string_view toggle) const = 0;
    virtual void setDown(std::u16string_view toggle, bool down) = 0;
    // Position and size within the parent, at 96 dpi.
    virtual Rect geometry(std::u16string_view control) const = 0;
    virtual void setGeometry(std::u16string_view control, const Rect &rect) = 0;
    // The name of the control with the focus; empty when none has it.
    virtual std::u16string focusedControl() const = 0;
    virtual void setFocus(std::u16string_view control) = 0;
    // Shows picture index of the building picture list (108 pictures of
    // 135 x 96, drawn on white) in a picture control; an index outside the
    // list shows nothing.
    virtual void showListPicture(std::u16string_view picture, int index) = 0;
    // Changes the font of a control, or of the window and every control that
    // follows its font when control is empty.
    virtual void setFont(std::u16string_view control, const FontChange &font) = 0;
    // Makes a font carried by the program available to the window; a handle
    // other than 0, or 0 when the system refused it. The bytes stay valid and
    // unchanged for as long as the window shows text: it may register them
    // in place.
    virtual int registerFont(std::string_view fontFileBytes) = 0;

    // The tree. fillTree empties it and adds the nodes in one batch, without a
    // repaint in between and without running a tree handler: afterwards every
    // node is collapsed and none is selected.
    virtual void fillTree(const std::vector<TreeNode> &nodes) = 0;
    // The selected node's index, -1 for none.
    virtual int selectedNode() const = 0;
    // Node index as the tree holds it now.
    virtual TreeNode treeNode(int index) const = 0;
    // Selects a node without running a tree handler.
    virtual void selectNodeQuietly(int index) = 0;
    // A marked node's caption is drawn in bold, on top of its colour and in
    // every state, selected included; fillTree leaves every node unmarked.
    virtual void setNodeMarked(int index, bool marked) = 0;
    virtual bool nodeMarked(int index) const = 0;

    // A modal message box: a CR in the text breaks the line. Returns the
    // pressed button; Esc and Close answer AnswerCancel in every box, also in one
    // with Yes and No: leaving a question is not answering No
    // (ui/window_rules.h has the buttons and their answers).
    virtual int messageBox(std::u16string_view text, std::u16string_view title, int flags) = 0;

    // The path of the running program file.
    virtual std::u16string programFileName() const = 0;
    // Lets the window draw what is pending while the start-up works.
    virtual void processEvents() = 0;
    // Closes the window, which ends the program.
    virtual void close() = 0;
};

} // namespace z7
