#include "ui/error_report.h"

#include "model/text.h"
#include "ui/window_texts.h"

namespace z7 {

namespace {

// Lower case for the letters a program file's name can have: A-Z and the
// capitals of Latin-1.
char16_t lower(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return char16_t(c + 32);
    return c;
}

} // namespace

std::u16string ErrorReportTitle(std::u16string_view programFile)
{
    const std::size_t slash = programFile.find_last_of(u"/\\");
    std::u16string_view name =
        slash == std::u16string_view::npos ? programFile : programFile.substr(slash + 1);
    name = name.substr(0, name.find(u'.'));
    std::u16string title(name);
    for (std::size_t i = 1; i < title.size(); ++i)
        title[i] = lower(title[i]);
    return title;
}

void ReportError(Window &window, std::u16string_view message)
{
    std::u16string text(message);
    if (!text.empty() && text.back() > u'.')
        text += u'.';
    window.messageBox(text, ErrorReportTitle(window.programFileName()), BoxOk | BoxIconError);
}

void ReportError(Window &window, const char *messageUtf8)
{
    ReportError(window, FromUtf8(messageUtf8));
}

void GuardedEvents::clicked(std::u16string_view control)
{
    Guarded(m_window, [&] { m_handlers.clicked(control); });
}

void GuardedEvents::stepped(std::u16string_view upDown)
{
    Guarded(m_window, [&] { m_handlers.stepped(upDown); });
}

void GuardedEvents::keyReleased(std::u16string_view edit)
{
    Guarded(m_window, [&] { m_handlers.keyReleased(edit); });
}

void GuardedEvents::treeChanging(int next)
{
    Guarded(m_window, [&] { m_handlers.treeChanging(next); });
}

void GuardedEvents::treeChanged(int node)
{
    Guarded(m_window, [&] { m_handlers.treeChanged(node); });
}

std::optional<Colour> GuardedEvents::treeNodeColour(int node)
{
    // Not the optional itself across the guard: GCC 12 at -O2 hands back an
    // engaged optional with garbage when the handler threw.
    Colour colour;
    bool given = false;
    Guarded(m_window, [&] {
        if (const std::optional<Colour> c = m_handlers.treeNodeColour(node)) {
            colour = *c;
            given = true;
        }
    });
    if (!given)
        return std::nullopt;
    return colour;
}

} // namespace z7
