// The yardstick for the start-up benchmark: an empty Qt window of the editor's
// size and kind, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.setFixedSize(901, 601);
    window.show();
    return app.exec();
}
