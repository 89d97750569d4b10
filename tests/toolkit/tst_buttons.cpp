#include "ui/qt/pushbutton.h"
#include "ui/qt/speedbutton.h"
#include "ui/qt/valueedit.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace z7;

namespace {

void showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The handler sees the state after the flip; the program's own changes run
// nothing; the focus stays where it was.
TEST(SpeedButton, ClickFlipsThenReportsProgramChangesStayQuiet)
{
    QWidget window;
    auto *edit = new ValueEdit(&window);
    auto *toggle = new SpeedButton(&window);
    toggle->move(0, 30);
    toggle->setText(QStringLiteral("nein"));
    QList<bool> seenInHandler;
    QObject::connect(toggle, &SpeedButton::clicked,
                     [&] { seenInHandler.append(toggle->isDown()); });
    QSignalSpy toggled(toggle, &SpeedButton::toggled);
    showActive(window);
    edit->setFocus();

    EXPECT_FALSE(toggle->isDown());
    QTest::mouseClick(toggle, Qt::LeftButton);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_EQ(seenInHandler, (QList<bool>{true, false, true}));
    EXPECT_EQ(QApplication::focusWidget(), edit);

    const qsizetype toggledBefore = toggled.count();
    toggle->setDown(false);
    EXPECT_FALSE(toggle->isDown());
    toggle->setDown(true);
    toggle->setDown(true);
    EXPECT_TRUE(toggle->isDown());
    EXPECT_EQ(seenInHandler.size(), 3);
    EXPECT_EQ(toggled.count(), toggledBefore);
    EXPECT_EQ(toggle->focusPolicy(), Qt::NoFocus);
}

// A reference button must know it was clicked by having the focus when its
// handler runs, yet the Tab key passes over it.
TEST(PushButton, ClickFocusesBeforeTheHandlerTabSkipsIt)
{
    QWidget window;
    auto *first = new ValueEdit(&window);
    auto *button = new PushButton(QStringLiteral("5"), &window);
    auto *second = new ValueEdit(&window);
    button->move(0, 30);
    second->move(0, 60);
    QWidget *focusInHandler = nullptr;
    int clicks = 0;
    QObject::connect(button, &PushButton::clicked, [&] {
        focusInHandler = QApplication::focusWidget();
        ++clicks;
    });
    showActive(window);
    first->setFocus();

    QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), second);

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(focusInHandler, button);
    EXPECT_EQ(clicks, 1);

    // With the focus, Enter and Space click it as on the desktop it came from.
    QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    QTest::keyClick(window.windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(window.windowHandle(), Qt::Key_Space);
    EXPECT_EQ(clicks, 4);
}

} // namespace
