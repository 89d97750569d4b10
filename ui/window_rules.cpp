#include "ui/window_rules.h"

#include "model/text.h"
#include "ui/window_texts.h"

#include <algorithm>
#include <climits>
#include <functional>

namespace z7 {

std::u16string FoldName(std::u16string_view name)
{
    std::u16string folded(name);
    for (char16_t &c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + (u'a' - u'A'));
    }
    return folded;
}

ControlIndex::ControlIndex(std::span<const ControlDef> controls)
{
    m_rows.reserve(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
        m_rows.emplace(FoldName(controls[i].name), i);
}

std::optional<std::size_t> ControlIndex::find(std::u16string_view name) const
{
    const auto found = m_rows.find(FoldName(name));
    if (found == m_rows.end())
        return std::nullopt;
    return found->second;
}

std::vector<bool> MadeWhenFirstNeeded(std::span<const ControlDef> controls)
{
    // A parent comes before its controls in the table, so one pass sees
    // every hidden panel before what lies on it.
    const ControlIndex index(controls);
    std::vector<bool> later(controls.size(), false);
    std::vector<bool> hiddenPanel(controls.size(), false);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDef &d = controls[i];
        if (d.parent) {
            if (const auto parent = index.find(d.parent); parent && *parent < i)
                later[i] = later[*parent] || hiddenPanel[*parent];
        }
        hiddenPanel[i] = d.kind == ControlKind::Panel && !d.visible;
    }
    return later;
}

std::vector<std::size_t> KeyboardOrder(std::span<const ControlDef> controls)
{
    std::vector<std::size_t> order;
    const std::function<void(const char16_t *)> addChildren = [&](const char16_t *parent) {
        std::vector<std::size_t> children;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const ControlDef &d = controls[i];
            const bool sameParent = parent ? d.parent && EqualsIgnoringAsciiCase(d.parent, parent)
                                           : d.parent == nullptr;
            if (sameParent && d.tabOrder >= 0)
                children.push_back(i);
        }
        std::stable_sort(children.begin(), children.end(), [&](std::size_t a, std::size_t b) {
            return controls[a].tabOrder < controls[b].tabOrder;
        });
        for (std::size_t i : children) {
            if (controls[i].kind == ControlKind::Panel)
                addChildren(controls[i].name);
            else
                order.push_back(i);
        }
    };
    addChildren(nullptr);
    return order;
}

std::vector<int> TreeParents(std::span<const TreeNode> nodes)
{
    std::vector<int> parents;
    parents.reserve(nodes.size());
    std::vector<int> lastAt; // the last node at each depth so far
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::size_t depth = std::min(std::size_t(std::max(nodes[i].depth, 0)), lastAt.size());
        parents.push_back(depth == 0 ? -1 : lastAt[depth - 1]);
        lastAt.resize(depth + 1);
        lastAt[depth] = int(i);
    }
    return parents;
}

std::optional<long long> WholeNumber(std::u16string_view text)
{
    text = TrimControl(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value > (LLONG_MAX - 9) / 10 ? LLONG_MAX : value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

UpDownStep StepUpDown(const ControlDef &upDown, std::u16string_view editText, int position,
                      int direction)
{
    const long long minimum = std::min(upDown.minimum, upDown.maximum);
    const long long maximum = std::max(upDown.minimum, upDown.maximum);
    const long long start = std::clamp(WholeNumber(editText).value_or(position), minimum, maximum);
    const int next = int(std::clamp(start + (long long)direction * upDown.step, minimum, maximum));
    return {next, Number(next), next != position};
}

std::vector<BoxButton> BoxButtons(int flags)
{
    switch (flags & 0xF) {
    case BoxOkCancel:
        return {{window_texts::Ok, AnswerOk}, {window_texts::Cancel, AnswerCancel}};
    case BoxYesNo:
        return {{window_texts::Yes, AnswerYes}, {window_texts::No, AnswerNo}};
    default:
        return {{window_texts::Ok, AnswerOk}};
    }
}

std::size_t BoxDefaultButton(int flags)
{
    return (flags & BoxDefaultButton2) && BoxButtons(flags).size() > 1 ? 1 : 0;
}

std::u16string BoxTextLines(std::u16string_view text, std::u16string_view newline)
{
    std::u16string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            lines += newline;
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (text[i] == u'\n') {
            lines += newline;
        } else {
            lines += text[i];
        }
    }
    return lines;
}

} // namespace z7
