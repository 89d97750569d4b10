// One editor per game folder on Windows: a named mutex after the folder,
// which the system drops with the last handle, when its holder ends however
// it ends.

#include "platform.h"
#include "wide_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <windows.h>

namespace z7 {
namespace {

// A game folder of the test's own in the temporary folder.
std::string GameFolder()
{
    static const std::string folder = [] {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        const std::wstring base =
            std::wstring(temp) + L"z7claim-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(base.c_str(), nullptr);
        ::CreateDirectoryW((base + L"\\Spiele").c_str(), nullptr);
        ::CreateDirectoryW((base + L"\\Spiele\\Z7").c_str(), nullptr);
        return Utf8(base);
    }();
    return folder;
}

struct Spelling
{
    const char *name;
    const char *rest; // after the test's folder
    bool sameFolder;
};

class ClaimSpelling : public ::testing::TestWithParam<Spelling>
{
};

// Handles of one process open the same mutex, so two platforms in one
// process stand for two editors.
TEST_P(ClaimSpelling, OneFolderHoweverItIsWritten)
{
    auto first = CreateSystemPlatform();
    auto second = CreateSystemPlatform();
    ASSERT_TRUE(first->claimGameFolder(GameFolder() + "\\Spiele\\Z7\\"));
    EXPECT_EQ(second->claimGameFolder(GameFolder() + GetParam().rest), !GetParam().sameFolder);
}

INSTANTIATE_TEST_SUITE_P(Paths, ClaimSpelling,
                         ::testing::Values(Spelling{"AsRegistered", "\\Spiele\\Z7\\", true},
                                           Spelling{"WithoutTrailingBackslash", "\\Spiele\\Z7",
                                                    true},
                                           Spelling{"OtherLetterCase", "\\SPIELE\\z7\\", true},
                                           Spelling{"DotsAndSlashes", "/Spiele/./Z7/../Z7", true},
                                           Spelling{"ParentFolder", "\\Spiele\\", false},
                                           Spelling{"AnotherGame", "\\Spiele\\Z8\\", false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(GameFolderClaim, HeldUntilItsHolderGoesAndAskingAgainIsNoConflict)
{
    const std::string game = GameFolder() + "\\Spiele\\Z7\\";
    auto holder = CreateSystemPlatform();
    ASSERT_TRUE(holder->claimGameFolder(game));
    EXPECT_TRUE(holder->claimGameFolder(game)) << "its own claim blocked it";
    auto other = CreateSystemPlatform();
    EXPECT_FALSE(other->claimGameFolder(game));
    holder.reset();
    EXPECT_TRUE(other->claimGameFolder(game));
}

const wchar_t *const FolderVariable = L"Z7_CLAIM_FOLDER";
const wchar_t *const ReadyVariable = L"Z7_CLAIM_READY";

// Run only in the child process that the next test starts: claims the folder,
// says so through a named event and waits to be killed.
TEST(GameFolderHolder, DISABLED_ClaimsAndWaits)
{
    wchar_t folder[MAX_PATH] = {};
    wchar_t ready[MAX_PATH] = {};
    ASSERT_GT(::GetEnvironmentVariableW(FolderVariable, folder, MAX_PATH), 0u);
    ASSERT_GT(::GetEnvironmentVariableW(ReadyVariable, ready, MAX_PATH), 0u);
    auto platform = CreateSystemPlatform();
    ASSERT_TRUE(platform->claimGameFolder(Utf8(folder)));
    const HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, ready);
    ASSERT_NE(event, nullptr);
    ::SetEvent(event);
    ::Sleep(INFINITE);
}

TEST(GameFolderClaim, AnotherProcessHoldsItUntilItIsKilled)
{
    const std::string game = GameFolder() + "\\Spiele\\Z7\\";
    const std::wstring ready = L"Local\\z7claim-ready-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, ready.c_str());
    ASSERT_NE(event, nullptr);
    ::SetEnvironmentVariableW(FolderVariable, Wide(game).c_str());
    ::SetEnvironmentVariableW(ReadyVariable, ready.c_str());

    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) +
                           L"\" --gtest_also_run_disabled_tests "
                           L"--gtest_filter=GameFolderHolder.DISABLED_ClaimsAndWaits";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &child));
    ::CloseHandle(child.hThread);
    const bool claimed = ::WaitForSingleObject(event, 60000) == WAIT_OBJECT_0;

    auto here = CreateSystemPlatform();
    const bool heldElsewhere = !here->claimGameFolder(game);
    // Killed: no chance to release anything; the system closes its handles.
    ::TerminateProcess(child.hProcess, 9);
    ::WaitForSingleObject(child.hProcess, 60000);
    ::CloseHandle(child.hProcess);
    ::CloseHandle(event);
    ASSERT_TRUE(claimed) << "the child did not claim the folder";
    EXPECT_TRUE(heldElsewhere) << "this process got the folder the child held";
    EXPECT_TRUE(here->claimGameFolder(game)) << "the killed holder kept the folder";
}

} // namespace
} // namespace z7
