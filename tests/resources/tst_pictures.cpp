// The pictures the window and the catalogue show, as embedded.
#include <QFile>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace {

QString pictureName(int i)
{
    return QStringLiteral(":/images/buildings/%1.png").arg(i, 3, 10, QLatin1Char('0'));
}

QImage load(const QString &name)
{
    QImage img(name);
    EXPECT_FALSE(img.isNull()) << name.toStdString();
    return img;
}

bool allOpaque(const QImage &img)
{
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) != 255)
                return false;
    return true;
}

int transparentPixels(const QImage &img)
{
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            n += qAlpha(argb.pixel(x, y)) == 0;
    return n;
}

} // namespace

// Every picture number that a catalogue node can carry must load at the size
// the header scales from, with an alpha channel (shown on white).
TEST(Pictures, AllCataloguePicturesLoadAt135x96WithAlpha)
{
    for (int i = 0; i < 108; ++i) {
        SCOPED_TRACE(i);
        const QImage img = load(pictureName(i));
        EXPECT_EQ(img.size(), QSize(135, 96));
        EXPECT_TRUE(img.hasAlphaChannel());
        EXPECT_EQ(img.depth(), 32);
    }
    EXPECT_FALSE(QFile::exists(pictureName(108)));
}

// The building pictures stand on transparent ground, yet show something: a
// drawing that slipped off the canvas leaves an (almost) empty picture.
TEST(Pictures, EntryPicturesHaveTransparentSurroundAndContent)
{
    for (int i = 0; i < 95; ++i) {
        SCOPED_TRACE(i);
        const QImage img = load(pictureName(i));
        const int clear = transparentPixels(img);
        EXPECT_GT(clear, 135 * 96 / 10);
        EXPECT_LT(clear, 135 * 96 * 95 / 100);
    }
}

// 95 to 107 are one group picture; any drift between them shows up as a
// different header for "Planieren" or a group.
TEST(Pictures, GroupPicturesAreIdentical)
{
    QFile first(pictureName(95));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray bytes = first.readAll();
    for (int i = 96; i < 108; ++i) {
        QFile f(pictureName(i));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), bytes) << i;
    }
}

// Every entry has a picture of its own: a copy slipped into the table would
// make two entries look alike.
TEST(Pictures, EntryPicturesArePairwiseDistinct)
{
    QList<QImage> images;
    for (int i = 0; i <= 95; ++i)
        images.append(load(pictureName(i)).convertToFormat(QImage::Format_ARGB32));
    for (int a = 0; a < images.size(); ++a)
        for (int b = a + 1; b < images.size(); ++b)
            EXPECT_NE(images[a], images[b]) << a << " and " << b;
}

struct WindowPicture
{
    const char *name;
    QSize size;
    bool alpha;  // has an alpha channel
    bool opaque; // every pixel opaque
};

// The layout places these pictures at fixed sizes; the logo and the start
// picture are plain 24-bit, NoSelectImage 32-bit but opaque.
TEST(Pictures, WindowPicturesHaveTheirSizesAndAlpha)
{
    const WindowPicture rows[] = {
        {":/images/logo.png", {274, 100}, false, true},
        {":/images/start.png", {160, 119}, false, true},
        {":/images/noselect.png", {520, 235}, true, true},
        {":/images/marker.png", {25, 25}, true, false},
        {":/images/icon/256.png", {256, 256}, true, false},
        {":/images/icon/48.png", {48, 48}, true, false},
        {":/images/icon/32.png", {32, 32}, true, false},
        {":/images/icon/24.png", {24, 24}, true, false},
        {":/images/icon/16.png", {16, 16}, true, false},
    };
    for (const WindowPicture &row : rows) {
        SCOPED_TRACE(row.name);
        const QImage img = load(QString::fromLatin1(row.name));
        EXPECT_EQ(img.size(), row.size);
        EXPECT_EQ(img.hasAlphaChannel(), row.alpha);
        EXPECT_EQ(allOpaque(img), row.opaque);
    }
}

// The marker is a red dot of about 12 pixels in a transparent square.
TEST(Pictures, MarkerIsARedDotOnTransparentGround)
{
    const QImage img =
        load(QStringLiteral(":/images/marker.png")).convertToFormat(QImage::Format_ARGB32);
    const QRgb centre = img.pixel(12, 12);
    EXPECT_EQ(qAlpha(centre), 255);
    EXPECT_GT(qRed(centre), 2 * qGreen(centre));
    EXPECT_GT(qRed(centre), 2 * qBlue(centre));
    int width = 0;
    for (int x = 0; x < 25; ++x)
        width += qAlpha(img.pixel(x, 12)) > 128;
    EXPECT_GE(width, 10);
    EXPECT_LE(width, 14);
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(img.pixel(24, 24)), 0);
}

// The Windows build embeds the .ico; the shell expects the five sizes, the
// largest as PNG.
TEST(Pictures, IcoFileHoldsTheFiveSizes)
{
    QFile ico(QStringLiteral(Z7_ICO_FILE));
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    const QByteArray d = ico.readAll();
    ASSERT_GE(d.size(), 6 + 5 * 16);
    auto u16 = [&d](int at) { return int(uchar(d[at])) | int(uchar(d[at + 1])) << 8; };
    auto u32 = [&u16](int at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
    EXPECT_EQ(u16(0), 0);
    EXPECT_EQ(u16(2), 1);
    ASSERT_EQ(u16(4), 5);
    QList<int> sizes;
    for (int i = 0; i < 5; ++i) {
        const int e = 6 + 16 * i;
        const int w = uchar(d[e]) == 0 ? 256 : uchar(d[e]);
        sizes.append(w);
        const quint32 len = u32(e + 8), off = u32(e + 12);
        ASSERT_LE(qint64(off) + len, d.size()) << w;
        const QByteArray img = d.mid(off, len);
        if (w == 256)
            EXPECT_TRUE(img.startsWith("\x89PNG"));
        else
            EXPECT_EQ(u32(off), 40u) << "BITMAPINFOHEADER of the " << w << " image";
    }
    EXPECT_EQ(sizes, (QList<int>{256, 48, 32, 24, 16}));
}
