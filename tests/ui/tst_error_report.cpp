// The default error report and the guard every event of a skin passes: the
// title from the program file, the full-stop rule, and handlers that throw
// without taking the window down.

#include "model/text.h"
#include "tests/support/fake_window.h"
#include "ui/error_report.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace z7::test {
namespace {

TEST(ErrorReport, TitleFromProgramFile)
{
    const std::pair<const char16_t *, const char16_t *> rows[] = {
        {u"C:\\Programme\\Z7 Edit\\Z7Edit.exe", u"Z7edit"},
        {u"/usr/bin/z7edit", u"z7edit"},
        {u"/a.b/ÄBC.Dat.exe", u"Äbc"},
        {u"Z7EDIT", u"Z7edit"},
        {u"", u""},
    };
    for (auto [file, title] : rows)
        EXPECT_EQ(ErrorReportTitle(file), title) << ToUtf8(file);
}

// A full stop is added unless the message already ends in a character of code
// 46 or lower: "." itself, "!", ")", a digit is above and gets one.
TEST(ErrorReport, AddsAFullStopByTheLastCharacter)
{
    const std::pair<const char16_t *, const char16_t *> rows[] = {
        {u"Datei nicht gefunden", u"Datei nicht gefunden."},
        {u"Fertig.", u"Fertig."},
        {u"Achtung!", u"Achtung!"},
        {u"(1)", u"(1)"},
        {u"a-", u"a-"},
        {u"Pfad /", u"Pfad /."},
        {u"Zahl 7", u"Zahl 7."},
        {u"Größe ü", u"Größe ü."},
        {u"", u""},
    };
    FakeWindow window;
    for (auto [message, shown] : rows)
        ReportError(window, std::u16string_view(message));
    ASSERT_EQ(window.shown().size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(window.shown()[i].text, rows[i].second);
        EXPECT_EQ(window.shown()[i].flags, 16);
        EXPECT_EQ(window.shown()[i].title, u"Z7edit");
    }
}

TEST(ErrorReport, GuardedReportsTheUtf8MessageAndGoesOn)
{
    FakeWindow window;
    EXPECT_TRUE(Guarded(window, [] {}));
    EXPECT_FALSE(
        Guarded(window, [] { throw std::runtime_error("Ressource Größe nicht gefunden"); }));
    EXPECT_FALSE(Guarded(window, [] { throw 42; }));
    ASSERT_EQ(window.shown().size(), 2u);
    EXPECT_EQ(window.shown()[0].text, u"Ressource Größe nicht gefunden.");
    EXPECT_EQ(window.shown()[1].text, u"Unbekannter Fehler.");
}

// What a skin calls: every handler's error is reported where it happened and
// the next event is handled as usual; a colour that could not be had is none.
TEST(ErrorReport, GuardedEventsReportEachHandlersErrorAndGoOn)
{
    struct Throwing : WindowEvents
    {
        int handled = 0;
        void clicked(std::u16string_view c) override
        {
            if (c == u"a")
                throw std::runtime_error("kaputt");
            ++handled;
        }
        void stepped(std::u16string_view) override { throw std::runtime_error("Schritt"); }
        void keyReleased(std::u16string_view) override { throw std::runtime_error("Taste"); }
        void treeChanging(int) override { throw std::runtime_error("vorher"); }
        void treeChanged(int) override { throw std::runtime_error("nachher"); }
        std::optional<Colour> treeNodeColour(int) override { throw std::runtime_error("Farbe"); }
    } handlers;
    FakeWindow window;
    GuardedEvents events(handlers, window);
    events.clicked(u"a");
    events.clicked(u"b");
    events.stepped(u"x");
    events.keyReleased(u"x");
    events.treeChanging(1);
    events.treeChanged(1);
    EXPECT_EQ(events.treeNodeColour(1), std::nullopt);
    EXPECT_EQ(handlers.handled, 1);
    std::vector<std::u16string> texts;
    for (const auto &shown : window.shown())
        texts.push_back(shown.text);
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"kaputt.", u"Schritt.", u"Taste.", u"vorher.",
                                                  u"nachher.", u"Farbe."}));
}

} // namespace
} // namespace z7::test
