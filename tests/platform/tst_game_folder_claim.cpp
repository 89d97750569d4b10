// One editor per game folder under Wine: the claim is an flock on a file in
// the user's runtime folder, which the kernel drops when the holder ends,
// however it ends.

#include "platform_wine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace z7 {
namespace {

// A prefix whose game folder C:\Spiele\Z7 is also reached as D:\Z7.
class ClaimPrefix
{
public:
    ClaimPrefix()
    {
        QDir().mkpath(host("drive_c/Spiele/Z7"));
        QDir().mkpath(host("dosdevices"));
        QFile::link(QStringLiteral("../drive_c"), host("dosdevices/c:"));
        QFile::link(QStringLiteral("../drive_c/Spiele"), host("dosdevices/d:"));
    }
    QString host(const char *relative) const
    {
        return m_folder.filePath(QString::fromUtf8(relative));
    }
    std::string path() const { return m_folder.path().toStdString(); }

private:
    QTemporaryDir m_folder;
};

// XDG_RUNTIME_DIR set to a folder of the test's own for as long as it lives.
class RuntimeFolder
{
public:
    explicit RuntimeFolder(QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner |
                                                            QFile::ExeOwner)
    {
        if (const char *old = std::getenv("XDG_RUNTIME_DIR"))
            m_previous = old;
        QFile::setPermissions(m_folder.path(), permissions);
        ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(m_folder.path()).constData(), 1);
    }
    ~RuntimeFolder()
    {
        if (m_previous)
            ::setenv("XDG_RUNTIME_DIR", m_previous->c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }
    QStringList lockFiles() const
    {
        return QDir(m_folder.path()).entryList({QStringLiteral("z7edit-*.lock")}, QDir::Files);
    }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    std::optional<std::string> m_previous;
};

const std::string Game = "C:\\Spiele\\Z7\\";

struct Spelling
{
    const char *name;
    const char *gamePath;
    bool sameFolder;
};

class ClaimSpelling : public ::testing::TestWithParam<Spelling>
{
};

// Two open files hold separate flocks, so two platforms in one process stand
// for two editors.
TEST_P(ClaimSpelling, OneFolderHoweverItIsWritten)
{
    const RuntimeFolder runtime;
    const ClaimPrefix prefix;
    WinePlatform first(prefix.path());
    WinePlatform second(prefix.path());
    ASSERT_TRUE(first.claimGameFolder(Game));
    EXPECT_EQ(second.claimGameFolder(GetParam().gamePath), !GetParam().sameFolder);
}

INSTANTIATE_TEST_SUITE_P(Paths, ClaimSpelling,
                         ::testing::Values(Spelling{"AsRegistered", "C:\\Spiele\\Z7\\", true},
                                           Spelling{"WithoutTrailingBackslash", "C:\\Spiele\\Z7",
                                                    true},
                                           Spelling{"OtherLetterCase", "c:\\SPIELE\\z7\\", true},
                                           Spelling{"DotsAndSlashes", "C:/Spiele/./Z7/../Z7", true},
                                           Spelling{"ThroughAnotherDrive", "D:\\Z7\\", true},
                                           Spelling{"ParentFolder", "C:\\Spiele\\", false},
                                           Spelling{"AnotherGame", "C:\\Spiele\\Z8\\", false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(GameFolderClaim, APrefixReachedThroughALinkIsTheSamePrefix)
{
    const RuntimeFolder runtime;
    const ClaimPrefix prefix;
    const QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath(QStringLiteral("prefix-link"));
    ASSERT_TRUE(QFile::link(QString::fromStdString(prefix.path()), link));
    WinePlatform first(prefix.path());
    WinePlatform second(link.toStdString());
    ASSERT_TRUE(first.claimGameFolder(Game));
    EXPECT_FALSE(second.claimGameFolder(Game));
}

TEST(GameFolderClaim, HeldUntilItsHolderGoesAndAskingAgainIsNoConflict)
{
    const RuntimeFolder runtime;
    const ClaimPrefix prefix;
    auto holder = std::make_unique<WinePlatform>(prefix.path());
    ASSERT_TRUE(holder->claimGameFolder(Game));
    EXPECT_TRUE(holder->claimGameFolder("c:\\spiele\\z7")) << "its own claim blocked it";
    WinePlatform other(prefix.path());
    EXPECT_FALSE(other.claimGameFolder(Game));
    holder.reset();
    EXPECT_TRUE(other.claimGameFolder(Game));

    // One private lock file in the runtime folder, nothing else.
    const QStringList files = runtime.lockFiles();
    ASSERT_EQ(files.size(), 1) << files.join(u' ').toStdString();
    EXPECT_EQ(QDir(runtime.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
    const QFileInfo lock(QDir(runtime.path()).filePath(files.first()));
    EXPECT_EQ(lock.permissions() &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
}

// A child process claims the folder and waits; its answer comes through a pipe.
class Holder
{
public:
    Holder(const std::string &prefix, const std::string &gamePath)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            WinePlatform platform(prefix);
            const char answer = platform.claimGameFolder(gamePath) ? 'y' : 'n';
            if (::write(fds[1], &answer, 1) != 1)
                ::_exit(2);
            for (;;)
                ::pause();
        }
        ::close(fds[1]);
        char answer = 0;
        if (m_pid > 0 && ::read(fds[0], &answer, 1) == 1)
            m_claimed = answer == 'y';
        ::close(fds[0]);
    }
    ~Holder() { kill(); }
    std::optional<bool> claimed() const { return m_claimed; }
    void kill()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
    std::optional<bool> m_claimed;
};

TEST(GameFolderClaim, TwoProcessesAndTheHolderKilled)
{
    const RuntimeFolder runtime;
    const ClaimPrefix prefix;
    Holder first(prefix.path(), Game);
    ASSERT_EQ(first.claimed(), true);
    {
        Holder second(prefix.path(), "c:\\spiele\\z7");
        EXPECT_EQ(second.claimed(), false) << "a second process got the folder";
    }
    WinePlatform here(prefix.path());
    EXPECT_FALSE(here.claimGameFolder(Game));

    // SIGKILL gives the holder no chance to clean up; the kernel drops the lock.
    first.kill();
    EXPECT_TRUE(here.claimGameFolder(Game));
    Holder late(prefix.path(), Game);
    EXPECT_EQ(late.claimed(), false);
}

struct FolderCase
{
    const char *name;
    bool runtimeSet;
    QFile::Permissions runtimePermissions;
};

class LockFolder : public ::testing::TestWithParam<FolderCase>
{
};

// Without a private runtime folder the locks go to a private folder of the
// user's own in /tmp; one that others can write to is never used.
TEST_P(LockFolder, FallsBackToAPrivateFolderInTmp)
{
    const RuntimeFolder runtime(GetParam().runtimePermissions);
    if (!GetParam().runtimeSet)
        ::unsetenv("XDG_RUNTIME_DIR");
    const QString own = QStringLiteral("/tmp/z7edit-%1").arg(::geteuid());
    const QStringList before = QDir(own).entryList({QStringLiteral("z7edit-*.lock")}, QDir::Files);
    const ClaimPrefix prefix;
    WinePlatform first(prefix.path());
    WinePlatform second(prefix.path());
    ASSERT_TRUE(first.claimGameFolder(Game));
    EXPECT_FALSE(second.claimGameFolder(Game));

    EXPECT_TRUE(runtime.lockFiles().isEmpty()) << "a lock file in a folder others can write to";
    struct stat info
    {
    };
    ASSERT_EQ(::lstat(QFile::encodeName(own).constData(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::geteuid());
    // The lock files stay, as a lock file must; this test's own go again.
    const QStringList locks = QDir(own).entryList({QStringLiteral("z7edit-*.lock")}, QDir::Files);
    const QStringList added = QSet<QString>(locks.begin(), locks.end())
                                  .subtract(QSet<QString>(before.begin(), before.end()))
                                  .values();
    EXPECT_EQ(added.size(), 1);
    for (const QString &name : added)
        QFile::remove(QDir(own).filePath(name));
}

INSTANTIATE_TEST_SUITE_P(
    Runtime, LockFolder,
    ::testing::Values(FolderCase{"Unset", false,
                                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner},
                      FolderCase{"OpenToEveryone", true,
                                 QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                     QFile::ReadOther | QFile::WriteOther | QFile::ExeOther}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace z7
