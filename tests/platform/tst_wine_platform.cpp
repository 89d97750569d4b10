#include "platform/error.h"
#include "platform/platform_texts.h"
#include "platform/platform_wine.h"
#include "platform/services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <sys/resource.h>

namespace z7 {
namespace {

// A hand-made prefix: drive_c with a game folder whose names differ in case
// from what the program asks for, a second drive, and Wine's usual links.
class WinePrefix
{
public:
    WinePrefix()
    {
        mkpath("drive_c/spiele/z7");
        mkpath("drive_d/Daten");
        mkpath("dosdevices");
        write("drive_c/spiele/z7/Z7.EXE", "MZ");
        link("../drive_c", "dosdevices/c:");
        link("../drive_d", "dosdevices/d:");
    }
    std::string path() const { return m_folder.path().toStdString(); }
    QString host(const char *relative) const
    {
        return m_folder.filePath(QString::fromUtf8(relative));
    }
    void mkpath(const char *relative) const { QDir().mkpath(host(relative)); }
    void write(const char *relative, const QByteArray &bytes) const
    {
        QFile file(host(relative));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    void link(const char *target, const char *relative) const
    {
        QFile::link(QString::fromUtf8(target), host(relative));
    }
    void remove(const char *relative) const { QFile::remove(host(relative)); }
    WinePlatform platform() const { return WinePlatform(path(), "/"); }

private:
    QTemporaryDir m_folder;
};

TEST(WinePaths, MapsDrivesAndComponentsWithoutRegardToCase)
{
    const WinePrefix prefix;
    WinePlatform platform = prefix.platform();
    const std::string game = prefix.path() + "/dosdevices/c:/spiele/z7";
    struct Case
    {
        std::string windows;
        std::string host;
    };
    const Case cases[] = {
        {"C:\\Spiele\\Z7\\z7.exe", game + "/Z7.EXE"},
        {"c:/SPIELE/z7/Z7.exe", game + "/Z7.EXE"},
        {"C:\\Spiele\\.\\Z7\\..\\Z7\\\\z7.exe", game + "/Z7.EXE"},
        {"C:\\..\\Spiele", prefix.path() + "/dosdevices/c:/spiele"},
        {"C:\\Spiele\\Z7\\Neu.txt", game + "/Neu.txt"},
        {"C:\\Spiele\\Neu\\Z7.exe", prefix.path() + "/dosdevices/c:/spiele/Neu/Z7.exe"},
        {"D:\\daten", prefix.path() + "/dosdevices/d:/Daten"},
        {"C:", prefix.path() + "/dosdevices/c:"},
        {"Z:\\tmp", "/tmp"},
        {"E:\\Spiele", ""},
        {"Spiele\\Z7\\z7.exe", ""},
        {"\\Spiele\\Z7\\z7.exe", ""},
        {"\\\\server\\share\\z7.exe", ""},
        {"C:Spiele", ""},
        {"1:\\Spiele", ""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(platform.hostPath(c.windows), c.host) << c.windows;
}

TEST(WinePaths, ExactSpellingWinsOverOtherCase)
{
    const WinePrefix prefix;
    prefix.write("drive_c/spiele/z7/z7.exe", "lower");
    EXPECT_EQ(prefix.platform().readFile("C:\\Spiele\\Z7\\z7.exe"), "lower");
    EXPECT_EQ(prefix.platform().readFile("C:\\Spiele\\Z7\\Z7.EXE"), "MZ");
}

TEST(WinePaths, DriveLinks)
{
    const WinePrefix prefix;
    prefix.link("/nonexistent-z7-target", "dosdevices/e:");
    prefix.link("/nonexistent-z7-target", "dosdevices/y:");
    WinePlatform platform = prefix.platform();
    EXPECT_FALSE(platform.fileExists("E:\\z7.exe")) << "dangling link";
    EXPECT_EQ(platform.hostPath("Z:\\etc"), "/etc") << "Z: is the root without a link";
    prefix.link("../drive_c", "dosdevices/z:");
    EXPECT_EQ(platform.hostPath("Z:\\Spiele"), prefix.path() + "/dosdevices/z:/spiele");
    EXPECT_EQ(platform.hostPath("Y:\\Spiele"), "");

    prefix.remove("dosdevices/c:");
    EXPECT_FALSE(platform.fileExists("C:\\Spiele\\Z7\\z7.exe"));
    EXPECT_EQ(platform.hostPath("C:\\Spiele"), "");
    const auto message = [&](auto call) {
        try {
            call();
        } catch (const Error &error) {
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(message([&] { platform.readFile("C:\\Spiele\\Z7\\z7.exe"); }),
              "Datei C:\\Spiele\\Z7\\z7.exe kann nicht geöffnet werden. " +
                  std::string(platform_texts::PathNotFound));
    EXPECT_EQ(message([&] { platform.writeFile("C:\\Spiele\\Z7\\z7_model.txt", "x"); }),
              "Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt werden. " +
                  std::string(platform_texts::PathNotFound));
}

// Keeps the previous file size limit and SIGXFSZ handling and puts them back.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_previous{};
    void (*m_handler)(int) = nullptr;
};

TEST(WineFiles, FailedWriteKeepsThePreviousFileWhole)
{
    const WinePrefix prefix;
    WinePlatform platform = prefix.platform();
    const std::string model = "C:\\Spiele\\Z7\\z7_model.txt";
    platform.writeFile(model, "old contents");
    std::optional<std::string> message;
    {
        // The disk "fills up" after 16 bytes of the new file.
        const FileSizeLimit limit(16);
        try {
            platform.writeFile(model, std::string(100000, 'x'));
        } catch (const Error &error) {
            message = error.what();
        }
    }
    ASSERT_TRUE(message) << "write reported success";
    EXPECT_EQ(*message,
              "Datei \"" + model + "\" kann nicht erstellt werden. " + platform_texts::DiskFull);
    EXPECT_EQ(platform.readFile(model), "old contents");
    EXPECT_EQ(QDir(prefix.host("drive_c/spiele/z7")).entryList(QDir::Files | QDir::Hidden).size(),
              2)
        << "no temporary file left beside z7_model.txt and Z7.EXE";
}

// The replacement is a new file; it must not come out with the permissions a
// new file gets (nor private, as temporary files are made) when the player
// had the old one writable for the group that plays.
TEST(WineFiles, ReplacementKeepsThePermissionsOfTheOldFile)
{
    const WinePrefix prefix;
    WinePlatform platform = prefix.platform();
    const QString host = prefix.host("drive_c/spiele/z7/z7_model.txt");
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                      QFile::ReadOther;
    platform.writeFile("C:\\Spiele\\Z7\\z7_model.txt", "first");
    ASSERT_TRUE(QFile::setPermissions(host, mode));
    platform.writeFile("C:\\Spiele\\Z7\\z7_model.txt", "second");
    EXPECT_EQ(QFile::permissions(host) & ~(QFile::ReadUser | QFile::WriteUser), mode);
    EXPECT_EQ(platform.readFile("C:\\Spiele\\Z7\\z7_model.txt"), "second");
}

TEST(WineFiles, WriteFollowsALinkedFolder)
{
    // Wine links the user's Documents into the home folder.
    const WinePrefix prefix;
    QTemporaryDir home;
    prefix.mkpath("drive_c/users/spieler");
    prefix.link(home.path().toUtf8().constData(), "drive_c/users/spieler/Documents");
    WinePlatform platform = prefix.platform();
    platform.writeFile("C:\\users\\spieler\\Documents\\Tellmar Modell Dateien.pdf", "%PDF");
    QFile written(home.filePath(QStringLiteral("Tellmar Modell Dateien.pdf")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "%PDF");
}

// Sets an environment variable for the lifetime of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_previous(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_previous;
};

TEST(WineDocuments, PrefixUsersFolderElseHostFolderOnZ)
{
    const WinePrefix prefix;
    QTemporaryDir home;
    const ScopedEnv user("USER", "spieler");
    const ScopedEnv homeEnv("HOME", home.path().toUtf8());
    const ScopedEnv xdg("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    WinePlatform platform = prefix.platform();

    EXPECT_EQ(platform.documentsFolder(),
              "Z:" + QString(home.path() + u"/Documents").replace(u'/', u'\\').toStdString());

    prefix.mkpath("drive_c/Users/SPIELER/documents");
    EXPECT_EQ(platform.documentsFolder(), "C:\\users\\spieler\\Documents");
    EXPECT_EQ(SpecialFolderPath(platform, DocumentsFolderNumber), "C:\\users\\spieler\\Documents");
}

// Which user folder of C:\users holds the Documents folder that the guide goes to.
struct UserFolderCase
{
    const char *why;
    std::vector<const char *> folders; // under drive_c/users
    const char *documents;             // nothing: the host's Documents
};

TEST(WineDocuments, FolderOfThePrefixOwnUser)
{
    const UserFolderCase cases[] = {
        {"the login name", {"spieler/Documents", "Public/Documents"}, "spieler"},
        {"Proton's user", {"steamuser/Documents", "Public/Documents"}, "steamuser"},
        {"the login name before Proton's user",
         {"steamuser/Documents", "spieler/Documents"},
         "spieler"},
        {"Proton's user in another letter case", {"SteamUser/documents"}, "steamuser"},
        {"a login folder without Documents", {"spieler", "steamuser/Documents"}, "steamuser"},
        {"the one other user", {"Public/Documents", "anna/Documents"}, "anna"},
        {"the one other user beside an empty login folder", {"spieler", "anna/Documents"}, "anna"},
        {"two other users: nobody's", {"anna/Documents", "bert/Documents"}, nullptr},
        {"shared folders are nobody's", {"Public/Documents", "Default/Documents"}, nullptr},
        {"no user folder", {}, nullptr},
    };
    for (const UserFolderCase &c : cases) {
        const WinePrefix prefix;
        QTemporaryDir home;
        const ScopedEnv user("USER", "spieler");
        const ScopedEnv homeEnv("HOME", home.path().toUtf8());
        const ScopedEnv xdg("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        for (const char *folder : c.folders)
            prefix.mkpath((std::string("drive_c/users/") + folder).c_str());
        const std::string expected =
            c.documents
                ? std::string("C:\\users\\") + c.documents + "\\Documents"
                : "Z:" + QString(home.path() + u"/Documents").replace(u'/', u'\\').toStdString();
        EXPECT_EQ(prefix.platform().documentsFolder(), expected) << c.why;
    }
}

TEST(WineProcesses, NamesFromCommAndArgv0)
{
    QTemporaryDir proc;
    const auto entry = [&](const char *pid, const char *file, const QByteArray &bytes) {
        QDir().mkpath(proc.filePath(QString::fromUtf8(pid)));
        QFile out(proc.filePath(QString::fromUtf8(pid) + u'/' + QString::fromUtf8(file)));
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    };
    entry("1", "comm", "systemd\n");
    entry("1", "cmdline", QByteArray("/sbin/init\0splash\0", 18));
    entry("42", "comm", "z7.exe\n");
    entry("42", "cmdline", QByteArray("C:\\Spiele\\Z7\\Z7.EXE\0", 20));
    entry("43", "comm", "bash\n");
    entry("43", "cmdline", QByteArray("bash\0", 5));
    entry("44", "comm", "kworker/0:1\n"); // a kernel thread: no argv
    entry("45", "cmdline", QByteArray("/usr/bin/wine\0C:\\x.exe\0", 23));
    entry("self", "comm", "not a process\n");
    QDir().mkpath(proc.filePath(QStringLiteral("46"))); // ended while the list was taken

    WinePlatform platform("/nonexistent-prefix", proc.path().toStdString());
    std::vector<std::string> names = platform.processNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Z7.EXE", "bash", "init", "kworker/0:1", "systemd",
                                               "wine", "z7.exe"}));
    EXPECT_TRUE(IsProcessRunning(platform, "Z7.exe"));

    EXPECT_TRUE(WinePlatform("/nonexistent-prefix", "/nonexistent-proc").processNames().empty());
}

// Under Proton, Wine shows the game's Windows path as argv[0]; the launchers
// around it carry the path only among their arguments.
TEST(WineProcesses, SeesTheGameUnderProton)
{
    struct Case
    {
        const char *why;
        QByteArray comm;
        QByteArray cmdline;
        bool running;
    };
    const Case cases[] = {
        {"Proton's path on Z:", "Z7.exe\n",
         QByteArrayLiteral("Z:\\home\\u\\.steam\\steam\\steamapps\\common\\Ordavia\\Z7.exe\0"),
         true},
        {"the game's own path, another comm", "wine64-preload\n",
         QByteArrayLiteral("C:\\Spiele\\Z7\\Z7.exe\0-nointro\0"), true},
        {"a host path", "wine\n", QByteArrayLiteral("/home/u/Games/o/drive_c/Spiele/Z7/Z7.exe\0"),
         true},
        {"the game only as an argument", "python3\n",
         QByteArrayLiteral("python3\0/usr/bin/proton\0waitforexitandrun\0/home/u/Z7.exe\0"), false},
        {"another program of the game", "Z7Launcher.exe\n",
         QByteArrayLiteral("C:\\Spiele\\Z7\\Z7Launcher.exe\0"), false},
    };
    for (const Case &c : cases) {
        QTemporaryDir proc;
        QDir().mkpath(proc.filePath(QStringLiteral("4242")));
        for (const auto &[file, bytes] :
             {std::pair{"comm", c.comm}, std::pair{"cmdline", c.cmdline}}) {
            QFile out(proc.filePath(QStringLiteral("4242/") + QString::fromUtf8(file)));
            if (out.open(QIODevice::WriteOnly))
                out.write(bytes);
        }
        WinePlatform platform("/nonexistent-prefix", proc.path().toStdString());
        EXPECT_EQ(IsProcessRunning(platform, "Z7.exe"), c.running) << c.why;
    }
}

TEST(WineProcesses, SeesThisProcessInTheRealProcTable)
{
    WinePlatform platform("/nonexistent-prefix");
    const std::vector<std::string> names = platform.processNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "platform_tests"), names.end());
}

} // namespace
} // namespace z7
