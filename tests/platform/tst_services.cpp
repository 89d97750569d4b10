#include "platform/services.h"
#include "tests/support/fake_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace z7 {
namespace {

struct ProcessCase
{
    const char *why;
    std::vector<std::string> processes;
    std::string name;
    bool running;
};

class IsProcessRunningTest : public testing::TestWithParam<ProcessCase>
{
};

TEST_P(IsProcessRunningTest, MatchesFileNamePartOrWholeNameIgnoringAsciiCase)
{
    FakePlatform platform;
    platform.setProcessNames(GetParam().processes);
    EXPECT_EQ(IsProcessRunning(platform, GetParam().name), GetParam().running) << GetParam().why;
}

const std::string LongName(300, 'a');

INSTANTIATE_TEST_SUITE_P(
    Table, IsProcessRunningTest,
    testing::Values(
        ProcessCase{"no processes", {}, "Z7.exe", false},
        ProcessCase{"ASCII case differs", {"z7.EXE"}, "Z7.exe", true},
        ProcessCase{"full path", {"C:\\games\\Z7.exe"}, "Z7.exe", true},
        ProcessCase{"drive-relative name", {"D:Z7.exe"}, "Z7.exe", true},
        ProcessCase{"found among others, not first", {"a.exe", "z7.exe", "b.exe"}, "Z7.exe", true},
        ProcessCase{"longer name", {"xz7.exe"}, "Z7.exe", false},
        ProcessCase{"other extension", {"C:\\games\\Z7.exe.bak"}, "Z7.exe", false},
        ProcessCase{"trailing blank counts", {"Z7.exe "}, "Z7.exe", false},
        ProcessCase{"\"/\" does not separate", {"C:\\games/z7.exe"}, "Z7.exe", false},
        ProcessCase{"whole path given", {"c:\\games\\z7.exe"}, "C:\\GAMES\\Z7.EXE", true},
        ProcessCase{"name up to its NUL", {std::string("Z7.exe\0junk", 11)}, "Z7.exe", true},
        ProcessCase{"non-ASCII letters compared as they are", {"Zä7.exe"}, "ZÄ7.EXE", false},
        ProcessCase{"ASCII letters around non-ASCII fold", {"Zä7.exe"}, "zä7.EXE", true},
        ProcessCase{"non-ASCII folder", {"C:\\Spiele für Ä\\z7.exe"}, "Z7.exe", true},
        ProcessCase{"at most 260 characters", {LongName}, std::string(260, 'A'), true},
        ProcessCase{"261st character is cut off", {LongName}, std::string(261, 'A'), false}));

TEST(SpecialFolderPath, DocumentsFolderIsNumberFive)
{
    FakePlatform platform;
    platform.setDocumentsFolder("C:\\users\\spieler\\Documents");
    EXPECT_EQ(SpecialFolderPath(platform, DocumentsFolderNumber), "C:\\users\\spieler\\Documents");
    EXPECT_EQ(SpecialFolderPath(platform, 0x1a), "") << "no other shell folder is known";
}

TEST(SpecialFolderPath, PathMustFitTheShellBuffer)
{
    struct Case
    {
        std::string documents;
        std::string expected;
    };
    const std::string fits = "C:\\" + std::string(256, 'x'); // 259 characters
    const std::string umlauts = "C:\\" + [] {                // 259 characters, 2 bytes each
        std::string text;
        for (int i = 0; i < 256; ++i)
            text += "ä";
        return text;
    }();
    const std::string emoji = "C:\\" + std::string(254, 'x') + "😀"; // 2 UTF-16 units: 259
    const Case cases[] = {
        {fits, fits},
        {fits + "y", ""},
        {umlauts, umlauts},
        {umlauts + "ä", ""},
        {emoji, emoji},
        {emoji + "x", ""},
        {std::string("C:\\Docs\0junk", 12), "C:\\Docs"},
    };
    for (const Case &c : cases) {
        FakePlatform platform;
        platform.setDocumentsFolder(c.documents);
        EXPECT_EQ(SpecialFolderPath(platform, DocumentsFolderNumber), c.expected)
            << c.documents.size() << " bytes";
    }
}

} // namespace
} // namespace z7
