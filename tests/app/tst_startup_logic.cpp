// The start-up's decisions on the window in memory: finding the game, the
// running game, the one-time backup and the default model, the guide, the
// fonts, the catalogue and the second editor of the same game.

#include "tests/support/logic_fixture.h"

#include "app/app_texts.h"
#include "platform/platform_texts.h"

#include <algorithm>
#include <filesystem>

namespace z7::test {
namespace {

using namespace std::string_view_literals;

const std::string NoInstallation =
    "Es konnte keine Installation des Spiels <Ordavia> gefunden werden! Ohne eine korrekte "
    "Spielinstallation ist der Z7-Editor nicht lauffähig. Der Programmstart wird abgebrochen.";
const std::string GameRunning =
    "Das Spiel <Ordavia> wird ausgeführt. Beareitungen der Modelldateien werden erst nach einem "
    "Neustart des Spiels wirksam.";
const std::string NoSpace = "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden";
const std::string DefaultModelFailed =
    "Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt werden. " + NoSpace + ".";

std::string defaultModel()
{
    return shippedText(u"DE_Modell") + "\r\n";
}

// --- the resources the tests read ------------------------------------------

struct ResourceCase
{
    const char *name;
    std::u16string_view type, resource;
    bool found;
    std::string_view begins;
    std::size_t size; // 0: any
};

class ResourceFolders : public ::testing::TestWithParam<ResourceCase>
{
};

// A lookup that minds letter case, mixes up the types or reads in text mode
// (which drops the CRs under Windows) would make every byte test below lie.
TEST_P(ResourceFolders, GiveTheFilesBytesByTypeAndName)
{
    const ResourceCase &c = GetParam();
    const std::optional<std::string> bytes = TestResources::shipped().bytes(c.type, c.resource);
    ASSERT_EQ(bytes.has_value(), c.found);
    if (!c.found)
        return;
    EXPECT_EQ(bytes->substr(0, c.begins.size()), c.begins);
    if (c.size) {
        EXPECT_EQ(bytes->size(), c.size);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ByName, ResourceFolders,
    ::testing::Values(
        ResourceCase{"defaultModel", u"RT_RCDATA", u"DE_Modell", true, "ALL BUILDINGS\r\n", 6650},
        ResourceCase{"otherCase", u"rt_rcdata", u"de_MODELL", true, "ALL BUILDINGS\r\n", 6650},
        ResourceCase{"reference", u"RT_RCDATA", u"NEWMODELL", true, "ALL BUILDINGS\r\n", 0},
        ResourceCase{"nodeTree", u"RT_RCDATA", u"NodeTree", true, "", 0},
        ResourceCase{"guide", u"RT_RCDATA", u"PDF", true, "%PDF-", 0},
        ResourceCase{"firstFont", u"Z7", u"TTF", true, "\x00\x01\x00\x00"sv, 0},
        ResourceCase{"secondFont", u"zolt", u"ttf", true, "\x00\x01\x00\x00"sv, 0},
        ResourceCase{"fontUnderTexts", u"RT_RCDATA", u"TTF", false, "", 0},
        ResourceCase{"textUnderFonts", u"Z7", u"DE_Modell", false, "", 0},
        ResourceCase{"unknown", u"RT_RCDATA", u"Modell", false, "", 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ResourceTexts, KeepTheirCrLfAndNoFinalBreak)
{
    const std::string model = shippedText(u"DE_Modell");
    EXPECT_EQ(model.find("ALL BUILDINGS\r\n"), 0u);
    EXPECT_NE(model.back(), '\n');
    for (std::size_t at = model.find('\n'); at != std::string::npos; at = model.find('\n', at + 1))
        ASSERT_EQ(model[at - 1], '\r') << "a line feed without its CR at " << at;
}

// --- finding the game -------------------------------------------------------

struct PathCase
{
    const char *name;
    std::string registered;
    bool runs;
    const char *gamePath;
};

class RegisteredPath : public LogicTest, public ::testing::WithParamInterface<PathCase>
{
};

// The registered text is used verbatim: only a missing trailing "\" is
// added. Trimming quotes or a ";" would edit a folder the player never named.
TEST_P(RegisteredPath, DecidesWhetherTheEditorRuns)
{
    const PathCase &c = GetParam();
    platform.setRegistryText(AppPathsKey, "Path", c.registered);
    start();
    if (c.runs) {
        EXPECT_EQ(result, TMain::StartResult::Run);
        EXPECT_EQ(ToUtf8(main->GamePath()), c.gamePath);
        EXPECT_TRUE(window->shown().empty());
        EXPECT_EQ(window->processEventsCalls, 1);
        return;
    }
    EXPECT_EQ(result, TMain::StartResult::End);
    EXPECT_EQ(shownTexts(), std::vector{NoInstallation});
    EXPECT_EQ(window->shown().front().title, u"Fehler");
    EXPECT_EQ(window->shown().front().flags, BoxIconError);
    EXPECT_TRUE(platform.writtenFiles().empty()) << "nothing may be written";
    EXPECT_TRUE(platform.claimedFolders().empty());
    EXPECT_TRUE(window->nodes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RegisteredPath,
    ::testing::Values(PathCase{"plain", "C:\\Spiele\\Z7", true, "C:\\Spiele\\Z7\\"},
                      PathCase{"trailingBackslash", "C:\\Spiele\\Z7\\", true, "C:\\Spiele\\Z7\\"},
                      PathCase{"otherCase", "c:\\spiele\\z7", true, "c:\\spiele\\z7\\"},
                      PathCase{"quoted", "\"C:\\Spiele\\Z7\"", false, ""},
                      PathCase{"semicolon", "C:\\Spiele\\Z7;", false, ""},
                      PathCase{"unexpanded", "%ProgramFiles%\\Z7", false, ""},
                      PathCase{"empty", "", false, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LogicTest, MissingKeyEndsBeforeAnythingIsLoaded)
{
    FakePlatform bare;
    bare.putFile(Game + "z7.exe", "");
    FakeWindow w;
    TMain m(bare, w, TestResources::shipped());
    EXPECT_EQ(m.FormCreate(), TMain::StartResult::End);
    ASSERT_EQ(w.shown().size(), 1u);
    EXPECT_EQ(ToUtf8(w.shown().front().text), NoInstallation);
    EXPECT_TRUE(m.store().ReferenceModel.empty()) << "the first cause ends before any list";
    EXPECT_EQ(w.processEventsCalls, 0);
}

TEST_F(LogicTest, MissingGameExecutableEndsWithoutMovingAnything)
{
    std::filesystem::remove(platform.hostPath(Game + "z7.exe"));
    platform.createFolder(Game + "z7.exe"); // a folder of that name is no program
    platform.putFile(ModelFile, "game's own\r\n");
    start();
    EXPECT_EQ(result, TMain::StartResult::End);
    EXPECT_EQ(shownTexts(), std::vector{NoInstallation});
    EXPECT_EQ(main->store().ReferenceModel.size(), 152u) << "the second cause ends after it";
    EXPECT_EQ(platform.fileContents(ModelFile), "game's own\r\n");
    EXPECT_FALSE(platform.fileContents(BackupFile));
    EXPECT_TRUE(platform.claimedFolders().empty());
}

// A registry value that is no text cannot name a folder: the game counts as
// not installed, and nothing is written anywhere.
TEST_F(LogicTest, RegistryValueOfAnotherTypeCountsAsNoInstallation)
{
    platform.setRegistryNonText(AppPathsKey, "Path");
    start();
    EXPECT_EQ(result, TMain::StartResult::End);
    ASSERT_EQ(window->shown().size(), 1u);
    EXPECT_EQ(window->shown().front().text, app_texts::NoInstallation);
    EXPECT_EQ(window->shown().front().title, u"Fehler");
    EXPECT_TRUE(platform.writtenFiles().empty());
    EXPECT_TRUE(window->nodes().empty());
}

// --- the running game -------------------------------------------------------

struct ProcessCase
{
    const char *name;
    std::vector<std::string> processes;
    bool warned;
};

class RunningGame : public LogicTest, public ::testing::WithParamInterface<ProcessCase>
{
};

// The warning only: the start goes on, whatever the list holds.
TEST_P(RunningGame, WarnsOnceAndGoesOn)
{
    const ProcessCase &c = GetParam();
    platform.setProcessNames(c.processes);
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    EXPECT_EQ(shownTexts(), c.warned ? std::vector{GameRunning} : std::vector<std::string>{});
    if (c.warned) {
        EXPECT_EQ(window->shown().front().title, u"Fehler");
        EXPECT_EQ(window->shown().front().flags, BoxIconError);
    }
    EXPECT_EQ(window->nodes().size(), 113u);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RunningGame,
    ::testing::Values(ProcessCase{"none", {}, false},
                      ProcessCase{"others", {"explorer.exe", "winedevice.exe"}, false},
                      ProcessCase{"bareName", {"Z7.exe"}, true},
                      ProcessCase{
                          "anyCaseWithFolder", {"explorer.exe", "C:\\Spiele\\Z7\\z7.EXE"}, true},
                      ProcessCase{"afterDrive", {"D:z7.exe"}, true},
                      ProcessCase{"twice", {"z7.exe", "Z7.EXE"}, true},
                      ProcessCase{"longerName", {"C:\\Spiele\\Z7\\xz7.exe"}, false},
                      ProcessCase{"otherExtension", {"z7.exe.bak"}, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LogicTest, RunningGameIsNamedBeforeTheMissingInstallation)
{
    platform.setProcessNames({"z7.exe"});
    platform.setRegistryText(AppPathsKey, "Path", "");
    start();
    EXPECT_EQ(result, TMain::StartResult::End);
    EXPECT_EQ(shownTexts(), (std::vector{GameRunning, NoInstallation}));
}

// --- the one-time backup and the default model -------------------------------

struct FileCase
{
    const char *name;
    const char *model;  // nullptr: missing
    const char *backup; // nullptr: missing
    bool defaultInstalled;
    const char *backupAfter; // nullptr: still missing
};

class FileSituation : public LogicTest, public ::testing::WithParamInterface<FileCase>
{
};

TEST_P(FileSituation, BackupOnceAndDefaultModelWhenMissing)
{
    const FileCase &c = GetParam();
    if (c.model)
        platform.putFile(ModelFile, c.model);
    if (c.backup)
        platform.putFile(BackupFile, c.backup);
    start();
    ASSERT_EQ(result, TMain::StartResult::Run);
    EXPECT_EQ(modelBytes(), c.defaultInstalled ? defaultModel() : std::string(c.model));
    EXPECT_EQ(platform.fileContents(BackupFile),
              c.backupAfter ? std::optional<std::string>(c.backupAfter) : std::nullopt);
    EXPECT_EQ(platform.writtenFiles(),
              c.defaultInstalled ? std::vector{ModelFile} : std::vector<std::string>{});
    EXPECT_EQ(main->store().WorkingModel.size(), c.defaultInstalled ? 152u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileSituation,
    ::testing::Values(FileCase{"firstStart", "game's own", nullptr, true, "game's own"},
                      FileCase{"bothPresent", "edited", "game's own", false, "game's own"},
                      FileCase{"backupOnly", nullptr, "game's own", true, "game's own"},
                      FileCase{"neither", nullptr, nullptr, true, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

// Without a backup the next start takes the file as it then stands for the
// game's own; from then on nothing moves.
TEST_F(LogicTest, StartWithoutAnyFileMakesTheBackupNextTime)
{
    start();
    ASSERT_FALSE(platform.fileContents(BackupFile));
    platform.putFile(ModelFile, "stored meanwhile");
    start();
    EXPECT_EQ(platform.fileContents(BackupFile), "stored meanwhile");
    EXPECT_EQ(modelBytes(), defaultModel());
    platform.putFile(ModelFile, "edited");
    start();
    EXPECT_EQ(platform.fileContents(BackupFile), "stored meanwhile");
    EXPECT_EQ(modelBytes(), "edited");
}

// The game must never be left without a model file: when the default cannot
// be written, the game's own file goes back, and nothing after that step runs.
TEST_F(LogicTest, FailedDefaultInstallPutsTheGamesOwnFileBack)
{
    platform.putFile(ModelFile, "game's own");
    platform.failWrites(NoSpace);
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    EXPECT_EQ(shownTexts(), std::vector{DefaultModelFailed});
    EXPECT_EQ(window->shown().front().title, u"Z7edit");
    EXPECT_EQ(window->shown().front().flags, BoxIconError);
    EXPECT_EQ(modelBytes(), "game's own");
    EXPECT_FALSE(platform.fileContents(BackupFile)) << "the backup is made again next time";
    EXPECT_TRUE(window->nodes().empty());
    EXPECT_TRUE(window->windowFonts.empty());
    EXPECT_EQ(platform.fileContents(GuideFile), "guide");

    platform.allowWrites();
    start();
    EXPECT_TRUE(window->shown().empty());
    EXPECT_EQ(platform.fileContents(BackupFile), "game's own");
    EXPECT_EQ(modelBytes(), defaultModel());
}

TEST_F(LogicTest, ABackupThatCannotGoBackIsNamedInTheReport)
{
    platform.putFile(ModelFile, "game's own");
    platform.failWrites(NoSpace);
    platform.refuseMovesTo(ModelFile);
    start();
    EXPECT_EQ(shownTexts(), std::vector<std::string>{
                                "Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt "
                                "werden. " +
                                NoSpace +
                                "\rDie Sicherung C:\\Spiele\\Z7\\z7_model.bak konnte nicht zurück "
                                "nach C:\\Spiele\\Z7\\z7_model.txt verschoben werden. Benennen "
                                "Sie sie von Hand in z7_model.txt um, sonst startet das Spiel "
                                "nicht."});
    EXPECT_EQ(platform.fileContents(BackupFile), "game's own");
    EXPECT_FALSE(platform.fileContents(ModelFile));
}

// The backup was there before: it is the game's own and never touched.
TEST_F(LogicTest, FailedDefaultInstallLeavesAnEarlierBackupAlone)
{
    platform.putFile(BackupFile, "game's own");
    platform.failWrites(NoSpace);
    start();
    EXPECT_EQ(shownTexts(), std::vector{DefaultModelFailed});
    EXPECT_EQ(platform.fileContents(BackupFile), "game's own");
    EXPECT_FALSE(platform.fileContents(ModelFile));
}

// What a killed save left in the game folder or beside the guide is gone
// after the next start; the player's own files and a folder of such a name stay.
TEST_F(LogicTest, StartClearsAwayWhatACutOffSaveLeft)
{
    platform.putFile(ModelFile, "edited");
    platform.putFile(BackupFile, "game's own");
    platform.putFile(Game + "~z7edit-AbC123.tmp", "cut off");
    platform.putFile(Game + "z7_model.txt.backup", "the player's own");
    platform.createFolder(Game + "~z7edit-x.tmp");
    platform.putFile(Documents + "~z7edit-Xy1Z2w.tmp", "%PDF-");
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    EXPECT_FALSE(platform.fileContents(Game + "~z7edit-AbC123.tmp"));
    EXPECT_FALSE(platform.fileContents(Documents + "~z7edit-Xy1Z2w.tmp"));
    EXPECT_EQ(platform.fileContents(Game + "z7_model.txt.backup"), "the player's own");
    EXPECT_TRUE(std::filesystem::is_directory(platform.hostPath(Game + "~z7edit-x.tmp")));
    EXPECT_EQ(modelBytes(), "edited");
}

// --- a model file edited by hand ----------------------------------------------

// The shipped model's lines, changed by edit, each ended by lineEnd.
std::string shippedWith(void (*edit)(std::vector<std::string> &lines),
                        std::string_view lineEnd = "\r\n")
{
    std::vector<std::string> lines;
    const std::string model = shippedText(u"DE_Modell");
    for (std::size_t begin = 0, end; begin <= model.size(); begin = end + 2) {
        end = std::min(model.find("\r\n", begin), model.size());
        lines.push_back(model.substr(begin, end - begin));
    }
    edit(lines);
    std::string bytes;
    for (const std::string &line : lines)
        bytes += line + std::string(lineEnd);
    return bytes;
}

struct LayoutCase
{
    const char *name;
    std::string (*bytes)();
    const char *lineCount; // nullptr: no warning
};

class ModelLayout : public LogicTest, public ::testing::WithParamInterface<LayoutCase>
{
};

// A file whose lines no longer pair with the shipped ones is named once; the
// editor still opens, shows what it can and writes nothing by itself.
TEST_P(ModelLayout, WarnsOnceWhenTheLinesNoLongerPair)
{
    const LayoutCase &c = GetParam();
    const std::string bytes = c.bytes();
    platform.putFile(ModelFile, bytes);
    platform.putFile(BackupFile, "game's own");
    start();
    ASSERT_EQ(result, TMain::StartResult::Run);
    if (c.lineCount) {
        EXPECT_EQ(shownTexts(),
                  std::vector<std::string>{
                      "Die Modelldatei C:\\Spiele\\Z7\\z7_model.txt hat nicht den erwarteten "
                      "Aufbau: Sie hat " +
                      std::string(c.lineCount) +
                      " Zeilen, erwartet werden 152 Zeilen in der Reihenfolge der ausgelieferten "
                      "Datei.\rEinträge können fehlen oder falsch angezeigt werden. Gespeichert "
                      "wird nur, was Sie selbst speichern; \"Gesamtreset\" stellt die "
                      "ausgelieferte Datei wieder her."});
        EXPECT_EQ(window->shown().front().flags, BoxIconError);
    } else {
        EXPECT_TRUE(window->shown().empty());
    }
    EXPECT_EQ(window->nodes().size(), 113u);
    // Every node can be selected, whatever the file holds, without a write.
    for (int i = 0; i < int(window->nodes().size()); ++i)
        window->select(i);
    EXPECT_EQ(window->selectedNode(), int(window->nodes().size()) - 1);
    EXPECT_EQ(modelBytes(), bytes);
    EXPECT_TRUE(platform.writtenFiles().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ModelLayout,
    ::testing::Values(
        LayoutCase{"intact", [] { return shippedWith([](std::vector<std::string> &) {}); },
                   nullptr},
        LayoutCase{"lfLineEnds",
                   [] { return shippedWith([](std::vector<std::string> &) {}, "\n"); }, nullptr},
        LayoutCase{"valueChanged",
                   [] { return shippedWith([](std::vector<std::string> &l) { l[32][13] = '9'; }); },
                   nullptr},
        LayoutCase{"lineRemoved",
                   [] {
                       return shippedWith(
                           [](std::vector<std::string> &l) { l.erase(l.begin() + 40); });
                   },
                   "151"},
        LayoutCase{"lineAdded",
                   [] {
                       return shippedWith(
                           [](std::vector<std::string> &l) { l.insert(l.begin() + 10, ""); });
                   },
                   "153"},
        LayoutCase{"buildingsSwapped",
                   [] {
                       return shippedWith(
                           [](std::vector<std::string> &l) { std::swap(l[31], l[32]); });
                   },
                   "152"},
        LayoutCase{"housesSwapped",
                   [] {
                       return shippedWith(
                           [](std::vector<std::string> &l) { std::swap(l[140], l[141]); });
                   },
                   "152"},
        LayoutCase{"empty", [] { return std::string(); }, "0"},
        LayoutCase{"garbage",
                   [] {
                       std::string bytes(4096, '\0');
                       for (std::size_t i = 0; i < bytes.size(); ++i)
                           bytes[i] = char((i * 7919 + 13) % 251 + 1);
                       return bytes;
                   },
                   "34"},
        LayoutCase{"utf16OddBytes", [] { return "\xFF\xFE" + std::string("A\0L\0L\0 ", 7); }, "1"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- the guide ----------------------------------------------------------------

TEST_F(LogicTest, ExistingGuideIsNeverReplaced)
{
    start();
    EXPECT_EQ(platform.fileContents(GuideFile), "guide");
    EXPECT_EQ(platform.writtenFiles(), std::vector{ModelFile});
}

TEST_F(LogicTest, MissingGuideIsWrittenByteForByte)
{
    std::filesystem::remove(platform.hostPath(GuideFile));
    start();
    EXPECT_EQ(platform.fileContents(GuideFile), shippedText(u"PDF"));
    EXPECT_EQ(platform.writtenFiles(), (std::vector{ModelFile, GuideFile}));
}

// A guide that cannot be written must not leave the player with an empty editor.
TEST_F(LogicTest, UnwritableGuideIsReportedAndTheEditorStillWorks)
{
    platform.setDocumentsFolder("C:\\users\\niemand\\Documents"); // does not exist
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    EXPECT_EQ(shownTexts(),
              std::vector<std::string>{"Datei \"C:\\users\\niemand\\Documents\\Tellmar Modell "
                                       "Dateien.pdf\" kann nicht erstellt werden. " +
                                       std::string(platform_texts::PathNotFound) + "."});
    EXPECT_EQ(window->nodes().size(), 113u);
    ASSERT_EQ(window->control(u"ImprintLabel")->fonts.size(), 1u);
    EXPECT_EQ(window->control(u"ImprintLabel")->fonts.front().family, u"Formal436 BT");
}

// --- the fonts ----------------------------------------------------------------

std::string describe(const FontChange &f)
{
    std::string d = ToUtf8(f.family) + " " + std::to_string(f.pointSize) + (f.bold ? " bold" : "");
    if (f.colour)
        d += " " + std::to_string(f.colour->red) + "," + std::to_string(f.colour->green) + "," +
             std::to_string(f.colour->blue);
    return d;
}

std::vector<std::string> describe(const std::vector<FontChange> &fonts)
{
    std::vector<std::string> d;
    for (const FontChange &f : fonts)
        d.push_back(describe(f));
    return d;
}

struct FontCase
{
    const char *name;
    std::optional<int> first, second; // nothing: registered by the window
    bool refused;                     // the window refuses every font
    std::vector<std::string> window, imprint;
};

class FontOutcome : public LogicTest, public ::testing::WithParamInterface<FontCase>
{
};

// The window's font changes of each outcome; a family the window does not
// have would show the panels in the system's font.
TEST_P(FontOutcome, ChangesTheFontsOfItsRow)
{
    const FontCase &c = GetParam();
    create();
    window->refuseFonts = c.refused;
    main->firstFont = c.first;
    main->secondFont = c.second;
    ASSERT_EQ(main->FormCreate(), TMain::StartResult::Run);
    EXPECT_EQ(describe(window->windowFonts), c.window);
    EXPECT_EQ(describe(window->control(u"ImprintLabel")->fonts), c.imprint);
    EXPECT_EQ(describe(window->control(u"ObjektnameLabel")->fonts),
              std::vector<std::string>{" 13 bold"});
    EXPECT_TRUE(window->shown().empty()) << "a font outcome is never reported";
    EXPECT_EQ(window->nodes().size(), 113u);
}

const std::vector<std::string> FirstFont{"BacciSmallCaps 10"};
const std::vector<std::string> SecondFont{"Formal436 BT 13 114,0,0"};
const std::vector<std::string> Fallback{"Calibri 0"};
const std::vector<std::string> FallbackTwice{"Calibri 0", "Calibri 0"};
const std::vector<std::string> Unchanged{};

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FontOutcome,
    ::testing::Values(
        FontCase{"both", 1, 2, false, FirstFont, SecondFont},
        FontCase{"secondFailed", 1, 0, false, {"BacciSmallCaps 10", "Calibri 0"}, Unchanged},
        FontCase{"firstFailed", 0, 2, false, Fallback, SecondFont},
        FontCase{"neither", 0, 0, false, FallbackTwice, Unchanged},
        // A negative handle takes neither branch: that step changes no font.
        FontCase{"negative", -5, -5, false, Unchanged, Unchanged},
        FontCase{"firstNegative", -1, 7, false, Unchanged, SecondFont},
        FontCase{"windowRegistersBoth", std::nullopt, std::nullopt, false, FirstFont, SecondFont},
        FontCase{"windowRefuses", std::nullopt, std::nullopt, true, FallbackTwice, Unchanged}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LogicTest, TheWindowGetsTheFontsBytesInOrder)
{
    start();
    EXPECT_EQ(window->registeredFonts,
              (std::vector{shippedBytes(u"Z7", u"TTF"), shippedBytes(u"ZOLT", u"TTF")}));
}

// The shipped resources, the fonts also in place, as the programs' sources
// give them.
class InPlaceResources final : public ResourceSource
{
public:
    std::optional<std::string> bytes(std::u16string_view type,
                                     std::u16string_view name) const override
    {
        return TestResources::shipped().bytes(type, name);
    }
    std::optional<std::string_view> view(std::u16string_view type,
                                         std::u16string_view name) const override
    {
        if (type == u"Z7" && name == u"TTF")
            return first;
        if (type == u"ZOLT" && name == u"TTF")
            return second;
        return std::nullopt;
    }
    const std::string first = shippedBytes(u"Z7", u"TTF");
    const std::string second = shippedBytes(u"ZOLT", u"TTF");
};

// The window may register the fonts in place: what it was handed must still
// hold them after the start, from a source with the bytes in place (handed
// as they lie, no copy) and from one without.
TEST_F(LogicTest, TheFontBytesTheWindowGetsOutlastTheStart)
{
    const InPlaceResources inPlace;
    for (const ResourceSource *source :
         {static_cast<const ResourceSource *>(&inPlace),
          static_cast<const ResourceSource *>(&TestResources::shipped())}) {
        FakeWindow fonts;
        {
            LogicMain logic(platform, fonts, *source);
            logic.FormCreate();
            ASSERT_EQ(fonts.registeredInPlace.size(), 2u);
            EXPECT_EQ(fonts.registeredInPlace[0], shippedBytes(u"Z7", u"TTF"));
            EXPECT_EQ(fonts.registeredInPlace[1], shippedBytes(u"ZOLT", u"TTF"));
        }
        if (source == &inPlace) {
            EXPECT_EQ(fonts.registeredInPlace[0].data(), inPlace.first.data());
            EXPECT_EQ(fonts.registeredInPlace[1].data(), inPlace.second.data());
        }
    }
}

// --- the window after the start -------------------------------------------------

TEST_F(LogicTest, OpensWithTheCatalogueAndTheStateOfItsLayout)
{
    start();
    ASSERT_EQ(result, TMain::StartResult::Run);
    EXPECT_TRUE(window->created);
    EXPECT_EQ(window->nodes().size(), 113u);
    EXPECT_EQ(std::count_if(window->nodes().begin(), window->nodes().end(),
                            [](const TreeNode &n) { return n.depth == 0; }),
              10);
    EXPECT_EQ(window->selectedNode(), -1);
    EXPECT_FALSE(shown(u"Panel1"));
    EXPECT_FALSE(shown(u"Panel2"));
    EXPECT_TRUE(shown(u"NoSelectImage"));
    EXPECT_FALSE(window->enabled(u"Speichern"));
    EXPECT_FALSE(shown(u"SingleElementReset"));
    EXPECT_FALSE(window->enabled(u"SingleElementReset"));
    EXPECT_EQ(text(u"SingleElementReset"), u"Reset");
    EXPECT_EQ(text(u"ObjektnameLabel"), u"Wohnungen");
    EXPECT_EQ(main->store().WorkingModel.size(), 152u);
    EXPECT_TRUE(window->shown().empty());
}

// --- a second editor of the same game ----------------------------------------------

// It says so and ends before it moves, writes or clears away anything: the
// first editor's next store would otherwise overwrite what this one did.
TEST_F(LogicTest, SecondEditorOfTheGameTellsAndEndsWithoutWriting)
{
    const std::string gameOwn = "the game's own model\r\n";
    const std::string leftBehind = Game + "~z7edit-a1b2c3.tmp"; // the first one's save
    platform.putFile(ModelFile, gameOwn);
    platform.putFile(leftBehind, "half a save");
    std::filesystem::remove(platform.hostPath(GuideFile));
    platform.setGameFolderHeldElsewhere(true);

    start();

    EXPECT_EQ(result, TMain::StartResult::End);
    EXPECT_EQ(platform.claimedFolders(), std::vector{Game});
    EXPECT_EQ(shownTexts(), std::vector<std::string>{
                                "Z7 Edit ist für das Spiel in C:\\Spiele\\Z7\\ bereits "
                                "geöffnet.\rBitte arbeiten Sie im offenen Fenster weiter. Ein "
                                "zweites Fenster öffnet sich nicht, damit keine gespeicherte "
                                "Änderung überschrieben wird."});
    EXPECT_EQ(window->shown().front().title, u"Z7 Edit");
    EXPECT_EQ(window->shown().front().flags, BoxIconInformation);
    EXPECT_EQ(platform.shownOtherEditors(), std::vector<std::string>{"Z7 Edit"});
    EXPECT_TRUE(platform.writtenFiles().empty());
    EXPECT_EQ(platform.fileContents(ModelFile), gameOwn) << "the model file was moved";
    EXPECT_FALSE(platform.fileContents(BackupFile));
    EXPECT_EQ(platform.fileContents(leftBehind), "half a save");
    EXPECT_FALSE(platform.fileContents(GuideFile)) << "the guide was written";
    EXPECT_TRUE(window->nodes().empty());
}

TEST_F(LogicTest, TheOneEditorClaimsItsGameFolderAndStarts)
{
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    EXPECT_EQ(platform.claimedFolders(), std::vector{Game});
    EXPECT_TRUE(window->shown().empty());
    EXPECT_TRUE(platform.shownOtherEditors().empty());
}

} // namespace
} // namespace z7::test
