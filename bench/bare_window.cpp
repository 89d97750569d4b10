// The yardstick for the start-up benchmark: an empty Qt window of the editor's
// size and kind, and nothing else. With the argument "text" it also shows one
// label and one edit, so that the cost of the first text on screen (the font
// database, a font match, a text layout) can be told apart from the editor's own.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.setFixedSize(901, 601);
    if (argc > 1 && QByteArrayView(argv[1]) == "text") {
        (new QLabel(QStringLiteral("Wohnungen"), &window))->setGeometry(8, 8, 200, 26);
        (new QLineEdit(QStringLiteral("0"), &window))->setGeometry(8, 40, 50, 22);
    }
    window.show();
    return app.exec();
}
