// A second start for a game folder that another editor holds: it says so and
// ends before it moves, writes or clears away anything.

#include "tests/support/window_fixture.h"

#include <filesystem>

namespace z7::test {
namespace {

TEST_F(WindowTest, SecondEditorOfTheGameTellsAndEndsWithoutWriting)
{
    const std::string gameOwn = "the game's own model\r\n";
    const std::string leftBehind =
        Game + "~z7edit-a1b2c3.tmp"; // the first editor's save in progress
    platform.putFile(ModelFile, gameOwn);
    platform.putFile(leftBehind, "half a save");
    const std::string guide = "C:\\users\\spieler\\Documents\\Tellmar Modell Dateien.pdf";
    std::filesystem::remove(platform.hostPath(guide));
    platform.setGameFolderHeldElsewhere(true);

    start();

    EXPECT_EQ(result, TMain::StartResult::End);
    EXPECT_EQ(platform.claimedFolders(), std::vector<std::string>{Game});
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    const MessageBoxSeam::Shown box = MessageBoxSeam::shown().first();
    EXPECT_EQ(box.text, QStringLiteral("Z7 Edit ist für das Spiel in C:\\Spiele\\Z7\\ bereits "
                                       "geöffnet.\rBitte arbeiten Sie im offenen Fenster weiter. "
                                       "Ein zweites Fenster öffnet sich nicht, damit keine "
                                       "gespeicherte Änderung überschrieben wird."));
    EXPECT_EQ(box.title, QStringLiteral("Z7 Edit"));
    EXPECT_EQ(box.flags, MB_ICONINFORMATION);
    EXPECT_EQ(platform.shownOtherEditors(), std::vector<std::string>{"Z7 Edit"});

    EXPECT_TRUE(platform.writtenFiles().empty());
    EXPECT_EQ(platform.fileContents(ModelFile), gameOwn) << "the model file was moved or replaced";
    EXPECT_FALSE(platform.fileContents(BackupFile));
    EXPECT_EQ(platform.fileContents(leftBehind), "half a save")
        << "the other editor's temporary file was cleared away";
    EXPECT_FALSE(platform.fileContents(guide)) << "the guide was written";
}

TEST_F(WindowTest, TheOneEditorClaimsItsGameFolderAndStartsAsBefore)
{
    start();
    EXPECT_EQ(result, TMain::StartResult::Run);
    EXPECT_EQ(platform.claimedFolders(), std::vector<std::string>{Game});
    EXPECT_TRUE(MessageBoxSeam::shown().isEmpty());
    EXPECT_TRUE(platform.shownOtherEditors().empty());
}

} // namespace
} // namespace z7::test
