// What the contract (tests/contract) does not reach: editing keys in a
// digits-only edit, and where an arrow's click leaves the focus.
#include "ui/qt/updown.h"
#include "ui/qt/valueedit.h"

#include <QKeyEvent>
#include <QTest>
#include <QToolButton>

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

// The arrows are no tab stops of their own: a click on one leaves the focus
// in the edit, never on the control.
TEST(UpDown, ArrowsPutTheFocusIntoTheEdit)
{
    QWidget window;
    auto *edit = new ValueEdit(&window);
    auto *upDown = new UpDown(&window);
    upDown->move(50, 0);
    upDown->setAssociate(edit);
    EXPECT_EQ(upDown->size(), QSize(17, 22));
    showActive(window);

    for (const QString &name : {QStringLiteral("up"), QStringLiteral("down")}) {
        window.setFocus();
        auto *arrow = upDown->findChild<QToolButton *>(name);
        ASSERT_TRUE(arrow);
        EXPECT_EQ(arrow->focusPolicy(), Qt::NoFocus);
        QTest::mouseClick(arrow, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), edit);
    }
    EXPECT_EQ(upDown->focusPolicy(), Qt::NoFocus);
}

} // namespace
