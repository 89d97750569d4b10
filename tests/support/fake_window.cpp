#include "tests/support/fake_window.h"

#include "model/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace z7::test {

FakeWindow::Control *FakeWindow::control(std::u16string_view name)
{
    auto it = m_controls.find(FoldName(name));
    return it == m_controls.end() ? nullptr : &it->second;
}

const FakeWindow::Control *FakeWindow::control(std::u16string_view name) const
{
    auto it = m_controls.find(FoldName(name));
    return it == m_controls.end() ? nullptr : &it->second;
}

FakeWindow::Control *FakeWindow::existing(std::u16string_view name)
{
    return const_cast<Control *>(std::as_const(*this).existing(name));
}

const FakeWindow::Control *FakeWindow::existing(std::u16string_view name) const
{
    const Control *c = control(name);
    if (!c)
        ADD_FAILURE() << "FakeWindow: the window has no control named \"" << ToUtf8(name) << '"';
    return c;
}

void FakeWindow::create(const WindowDef &, std::span<const ControlDef> controls,
                        WindowEvents &events)
{
    created = true;
    m_events = &events;
    m_controls.clear();
    for (const ControlDef &d : controls) {
        Control c;
        c.def = d;
        c.name = d.name;
        c.parent = d.parent ? d.parent : u"";
        c.text = d.caption ? d.caption : u"";
        c.visible = d.visible;
        c.enabled = d.enabled;
        c.rect = d.rect;
        m_controls[FoldName(d.name)] = c;
    }
    m_keyboardOrder.clear();
    for (std::size_t i : KeyboardOrder(controls))
        m_keyboardOrder.push_back(FoldName(controls[i].name));
    // When the window opens, the focus is on the first control in keyboard order.
    m_focus = m_keyboardOrder.empty() ? u"" : m_controls[m_keyboardOrder.front()].name;
}

void FakeWindow::click(std::u16string_view name)
{
    Control *c = existing(name);
    if (!c || !takesFocus(*c))
        return;
    switch (c->def.kind) {
    case ControlKind::Toggle:
        c->down = !c->down;
        m_events->clicked(c->name);
        break;
    case ControlKind::Button:
        m_focus = c->name;
        m_selectAll = false;
        m_events->clicked(c->name);
        break;
    case ControlKind::Edit:
        m_focus = c->name;
        m_selectAll = false;
        break;
    default:
        break; // the arrows and the nodes have actions of their own; the rest ignores clicks
    }
}

void FakeWindow::type(std::u16string_view edit, std::u16string_view text)
{
    Control *c = existing(edit);
    if (!c)
        return;
    m_focus = c->name;
    m_selectAll = false;
    c->text = text;
    m_events->keyReleased(c->name);
}

void FakeWindow::step(std::u16string_view upDown, int direction)
{
    Control *c = existing(upDown);
    Control *buddy = c && c->def.buddy ? existing(c->def.buddy) : nullptr;
    if (!buddy || !c->enabled)
        return;
    const UpDownStep step = StepUpDown(c->def, buddy->text, c->position, direction);
    buddy->text = step.text;
    m_focus = buddy->name;
    m_selectAll = false;
    c->position = step.position;
    m_events->stepped(c->name);
    if (step.clicked)
        m_events->clicked(c->name);
}

bool FakeWindow::takesFocus(const Control &c) const
{
    // Hidden or disabled, by itself or by a panel it lies on: Tab passes it.
    for (const Control *p = &c; p; p = p->parent.empty() ? nullptr : control(p->parent)) {
        if (!p->visible || !p->enabled)
            return false;
    }
    return true;
}

void FakeWindow::releaseKey()
{
    const Control *c = control(m_focus);
    if (c && c->def.kind == ControlKind::Edit)
        m_events->keyReleased(c->name);
}

void FakeWindow::typeKeys(std::u16string_view text)
{
    Control *c = control(m_focus);
    for (char16_t key : text) {
        if (c && c->def.kind == ControlKind::Edit) {
            if (m_selectAll)
                c->text.clear();
            m_selectAll = false;
            if (!(c->def.look & DigitsOnly) || (key >= u'0' && key <= u'9'))
                c->text += key;
        }
        releaseKey();
    }
}

