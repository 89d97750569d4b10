// One editor per game folder under Wine: an flock on a file in the user's
// runtime folder, which the kernel drops when the holder ends, however it ends.

#include "platform/platform_wine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include <sys/wait.h>
#include <unistd.h>

namespace z7 {
namespace {

const std::string Game = "C:\\Spiele\\Z7\\";

// A prefix whose game folder C:\Spiele\Z7 is also reached as D:\Z7, and a
// private runtime folder of its own for the locks.
class ClaimTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(m_prefix.filePath(QStringLiteral("drive_c/Spiele/Z7")));
        QDir().mkpath(m_prefix.filePath(QStringLiteral("dosdevices")));
        QFile::link(QStringLiteral("../drive_c"),
                    m_prefix.filePath(QStringLiteral("dosdevices/c:")));
        QFile::link(QStringLiteral("../drive_c/Spiele"),
                    m_prefix.filePath(QStringLiteral("dosdevices/d:")));
        QFile::setPermissions(m_runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()).constData(), 1);
    }
    void TearDown() override { ::unsetenv("XDG_RUNTIME_DIR"); }
    std::string prefix() const { return m_prefix.path().toStdString(); }
    QStringList locks() const { return QDir(m_runtime.path()).entryList(QDir::Files); }

    QTemporaryDir m_prefix;
    QTemporaryDir m_runtime;
};

// Two open files hold separate flocks, so two platforms in one process stand
// for two editors.
TEST_F(ClaimTest, OneFolderHoweverItIsWritten)
{
    const std::pair<const char *, bool> spellings[] = {{"c:\\SPIELE\\z7", true},
                                                       {"C:/Spiele/./Z7/../Z7/", true},
                                                       {"D:\\Z7\\", true},
                                                       {"C:\\Spiele\\", false},
                                                       {"C:\\Spiele\\Z8\\", false}};
    WinePlatform holder(prefix());
    ASSERT_TRUE(holder.claimGameFolder(Game));
    EXPECT_TRUE(holder.claimGameFolder("c:\\spiele\\z7")) << "its own claim blocked it";
    for (const auto &[path, same] : spellings)
        EXPECT_EQ(WinePlatform(prefix()).claimGameFolder(path), !same) << path;
    EXPECT_EQ(locks().size(), 3) << "one lock file per folder";
}

// A child process claims the folder, answers through a pipe and waits.
pid_t ClaimInChild(const std::string &prefix, bool &claimed)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        WinePlatform platform(prefix);
        const char answer = platform.claimGameFolder(Game) ? 'y' : 'n';
        if (::write(fds[1], &answer, 1) != 1)
            ::_exit(2);
        for (;;)
            ::pause();
    }
    char answer = 0;
    claimed = pid > 0 && ::read(fds[0], &answer, 1) == 1 && answer == 'y';
    ::close(fds[0]);
    ::close(fds[1]);
    return pid;
}

void Kill(pid_t pid)
{
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

TEST_F(ClaimTest, TwoProcessesAndTheHolderKilled)
{
    bool first = false;
    bool second = true;
    const pid_t holder = ClaimInChild(prefix(), first);
    Kill(ClaimInChild(prefix(), second));
    WinePlatform here(prefix());
    const bool whileHeld = here.claimGameFolder(Game);
    // SIGKILL gives the holder no chance to clean up; the kernel drops the lock.
    Kill(holder);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second) << "a second process got the folder";
    EXPECT_FALSE(whileHeld);
    EXPECT_TRUE(here.claimGameFolder(Game)) << "the killed holder kept the folder";
}

// A runtime folder that others may write to is not trusted: the locks go to a
// private folder of the user's own in /tmp.
TEST_F(ClaimTest, NeverLocksInAFolderOthersCanWrite)
{
    QFile::setPermissions(m_runtime.path(), QFile::permissions(m_runtime.path()) |
                                                QFile::WriteOther | QFile::ExeOther);
    WinePlatform first(prefix());
    ASSERT_TRUE(first.claimGameFolder(Game));
    EXPECT_FALSE(WinePlatform(prefix()).claimGameFolder(Game));
    EXPECT_TRUE(locks().isEmpty());
    const QString own = QStringLiteral("/tmp/z7edit-%1").arg(::geteuid());
    EXPECT_EQ(QFile::permissions(own) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
} // namespace z7
