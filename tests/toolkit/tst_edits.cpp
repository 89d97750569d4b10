#include "ui/qt/updown.h"
#include "ui/qt/valueedit.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace z7;

namespace {

// Shows a window and waits until it has the keyboard, so that keys sent to the
// window reach its focus widget as a person's keys would.
void showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(ValueEdit, DigitsOnlyFiltersTypedKeysNotTheProgram)
{
    struct Row
    {
        bool digitsOnly;
        const char16_t *before;
        const char *typed;
        const char16_t *after;
    } rows[] = {
        {true, u"", "1a-2 3.x", u"123"},
        {true, u"-3", "4", u"-34"},
        {true, u"0", "+#9 ", u"09"},
        {false, u"", "-1a", u"-1a"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.typed);
        ValueEdit edit;
        edit.setDigitsOnly(r.digitsOnly);
        edit.setText(QString::fromUtf16(r.before));
        edit.end(false);
        QTest::keyClicks(&edit, QString::fromUtf8(r.typed));
        EXPECT_EQ(edit.text(), QString::fromUtf16(r.after));
    }
}

TEST(ValueEdit, DigitsOnlyKeepsEditingKeysAndShortcuts)
{
    ValueEdit edit;
    edit.setDigitsOnly(true);
    edit.setText(QStringLiteral("123"));
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), u"12");
    QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ü"));
    QApplication::sendEvent(&edit, &umlaut);
    EXPECT_EQ(edit.text(), u"12");
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_7);
    EXPECT_EQ(edit.text(), u"7");
}

TEST(ValueEdit, ReportsEveryKeyReleaseAlsoTheTabThatArrives)
{
    QWidget window;
    auto *first = new ValueEdit(&window);
    auto *second = new ValueEdit(&window);
    second->move(0, 30);
    QSignalSpy firstReleases(first, &ValueEdit::keyReleased);
    QSignalSpy secondReleases(second, &ValueEdit::keyReleased);
    showActive(window);
    first->setFocus();

    QTest::keyClick(window.windowHandle(), Qt::Key_5);
    EXPECT_EQ(firstReleases.count(), 1);
    // The Tab goes down in the first edit and comes up in the second.
    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), second);
    EXPECT_EQ(firstReleases.count(), 1);
    EXPECT_EQ(secondReleases.count(), 1);
    QTest::keyRelease(second, Qt::Key_5, Qt::NoModifier);
    EXPECT_EQ(secondReleases.count(), 2);
}

struct Spin
{
    QWidget window;
    ValueEdit *edit = new ValueEdit(&window);
    UpDown *upDown = new UpDown(&window);
    QSignalSpy clicks{upDown, &UpDown::clicked};

    Spin(int min, int max, int increment)
    {
        upDown->move(50, 0);
        upDown->setAssociate(edit);
        upDown->setRange(min, max);
        upDown->setIncrement(increment);
    }
    // Steps once from the given text; returns the text written and whether a
    // click was reported.
    std::pair<QString, bool> step(const QString &text, int direction)
    {
        edit->setText(text);
        const qsizetype before = clicks.count();
        upDown->step(direction);
        return {edit->text(), clicks.count() > before};
    }
};

TEST(UpDown, DefaultsAndSize)
{
    UpDown upDown;
    EXPECT_EQ(upDown.minimum(), 0);
    EXPECT_EQ(upDown.maximum(), 100);
    EXPECT_EQ(upDown.increment(), 1);
    EXPECT_EQ(upDown.position(), 0);
    EXPECT_EQ(upDown.size(), QSize(17, 22));
    EXPECT_EQ(upDown.focusPolicy(), Qt::NoFocus);
}

// Each row starts with a fresh control (position 0), steps once from the text.
TEST(UpDown, StepsFromTheEditClampsAndWritesPlainText)
{
    struct Row
    {
        int min, max, increment;
        const char16_t *text;
        int direction;
        const char16_t *result;
        bool clicked;
    } rows[] = {
        {0, 100, 1, u"5", +1, u"6", true},
        {0, 100, 1, u"5", -1, u"4", true},
        // Lands on 0, the position before any step: no click.
        {0, 100, 1, u"1", -1, u"0", false},
        {0, 10, 1, u"10", +1, u"10", true},    // no wrap at the top
        {0, 10, 1, u"0", -1, u"0", false},     // nor at the bottom
        {-99, 85, 1, u"100", +1, u"85", true}, // out of range: clamped first
        {-99, 85, 1, u"100", -1, u"84", true},
        {-99, 100, 1, u"-99", -1, u"-99", true},
        {-5000, 5000, 10, u"995", +1, u"1005", true}, // no thousands separator
        {-5000, 5000, 10, u"-4995", -1, u"-5000", true},
        {-5000, 5000, 25, u" 40 ", +1, u"65", true},
        {0, 80, 5, u"abc", +1, u"5", true}, // no number: from position 0
        {0, 80, 5, u"", -1, u"0", false},
        {0, 80, 5, u"2.5", +1, u"5", true},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(QString::fromUtf16(r.text).toStdString());
        Spin spin(r.min, r.max, r.increment);
        const auto [text, clicked] = spin.step(QString::fromUtf16(r.text), r.direction);
        EXPECT_EQ(text, QString::fromUtf16(r.result));
        EXPECT_EQ(clicked, r.clicked);
    }
}

// The click is reported only when the position differs from the one after the
// previous step, wherever the edit's text came from in between.
TEST(UpDown, ClickOnlyWhenThePositionChanges)
{
    Spin spin(0, 10, 1);
    EXPECT_EQ(spin.step(QStringLiteral("9"), +1), std::make_pair(QStringLiteral("10"), true));
    EXPECT_EQ(spin.step(QStringLiteral("10"), +1), std::make_pair(QStringLiteral("10"), false));
    EXPECT_EQ(spin.step(QStringLiteral("9"), +1), std::make_pair(QStringLiteral("10"), false));
    EXPECT_EQ(spin.step(QStringLiteral("xyz"), -1), std::make_pair(QStringLiteral("9"), true));
    EXPECT_EQ(spin.upDown->position(), 9);
    QSignalSpy stepped(spin.upDown, &UpDown::stepped);
    spin.step(QStringLiteral("9"), +1);
    spin.step(QStringLiteral("9"), +1);
    EXPECT_EQ(stepped.count(), 2);
}

TEST(UpDown, ArrowsAndKeysStepWithoutTakingTheFocus)
{
    Spin spin(-5000, 5000, 10);
    spin.edit->setText(QStringLiteral("50"));
    auto *up = spin.upDown->findChild<QToolButton *>(QStringLiteral("up"));
    auto *down = spin.upDown->findChild<QToolButton *>(QStringLiteral("down"));
    ASSERT_TRUE(up && down);
    showActive(spin.window);
    spin.window.setFocus();

    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(spin.edit->text(), u"60");
    EXPECT_EQ(spin.clicks.count(), 1);
    // A click on the arrows leaves the focus in the edit, never on the control.
    EXPECT_EQ(QApplication::focusWidget(), spin.edit);
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(spin.edit->text(), u"40");

    QTest::keyClick(spin.window.windowHandle(), Qt::Key_Up);
    EXPECT_EQ(spin.edit->text(), u"50");
    QTest::keyClick(spin.window.windowHandle(), Qt::Key_Down);
    EXPECT_EQ(spin.edit->text(), u"40");
    EXPECT_EQ(spin.clicks.count(), 5);
    EXPECT_NE(QApplication::focusWidget(), spin.upDown);
}

} // namespace
