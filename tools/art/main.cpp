// z7art: draws every picture that Z7 Edit carries and writes them as PNG files
// (plus the Windows icon and a contact sheet for review) into one folder.
//
//   z7art <output folder> <title font file> <label font file>
//
// Runs on the build host with the offscreen platform; the fonts come as files
// so that the text in the pictures never depends on the host's font setup.
#include "pictures.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHashSeed>
#include <QTextStream>

#include <cstdio>

namespace {

bool save(const QImage &img, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, "PNG")) {
        std::fprintf(stderr, "z7art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QString loadFamily(const QString &file)
{
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "z7art: cannot load font %s\n", qPrintable(file));
        return {};
    }
    return families.first();
}

} // namespace

int main(int argc, char **argv)
{
    // Hash order decides the order of objects in the output (the PDF's fonts);
    // a fixed seed keeps the bytes the same from one build to the next.
    QHashSeed::setDeterministicGlobalSeed();
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: z7art <output folder> <title font> <label font>\n");
        return 2;
    }
    const QString out = args[1];
    const QString title = loadFamily(args[2]);
    const QString label = loadFamily(args[3]);
    if (title.isEmpty() || label.isEmpty())
        return 1;

    using namespace z7::art;
    bool ok = true;
    QList<QImage> pictures;
    for (int i = 0; i < kPictureCount; ++i) {
        QImage img = i < kHouseLevels     ? housePicture(i)
                     : i <= kLastBuilding ? buildingPicture(i)
                                          : groupPicture(kPictureWidth, kPictureHeight);
        pictures.append(img);
        ok &= save(
            img,
            QStringLiteral("%1/images/buildings/%2.png").arg(out).arg(i, 3, 10, QLatin1Char('0')));
    }
    ok &= save(groupPicture(160, 119).convertToFormat(QImage::Format_RGB32),
               out + QStringLiteral("/images/start.png"));
    ok &= save(logoPicture(title), out + QStringLiteral("/images/logo.png"));
    ok &= save(noSelectPicture(), out + QStringLiteral("/images/noselect.png"));
    ok &= save(markerPicture(), out + QStringLiteral("/images/marker.png"));
    QList<QImage> icons;
    for (int size : {256, 48, 32, 24, 16}) {
        const QImage icon = iconPicture(size);
        icons.append(icon);
        ok &= save(icon, QStringLiteral("%1/images/icon/%2.png").arg(out).arg(size));
    }
    QFile ico(out + QStringLiteral("/z7edit.ico"));
    ok &= ico.open(QIODevice::WriteOnly) && ico.write(icoFile(icons)) > 0;
    ok &= save(contactSheet(pictures, label), out + QStringLiteral("/buildings_sheet.png"));
    return ok ? 0 : 1;
}
