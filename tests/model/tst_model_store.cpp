#include "model/model_store.h"

#include "model/record.h"
#include "model/resource.h"
#include "resources/qt_resource_source.h"
#include "tests/support/fake_platform.h"

#include "platform/error.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

using namespace z7;
using namespace Qt::Literals::StringLiterals;
using namespace std::string_literals;

namespace {

const QString GamePath = u"C:\\Spiele\\Z7\\"_s;
const QString ModelPath = u"C:\\Spiele\\Z7\\z7_model.txt"_s;

class ModelStoreTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform.createFolder(GamePath.toStdString());
        store.setGamePath(GamePath.toStdU16String());
        store.LoadReferenceModel();
    }

    // Where a Windows path lives on the fake's disk.
    QString host(const QString &windowsPath) const
    {
        return QString::fromStdString(platform.hostPath(windowsPath.toStdString()).string());
    }
    QString hostFile() const { return host(ModelPath); }

    std::string fileBytes() const
    {
        QFile file(hostFile());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }

    void setFileBytes(const std::string &bytes)
    {
        QFile file(hostFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
    }

    // The default model installed and loaded, as at the first start.
    void installAndLoad()
    {
        store.InstallDefaultModel();
        store.LoadWorkingModel();
    }

    std::string errorOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const Error &error) {
            return error.what();
        }
        return "no error";
    }

    FakePlatform platform;
    ModelStore store{platform, ProgramResources()};
};

QStringList toQString(const Lines &lines)
{
    QStringList list;
    for (const std::u16string &line : lines)
        list.append(QString::fromStdU16String(line));
    return list;
}

std::string builtIn(const char16_t *name)
{
    return ReadResource(ProgramResources(), TextResourceType, name);
}

Lines changedLines(const Lines &before, const Lines &after)
{
    auto at = [](const Lines &lines, std::size_t i) {
        return i < lines.size() ? lines[i] : std::u16string();
    };
    Lines changes;
    for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
        if (at(before, i) != at(after, i))
            changes.push_back(Number(long(i)) + u": " + at(after, i));
    }
    return changes;
}

