// Build-time tool: z7rawpicture IN.png OUT turns one of the window's PNGs into
// the pixels that the Linux program shows without decoding (resources/raw_picture.h).
#include "resources/raw_picture.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: z7rawpicture IN.png OUT\n");
        return 2;
    }
    const QImage png(QString::fromLocal8Bit(argv[1]));
    if (png.isNull()) {
        std::fprintf(stderr, "z7rawpicture: cannot read %s\n", argv[1]);
        return 1;
    }
    // What a QPixmap made from the PNG holds: the format the window draws.
    const QImage pixels = QPixmap::fromImage(png).toImage();
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(z7::RawPictureBytes(pixels)) < 0 ||
        !out.flush()) {
        std::fprintf(stderr, "z7rawpicture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