void FakeWindow::press(Key key)
{
    Control *c = control(m_focus);
    switch (key) {
    case Key::Tab:
    case Key::ShiftTab: {
        const auto at =
            std::find(m_keyboardOrder.begin(), m_keyboardOrder.end(), FoldName(m_focus));
        const std::ptrdiff_t count = std::ssize(m_keyboardOrder);
        std::ptrdiff_t i = at == m_keyboardOrder.end() ? -1 : at - m_keyboardOrder.begin();
        for (std::ptrdiff_t n = 0; n < count; ++n) {
            i = key == Key::Tab ? (i + 1) % count : (i - 1 + count) % count;
            const Control &next = m_controls.at(m_keyboardOrder[std::size_t(i)]);
            if (takesFocus(next)) {
                m_focus = next.name;
                m_selectAll = next.def.kind == ControlKind::Edit;
                // A tree that gets the focus with nothing selected selects its first node.
                if (next.def.kind == ControlKind::Tree && m_selected < 0 && !m_nodes.empty())
                    select(0);
                break;
            }
        }
        break;
    }
    case Key::Up:
    case Key::Down:
        if (c && c->def.kind == ControlKind::Tree) {
            moveInTree(key == Key::Down ? +1 : -1);
        } else if (c && c->def.kind == ControlKind::Edit) {
            for (const auto &[name, upd] : m_controls) {
                if (upd.def.kind == ControlKind::UpDown && upd.def.buddy &&
                    FoldName(upd.def.buddy) == FoldName(c->name)) {
                    step(upd.name, key == Key::Up ? +1 : -1);
                    break;
                }
            }
        }
        break;
    case Key::Enter:
    case Key::Space:
        if (c && c->def.kind == ControlKind::Button)
            m_events->clicked(c->name);
        break;
    case Key::Escape:
        break;
    }
    releaseKey();
}

void FakeWindow::moveInTree(int direction)
{
    // To the next node shown: one whose parents are all expanded.
    auto shown = [&](int i) {
        for (int p = m_parents[std::size_t(i)]; p >= 0; p = m_parents[std::size_t(p)]) {
            if (!m_expanded.count(p))
                return false;
        }
        return true;
    };
    for (int i = m_selected + direction; i >= 0 && i < int(m_nodes.size()); i += direction) {
        if (shown(i)) {
            select(i);
            return;
        }
    }
}

void FakeWindow::select(int node)
{
    // A click on the tree gives it the focus.
    for (const auto &[name, c] : m_controls) {
        if (c.def.kind == ControlKind::Tree)
            m_focus = c.name;
    }
    if (node == m_selected)
        return;
    if (node < 0 || std::size_t(node) >= m_nodes.size())
        ADD_FAILURE() << "FakeWindow: the tree has no node " << node;
    m_events->treeChanging(node);
    selectNodeQuietly(node);
    m_events->treeChanged(node);
}

int FakeWindow::nodeIndex(std::u16string_view caption) const
{
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        if (m_nodes[i].caption == caption)
            return int(i);
    }
    return -1;
}

std::optional<ControlKind> FakeWindow::findControl(std::u16string_view name) const
{
    if (const Control *c = control(name))
        return c->def.kind;
    return std::nullopt;
}

std::u16string FakeWindow::text(std::u16string_view name) const
{
    const Control *c = existing(name);
    return c ? c->text : std::u16string();
}

void FakeWindow::setText(std::u16string_view name, std::u16string_view text)
{
    if (Control *c = existing(name))
        c->text = text;
}

bool FakeWindow::visible(std::u16string_view name) const
{
    const Control *c = existing(name);
    return c && c->visible;
}

void FakeWindow::setVisible(std::u16string_view name, bool visible)
{
    if (Control *c = existing(name))
        c->visible = visible;
}

bool FakeWindow::enabled(std::u16string_view name) const
{
    const Control *c = existing(name);
    return c && c->enabled;
}

