#include "model/model_store.h"
#include "model/record.h"
#include "model/resource.h"
#include "model/textcodec.h"
#include "resources/qt_resource_source.h"

#include "platform/error.h"
#include "tests/model/catalogue_entries.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

std::string resource(const char16_t *name)
{
    return ReadResource(ProgramResources(), TextResourceType, name);
}

template <typename Text, typename Part> std::size_t countOf(const Text &text, const Part &part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != Text::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(BuiltInTexts, SizesAndTheOneByteDifference)
{
    const std::string de = resource(u"DE_Modell");
    const std::string ref = resource(u"NewModell");
    ASSERT_EQ(de.size(), 6650u);
    ASSERT_EQ(ref.size(), 6651u);
    const std::size_t tab = ref.find('\t');
    ASSERT_NE(tab, std::string::npos);
    EXPECT_EQ(ref.find('\t', tab + 1), std::string::npos);
    EXPECT_EQ(std::string(ref).erase(tab, 1), de);
    EXPECT_TRUE(ref.substr(0, tab).ends_with("\r\nHerrschaftliche Villa,"));
    EXPECT_FALSE(de.ends_with("\n"));
    EXPECT_EQ(countOf(de, "\r\n"), 151u);
    EXPECT_EQ(countOf(de, '\n'), 151u);
    EXPECT_EQ(countOf(de, '\r'), 151u);
}

TEST(BuiltInTexts, LayoutAndTellingRows)
{
    for (const char16_t *name : {u"DE_Modell", u"NewModell"}) {
        SCOPED_TRACE(ToUtf8(name));
        const DecodedText text = DecodeLines(resource(name));
        EXPECT_EQ(text.encoding, TextEncoding::Ansi);
        const Lines &m = text.lines;
        ASSERT_EQ(m.size(), 152u);
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
            const Slots slotTexts = SplitRecord(m[i], BuildingSlotCount);
            EXPECT_EQ(slotTexts[0], Number(i - 1));
            EXPECT_EQ(countOf(m[i], u','), 13u) << i;
            EXPECT_EQ(slotTexts[2], u"{");
            EXPECT_EQ(slotTexts[11], u"}");
        }
        for (int k = 0; k < 20; ++k)
            EXPECT_EQ(countOf(m[132 + k], u','), k < 13 ? 30u : 29u) << k;
    }
}

TEST(BuiltInTexts, EveryCatalogueEntryFindsItsLineAndCompanion)
{
    for (const char16_t *name : {u"DE_Modell", u"NewModell"}) {
        const Lines model = DecodeLines(resource(name)).lines;
        for (const test::CatalogueEntry &e : test::CatalogueEntries) {
            const std::u16string caption = e.caption;
            SCOPED_TRACE(ToUtf8(name + (u' ' + caption)));
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

// The fonts, texts and the guide, stored uncompressed, are handed in place with
// the bytes a read gives; names that are no stored resource are not.
TEST(BuiltInTexts, UncompressedResourcesAreHandedInPlace)
{
    struct Row
    {
        const char16_t *type, *name;
        bool inPlace;
    };
    for (const Row &row : {Row{u"Z7", u"TTF", true}, Row{u"ZOLT", u"TTF", true},
                           Row{u"RT_RCDATA", u"NEWMODELL", true}, Row{u"RT_RCDATA", u"PDF", true},
                           Row{u"RT_RCDATA", u"Fehlt", false}, Row{u"Z7/..", u"TTF", false}}) {
        SCOPED_TRACE(ToUtf8(row.name));
        const std::optional<std::string_view> view = ProgramResources().view(row.type, row.name);
        ASSERT_EQ(view.has_value(), row.inPlace);
        if (view) {
            EXPECT_EQ(std::string(*view), ProgramResources().bytes(row.type, row.name));
            EXPECT_EQ(view->data(), ProgramResources().view(row.type, row.name)->data());
        }
    }
}

TEST(BuiltInTexts, LookupIgnoresTheCaseOfAsciiLettersOnly)
{
    EXPECT_EQ(ReadResource(ProgramResources(), u"rt_rcdata", u"newmodell").size(), 6651u);
    EXPECT_EQ(ReadResource(ProgramResources(), u"Rt_RcData", u"DE_MODELL").size(), 6650u);
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
            ReadResource(ProgramResources(), m.type, m.name);
            ADD_FAILURE() << "found " << ToUtf8(m.name);
        } catch (const Error &error) {
            EXPECT_EQ(error.what(), ToUtf8(m.message));
        }
    }
}

} // namespace
