#pragma once

// The rules every window keeps, whichever toolkit draws it: the Qt skin, the
// Win32 skin and the window in memory of the tests all take them from here,
// so that the same input gives the same answer in each. A skin translates
// between its toolkit and these rules and decides nothing of its own.

#include "resources/picture_list.h"
#include "ui/controls.h"
#include "ui/window.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace z7 {

// --- names -------------------------------------------------------------------

// A control's name as the window looks it up: A-Z in lower case, every other
// character as it is ("Öl" and "öl" stay two names).
std::u16string FoldName(std::u16string_view name);

// The controls of a table by name, found without regard to the case of A-Z.
// Holds indexes into the table it was built from; the first of two rows
// with the same folded name wins.
class ControlIndex
{
public:
    ControlIndex() = default;
    explicit ControlIndex(std::span<const ControlDef> controls);

    // The row of that name, or nothing.
    std::optional<std::size_t> find(std::u16string_view name) const;

private:
    std::unordered_map<std::u16string, std::size_t> m_rows;
};

// --- creation and the keyboard -------------------------------------------------

// Which rows are made only when first needed: every control that lies, at
// any depth, on a panel that starts hidden. Nobody sees them until the panel
// is shown, and the ~100 controls of the value panels were a good part of
// the start. One flag per row of the table.
std::vector<bool> MadeWhenFirstNeeded(std::span<const ControlDef> controls);

// The rows that take the focus with the Tab key, in keyboard order: siblings
// by their place in the order (the table's order among equal places), a
// panel's place holding its own controls in theirs. The window's first focus
// is the first of them.
std::vector<std::size_t> KeyboardOrder(std::span<const ControlDef> controls);

// --- the tree ----------------------------------------------------------------

// Each node's parent, -1 for a top-level node: a node of depth d hangs below
// the last node before it of depth d - 1. A depth deeper than that is taken
// as one level below the last node; a negative depth as 0.
std::vector<int> TreeParents(std::span<const TreeNode> nodes);

// The pictures of the building list that a picture control shows by index,
// drawn on white: as many and as large as the program carries.
inline constexpr int ListPictureCount = BuildingPictureCount;
inline constexpr int ListPictureWidth = BuildingPictureWidth;
inline constexpr int ListPictureHeight = BuildingPictureHeight;

constexpr bool InPictureList(int index)
{
    return index >= 0 && index < ListPictureCount;
}

// --- up-down controls ----------------------------------------------------------

// The whole decimal number in an edit: spaces and control characters around
// it (as a store trims them), an optional "+" or "-", then digits only. A number too large for an
// int saturates, so that a long row of digits counts as the largest number there is, not as no
// number.
std::optional<long long> WholeNumber(std::u16string_view text);

struct UpDownStep
{
    int position;        // the up-down's new position
    std::u16string text; // what the edit shows now
    bool clicked;        // the position differs from the one after the last step
};

// A step of an up-down (direction +1 or -1) whose edit holds text: from the
// edit's whole number clamped into the range, or, when the edit holds no
// number, from the position after the previous step (0 at first); then by
// the step, kept within the range without wrapping, written as plain decimal
// text without thousands separator.
UpDownStep StepUpDown(const ControlDef &upDown, std::u16string_view editText, int position,
                      int direction);

// --- message boxes -------------------------------------------------------------

struct BoxButton
{
    const char16_t *caption;
    int result;
};

// The buttons of a box with these flags, left to right: OK; Yes and No; OK
// and Cancel.
std::vector<BoxButton> BoxButtons(int flags);
// The button that has the focus when the box opens.
std::size_t BoxDefaultButton(int flags);
// What a box answers when it is left with Esc or closed from its frame:
// Cancel, whichever buttons it shows. A question answered so is not a No.
inline constexpr int BoxDismissed = AnswerCancel;

// A box's text with its line breaks as the toolkit wants them: a lone CR, as
// the program's messages write it, and CR LF both become newline.
std::u16string BoxTextLines(std::u16string_view text, std::u16string_view newline);

} // namespace z7
