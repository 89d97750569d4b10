// One editor per game folder on Windows: a named mutex after the folder,
// which the system drops with its last handle, when the holder ends however
// it ends.

#include "platform/platform.h"
#include "platform/wide_text_win.h"

#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace z7 {
namespace {

// A game folder of the test's own, in the temporary folder.
std::string GameFolder()
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"z7claim";
    ::CreateDirectoryW(base.c_str(), nullptr);
    ::CreateDirectoryW((base + L"\\Z7").c_str(), nullptr);
    return Utf8(base);
}

// Handles of one process open the same mutex, so two platforms in one
// process stand for two editors.
TEST(GameFolderClaim, OneFolderHoweverItIsWritten)
{
    const std::string game = GameFolder();
    const std::pair<std::string, bool> spellings[] = {{game + "\\z7", true},
                                                      {game + "/./Z7/../z7/", true},
                                                      {game, false},
                                                      {game + "\\Z8", false}};
    auto holder = CreateSystemPlatform();
    ASSERT_TRUE(holder->claimGameFolder(game + "\\Z7\\"));
    EXPECT_TRUE(holder->claimGameFolder(game + "\\Z7")) << "its own claim blocked it";
    for (const auto &[path, same] : spellings)
        EXPECT_EQ(CreateSystemPlatform()->claimGameFolder(path), !same) << path;
}

// Run only in the child process that the next test starts: claims the folder,
// says so through a named event and waits to be killed.
TEST(GameFolderHolder, DISABLED_ClaimsAndWaits)
{
    auto platform = CreateSystemPlatform();
    ASSERT_TRUE(platform->claimGameFolder(GameFolder() + "\\Z7\\"));
    ::SetEvent(::OpenEventW(EVENT_MODIFY_STATE, FALSE, L"Local\\z7claim-ready"));
    ::Sleep(INFINITE);
}

TEST(GameFolderClaim, AnotherProcessHoldsItUntilItIsKilled)
{
    const std::string game = GameFolder() + "\\Z7\\";
    const HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, L"Local\\z7claim-ready");
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
    const bool claimed = ::WaitForSingleObject(ready, 60000) == WAIT_OBJECT_0;
    auto here = CreateSystemPlatform();
    const bool whileHeld = here->claimGameFolder(game);
    // Killed: no chance to release anything; the system closes its handles.
    ::TerminateProcess(child.hProcess, 9);
    ::WaitForSingleObject(child.hProcess, 60000);
    for (HANDLE handle : {child.hProcess, child.hThread, ready})
        ::CloseHandle(handle);
    ASSERT_TRUE(claimed) << "the child did not claim the folder";
    EXPECT_FALSE(whileHeld) << "this process got the folder the child held";
    EXPECT_TRUE(here->claimGameFolder(game)) << "the killed holder kept the folder";
}

} // namespace
} // namespace z7
