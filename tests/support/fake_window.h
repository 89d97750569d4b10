#pragma once

// The window in memory, for the logic's tests: controls created from the
// table, message boxes answered from a queue, and the user's actions played
// the way the real skins deliver them. It keeps the window's rules
// (ui/window_rules.h) as the skins do, and a name that no control has fails
// the test that used it: a misspelt name would otherwise pass unnoticed.

#include "ui/window.h"
#include "ui/window_rules.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace z7::test {

class FakeWindow : public Window
{
public:
    struct Control
    {
        ControlDef def{};
        std::u16string name, parent, text;
        bool visible = true, enabled = true, down = false;
        Rect rect;
        std::vector<FontChange> fonts; // every change, in order
        int listPicture = -1;          // the list picture shown, -1 for none
        int position = 0;              // an up-down's position after its last step
    };
    struct Shown
    {
        std::u16string text, title;
        int flags = 0;
    };

    // Test side.
    Control *control(std::u16string_view name);
    const Control *control(std::u16string_view name) const;
    // The next box answers result; queueEscape: the next box is left with
    // Esc; queueButton: its button index, from the left, is pressed.
    void queueAnswer(int result) { m_answers.push_back({Answer::Result, result}); }
    void queueEscape() { m_answers.push_back({Answer::Escape, 0}); }
    void queueButton(int index) { m_answers.push_back({Answer::Button, index}); }
    const std::vector<Shown> &shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }
    std::vector<FontChange> windowFonts;
    std::vector<std::string> registeredFonts;
    // What the window was handed, which it may keep using in place.
    std::vector<std::string_view> registeredInPlace;
    bool refuseFonts = false;
    bool created = false;
    bool closed = false;
    int processEventsCalls = 0;
    std::u16string programFile = u"C:\\Programme\\Z7 Edit\\Z7Edit.exe";

    // The user's actions. click: a push button takes the focus, a toggle
    // flips; then the click handler runs. type: the edit takes the focus, gets
    // the text and the key release. step: as the up-down's arrow would.
    // select: the tree's handlers around the move, none for the selected node.
    void click(std::u16string_view name);
    void type(std::u16string_view edit, std::u16string_view text);
    void step(std::u16string_view upDown, int direction);
    void select(int node);
    // The keyboard, at the control with the focus. typeKeys: key by key, each
    // released in the edit; what Tab selected is replaced. press: Tab and
    // Shift+Tab move in keyboard order (the key is released in the control
    // reached), Up and Down step an edit's up-down, Enter and Space press a
    // focused push button.
    enum class Key { Tab, ShiftTab, Up, Down, Enter, Space, Escape };
    void typeKeys(std::u16string_view text);
    void press(Key key);
    int nodeIndex(std::u16string_view caption) const;
    const std::vector<TreeNode> &nodes() const { return m_nodes; }
    WindowEvents *events() const { return m_events; }

    // Window
    void create(const WindowDef &window, std::span<const ControlDef> controls,
                WindowEvents &events) override;
    std::optional<ControlKind> findControl(std::u16string_view name) const override;
    std::u16string text(std::u16string_view control) const override;
    void setText(std::u16string_view control, std::u16string_view text) override;
    bool visible(std::u16string_view control) const override;
    void setVisible(std::u16string_view control, bool visible) override;
    bool enabled(std::u16string_view control) const override;
    void setEnabled(std::u16string_view control, bool enabled) override;
    bool down(std::u16string_view toggle) const override;
    void setDown(std::u16string_view toggle, bool down) override;
    Rect geometry(std::u16string_view control) const override;
    void setGeometry(std::u16string_view control, const Rect &rect) override;
    std::u16string focusedControl() const override { return m_focus; }
    void setFocus(std::u16string_view control) override;
    void showListPicture(std::u16string_view picture, int index) override;
    void setFont(std::u16string_view control, const FontChange &font) override;
    int registerFont(std::string_view fontFileBytes) override;
    void fillTree(const std::vector<TreeNode> &nodes) override;
    int selectedNode() const override { return m_selected; }
    TreeNode treeNode(int index) const override;
    void selectNodeQuietly(int index) override;
    void setNodeMarked(int index, bool marked) override;
    bool nodeMarked(int index) const override;
    int messageBox(std::u16string_view text, std::u16string_view title, int flags) override;
    std::u16string programFileName() const override { return programFile; }
    void processEvents() override { ++processEventsCalls; }
    void close() override { closed = true; }

private:
    struct Answer
    {
        enum Kind { Result, Escape, Button } kind;
        int value;
    };
    // The control of that name; a name no control has fails the test.
    Control *existing(std::u16string_view name);
    const Control *existing(std::u16string_view name) const;
    bool takesFocus(const Control &c) const;
    void moveInTree(int direction);
    void releaseKey();

    std::map<std::u16string, Control> m_controls; // by FoldName
    std::vector<std::u16string> m_keyboardOrder;  // by FoldName
    bool m_selectAll = false; // the focused edit's text is selected, as Tab leaves it
    WindowEvents *m_events = nullptr;
    std::u16string m_focus;
    std::vector<TreeNode> m_nodes;
    std::vector<int> m_parents;
    std::set<int> m_expanded;
    std::vector<bool> m_marked;
    int m_selected = -1;
    std::deque<Answer> m_answers;
    std::vector<Shown> m_shown;
};

} // namespace z7::test
