#include "tests/support/fake_window.h"

#include "model/text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace z7::test {

namespace {

std::u16string key(std::u16string_view name)
{
    std::u16string folded(name);
    for (char16_t &c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + 32);
    }
    return folded;
}

// The number an up-down starts from: the edit's whole number, clamped.
std::optional<int> wholeNumber(std::u16string_view text, int minimum, int maximum)
{
    text = TrimControl(text);
    bool negative = false;
    if (!text.empty() && text.front() == u'-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return std::clamp(int(negative ? -value : value), minimum, maximum);
}

} // namespace

FakeWindow::Control *FakeWindow::control(std::u16string_view name)
{
    auto it = m_controls.find(key(name));
    return it == m_controls.end() ? nullptr : &it->second;
}

const FakeWindow::Control *FakeWindow::control(std::u16string_view name) const
{
    auto it = m_controls.find(key(name));
    return it == m_controls.end() ? nullptr : &it->second;
}

void FakeWindow::create(const WindowDef &, std::span<const ControlDef> controls,
                        WindowEvents &events)
{
    created = true;
    m_events = &events;
    for (const ControlDef &d : controls) {
        Control c;
        c.def = d;
        c.name = d.name;
        c.parent = d.parent ? d.parent : u"";
        c.text = d.caption ? d.caption : u"";
        c.visible = d.visible;
        c.enabled = d.enabled;
        c.rect = d.rect;
        m_controls[key(d.name)] = c;
    }
}

void FakeWindow::click(std::u16string_view name)
{
    Control *c = control(name);
    if (!c || !c->enabled || !c->visible)
        return;
    if (c->def.kind == ControlKind::Toggle)
        c->down = !c->down;
    else
        m_focus = c->name;
    m_events->clicked(c->name);
}

void FakeWindow::type(std::u16string_view edit, std::u16string_view text)
{
    Control *c = control(edit);
    if (!c)
        return;
    m_focus = c->name;
    c->text = text;
    m_events->keyReleased(c->name);
}

void FakeWindow::step(std::u16string_view upDown, int direction)
{
    Control *c = control(upDown);
    Control *buddy = c && c->def.buddy ? control(c->def.buddy) : nullptr;
    if (!buddy)
        return;
    const ControlDef &d = c->def;
    const int start = wholeNumber(buddy->text, d.minimum, d.maximum).value_or(c->position);
    const int result = std::clamp(start + direction * d.step, d.minimum, d.maximum);
    buddy->text = Number(result);
    m_focus = buddy->name;
    const int previous = c->position;
    c->position = result;
    m_events->stepped(c->name);
    if (result != previous)
        m_events->clicked(c->name);
}

void FakeWindow::select(int node)
{
    if (node == m_selected)
        return;
    m_events->treeChanging(node);
    m_selected = node;
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
    const Control *c = control(name);
    return c ? c->text : std::u16string();
}

void FakeWindow::setText(std::u16string_view name, std::u16string_view text)
{
    if (Control *c = control(name))
        c->text = text;
}

bool FakeWindow::visible(std::u16string_view name) const
{
    const Control *c = control(name);
    return c && c->visible;
}

void FakeWindow::setVisible(std::u16string_view name, bool visible)
{
    if (Control *c = control(name))
        c->visible = visible;
}

bool FakeWindow::enabled(std::u16string_view name) const
{
    const Control *c = control(name);
    return c && c->enabled;
}

void FakeWindow::setEnabled(std::u16string_view name, bool enabled)
{
    if (Control *c = control(name))
        c->enabled = enabled;
}

bool FakeWindow::down(std::u16string_view name) const
{
    const Control *c = control(name);
    return c && c->down;
}

void FakeWindow::setDown(std::u16string_view name, bool down)
{
    if (Control *c = control(name))
        c->down = down;
}

Rect FakeWindow::geometry(std::u16string_view name) const
{
    const Control *c = control(name);
    return c ? c->rect : Rect{};
}

void FakeWindow::setGeometry(std::u16string_view name, const Rect &rect)
{
    if (Control *c = control(name))
        c->rect = rect;
}

void FakeWindow::setFocus(std::u16string_view name)
{
    if (const Control *c = control(name))
        m_focus = c->name;
}

void FakeWindow::showListPicture(std::u16string_view picture, int index)
{
    if (Control *c = control(picture))
        c->listPicture = index;
}

void FakeWindow::setFont(std::u16string_view name, const FontChange &font)
{
    if (name.empty())
        windowFonts.push_back(font);
    else if (Control *c = control(name))
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
    m_selected = -1;
}

TreeNode FakeWindow::treeNode(int index) const
{
    if (index < 0 || std::size_t(index) >= m_nodes.size())
        return {};
    return m_nodes[std::size_t(index)];
}

void FakeWindow::selectNodeQuietly(int index)
{
    m_selected = index;
}

int FakeWindow::messageBox(std::u16string_view text, std::u16string_view title, int flags)
{
    m_shown.push_back({std::u16string(text), std::u16string(title), flags});
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    // A box with only OK needs no answer; any other is a question the test
    // did not expect, and guessing would hide that.
    if ((flags & 0xF) == MB_OK)
        return IDOK;
    std::fprintf(stderr, "FakeWindow: unexpected question: %s\n", ToUtf8(text).c_str());
    std::abort();
}

} // namespace z7::test
