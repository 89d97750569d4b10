// What the contract (tests/contract) does not reach: the keys of a push
// button that the Tab key skips.
#include "ui/qt/pushbutton.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace z7;

namespace {

// With the focus a click gave it, Enter, keypad Enter and Space click it as
// on the desktop it came from.
TEST(PushButton, KeysClickItOnceFocused)
{
    QWidget window;
    auto *button = new PushButton(QStringLiteral("5"), &window);
    int clicks = 0;
    QObject::connect(button, &PushButton::clicked, [&] { ++clicks; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    QTest::keyClick(window.windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(window.windowHandle(), Qt::Key_Space);
    EXPECT_EQ(clicks, 4);
}

} // namespace
