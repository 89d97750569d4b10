#pragma once

#include "ui/window.h"
#include "ui/window_texts.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace z7 {

// The program file's name up to its first dot, every letter after the first
// in lower case ("C:\Spiele\Z7Edit.exe" -> "Z7edit"); both / and \ end a folder.
std::u16string ErrorReportTitle(std::u16string_view programFile);

// The default error report: an error box (flags 16) titled after the program
// file. A "." is appended unless the message ends in a character of code 46
// or lower.
void ReportError(Window &window, std::u16string_view message);
void ReportError(Window &window, const char *messageUtf8);

// Runs f; an exception that leaves it is reported and the caller goes on.
// Returns false when it caught one.
template <class F> bool Guarded(Window &window, F &&f)
{
    try {
        std::forward<F>(f)();
        return true;
    } catch (const std::exception &e) {
        ReportError(window, e.what());
    } catch (...) {
        ReportError(window, std::u16string_view(window_texts::UnknownError));
    }
    return false;
}

// Runs f and gives its result; an exception that leaves it is reported and
// the caller gets nothing.
template <class F> auto GuardedResult(Window &window, F &&f) -> std::optional<decltype(f())>
{
    std::optional<decltype(f())> result;
    Guarded(window, [&] { result = std::forward<F>(f)(); });
    return result;
}

// What a skin delivers its events to: each one goes on to the logic's handler
// inside Guarded, so that no exception of the logic unwinds into the toolkit
// and the event loop goes on after the report.
class GuardedEvents final : public WindowEvents
{
public:
    GuardedEvents(WindowEvents &handlers, Window &window)
        : m_handlers(handlers)
        , m_window(window)
    {
    }

    void clicked(std::u16string_view control) override;
    void stepped(std::u16string_view upDown) override;
    void keyReleased(std::u16string_view edit) override;
    void treeChanging(int next) override;
    void treeChanged(int node) override;
    std::optional<Colour> treeNodeColour(int node) override;

private:
    WindowEvents &m_handlers;
    Window &m_window;
};

} // namespace z7
