// The glyphs of the two derived fonts, as embedded: every character the
// window may show is drawn from the font itself, each letter as itself, in
// one size. A font that only maps a character to some glyph passes the
// coverage test in tst_guide_and_fonts.cpp and still shows a blank or a wrong
// letter; these tests look at what comes out.
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

namespace {

QByteArray resource(const char *name)
{
    QFile f(QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

std::string show(QChar c)
{
    return QStringLiteral("%1 (U+%2)")
        .arg(c)
        .arg(c.unicode(), 4, 16, QLatin1Char('0'))
        .toStdString();
}

// Windows-1252's printable characters, without the florin and the per-mille
// sign, which EB Garamond does not have and no text of the program uses.
QString windows1252()
{
    QString s;
    for (char16_t c = 0x21; c < 0x7F; ++c)
        s += QChar(c);
    s += QStringLiteral("€‚„…†‡ˆŠ‹ŒŽ‘’“”•–—˜™š›œžŸ");
    for (char16_t c = 0xA1; c <= 0xFF; ++c)
        if (c != 0xAD) // the soft hyphen is not drawn in the middle of a line
            s += QChar(c);
    return s;
}

const QString kLower = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const QString kUpper = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kDigits = QStringLiteral("0123456789");

constexpr int kPixels = 64;

struct FontRow
{
    const char *resource;
    const char *family;
    // The fonts the letters were taken from, to recognise them by.
    std::vector<QString> sources;
    // Letters that stand at one height in this font only.
    QString oneHeight;
};

const FontRow kFonts[] = {
    // EB Garamond's all-small-caps font has an empty thorn, a full-size "Œ"
    // and a lowercase "œ".
    {":/Z7/TTF",
     "BacciSmallCaps",
     {QStringLiteral(Z7_FONT_DIR "/EBGaramond12-AllSC.ttf")},
     QStringLiteral("HŒœÞþÆæ")},
    {":/ZOLT/TTF",
     "Formal436 BT",
     {QStringLiteral(Z7_SCRIPT_FONT), QStringLiteral(Z7_FONT_DIR "/EBGaramond12-Italic.ttf")},
     QStringLiteral("HŒÞÆ")},
};

QPainterPath outline(const QRawFont &font, QChar c)
{
    const QList<quint32> glyphs = font.glyphIndexesForString(QString(c));
    if (glyphs.size() != 1 || glyphs.front() == 0)
        return {};
    return font.pathForGlyph(glyphs.front());
}

// The outline scaled into a square, so that glyphs of fonts of different
// proportions can be compared by shape.
QImage shape(const QPainterPath &path)
{
    constexpr int side = 40;
    QImage img(side, side, QImage::Format_Grayscale8);
    img.fill(255);
    const QRectF r = path.boundingRect();
    if (r.isEmpty())
        return img;
    const qreal s = side / std::max(r.width(), r.height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate((side - r.width() * s) / 2, (side - r.height() * s) / 2);
    p.scale(s, s);
    p.translate(-r.topLeft());
    p.fillPath(path, Qt::black);
    return img;
}

double difference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *pa = a.constScanLine(y), *pb = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(pa[x] - pb[x]);
    }
    return sum;
}

QImage drawn(const QFont &font, QChar c)
{
    QImage img(2 * kPixels, 2 * kPixels, QImage::Format_Grayscale8);
    img.fill(255);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPointF(kPixels / 2.0, kPixels * 1.3), QString(c));
    return img;
}

bool hasInk(const QImage &img)
{
    for (int y = 0; y < img.height(); ++y) {
        const uchar *line = img.constScanLine(y);
        if (std::any_of(line, line + img.width(), [](uchar v) { return v < 128; }))
            return true;
    }
    return false;
}

class Registered
{
public:
    explicit Registered(const QByteArray &data)
        : m_id(QFontDatabase::addApplicationFontFromData(data))
    {
    }
    ~Registered() { QFontDatabase::removeApplicationFont(m_id); }
    Registered(const Registered &) = delete;
    Registered &operator=(const Registered &) = delete;
    int id() const { return m_id; }

private:
    int m_id;
};

} // namespace

