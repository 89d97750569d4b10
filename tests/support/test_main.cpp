// main() of every test program with a Qt application; see test_main.h.
#include "tests/support/test_main.h"

#include "ui/qt/messagebox.h"

#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace z7::test {

namespace {

TestMainOptions &options()
{
    // A function's static: SetTestMainOptions runs while the program's globals
    // are made, in an order we do not control.
    static TestMainOptions current;
    return current;
}

QtMessageHandler previousHandler = nullptr;

bool isExpected(const QString &message)
{
    // The headless platform reports what it cannot do; that is no fault of ours.
    return message.startsWith(u"This plugin does not support");
}

void failOnWarning(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    switch (type) {
    case QtWarningMsg:
    case QtCriticalMsg:
        if (!isExpected(message))
            ADD_FAILURE() << "Qt " << (type == QtWarningMsg ? "warning" : "critical message")
                          << ": " << message.toStdString();
        return;
    case QtFatalMsg:
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::fflush(stderr);
        std::abort();
    case QtDebugMsg:
    case QtInfoMsg:
        break;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

bool SetTestMainOptions(const TestMainOptions &chosen)
{
    options() = chosen;
    return true;
}

} // namespace z7::test

int main(int argc, char **argv)
{
    using namespace z7::test;
    // Test discovery runs the program outside CTest's environment: stay headless there too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QGuiApplication> app;
    if (options().widgets)
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QGuiApplication>(argc, argv);
    if (options().widgets && options().messageBoxSeam)
        z7::MessageBoxSeam::enable();
    previousHandler = qInstallMessageHandler(failOnWarning);
    const int result = RUN_ALL_TESTS();
    qInstallMessageHandler(previousHandler);
    return result;
}
