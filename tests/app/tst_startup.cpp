// Start-up of the window: finding the game, the one-time backup, the default
// model, the guide, the fonts.

#include "tests/support/window_fixture.h"

#include <QFont>

#include <filesystem>

namespace z7::test {
namespace {

const QString NoInstallation = QStringLiteral(
    "Es konnte keine Installation des Spiels <Ordavia> gefunden werden! Ohne eine korrekte "
    "Spielinstallation ist der Z7-Editor nicht lauffähig. Der Programmstart wird abgebrochen.");

struct PathCase
{
    const char *name;
    const char *registered; // nullptr: no value at all
    bool runs;
    const char *gamePath;
};

class RegisteredPath : public WindowTest, public ::testing::WithParamInterface<PathCase>
{};

// The registered text is used verbatim: only a missing trailing "\" is added.
TEST_P(RegisteredPath, DecidesWhetherTheEditorRuns)
{
    const PathCase &c = GetParam();
    FakePlatform fresh;
    platform.setRegistryText(AppPathsKey, "Path", c.registered ? c.registered : "");
    start();
    if (c.runs) {
        EXPECT_EQ(result, TMain::StartResult::Run);
        EXPECT_EQ(ToUtf8(window->GamePath()), c.gamePath);
        EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
    } else {
        EXPECT_EQ(result, TMain::StartResult::End);
        ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
        EXPECT_EQ(MessageBoxSeam::shown().first().text, NoInstallation);
        EXPECT_EQ(MessageBoxSeam::shown().first().title, QStringLiteral("Fehler"));
        EXPECT_EQ(MessageBoxSeam::shown().first().flags, MB_ICONERROR);
        EXPECT_FALSE(platform.fileContents(ModelFile)) << "nothing may be written";
    }
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

TEST_F(WindowTest, MissingKeyEndsAtOnce)
{
    FakePlatform bare;
    bare.putFile(Game + "z7.exe", "");
    QtWindow wSkin;
    TestWindow w(bare, wSkin);
    EXPECT_EQ(w.FormCreate(), TMain::StartResult::End);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown().first().text, NoInstallation);
}

TEST_F(WindowTest, MissingGameExecutableEndsAtOnce)
{
    FakePlatform noExe;
    noExe.setRegistryText(AppPathsKey, "Path", "C:\\Spiele\\Z7");
    noExe.createFolder("C:\\Spiele\\Z7\\z7.exe"); // a folder of that name is no program
    noExe.putFile(ModelFile, "game's own\r\n");
    QtWindow wSkin;
    TestWindow w(noExe, wSkin);
    EXPECT_EQ(w.FormCreate(), TMain::StartResult::End);
    EXPECT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(noExe.fileContents(ModelFile).value(), "game's own\r\n") << "nothing moved";
    EXPECT_FALSE(noExe.fileContents(BackupFile));
}

struct FileCase
{
    const char *name;
    const char *model;  // nullptr: missing
    const char *backup; // nullptr: missing
    bool defaultInstalled;
    const char *backupAfter; // nullptr: still missing
};

class FileSituation : public WindowTest, public ::testing::WithParamInterface<FileCase>
{};

TEST_P(FileSituation, BackupOnceAndDefaultModelWhenMissing)
{
    const FileCase &c = GetParam();
    if (c.model)
        platform.putFile(ModelFile, c.model);
    if (c.backup)
        platform.putFile(BackupFile, c.backup);
    start();
    ASSERT_EQ(result, TMain::StartResult::Run);
    const std::string expected = c.defaultInstalled ? builtinText("DE_Modell") + "\r\n" : c.model;
    EXPECT_EQ(modelBytes(), expected);
    EXPECT_EQ(platform.fileContents(BackupFile), c.backupAfter ? std::optional<std::string>(c.backupAfter)
                                                              : std::nullopt);
    EXPECT_EQ(window->store().WorkingModel.size(), c.defaultInstalled ? 152 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileSituation,
    ::testing::Values(FileCase{"firstStart", "game's own", nullptr, true, "game's own"},
                      FileCase{"bothPresent", "edited", "game's own", false, "game's own"},
                      FileCase{"backupOnly", nullptr, "game's own", true, "game's own"},
                      FileCase{"neither", nullptr, nullptr, true, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(WindowTest, DefaultModelIsByteExactAndCatalogueBuilt)
{
    start();
    EXPECT_EQ(modelBytes().size(), 6652u);
    EXPECT_EQ(tree()->topLevelItemCount(), 10);
    EXPECT_EQ(tree()->currentItem(), nullptr);
    EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
}

TEST_F(WindowTest, RunningGameInAnyCaseWarnsAndGoesOn)
{
    platform.setProcessNames({"explorer.exe", "C:\\Spiele\\Z7\\z7.EXE"});
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::shown().first().text.startsWith(
        QStringLiteral("Das Spiel <Ordavia> wird ausgeführt.")));
    EXPECT_EQ(tree()->topLevelItemCount(), 10);
}

// What a killed save left in the game folder or beside the guide is gone
// after the next start; the player's own files and a folder of such a name stay.
TEST_F(WindowTest, StartClearsAwayWhatACutOffSaveLeft)
{
    const std::string documents = "C:\\users\\spieler\\Documents\\";
    platform.putFile(ModelFile, "edited");
    platform.putFile(BackupFile, "game's own");
    platform.putFile(Game + "~z7edit-AbC123.tmp", "cut off");
    platform.putFile(Game + "z7_model.txt.backup", "the player's own");
    platform.createFolder(Game + "~z7edit-x.tmp");
    platform.putFile(documents + "~z7edit-Xy1Z2w.tmp", "%PDF-");
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    EXPECT_FALSE(platform.fileContents(Game + "~z7edit-AbC123.tmp"));
    EXPECT_FALSE(platform.fileContents(documents + "~z7edit-Xy1Z2w.tmp"));
    EXPECT_EQ(platform.fileContents(Game + "z7_model.txt.backup"), "the player's own");
    EXPECT_TRUE(std::filesystem::is_directory(platform.hostPath(Game + "~z7edit-x.tmp")));
    EXPECT_EQ(modelBytes(), "edited");
}

TEST_F(WindowTest, ExistingGuideIsNeverReplaced)
{
    start();
    EXPECT_EQ(platform.fileContents("C:\\users\\spieler\\Documents\\Tellmar Modell Dateien.pdf").value(),
              "guide");
}

TEST_F(WindowTest, MissingGuideIsWritten)
{
    FakePlatform fresh;
    fresh.setRegistryText(AppPathsKey, "Path", "C:\\Spiele\\Z7");
    fresh.putFile(Game + "z7.exe", "");
    fresh.createFolder("C:\\users\\spieler\\Documents");
    QtWindow wSkin;
    TestWindow w(fresh, wSkin);
    w.FormCreate();
    const auto guide = fresh.fileContents("C:\\users\\spieler\\Documents\\Tellmar Modell Dateien.pdf");
    ASSERT_TRUE(guide);
    EXPECT_EQ(guide->substr(0, 5), "%PDF-");
    EXPECT_EQ(*guide, builtinText("PDF"));
}

// A guide that cannot be written must not leave the player with an empty editor.
TEST_F(WindowTest, UnwritableGuideIsReportedAndTheEditorStillWorks)
{
    FakePlatform fresh;
    fresh.setRegistryText(AppPathsKey, "Path", "C:\\Spiele\\Z7");
    fresh.putFile(Game + "z7.exe", "");
    fresh.setDocumentsFolder("C:\\users\\niemand\\Documents"); // does not exist
    QtWindow wSkin;
    TestWindow w(fresh, wSkin);
    EXPECT_EQ(w.FormCreate(), TMain::StartResult::Run);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::shown().first().text.contains(QStringLiteral("Tellmar Modell Dateien.pdf")));
    EXPECT_TRUE(MessageBoxSeam::shown().first().text.contains(QStringLiteral("kann nicht erstellt werden")));
    EXPECT_EQ(wSkin.tree()->topLevelItemCount(), 10);
    EXPECT_EQ(wSkin.widget()->findChild<QLabel *>(QStringLiteral("ImprintLabel"))->font().family(),
              QStringLiteral("Formal436 BT"));
}

// A default model that cannot be written must not leave the game without any
// model file: the game's own file goes back into place.
TEST_F(WindowTest, FailedDefaultInstallPutsTheGamesOwnFileBack)
{
    platform.putFile(ModelFile, "game's own");
    platform.failWrites("Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden");
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_TRUE(MessageBoxSeam::shown().first().text.startsWith(
        QStringLiteral("Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt werden.")));
    EXPECT_EQ(modelBytes(), "game's own");
    EXPECT_FALSE(platform.fileContents(BackupFile)) << "the backup is made again next time";
    platform.allowWrites();
    MessageBoxSeam::clear();
    start();
    EXPECT_EQ(platform.fileContents(BackupFile).value_or(""), "game's own");
    EXPECT_EQ(modelBytes(), builtinText("DE_Modell") + "\r\n");
}

TEST_F(WindowTest, ABackupThatCannotGoBackIsNamedInTheReport)
{
    platform.putFile(ModelFile, "game's own");
    platform.failWrites("Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden");
    platform.refuseMovesTo(ModelFile);
    start();
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    const QStringList parts = MessageBoxSeam::shown().first().text.split(u'\r');
    ASSERT_EQ(parts.size(), 2);
    EXPECT_TRUE(parts[0].startsWith(
        QStringLiteral("Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt werden.")));
    EXPECT_EQ(parts[1], QStringLiteral("Die Sicherung C:\\Spiele\\Z7\\z7_model.bak konnte nicht "
                                       "zurück nach C:\\Spiele\\Z7\\z7_model.txt verschoben "
                                       "werden. Benennen Sie sie von Hand in z7_model.txt um, sonst "
                                       "startet das Spiel nicht."));
    EXPECT_EQ(platform.fileContents(BackupFile).value_or(""), "game's own");
}

struct FontCase
{
    const char *name;
    int first, second;
    const char *window;
    int windowSize;
    const char *imprint;
    int imprintSize;
};

class FontOutcome : public WindowTest, public ::testing::WithParamInterface<FontCase>
{};

TEST_P(FontOutcome, GivesTheFontsOfItsRow)
{
    const FontCase &c = GetParam();
    skin = std::make_unique<QtWindow>();
    window = std::make_unique<TestWindow>(platform, *skin);
    window->firstFont = c.first;
    window->secondFont = c.second;
    ASSERT_EQ(window->FormCreate(), TMain::StartResult::Run);
    const QFont windowFont = mainWidget()->font();
    const QFont imprint = control<QLabel>("ImprintLabel")->font();
    const QFont header = control<QLabel>("ObjektnameLabel")->font();
    EXPECT_EQ(windowFont.family(), QString::fromLatin1(c.window));
    EXPECT_EQ(windowFont.pointSize(), c.windowSize);
    EXPECT_EQ(imprint.family(), QString::fromLatin1(c.imprint));
    EXPECT_EQ(imprint.pointSize(), c.imprintSize);
    EXPECT_EQ(header.family(), windowFont.family());
    EXPECT_EQ(header.pointSize(), 13);
    EXPECT_TRUE(header.bold());
    const QColor imprintColour = control<QLabel>("ImprintLabel")->palette().color(QPalette::WindowText);
    EXPECT_EQ(imprintColour == QColor(114, 0, 0), c.second > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FontOutcome,
    ::testing::Values(FontCase{"both", 1, 2, "BacciSmallCaps", 10, "Formal436 BT", 13},
                      FontCase{"secondFailed", 1, 0, "Calibri", 10, "Calibri", 10},
                      FontCase{"firstFailed", 0, 2, "Calibri", 10, "Formal436 BT", 13},
                      FontCase{"neither", 0, 0, "Calibri", 10, "Calibri", 10},
                      // A negative handle takes neither branch: the window keeps its own font.
                      FontCase{"negative", -5, -5, "Tahoma", 10, "Tahoma", 10}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(WindowTest, OpensWithTheStateOfItsLayout)
{
    start();
    QWidget &w = *mainWidget();
    EXPECT_EQ(w.size(), QSize(901, 601));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Z7 Edit"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(control("Panel1")->isHidden());
    EXPECT_TRUE(control("Panel2")->isHidden());
    EXPECT_FALSE(control("NoSelectImage")->isHidden());
    EXPECT_FALSE(control("Speichern")->isEnabled());
    EXPECT_TRUE(control("SingleElementReset")->isHidden());
    EXPECT_EQ(control<QLabel>("ObjektnameLabel")->text(), QStringLiteral("Wohnungen"));
    EXPECT_EQ(control("ModellTree")->geometry(), QRect(8, 135, 226, 385));
    EXPECT_EQ(control("Beenden")->geometry(), QRect(588, 563, 306, 33));
    EXPECT_EQ(control("BuildingImage")->geometry(), QRect(401, 3, 160, 119));
    EXPECT_EQ(w.focusWidget(), control("Beenden"));
}

// A screen reader can name every control of the window, those of the value
// panels too, which the window makes when the first entry is shown.
TEST_F(WindowTest, EveryNamedControlHasAnAccessibleName)
{
    start();
    select(QStringLiteral("Grosse Casa"));
    int named = 0;
    for (QWidget *w : mainWidget()->findChildren<QWidget *>()) {
        // The spin control's own arrow buttons are parts of one named control.
        if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_")
            || qobject_cast<UpDown *>(w->parentWidget()))
            continue;
        ++named;
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_GE(named, 21 * 4 + 15);
}

TEST_F(WindowTest, QuitAsksNothingAndWritesNothing)
{
    start();
    select(QStringLiteral("Theater"));
    type("BaukostenEdit", QStringLiteral("77"));
    const std::string before = modelBytes();
    mainWidget()->show();
    click(control("Beenden"));
    EXPECT_FALSE(mainWidget()->isVisible());
    EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
    EXPECT_EQ(modelBytes(), before);
}

} // namespace
} // namespace z7::test
