#include "ui/qt/messagebox.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Test discovery runs the binary outside CTest's environment: stay headless there too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    z7::MessageBoxSeam::enable();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
