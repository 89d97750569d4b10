#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the program's logic asks of the window, whichever toolkit draws it:
// the Qt skin on Linux, the Win32 common controls on Windows, a fake in the
// tests. Controls are addressed by their place in the window table
// (app/window_table.h); texts are UTF-16.
namespace z7 {

using ControlId = int;
inline constexpr ControlId NoControl = -1;

struct Rect
{
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect &) const = default;
};

struct Colour
{
    unsigned char red = 0, green = 0, blue = 0;
    bool operator==(const Colour &) const = default;
};

// Message box flags and results, with the values Windows gives them.
enum : int {
    MB_OK = 0,
    MB_OKCANCEL = 1,
    MB_YESNO = 4,
    MB_ICONERROR = 16,
    MB_ICONQUESTION = 32,
    MB_DEFBUTTON2 = 256,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// One node of the catalogue tree: its caption, its depth (0 to 2) and the
// three codes the tree keeps for it.
struct TreeNode
{
    std::u16string caption;
    int depth = 0;
    int selectCode = 0;
    int recordCode = -1;
    int pictureIndex = 0;
    bool operator==(const TreeNode &) const = default;
};

// A font as the logic picks it; an empty family keeps the control's own.
struct FontChoice
{
    std::u16string family;
    int pointSize = 0; // 0 keeps the size
    bool bold = false;
    std::optional<Colour> colour;
};

class Window
{
public:
    virtual ~Window() = default;

    // The control of that name, the case of A-Z ignored; NoControl when none.
    virtual ControlId findControl(std::u16string_view name) const = 0;
    virtual std::u16string controlName(ControlId control) const = 0;

    // Caption of a label, button or toggle; text of an edit.
    virtual std::u16string text(ControlId control) const = 0;
    virtual void setText(ControlId control, std::u16string_view text) = 0;
    // The control's own visibility, whatever its panel's.
    virtual bool isVisible(ControlId control) const = 0;
    virtual void setVisible(ControlId control, bool visible) = 0;
    virtual bool isEnabled(ControlId control) const = 0;
    virtual void setEnabled(ControlId control, bool enabled) = 0;
    // A toggle's state; setting it runs no handler.
    virtual bool isDown(ControlId control) const = 0;
    virtual void setDown(ControlId control, bool down) = 0;
    // Position and size within the parent, in pixels at 96 dpi.
    virtual Rect geometry(ControlId control) const = 0;
    virtual void setGeometry(ControlId control, Rect geometry) = 0;
    virtual ControlId focusedControl() const = 0;
    virtual void setFocus(ControlId control) = 0;

    // A picture control shows picture `index` of the picture list drawn on
    // white; an index outside the list shows nothing.
    virtual void showListPicture(ControlId control, int index) = 0;
    virtual void setFont(ControlId control, const FontChoice &font) = 0;
    // Registers a built-in font for this run; false when the system refused it.
    virtual bool registerFont(const std::string &bytes) = 0;

    // Modal; a CR in the text breaks the line. Flags and results as above.
    virtual int messageBox(std::u16string_view text, std::u16string_view title, int flags) = 0;
    // The program file's name ("z7edit.exe"), for the title of the error report.
    virtual std::u16string programFileName() const = 0;

    // Empties the tree and fills it in one batch: no repaint until the end,
    // no changing or changed event; every node collapsed, none selected.
    virtual void fillTree(const std::vector<TreeNode> &nodes) = 0;
    // Index into the nodes of the last fill; -1 when none is selected.
    virtual int selectedNode() const = 0;
    // Selects a node without running the changing or changed events.
    virtual void selectNodeQuietly(int index) = 0;

    // Closes the window: the event loop ends.
    virtual void close() = 0;
};

// What the skin delivers to the logic, one event at a time. The skin calls
// these through DeliverEvent, so that an error of the logic is reported and
// never unwinds into toolkit code.
class WindowEvents
{
public:
    virtual ~WindowEvents() = default;

    // A push button or a reference button; a toggle after its state flipped.
    virtual void clicked(ControlId control) = 0;
    virtual void keyReleased(ControlId edit) = 0;
    // A spin box wrote a new number into its edit; positionChanged is true
    // when the position differs from the one after the previous step.
    virtual void stepped(ControlId upDown, bool positionChanged) = 0;
    // Before the selection moves from selectedNode() to `next`, and after it
    // moved to `node`.
    virtual void treeChanging(int next) = 0;
    virtual void treeChanged(int node) = 0;
    // The text colour of a node about to be drawn; nothing keeps the tree's.
    virtual std::optional<Colour> treeNodeColour(int node) const = 0;
};

} // namespace z7
