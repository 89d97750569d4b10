#include "model_store.h"
#include "record.h"
#include "resource.h"
#include "textcodec.h"

#include "error.h"

#include <gtest/gtest.h>

using namespace z7;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray resource(const char16_t *name)
{
    return ReadResource(u"RT_RCDATA"_s, QString::fromUtf16(name));
}

TEST(BuiltInTexts, SizesAndTheOneByteDifference)
{
    const QByteArray de = resource(u"DE_Modell");
    const QByteArray ref = resource(u"NewModell");
    ASSERT_EQ(de.size(), 6650);
    ASSERT_EQ(ref.size(), 6651);
    const qsizetype tab = ref.indexOf('\t');
    ASSERT_GT(tab, 0);
    EXPECT_EQ(ref.indexOf('\t', tab + 1), -1);
    EXPECT_EQ(QByteArray(ref).remove(tab, 1), de);
    EXPECT_TRUE(ref.left(tab).endsWith("\r\nHerrschaftliche Villa,"));
    EXPECT_FALSE(de.endsWith("\n"));
    EXPECT_EQ(de.count("\r\n"), 151);
    EXPECT_EQ(de.count('\n'), 151);
    EXPECT_EQ(de.count('\r'), 151);
}

TEST(BuiltInTexts, LayoutAndTellingRows)
{
    for (const char16_t *name : {u"DE_Modell", u"NewModell"}) {
        SCOPED_TRACE(QString::fromUtf16(name).toStdString());
        const DecodedText text = DecodeLines(resource(name));
        EXPECT_EQ(text.encoding, TextEncoding::Ansi);
        const QStringList &m = text.lines;
        ASSERT_EQ(m.size(), 152);
        EXPECT_EQ(m[0], u"ALL BUILDINGS");
        EXPECT_EQ(m[131], u"ALL HOUSES");
        EXPECT_EQ(m[6], u"5,Strasse,{,4,0,0,0,0,0,0,0,},,");
        EXPECT_EQ(m[9], u"8,Aquädukt,{,8,-2,1,1,2,0,0,0,},,");
        EXPECT_EQ(m[11], u"10,H100,{,10,-3,1,1,3,0,0,0,},,");
        EXPECT_EQ(m[30], u"29,H290,{,0,4,2,-1,6,0,0,0,},,");
        EXPECT_EQ(m[33], u"32,Hippodrom,{,2500,-3,1,1,3,150,0,0,},,");
        EXPECT_EQ(m[85], u"84,Senot1,{,250,8,2,-2,2,20,0,0,},,");
        EXPECT_EQ(m[121], u"120,(ScenarioBuilderControls),{,0,0,0,0,0,0,0,0,},,");
        EXPECT_EQ(m[134], u"Kleine Hütte,{,-7,0,0,1,0,0,1,0,0,0,1,0,0,0,0,3,25,15,9,1,,,5,,,,,,");
        EXPECT_EQ(m[151],
                  u"Luxus Palast,{,85,100,80,2,4,3,1,1,1,2,3,1,1,1,2,1,5,1750,200,16,,,1600,,,16,,"
                  u"100.00");
        for (int i = 1; i <= 130; ++i) {
            const QStringList slotTexts = SplitRecord(m[i], BuildingSlotCount);
            EXPECT_EQ(slotTexts[0], QString::number(i - 1));
            EXPECT_EQ(m[i].count(u','), 13) << i;
            EXPECT_EQ(slotTexts[2], u"{");
            EXPECT_EQ(slotTexts[11], u"}");
        }
        for (int k = 0; k < 20; ++k)
            EXPECT_EQ(m[132 + k].count(u','), k < 13 ? 30 : 29) << k;
    }
}

// Every catalogue entry: caption, code, the line its caption finds.
struct Entry
{
    const char16_t *caption;
    int code;
    int line;
};