void replaceAll(std::u16string &text, std::u16string_view what, std::u16string_view with)
{
    for (std::size_t at = text.find(what); at != text.npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

TEST(RecordKindOf, DecidedByTheIndexAlone)
{
    const std::pair<int, RecordKind> cases[] = {
        {-1, RecordKind::None},      {0, RecordKind::None},      {1, RecordKind::Building},
        {130, RecordKind::Building}, {131, RecordKind::None},    {132, RecordKind::House},
        {151, RecordKind::House},    {10000, RecordKind::House},
    };
    for (const auto &[index, kind] : cases)
        EXPECT_EQ(ModelStore::RecordKindOf(index), kind) << index;
}

TEST(FindRecordLine, TrimmedCaseSensitiveContainment)
{
    const Lines model = {u"ALL BUILDINGS"s, u"1,Amphitheater,"s, u"2,Theater,"s,
                         u"\tKleines Zelt,{ "s};
    const std::pair<std::u16string, int> cases[] = {
        {u"Theater"s, 2},        {u"theater"s, 1}, {u" Theater\t"s, 2},    {u"Zelt,{"s, 3},
        {u"\tKleines Zelt"s, 3}, {u"Zelt,{ "s, 3}, {std::u16string(), -1}, {u" \t"s, -1},
        {u"Oper"s, -1},          {u"ALL"s, 0},
    };
    for (const auto &[caption, line] : cases)
        EXPECT_EQ(ModelStore::FindRecordLine(model, caption), line) << ToUtf8(caption);
}

TEST_F(ModelStoreTest, SlotArraysStartEmpty)
{
    EXPECT_EQ(store.CurrentBuilding, Lines(15));
    EXPECT_EQ(store.OriginalBuilding, Lines(15));
    EXPECT_EQ(store.CurrentHouse, Lines(26));
    EXPECT_EQ(store.OriginalHouse, Lines(26));
}

TEST_F(ModelStoreTest, InstallWritesTheDefaultTextPlusCrLf)
{
    store.InstallDefaultModel();
    EXPECT_TRUE(store.WorkingModel.empty());
    EXPECT_EQ(fileBytes(), builtIn(u"DE_Modell") + "\r\n");
    EXPECT_EQ(fileBytes().size(), 6652u);

    // Every slot equals the reference except the TAB of "Herrschaftliche Villa".
    store.LoadWorkingModel();
    ASSERT_EQ(store.WorkingModel.size(), 152u);
    EXPECT_EQ(store.WorkingEncoding, TextEncoding::Ansi);
    for (int i = 0; i < 152; ++i) {
        const int n = ModelStore::RecordKindOf(i) == RecordKind::House ? 26 : 15;
        Slots reference = SplitRecord(store.ReferenceModel[i], n);
        if (i == 147) {
            EXPECT_EQ(reference[1], u"\t{");
            reference[1] = u"{"s;
        }
        EXPECT_EQ(SplitRecord(store.WorkingModel[i], n), reference) << i;
    }
}

TEST_F(ModelStoreTest, WholeResetWritesTheReferenceTextAndKeepsTheEncoding)
{
    setFileBytes("\xEF\xBB\xBF"
                 "ALL BUILDINGS\r\n");
    store.LoadWorkingModel();
    store.ResetWholeModel();
    EXPECT_EQ(fileBytes(), builtIn(u"NewModell") + "\r\n");
    EXPECT_EQ(fileBytes().size(), 6653u);
    EXPECT_EQ(store.WorkingModel, store.ReferenceModel);

    // The working model still remembers it was read as UTF-8.
    store.LoadEntrySlots(u"Strasse"s, 15);
    store.StoreEntrySlots(u"Strasse"s, 15);
    EXPECT_TRUE(fileBytes().starts_with("\xEF\xBB\xBF"
                                        "ALL BUILDINGS\r\n0,Nothing,"s));
}

struct RoundTrip
{
    const char *name;
    TextEncoding encoding;
    const char *mark;
    QStringConverter::Encoding converter;
    const char *lineEnd;
    bool finalBreak;
};

class FileRoundTrip : public ModelStoreTest, public testing::WithParamInterface<RoundTrip>
{
};

// Written back with its mark and encoding, and with CR LF after every line.
TEST_P(FileRoundTrip, SavedWithMarkAndCrLf)
{
    const RoundTrip &p = GetParam();
    const Lines lines = {u"ALL BUILDINGS"s, u"0,Möbel € Œ,{,1,},,"s, std::u16string(),
                         u"Kleine Hütte,{,-7,"s};
    auto encode = [&](const char *lineEnd, bool finalBreak) {
        QString text = toQString(lines).join(QString::fromLatin1(lineEnd));
        if (finalBreak)
            text += QString::fromLatin1(lineEnd);
        std::string bytes(p.mark);
        if (p.encoding == TextEncoding::Ansi)
            bytes += "ALL BUILDINGS" + std::string(lineEnd) +
                     "0,M\xF6"
                     "bel \x80 \x8C,{,1,},," +
                     lineEnd + lineEnd + "Kleine H\xFCtte,{,-7," + (finalBreak ? lineEnd : "");
        else
            bytes += QByteArray(QStringEncoder(p.converter).encode(text)).toStdString();
        return bytes;
    };
    setFileBytes(encode(p.lineEnd, p.finalBreak));
    store.LoadWorkingModel();
    EXPECT_EQ(store.WorkingModel, lines);
    EXPECT_EQ(store.WorkingEncoding, p.encoding);
    store.SaveWorkingModel();
    EXPECT_EQ(fileBytes(), encode("\r\n", true));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, FileRoundTrip,
    testing::Values(
        RoundTrip{"Ansi", TextEncoding::Ansi, "", QStringConverter::Latin1, "\r\n", true},
        RoundTrip{"AnsiLf", TextEncoding::Ansi, "", QStringConverter::Latin1, "\n", true},
        RoundTrip{"AnsiCrNoFinal", TextEncoding::Ansi, "", QStringConverter::Latin1, "\r", false},
        RoundTrip{"Utf8", TextEncoding::Utf8, "\xEF\xBB\xBF", QStringConverter::Utf8, "\r\n", true},
        RoundTrip{"Utf8Lf", TextEncoding::Utf8, "\xEF\xBB\xBF", QStringConverter::Utf8, "\n",
                  false},
        RoundTrip{"Utf16LE", TextEncoding::Utf16LE, "\xFF\xFE", QStringConverter::Utf16LE, "\r\n",
                  true},
        RoundTrip{"Utf16LECr", TextEncoding::Utf16LE, "\xFF\xFE", QStringConverter::Utf16LE, "\r",
                  true},
        RoundTrip{"Utf16BE", TextEncoding::Utf16BE, "\xFE\xFF", QStringConverter::Utf16BE, "\r\n",
                  false}),
    [](const testing::TestParamInfo<RoundTrip> &info) { return std::string(info.param.name); });

TEST_F(ModelStoreTest, StoringStrasseUnchangedRewritesOnlyItsLine)
{
    installAndLoad();
    const Lines before = store.WorkingModel;
    ASSERT_EQ(store.LoadEntrySlots(u"Strasse"s, 8), RecordKind::Building);
    EXPECT_EQ(store.CurrentBuilding[1], u"Strasse");
    EXPECT_EQ(store.OriginalBuilding, store.CurrentBuilding);
    const int writes = platform.writeCount();
    ASSERT_EQ(store.StoreEntrySlots(u"Strasse"s, 8), RecordKind::Building);
    EXPECT_EQ(platform.writeCount(), writes + 1);
    EXPECT_EQ(changedLines(before, store.WorkingModel),
              Lines{u"6: 5,Strasse,{,4,0,0,0,0,0,0,0,},,,,"s});
    EXPECT_EQ(fileBytes(), EncodeLines(store.WorkingModel, TextEncoding::Ansi));
}

TEST_F(ModelStoreTest, StoringAHouseRewritesItsLineAndCompanionInOneWrite)
{
    installAndLoad();
    const Lines before = store.WorkingModel;
    ASSERT_EQ(store.LoadEntrySlots(u"Grosses Insulae"s, 200), RecordKind::House);
    EXPECT_EQ(store.CurrentBuilding[1], u"H200");
    EXPECT_EQ(store.OriginalBuilding[1], u"H200");
    EXPECT_EQ(store.CurrentHouse[0], u"Grosses Insulae");
    store.CurrentHouse[20] = u"85"s;
    const int writes = platform.writeCount();
    ASSERT_EQ(store.StoreEntrySlots(u"Grosses Insulae"s, 200), RecordKind::House);
    EXPECT_EQ(platform.writeCount(), writes + 1);
    EXPECT_EQ(
        changedLines(before, store.WorkingModel),
        (Lines{u"21: 20,H200,{,0,0,0,0,0,0,0,0,},,,,"s,
               u"142: Grosses Insulae,{,29,40,25,2,1,2,1,1,1,1,1,1,1,1,0,2,12,65,85,3,,,126,,"s}));
    EXPECT_EQ(fileBytes(), EncodeLines(store.WorkingModel, TextEncoding::Ansi));
}

TEST_F(ModelStoreTest, EntryResetBringsBackEverySlotOfBothLines)
{
    installAndLoad();
    ASSERT_EQ(store.LoadEntrySlots(u"Kleine Villa"s, 220), RecordKind::House);
    const Lines originalHouse = store.OriginalHouse;
    const Lines originalBuilding = store.OriginalBuilding;
    store.CurrentHouse[20] = u"999"s;
    store.CurrentHouse[17] = u"7"s; // a carried slot
    store.CurrentBuilding[4] = u"12"s;
    store.StoreEntrySlots(u"Kleine Villa"s, 220);
    ASSERT_EQ(RecordSlot(store.WorkingModel[144], 20), u"999");

    ASSERT_EQ(store.LoadReferenceEntrySlots(u"Kleine Villa"s, 220), RecordKind::House);
    EXPECT_EQ(store.OriginalHouse, originalHouse);
    EXPECT_EQ(store.OriginalBuilding, originalBuilding);
    store.StoreEntrySlots(u"Kleine Villa"s, 220);
    EXPECT_EQ(store.WorkingModel[144], JoinRecord(SplitRecord(store.ReferenceModel[144], 26)));
    EXPECT_EQ(store.WorkingModel[23], JoinRecord(SplitRecord(store.ReferenceModel[23], 15)));
    EXPECT_EQ(store.WorkingModel[23], u"22,H220,{,0,0,0,0,0,0,0,0,},,,,");
}

TEST_F(ModelStoreTest, TheTabOfTheReferenceGoesWithTheFirstStore)
{
    installAndLoad();
    store.ResetWholeModel();
    ASSERT_TRUE(store.WorkingModel[147].starts_with(u"Herrschaftliche Villa,\t{,60,"));
    ASSERT_EQ(store.LoadEntrySlots(u"Herrschaftliche Villa"s, 250), RecordKind::House);
    EXPECT_EQ(store.CurrentHouse[1], u"\t{");
    EXPECT_EQ(store.CurrentHouse[2], u"60");
    store.StoreEntrySlots(u"Herrschaftliche Villa"s, 250);
    EXPECT_EQ(store.WorkingModel[147],
              u"Herrschaftliche Villa,{,60,68,50,2,3,3,1,1,1,2,3,1,1,1,1,1,8,600,100,11,,,550,,");
    EXPECT_EQ(fileBytes().find('\t'), std::string::npos);
}

TEST_F(ModelStoreTest, ACostOf100DoesNotCaptureTheCompanionOfCode100)
{
    installAndLoad();
    store.LoadEntrySlots(u"Strasse"s, 8);
    store.CurrentBuilding[3] = u"100"s;
    store.CurrentBuilding[12] = u"H100"s; // only the name field counts
    store.StoreEntrySlots(u"Strasse"s, 8);
    EXPECT_EQ(ModelStore::FindCompanionLine(store.WorkingModel, 100), 11);

    ASSERT_EQ(store.LoadEntrySlots(u"Kleines Zelt"s, 100), RecordKind::House);
    EXPECT_EQ(store.CurrentBuilding[1], u"H100");
    store.CurrentBuilding[3] = u"11"s;
    store.StoreEntrySlots(u"Kleines Zelt"s, 100);
    EXPECT_TRUE(store.WorkingModel[6].starts_with(u"5,Strasse,{,100,"));
    EXPECT_EQ(store.WorkingModel[11], u"10,H100,{,11,-3,1,1,3,0,0,0,},,,,");
}

TEST(FindCompanionLine, OnlyABuildingLineNamedHAndTheCode)
{
    Lines model(152);
    model[0] = u"0,H100,"s;           // header line: not a building line
    model[5] = u"4,H1000,{,100,},,"s; // longer name, cost 100
    model[9] = u"8, H100 ,{,},,"s;    // spaces around the name do not count
    model[131] = u"0,H110,"s;         // header line
    model[140] = u"x,H110,"s;         // house section
    EXPECT_EQ(ModelStore::FindCompanionLine(model, 100), 9);
    EXPECT_EQ(ModelStore::FindCompanionLine(model, 110), -1);
    EXPECT_EQ(ModelStore::FindCompanionLine(Lines{u"x"s, u"0,H100,"s}, 100), 1);
    EXPECT_EQ(ModelStore::FindCompanionLine({}, 100), -1);
}

TEST_F(ModelStoreTest, AMissingCompanionChangesNothingAndNamesTheLine)
{
    installAndLoad();
    store.LoadEntrySlots(u"Theater"s, 15);
    const std::string file = fileBytes();
    const Lines building = store.CurrentBuilding;
    const Lines house = store.CurrentHouse;
    replaceAll(store.WorkingModel[11], u"H100", u"H10O");
    const Lines model = store.WorkingModel;
    const int writes = platform.writeCount();

    const std::string inFile =
        "Die Zeile \"H100\" fehlt in der Modelldatei. Der Eintrag kann nicht bearbeitet werden.";
    EXPECT_EQ(errorOf([&] { store.LoadEntrySlots(u"Kleines Zelt"s, 100); }), inFile);
    EXPECT_EQ(errorOf([&] { store.StoreEntrySlots(u"Kleines Zelt"s, 100); }), inFile);
    EXPECT_EQ(store.CurrentBuilding, building);
    EXPECT_EQ(store.CurrentHouse, house);
    EXPECT_EQ(store.WorkingModel, model);
    EXPECT_EQ(platform.writeCount(), writes);
    EXPECT_EQ(fileBytes(), file);

    replaceAll(store.ReferenceModel[12], u"H110", u"X110");
    const std::string inReference =
        "Die Zeile \"H110\" fehlt im Referenzmodell. Der Eintrag kann nicht bearbeitet werden.";
    EXPECT_EQ(errorOf([&] { store.LoadEntrySlots(u"Grosses Zelt"s, 110); }), inReference);
    EXPECT_EQ(errorOf([&] { store.LoadReferenceEntrySlots(u"Grosses Zelt"s, 110); }), inReference);
    EXPECT_EQ(store.CurrentBuilding, building);
    EXPECT_EQ(store.CurrentHouse, house);
}

TEST_F(ModelStoreTest, CaptionsWithoutARecordLineChangeNothing)
{
    installAndLoad();
    store.LoadEntrySlots(u"Theater"s, 15);
    const Lines building = store.CurrentBuilding;
    const int writes = platform.writeCount();
    for (const std::u16string &caption :
         {u"Oper"s, u"ALL BUILDINGS"s, u"HOUSES"s, std::u16string()}) {
        EXPECT_EQ(store.LoadEntrySlots(caption, 100), RecordKind::None);
        EXPECT_EQ(store.LoadReferenceEntrySlots(caption, 100), RecordKind::None);
        EXPECT_EQ(store.StoreEntrySlots(caption, 100), RecordKind::None);
    }
    EXPECT_EQ(store.CurrentBuilding, building);
    EXPECT_EQ(platform.writeCount(), writes);
}

TEST_F(ModelStoreTest, ALineBeyondTheReferenceIsAnIndexError)
{
    installAndLoad();
    store.WorkingModel.push_back(u"Zusatz,{,1,"s);
    const Lines house = store.CurrentHouse;
    EXPECT_EQ(errorOf([&] { store.LoadEntrySlots(u"Zusatz"s, 100); }),
              "Listenindex außerhalb des gültigen Bereichs (152)");
    EXPECT_EQ(store.CurrentHouse, house);
}

TEST_F(ModelStoreTest, MissingModelFileCannotBeOpened)
{
    const std::string error = errorOf([&] { store.LoadWorkingModel(); });
    EXPECT_EQ(error.rfind("Datei C:\\Spiele\\Z7\\z7_model.txt kann nicht geöffnet werden. ", 0), 0u)
        << error;
}

TEST_F(ModelStoreTest, AFailedSaveLeavesTheOldFileByteIdentical)
{
    installAndLoad();
    const std::string file = fileBytes();
    const std::string prefix =
        "Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt werden. ";

    store.LoadEntrySlots(u"Theater"s, 15);
    store.CurrentBuilding[3] = u"77"s;
    platform.failNextWrite();
    EXPECT_EQ(errorOf([&] { store.StoreEntrySlots(u"Theater"s, 15); }).rfind(prefix, 0), 0u);
    EXPECT_EQ(fileBytes(), file);
    // The replaced line stays in memory; the next successful save writes it.
    EXPECT_TRUE(store.WorkingModel[32].starts_with(u"31,Theater,{,77,"));

    const Lines model = store.WorkingModel;
    platform.failNextWrite();
    EXPECT_EQ(errorOf([&] { store.ResetWholeModel(); }).rfind(prefix, 0), 0u);
    EXPECT_EQ(store.WorkingModel, model);
    EXPECT_EQ(fileBytes(), file);
    EXPECT_EQ(QDir(host(GamePath)).entryList(QDir::Files), QStringList{u"z7_model.txt"_s});
}

TEST_F(ModelStoreTest, ADirectoryWhereTheModelFileGoesFailsEveryWrite)
{
    ASSERT_TRUE(QDir().mkpath(hostFile()));
    QFile marker(hostFile() + u"/inside"_s);
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    const std::string prefix =
        "Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt werden. ";
    EXPECT_EQ(errorOf([&] { store.InstallDefaultModel(); }).rfind(prefix, 0), 0u);
    EXPECT_TRUE(store.WorkingModel.empty());
    EXPECT_EQ(errorOf([&] { store.ResetWholeModel(); }).rfind(prefix, 0), 0u);
    EXPECT_TRUE(store.WorkingModel.empty());
    EXPECT_TRUE(QFile::exists(hostFile() + u"/inside"_s));
    EXPECT_EQ(QDir(host(GamePath)).entryList(QDir::Files), QStringList{});
}

} // namespace
