// The shared main(): a Qt warning or critical message that nobody expected
// fails the running test, what the headless platform says about its own
// limits does not, and the widget tests get message boxes through the seam.
#include "ui/qt/messagebox.h"

#include <QApplication>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(TestMain, AQtWarningFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(qWarning("Modelldatei fehlt"), "Qt warning: Modelldatei fehlt");
}

TEST(TestMain, ACriticalMessageFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(qCritical("Kein Speicher"), "Qt critical message: Kein Speicher");
}

TEST(TestMain, TheHeadlessPlatformMayTellItsLimits)
{
    qWarning("This plugin does not support propagateSizeHints()");
}

TEST(TestMain, WidgetTestsGetAnApplicationAndTheMessageBoxSeam)
{
    EXPECT_NE(qobject_cast<QApplication *>(QCoreApplication::instance()), nullptr);
    EXPECT_TRUE(z7::MessageBoxSeam::isEnabled());
}

} // namespace