constexpr Entry Catalogue[] = {
    {u"Kleines Zelt", 100, 132}, {u"Grosses Zelt", 110, 133},
    {u"Kleine Hütte", 120, 134}, {u"Grosse Hütte", 130, 135},
    {u"Kleines Haus", 140, 136}, {u"Grosses Haus", 150, 137},
    {u"Kleine Casa", 160, 138}, {u"Grosse Casa", 170, 139},
    {u"Kleines Insulae", 180, 140}, {u"Mittleres Insulae", 190, 141},
    {u"Grosses Insulae", 200, 142}, {u"Herrschaftliches Insulae", 210, 143},
    {u"Kleine Villa", 220, 144}, {u"Mittlere Villa", 230, 145},
    {u"Grosse Villa", 240, 146}, {u"Herrschaftliche Villa", 250, 147},
    {u"Kleiner Palast", 260, 148}, {u"Mittlerer Palast", 270, 149},
    {u"Grosser Palast", 280, 150}, {u"Luxus Palast", 290, 151},
    {u"Ziehbrunnen", 15, 93}, {u"Brunnen", 15, 92},
    {u"Reservoir", 15, 91}, {u"Aquädukt", 15, 9},
    {u"Arzt", 15, 47}, {u"Krankenhaus", 15, 48},
    {u"Badehaus", 15, 49}, {u"Barbier", 15, 50},
    {u"Kleiner Cerestempel", 15, 61}, {u"Kleiner Neptuntempel", 15, 62},
    {u"Kleiner Merkurtempel", 15, 63}, {u"Kleiner Marstempel", 15, 64},
    {u"Kleiner Venustempel", 15, 65}, {u"Grosser Cerestempel", 15, 66},
    {u"Grosser Neptuntempel", 15, 67}, {u"Grosser Merkurtempel", 15, 68},
    {u"Grosser Marstempel", 15, 69}, {u"Grosser Venustempel", 15, 70},
    {u"Orakel", 15, 99}, {u"Schule", 15, 52},
    {u"Akademie", 15, 53}, {u"Bibliothek", 15, 54},
    {u"Missionsposten", 15, 81}, {u"Amphitheater", 15, 31},
    {u"Theater", 15, 32}, {u"Hippodrom", 15, 33},
    {u"Kolosseum", 15, 34}, {u"Gladiatorenschule", 15, 35},
    {u"Löwenhaus", 15, 36}, {u"Künstlerkolonie", 15, 37},
    {u"Wagenlenkerschule", 15, 38}, {u"Planieren", 15, 10},
    {u"Strasse", 15, 6}, {u"Forum", 15, 87},
    {u"Senat", 15, 86}, {u"Haus des Gouverneurs", 15, 78},
    {u"Villa des Gouverneurs", 15, 79}, {u"Palast des Gouverneurs", 15, 80},
    {u"Triumphbogen", 15, 57}, {u"Kleine Statue", 15, 42},
    {u"Mittlere Statue", 15, 43}, {u"Grosse Statue", 15, 44},
    {u"Platz", 15, 39}, {u"Gärten", 15, 40},
    {u"Ingenieursposten", 15, 82}, {u"Niedrige Brücke", 15, 83},
    {u"Schiffsbrücke", 15, 84}, {u"Werft", 15, 75},
    {u"Dock", 15, 76}, {u"Kai", 15, 77},
    {u"Mauer", 15, 7}, {u"Turm", 15, 60},
    {u"Wachzimmer", 15, 59}, {u"Präfektur", 15, 56},
    {u"Legionäre", 15, 41}, {u"Hilfstruppen-Wurfspeer", 15, 45},
    {u"Hilfstruppen-Beritten", 15, 46}, {u"Militärakademie", 15, 95},
    {u"Kaserne", 15, 96}, {u"Weizenfarm", 15, 101},
    {u"Gemüsefarm", 15, 102}, {u"Obstfarm", 15, 103},
    {u"Olivenfarm", 15, 104}, {u"Weinberg", 15, 105},
    {u"Schweinefarm", 15, 106}, {u"Marmorsteinbruch", 15, 107},
    {u"Eisenmine", 15, 108}, {u"Sägewerk", 15, 109},
    {u"Tongrube", 15, 110}, {u"Weinkeller", 15, 111},
    {u"Ölmühle", 15, 112}, {u"Waffenschmiede", 15, 113},
    {u"Möbelwerkstatt", 15, 114}, {u"Töpferei", 15, 115},
    {u"Markt", 15, 71}, {u"Silo", 15, 72},
    {u"Lagerhaus", 15, 73},
};
static_assert(std::size(Catalogue) == 97);

TEST(BuiltInTexts, EveryCatalogueEntryFindsItsLineAndCompanion)
{
    for (const char16_t *name : {u"DE_Modell", u"NewModell"}) {
        const QStringList model = DecodeLines(resource(name)).lines;
        for (const Entry &e : Catalogue) {
            const QString caption = QString::fromUtf16(e.caption);
            SCOPED_TRACE(QString(QString::fromUtf16(name) + u' ' + caption).toStdString());
            const int line = ModelStore::FindRecordLine(model, caption);
            EXPECT_EQ(line, e.line);
            if (e.code == 15) {
                EXPECT_EQ(ModelStore::RecordKindOf(line), RecordKind::Building);
                continue;
            }
            EXPECT_EQ(ModelStore::RecordKindOf(line), RecordKind::House);
            const int k = (e.code - 100) / 10;
            EXPECT_EQ(line, 132 + k);
            EXPECT_EQ(ModelStore::FindCompanionLine(model, e.code), 11 + k);
        }
    }
}

TEST(BuiltInTexts, LookupIgnoresTheCaseOfAsciiLettersOnly)
{
    EXPECT_EQ(ReadResource(u"rt_rcdata"_s, u"newmodell"_s).size(), 6651);
    EXPECT_EQ(ReadResource(u"Rt_RcData"_s, u"DE_MODELL"_s).size(), 6650);
    struct Missing
    {
        const char16_t *type, *name, *message;
    };
    for (const Missing m : {Missing{u"RT_RCDATA", u"Fehlt", u"Ressource Fehlt nicht gefunden"},
                            Missing{u"RT_DATA", u"NewModell", u"Ressource NewModell nicht gefunden"},
                            Missing{u"RT_RCDATA", u"NewModelI", u"Ressource NewModelI nicht gefunden"},
                            Missing{u"", u"", u"Ressource  nicht gefunden"}}) {
        try {
            ReadResource(QString::fromUtf16(m.type), QString::fromUtf16(m.name));
            ADD_FAILURE() << "found " << QString::fromUtf16(m.name).toStdString();
        } catch (const Error &error) {
            EXPECT_EQ(QString::fromUtf8(error.what()), QString::fromUtf16(m.message));
        }
    }
}

} // namespace
