#include "model_store.h"
#include "record.h"
#include "resource.h"
#include "textcodec.h"

#include "catalogue_entries.h"
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

TEST(BuiltInTexts, EveryCatalogueEntryFindsItsLineAndCompanion)
{
    for (const char16_t *name : {u"DE_Modell", u"NewModell"}) {
        const QStringList model = DecodeLines(resource(name)).lines;
        for (const test::CatalogueEntry &e : test::CatalogueEntries) {
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
    for (const Missing m :
         {Missing{u"RT_RCDATA", u"Fehlt", u"Ressource Fehlt nicht gefunden"},
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
