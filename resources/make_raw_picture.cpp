// Build-time tool that turns one of the window's PNGs into pixels a program
// shows without decoding:
//   z7rawpicture IN.png OUT        the Linux program's (resources/raw_picture.h)
//   z7rawpicture --dib IN.png OUT  the Windows program's: a packed DIB, the
//                                  layout of a bitmap resource (a 40-byte
//                                  BITMAPINFOHEADER, then the rows bottom-up),
//                                  32 bits a pixel, premultiplied BGRA
#include "resources/raw_picture.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QtEndian>

#include <cstdio>
#include <cstring>

namespace {

// What GDI blends with AC_SRC_ALPHA: premultiplied BGRA, which on a little-
// endian machine is QImage's ARGB32_Premultiplied byte for byte.
QByteArray PackedDib(const QImage &png)
{
    const QImage pixels = png.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int rowBytes = pixels.width() * 4;
    QByteArray dib(40, '\0');
    char *header = dib.data();
    qToLittleEndian<quint32>(40, header);                 // biSize
    qToLittleEndian<qint32>(pixels.width(), header + 4);  // biWidth
    qToLittleEndian<qint32>(pixels.height(), header + 8); // biHeight: bottom-up
    qToLittleEndian<quint16>(1, header + 12);             // biPlanes
    qToLittleEndian<quint16>(32, header + 14);            // biBitCount
    qToLittleEndian<quint32>(0, header + 16);             // biCompression: BI_RGB
    qToLittleEndian<quint32>(quint32(rowBytes * pixels.height()), header + 20); // biSizeImage
    QByteArray row(rowBytes, '\0');
    for (int y = pixels.height() - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const quint32 *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            qToLittleEndian<quint32>(line[x], row.data() + 4 * x);
        dib += row;
    }
    return dib;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const bool dib = argc == 4 && std::strcmp(argv[1], "--dib") == 0;
    if (argc != 3 && !dib) {
        std::fprintf(stderr, "usage: z7rawpicture [--dib] IN.png OUT\n");
        return 2;
    }
    const char *in = argv[argc - 2];
    const char *outName = argv[argc - 1];
    const QImage png(QString::fromLocal8Bit(in));
    if (png.isNull()) {
        std::fprintf(stderr, "z7rawpicture: cannot read %s\n", in);
        return 1;
    }
    // What a QPixmap made from the PNG holds: the format the window draws.
    const QByteArray bytes =
        dib ? PackedDib(png) : z7::RawPictureBytes(QPixmap::fromImage(png).toImage());
    QFile out(QString::fromLocal8Bit(outName));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) < 0 || !out.flush()) {
        std::fprintf(stderr, "z7rawpicture: cannot write %s\n", outName);
        return 1;
    }
    return 0;
}