void FakeWindow::setEnabled(std::u16string_view name, bool enabled)
{
    if (Control *c = existing(name))
        c->enabled = enabled;
}

bool FakeWindow::down(std::u16string_view name) const
{
    const Control *c = existing(name);
    return c && c->down;
}

void FakeWindow::setDown(std::u16string_view name, bool down)
{
    if (Control *c = existing(name))
        c->down = down;
}

Rect FakeWindow::geometry(std::u16string_view name) const
{
    const Control *c = existing(name);
    return c ? c->rect : Rect{};
}

void FakeWindow::setGeometry(std::u16string_view name, const Rect &rect)
{
    if (Control *c = existing(name))
        c->rect = rect;
}

void FakeWindow::setFocus(std::u16string_view name)
{
    if (const Control *c = existing(name)) {
        m_focus = c->name;
        m_selectAll = false;
    }
}

void FakeWindow::showListPicture(std::u16string_view picture, int index)
{
    if (Control *c = existing(picture))
        c->listPicture = index;
}

void FakeWindow::setFont(std::u16string_view name, const FontChange &font)
{
    if (name.empty())
        windowFonts.push_back(font);
    else if (Control *c = existing(name))
        c->fonts.push_back(font);
}

int FakeWindow::registerFont(std::string_view fontFileBytes)
{
    if (refuseFonts)
        return 0;
    registeredFonts.emplace_back(fontFileBytes);
    registeredInPlace.push_back(fontFileBytes);
    return int(registeredFonts.size());
}

void FakeWindow::fillTree(const std::vector<TreeNode> &nodes)
{
    m_nodes = nodes;
    m_parents = TreeParents(nodes);
    m_marked.assign(nodes.size(), false);
    m_expanded.clear();
    m_selected = -1;
}

TreeNode FakeWindow::treeNode(int index) const
{
    if (index < 0 || std::size_t(index) >= m_nodes.size())
        return {};
    // The depth as the tree holds the node: below the parent the rule gave it.
    TreeNode node = m_nodes[std::size_t(index)];
    node.depth = 0;
    for (int p = m_parents[std::size_t(index)]; p >= 0; p = m_parents[std::size_t(p)])
        ++node.depth;
    return node;
}

void FakeWindow::selectNodeQuietly(int index)
{
    m_selected = index;
    // A selected node is shown: its parents open.
    for (int p = index >= 0 ? m_parents[std::size_t(index)] : -1; p >= 0;
         p = m_parents[std::size_t(p)])
        m_expanded.insert(p);
}

void FakeWindow::setNodeMarked(int index, bool marked)
{
    if (index < 0 || std::size_t(index) >= m_marked.size())
        ADD_FAILURE() << "FakeWindow: the tree has no node " << index;
    else
        m_marked[std::size_t(index)] = marked;
}

bool FakeWindow::nodeMarked(int index) const
{
    return index >= 0 && std::size_t(index) < m_marked.size() && m_marked[std::size_t(index)];
}

int FakeWindow::messageBox(std::u16string_view text, std::u16string_view title, int flags)
{
    m_shown.push_back({std::u16string(text), std::u16string(title), flags});
    if (!m_answers.empty()) {
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        switch (answer.kind) {
        case Answer::Result:
            return answer.value;
        case Answer::Escape:
            return BoxDismissed;
        case Answer::Button: {
            const std::vector<BoxButton> buttons = BoxButtons(flags);
            if (answer.value >= 0 && std::size_t(answer.value) < buttons.size())
                return buttons[std::size_t(answer.value)].result;
            ADD_FAILURE() << "FakeWindow: the box has no button " << answer.value;
            return BoxDismissed;
        }
        }
    }
    // A box with only OK needs no answer; any other is a question the test
    // did not expect, and guessing would hide that.
    if ((flags & 0xF) == BoxOk)
        return AnswerOk;
    std::fprintf(stderr, "FakeWindow: unexpected question: %s\n", ToUtf8(text).c_str());
    std::abort();
}

} // namespace z7::test