// A glyph may be mapped and still be empty (TypoScript's "v", EB Garamond's
// small-cap thorn), and Qt then draws nothing: each character is drawn as the
// window draws it, without falling back to another font, and must leave ink.
TEST(FontGlyphs, DrawEveryCharacterOfTheCodePage)
{
    for (const FontRow &row : kFonts) {
        SCOPED_TRACE(row.resource);
        const QByteArray data = resource(row.resource);
        const Registered registered(data);
        ASSERT_GE(registered.id(), 0);
        QFont font(QString::fromLatin1(row.family));
        font.setPixelSize(kPixels);
        font.setStyleStrategy(QFont::NoFontMerging);
        ASSERT_EQ(QFontInfo(font).family(), QString::fromLatin1(row.family));
        const QRawFont raw(data, kPixels);
        for (QChar c : windows1252()) {
            // Without its own glyph the character is drawn as the empty-box glyph, which has ink.
            EXPECT_NE(raw.glyphIndexesForString(QString(c)).value(0), 0u) << show(c);
            EXPECT_TRUE(hasInk(drawn(font, c))) << show(c);
        }
    }
}

// Each letter and digit must look like that letter in the font it was taken
// from: closer to it than to any other letter of the same kind. Catches a
// character mapped to the wrong glyph, two characters on one glyph and
// outlines spoilt on the way (turned contours, broken components).
TEST(FontGlyphs, EveryLetterIsRecognisedAsItself)
{
    for (const FontRow &row : kFonts) {
        SCOPED_TRACE(row.resource);
        const QRawFont derived(resource(row.resource), kPixels);
        std::vector<QRawFont> sources;
        for (const QString &file : row.sources) {
            sources.emplace_back(file, kPixels);
            ASSERT_TRUE(sources.back().isValid()) << file.toStdString();
        }
        for (const QString &group : {kLower, kUpper, kDigits}) {
            // For each letter, its pictures in the source fonts that have it.
            std::vector<std::vector<QImage>> references;
            for (QChar c : group) {
                references.emplace_back();
                for (const QRawFont &source : sources) {
                    const QPainterPath path = outline(source, c);
                    if (!path.boundingRect().isEmpty())
                        references.back().push_back(shape(path));
                }
            }
            for (qsizetype i = 0; i < group.size(); ++i) {
                const QImage mine = shape(outline(derived, group[i]));
                qsizetype best = -1;
                double bestDifference = 0;
                for (qsizetype j = 0; j < group.size(); ++j)
                    for (const QImage &ref : references[j])
                        if (const double d = difference(mine, ref);
                            best < 0 || d < bestDifference) {
                            best = j;
                            bestDifference = d;
                        }
                ASSERT_GE(best, 0);
                EXPECT_EQ(group[best], group[i])
                    << show(group[i]) << " looks like " << show(group[best]);
            }
        }
    }
}

// A face put together from two fonts must still read as one: letters without
// ascenders stand at one height, capitals at another. TypoScript's lowercase
// stands at half the height of Garamond's, so a line mixing them has letters
// of two sizes. Each group is measured against its first letter.
TEST(FontGlyphs, LettersOfAKindStandAtOneHeight)
{
    for (const FontRow &row : kFonts) {
        SCOPED_TRACE(row.resource);
        const QRawFont font(resource(row.resource), 1000);
        for (const QString &group :
             {QStringLiteral("xacemnorsuvwz"), QStringLiteral("HABCDEFGIKLMNOPRSTUVWXYZ"),
              QStringLiteral("bdhkl"), QStringLiteral("äöü"), QStringLiteral("ÄÖÜ"),
              row.oneHeight}) {
            const qreal first = -outline(font, group[0]).boundingRect().top();
            ASSERT_GT(first, 0) << group.toStdString();
            for (QChar c : group) {
                const qreal height = -outline(font, c).boundingRect().top();
                // Small-cap T's serifs rise 7 % above the others.
                EXPECT_NEAR(height / first, 1.0, 0.075)
                    << show(c) << " stands at " << height << ", " << show(group[0]) << " at "
                    << first;
            }
        }
    }
}

// Letters with a mark must differ from their base letter (EB Garamond's
// all-small-caps font draws "ø" as "o" and "ð" as "d"), and signs that look
// alike must still differ.
TEST(FontGlyphs, MarkedLettersDifferFromTheirBase)
{
    const QString pairs[] = {QStringLiteral("äa"), QStringLiteral("öo"), QStringLiteral("üu"),
                             QStringLiteral("ÄA"), QStringLiteral("ÖO"), QStringLiteral("ÜU"),
                             QStringLiteral("ßB"), QStringLiteral("éè"), QStringLiteral("„“"),
                             QStringLiteral("–—"), QStringLiteral("‘’"), QStringLiteral("øo"),
                             QStringLiteral("ØO"), QStringLiteral("ðd"), QStringLiteral("ÐD")};
    for (const FontRow &row : kFonts) {
        SCOPED_TRACE(row.resource);
        const QRawFont font(resource(row.resource), kPixels);
        for (const QString &pair : pairs)
            EXPECT_NE(outline(font, pair[0]), outline(font, pair[1])) << pair.toStdString();
    }
}
