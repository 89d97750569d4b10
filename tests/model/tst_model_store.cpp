#include "model_store.h"

#include "host_platform.h"
#include "record.h"
#include "resource.h"

#include "error.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

using namespace z7;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString GamePath = u"C:\\Spiele\\Z7\\"_s;
const QString ModelPath = u"C:\\Spiele\\Z7\\z7_model.txt"_s;

class ModelStoreTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(platform.hostPath(GamePath)));
        store.setGamePath(GamePath);
        store.LoadReferenceModel();
    }

    QString hostFile() const { return platform.hostPath(ModelPath); }

    QByteArray fileBytes() const
    {
        QFile file(hostFile());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    void setFileBytes(const QByteArray &bytes)
    {
        QFile file(hostFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
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

    QTemporaryDir m_dir;
    test::HostPlatform platform{m_dir.path()};
    ModelStore store{platform};
};

QByteArray builtIn(const char16_t *name)
{
    return ReadResource(u"RT_RCDATA"_s, QString::fromUtf16(name));
}

QStringList changedLines(const QStringList &before, const QStringList &after)
{
    QStringList changes;
    for (int i = 0; i < std::max(before.size(), after.size()); ++i) {
        if (before.value(i) != after.value(i))
            changes.append(QString::number(i) + u": " + after.value(i));
    }
    return changes;
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
    const QStringList model = {u"ALL BUILDINGS"_s, u"1,Amphitheater,"_s, u"2,Theater,"_s,
                               u"\tKleines Zelt,{ "_s};
    const std::pair<QString, int> cases[] = {
        {u"Theater"_s, 2},        {u"theater"_s, 1}, {u" Theater\t"_s, 2}, {u"Zelt,{"_s, 3},
        {u"\tKleines Zelt"_s, 3}, {u"Zelt,{ "_s, 3}, {QString(), -1},      {u" \t"_s, -1},
        {u"Oper"_s, -1},          {u"ALL"_s, 0},
    };
    for (const auto &[caption, line] : cases)
        EXPECT_EQ(ModelStore::FindRecordLine(model, caption), line) << caption.toStdString();
}

TEST_F(ModelStoreTest, SlotArraysStartEmpty)
{
    EXPECT_EQ(store.CurrentBuilding, QStringList(15));
    EXPECT_EQ(store.OriginalBuilding, QStringList(15));
    EXPECT_EQ(store.CurrentHouse, QStringList(26));
    EXPECT_EQ(store.OriginalHouse, QStringList(26));
}

TEST_F(ModelStoreTest, InstallWritesTheDefaultTextPlusCrLf)
{
    store.InstallDefaultModel();
    EXPECT_TRUE(store.WorkingModel.isEmpty());
    EXPECT_EQ(fileBytes(), builtIn(u"DE_Modell") + "\r\n");
    EXPECT_EQ(fileBytes().size(), 6652);

    // Every slot equals the reference except the TAB of "Herrschaftliche Villa".
    store.LoadWorkingModel();
    ASSERT_EQ(store.WorkingModel.size(), 152);
    EXPECT_EQ(store.WorkingEncoding, TextEncoding::Ansi);
    for (int i = 0; i < 152; ++i) {
        const int n = ModelStore::RecordKindOf(i) == RecordKind::House ? 26 : 15;
        QStringList reference = SplitRecord(store.ReferenceModel[i], n);
        if (i == 147) {
            EXPECT_EQ(reference[1], u"\t{");
            reference[1] = u"{"_s;
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
    EXPECT_EQ(fileBytes().size(), 6653);
    EXPECT_EQ(store.WorkingModel, store.ReferenceModel);

    // The working model still remembers it was read as UTF-8.
    store.LoadEntrySlots(u"Strasse"_s, 15);
    store.StoreEntrySlots(u"Strasse"_s, 15);
    EXPECT_TRUE(fileBytes().startsWith("\xEF\xBB\xBF"
                                       "ALL BUILDINGS\r\n0,Nothing,"));
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
    const QStringList lines = {u"ALL BUILDINGS"_s, u"0,Möbel € Œ,{,1,},,"_s, QString(),
                               u"Kleine Hütte,{,-7,"_s};
    auto encode = [&](const char *lineEnd, bool finalBreak) {
        QString text = lines.join(QString::fromLatin1(lineEnd));
        if (finalBreak)
            text += QString::fromLatin1(lineEnd);
        QByteArray bytes(p.mark);
        if (p.encoding == TextEncoding::Ansi)
            bytes += "ALL BUILDINGS" + QByteArray(lineEnd) +
                     "0,M\xF6"
                     "bel \x80 \x8C,{,1,},," +
                     lineEnd + lineEnd + "Kleine H\xFCtte,{,-7," + (finalBreak ? lineEnd : "");
        else
            bytes += QByteArray(QStringEncoder(p.converter).encode(text));
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
    const QStringList before = store.WorkingModel;
    ASSERT_EQ(store.LoadEntrySlots(u"Strasse"_s, 8), RecordKind::Building);
    EXPECT_EQ(store.CurrentBuilding[1], u"Strasse");
    EXPECT_EQ(store.OriginalBuilding, store.CurrentBuilding);
    const int writes = platform.writeCount;
    ASSERT_EQ(store.StoreEntrySlots(u"Strasse"_s, 8), RecordKind::Building);
    EXPECT_EQ(platform.writeCount, writes + 1);
    EXPECT_EQ(changedLines(before, store.WorkingModel),
              QStringList{u"6: 5,Strasse,{,4,0,0,0,0,0,0,0,},,,,"_s});
    EXPECT_EQ(fileBytes(), EncodeLines(store.WorkingModel, TextEncoding::Ansi));
}

TEST_F(ModelStoreTest, StoringAHouseRewritesItsLineAndCompanionInOneWrite)
{
    installAndLoad();
    const QStringList before = store.WorkingModel;
    ASSERT_EQ(store.LoadEntrySlots(u"Grosses Insulae"_s, 200), RecordKind::House);
    EXPECT_EQ(store.CurrentBuilding[1], u"H200");
    EXPECT_EQ(store.OriginalBuilding[1], u"H200");
    EXPECT_EQ(store.CurrentHouse[0], u"Grosses Insulae");
    store.CurrentHouse[20] = u"85"_s;
    const int writes = platform.writeCount;
    ASSERT_EQ(store.StoreEntrySlots(u"Grosses Insulae"_s, 200), RecordKind::House);
    EXPECT_EQ(platform.writeCount, writes + 1);
    EXPECT_EQ(
        changedLines(before, store.WorkingModel),
        (QStringList{
            u"21: 20,H200,{,0,0,0,0,0,0,0,0,},,,,"_s,
            u"142: Grosses Insulae,{,29,40,25,2,1,2,1,1,1,1,1,1,1,1,0,2,12,65,85,3,,,126,,"_s}));
    EXPECT_EQ(fileBytes(), EncodeLines(store.WorkingModel, TextEncoding::Ansi));
}

TEST_F(ModelStoreTest, EntryResetBringsBackEverySlotOfBothLines)
{
    installAndLoad();
    ASSERT_EQ(store.LoadEntrySlots(u"Kleine Villa"_s, 220), RecordKind::House);
    const QStringList originalHouse = store.OriginalHouse;
    const QStringList originalBuilding = store.OriginalBuilding;
    store.CurrentHouse[20] = u"999"_s;
    store.CurrentHouse[17] = u"7"_s; // a carried slot
    store.CurrentBuilding[4] = u"12"_s;
    store.StoreEntrySlots(u"Kleine Villa"_s, 220);
    ASSERT_EQ(store.WorkingModel[144].section(u',', 20, 20), u"999");

    ASSERT_EQ(store.LoadReferenceEntrySlots(u"Kleine Villa"_s, 220), RecordKind::House);
    EXPECT_EQ(store.OriginalHouse, originalHouse);
    EXPECT_EQ(store.OriginalBuilding, originalBuilding);
    store.StoreEntrySlots(u"Kleine Villa"_s, 220);
    EXPECT_EQ(store.WorkingModel[144], JoinRecord(SplitRecord(store.ReferenceModel[144], 26)));
    EXPECT_EQ(store.WorkingModel[23], JoinRecord(SplitRecord(store.ReferenceModel[23], 15)));
    EXPECT_EQ(store.WorkingModel[23], u"22,H220,{,0,0,0,0,0,0,0,0,},,,,");
}

TEST_F(ModelStoreTest, TheTabOfTheReferenceGoesWithTheFirstStore)
{
    installAndLoad();
    store.ResetWholeModel();
    ASSERT_TRUE(store.WorkingModel[147].startsWith(u"Herrschaftliche Villa,\t{,60,"));
    ASSERT_EQ(store.LoadEntrySlots(u"Herrschaftliche Villa"_s, 250), RecordKind::House);
    EXPECT_EQ(store.CurrentHouse[1], u"\t{");
    EXPECT_EQ(store.CurrentHouse[2], u"60");
    store.StoreEntrySlots(u"Herrschaftliche Villa"_s, 250);
    EXPECT_EQ(store.WorkingModel[147],
              u"Herrschaftliche Villa,{,60,68,50,2,3,3,1,1,1,2,3,1,1,1,1,1,8,600,100,11,,,550,,");
    EXPECT_EQ(fileBytes().count('\t'), 0);
}

TEST_F(ModelStoreTest, ACostOf100DoesNotCaptureTheCompanionOfCode100)
{
    installAndLoad();
    store.LoadEntrySlots(u"Strasse"_s, 8);
    store.CurrentBuilding[3] = u"100"_s;
    store.CurrentBuilding[12] = u"H100"_s; // only the name field counts
    store.StoreEntrySlots(u"Strasse"_s, 8);
    EXPECT_EQ(ModelStore::FindCompanionLine(store.WorkingModel, 100), 11);

    ASSERT_EQ(store.LoadEntrySlots(u"Kleines Zelt"_s, 100), RecordKind::House);
    EXPECT_EQ(store.CurrentBuilding[1], u"H100");
    store.CurrentBuilding[3] = u"11"_s;
    store.StoreEntrySlots(u"Kleines Zelt"_s, 100);
    EXPECT_TRUE(store.WorkingModel[6].startsWith(u"5,Strasse,{,100,"));
    EXPECT_EQ(store.WorkingModel[11], u"10,H100,{,11,-3,1,1,3,0,0,0,},,,,");
}

TEST(FindCompanionLine, OnlyABuildingLineNamedHAndTheCode)
{
    QStringList model(152);
    model[0] = u"0,H100,"_s;           // header line: not a building line
    model[5] = u"4,H1000,{,100,},,"_s; // longer name, cost 100
    model[9] = u"8, H100 ,{,},,"_s;    // spaces around the name do not count
    model[131] = u"0,H110,"_s;         // header line
    model[140] = u"x,H110,"_s;         // house section
    EXPECT_EQ(ModelStore::FindCompanionLine(model, 100), 9);
    EXPECT_EQ(ModelStore::FindCompanionLine(model, 110), -1);
    EXPECT_EQ(ModelStore::FindCompanionLine(QStringList{u"x"_s, u"0,H100,"_s}, 100), 1);
    EXPECT_EQ(ModelStore::FindCompanionLine({}, 100), -1);
}

TEST_F(ModelStoreTest, AMissingCompanionChangesNothingAndNamesTheLine)
{
    installAndLoad();
    store.LoadEntrySlots(u"Theater"_s, 15);
    const QByteArray file = fileBytes();
    const QStringList building = store.CurrentBuilding;
    const QStringList house = store.CurrentHouse;
    store.WorkingModel[11].replace(u"H100"_s, u"H10O"_s);
    const QStringList model = store.WorkingModel;
    const int writes = platform.writeCount;

    const std::string inFile =
        "Die Zeile \"H100\" fehlt in der Modelldatei. Der Eintrag kann nicht bearbeitet werden.";
    EXPECT_EQ(errorOf([&] { store.LoadEntrySlots(u"Kleines Zelt"_s, 100); }), inFile);
    EXPECT_EQ(errorOf([&] { store.StoreEntrySlots(u"Kleines Zelt"_s, 100); }), inFile);
    EXPECT_EQ(store.CurrentBuilding, building);
    EXPECT_EQ(store.CurrentHouse, house);
    EXPECT_EQ(store.WorkingModel, model);
    EXPECT_EQ(platform.writeCount, writes);
    EXPECT_EQ(fileBytes(), file);

    store.ReferenceModel[12].replace(u"H110"_s, u"X110"_s);
    const std::string inReference =
        "Die Zeile \"H110\" fehlt im Referenzmodell. Der Eintrag kann nicht bearbeitet werden.";
    EXPECT_EQ(errorOf([&] { store.LoadEntrySlots(u"Grosses Zelt"_s, 110); }), inReference);
    EXPECT_EQ(errorOf([&] { store.LoadReferenceEntrySlots(u"Grosses Zelt"_s, 110); }), inReference);
    EXPECT_EQ(store.CurrentBuilding, building);
    EXPECT_EQ(store.CurrentHouse, house);
}

TEST_F(ModelStoreTest, CaptionsWithoutARecordLineChangeNothing)
{
    installAndLoad();
    store.LoadEntrySlots(u"Theater"_s, 15);
    const QStringList building = store.CurrentBuilding;
    const int writes = platform.writeCount;
    for (const QString &caption : {u"Oper"_s, u"ALL BUILDINGS"_s, u"HOUSES"_s, QString()}) {
        EXPECT_EQ(store.LoadEntrySlots(caption, 100), RecordKind::None);
        EXPECT_EQ(store.LoadReferenceEntrySlots(caption, 100), RecordKind::None);
        EXPECT_EQ(store.StoreEntrySlots(caption, 100), RecordKind::None);
    }
    EXPECT_EQ(store.CurrentBuilding, building);
    EXPECT_EQ(platform.writeCount, writes);
}

TEST_F(ModelStoreTest, ALineBeyondTheReferenceIsAnIndexError)
{
    installAndLoad();
    store.WorkingModel.append(u"Zusatz,{,1,"_s);
    const QStringList house = store.CurrentHouse;
    EXPECT_EQ(errorOf([&] { store.LoadEntrySlots(u"Zusatz"_s, 100); }),
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
    const QByteArray file = fileBytes();
    const std::string prefix =
        "Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt werden. ";

    store.LoadEntrySlots(u"Theater"_s, 15);
    store.CurrentBuilding[3] = u"77"_s;
    platform.failNextWrite = true;
    EXPECT_EQ(errorOf([&] { store.StoreEntrySlots(u"Theater"_s, 15); }).rfind(prefix, 0), 0u);
    EXPECT_EQ(fileBytes(), file);
    // The replaced line stays in memory; the next successful save writes it.
    EXPECT_TRUE(store.WorkingModel[32].startsWith(u"31,Theater,{,77,"));

    const QStringList model = store.WorkingModel;
    platform.failNextWrite = true;
    EXPECT_EQ(errorOf([&] { store.ResetWholeModel(); }).rfind(prefix, 0), 0u);
    EXPECT_EQ(store.WorkingModel, model);
    EXPECT_EQ(fileBytes(), file);
    EXPECT_EQ(QDir(platform.hostPath(GamePath)).entryList(QDir::Files),
              QStringList{u"z7_model.txt"_s});
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
    EXPECT_TRUE(store.WorkingModel.isEmpty());
    EXPECT_EQ(errorOf([&] { store.ResetWholeModel(); }).rfind(prefix, 0), 0u);
    EXPECT_TRUE(store.WorkingModel.isEmpty());
    EXPECT_TRUE(QFile::exists(hostFile() + u"/inside"_s));
    EXPECT_EQ(QDir(platform.hostPath(GamePath)).entryList(QDir::Files), QStringList{});
}

} // namespace
