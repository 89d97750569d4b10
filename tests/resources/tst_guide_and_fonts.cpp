// The guide that start-up writes to the Documents folder and the two fonts it
// registers, as embedded.
#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QByteArray resource(const char *name)
{
    QFile f(QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

} // namespace

TEST(Guide, IsAPdfOfSixPages)
{
    const QByteArray pdf = resource(":/RT_RCDATA/PDF");
    ASSERT_TRUE(pdf.startsWith("%PDF-1."));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    // Page objects, not the /Pages tree node.
    const QString text = QString::fromLatin1(pdf);
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    EXPECT_EQ(text.count(page), 6);
    static const QRegularExpression count(QStringLiteral("/Count\\s+(\\d+)"));
    const QRegularExpressionMatch m = count.match(text);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(m.captured(1).toInt(), 6);
}

// The guide is the same file on every build: no build time inside.
TEST(Guide, CarriesNoBuildTime)
{
    const QString text = QString::fromLatin1(resource(":/RT_RCDATA/PDF"));
    static const QRegularExpression date(QStringLiteral("\\(D:(\\d{8})"));
    QRegularExpressionMatchIterator it = date.globalMatch(text);
    int dates = 0;
    while (it.hasNext()) {
        EXPECT_EQ(it.next().captured(1), QStringLiteral("20240101"));
        ++dates;
    }
    EXPECT_GE(dates, 1);
}

// A font that lacks a glyph (EB Garamond's bold has no umlauts) makes Qt
// fall back to whatever the build host has; the guide would then differ from
// host to host and mix type faces.
TEST(Guide, EmbedsOnlyItsOwnFonts)
{
    const QString text = QString::fromLatin1(resource(":/RT_RCDATA/PDF"));
    static const QRegularExpression font(
        QStringLiteral("/BaseFont\\s*/(?:[A-Z]{6}\\+)?([^\\s/]+)"));
    QRegularExpressionMatchIterator it = font.globalMatch(text);
    int fonts = 0;
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        EXPECT_TRUE(name.startsWith(QStringLiteral("EBGaramond12-"))) << name.toStdString();
        ++fonts;
    }
    EXPECT_GE(fonts, 2);
}

struct FontRow
{
    const char *resource;
    const char *family;
    const char *style;
};

const FontRow kFonts[] = {
    {":/Z7/TTF", "BacciSmallCaps", "Normal"},
    {":/ZOLT/TTF", "Formal436 BT", "Regular"},
};

// Start-up asks for these family names; a different name silently falls back
// to the system font.
TEST(Fonts, RegisterFromMemoryUnderTheirFamilyNames)
{
    for (const FontRow &row : kFonts) {
        SCOPED_TRACE(row.resource);
        const QByteArray data = resource(row.resource);
        ASSERT_TRUE(data.startsWith(QByteArray("\x00\x01\x00\x00", 4))) << "TrueType outlines";
        const int id = QFontDatabase::addApplicationFontFromData(data);
        ASSERT_GE(id, 0);
        EXPECT_EQ(QFontDatabase::applicationFontFamilies(id),
                  QStringList{QString::fromLatin1(row.family)});
        EXPECT_TRUE(QFontDatabase::styles(QString::fromLatin1(row.family))
                        .contains(QString::fromLatin1(row.style)));
        QFontDatabase::removeApplicationFont(id);
    }
}

// The window's texts are German: every letter of Windows-1252's printable
// range must come from the font itself, not from a fallback.
TEST(Fonts, CoverTheGermanLettersAndSigns)
{
    const QString text = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                        "0123456789äöüÄÖÜß.,;:!?()-–„“©€");
    for (const FontRow &row : kFonts) {
        SCOPED_TRACE(row.resource);
        const QRawFont font(resource(row.resource), 12);
        ASSERT_TRUE(font.isValid());
        for (QChar c : text)
            EXPECT_TRUE(font.supportsCharacter(c)) << QString(c).toStdString();
    }
}
