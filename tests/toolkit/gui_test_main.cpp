// main() for the widget tests: one application object for all tests, headless
// unless a platform was chosen, and an unexpected Qt warning fails the test.
#include "ui/qt/errorreport.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace {

void failOnWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The headless platform reports what it cannot do; that is no fault of ours.
    if (message.startsWith(u"This plugin does not support"))
        return;
    if (type == QtWarningMsg || type == QtCriticalMsg)
        ADD_FAILURE() << "Qt warning: " << message.toStdString();
    if (type == QtFatalMsg) {
        fprintf(stderr, "%s\n", qPrintable(message));
        abort();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qInstallMessageHandler(failOnWarning);
    return RUN_ALL_TESTS();
}
