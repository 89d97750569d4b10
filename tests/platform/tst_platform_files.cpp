// The file operations that the real backend and the tests' fake must agree
// on; every case runs against both.

#include "platform/error.h"
#include "platform/platform_texts.h"
#include "platform/platform_wine.h"
#include "tests/support/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace z7 {
namespace {

namespace texts = platform_texts;

// A backend and a way to lay out its disk by Windows paths.
class Disk
{
public:
    virtual ~Disk() = default;
    virtual Platform &platform() = 0;
    virtual void put(const std::string &path, const std::string &bytes) = 0;
    virtual void folder(const std::string &path) = 0;
    // The names in a folder, as the disk holds them.
    virtual QStringList namesIn(const std::string &folder) = 0;
    // A symbolic link at path to the file at target.
    virtual void link(const std::string &path, const std::string &target) = 0;
};

class WineDisk : public Disk
{
public:
    WineDisk()
        : m_platform(m_prefix.path().toStdString(), "/")
    {
        QDir(m_prefix.path()).mkpath(QStringLiteral("dosdevices"));
        QDir(m_prefix.path()).mkpath(QStringLiteral("drive_c"));
        QFile::link(QStringLiteral("../drive_c"),
                    m_prefix.filePath(QStringLiteral("dosdevices/c:")));
    }
    Platform &platform() override { return m_platform; }
    void put(const std::string &path, const std::string &bytes) override
    {
        QFile file(host(path));
        QDir().mkpath(QFileInfo(file).path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    void folder(const std::string &path) override { QDir().mkpath(host(path)); }
    QStringList namesIn(const std::string &folder) override
    {
        return QDir(host(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void link(const std::string &path, const std::string &target) override
    {
        ASSERT_TRUE(QFile::link(host(target), host(path)));
    }

private:
    QString host(const std::string &path) const
    {
        return QString::fromStdString(m_platform.hostPath(path));
    }
    QTemporaryDir m_prefix;
    WinePlatform m_platform;
};

class FakeDisk : public Disk
{
public:
    Platform &platform() override { return m_platform; }
    void put(const std::string &path, const std::string &bytes) override
    {
        m_platform.putFile(path, bytes);
    }
    void folder(const std::string &path) override { m_platform.createFolder(path); }
    QStringList namesIn(const std::string &folder) override
    {
        return QDir(QString::fromStdString(m_platform.hostPath(folder).string()))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void link(const std::string &path, const std::string &target) override
    {
        std::filesystem::create_symlink(m_platform.hostPath(target), m_platform.hostPath(path));
    }

private:
    FakePlatform m_platform;
};

struct Backend
{
    const char *name;
    std::function<std::unique_ptr<Disk>()> make;
};

class PlatformFiles : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        m_disk = GetParam().make();
        m_disk->folder("C:\\Spiele\\Z7");
    }
    Disk &disk() { return *m_disk; }
    Platform &platform() { return m_disk->platform(); }

    // The message of the z7::Error that the call throws; empty when it throws none.
    static std::string errorOf(const std::function<void()> &call)
    {
        try {
            call();
        } catch (const Error &error) {
            return error.what();
        }
        return {};
    }

private:
    std::unique_ptr<Disk> m_disk;
};

TEST_P(PlatformFiles, ExistsForFilesOnlyIgnoringLetterCase)
{
    disk().put("C:\\Spiele\\Z7\\Z7.EXE", "");
    EXPECT_TRUE(platform().fileExists("C:\\Spiele\\Z7\\Z7.EXE"));
    EXPECT_TRUE(platform().fileExists("c:\\SPIELE\\z7\\z7.exe"));
    EXPECT_FALSE(platform().fileExists("C:\\Spiele\\Z7")) << "a folder is no file";
    EXPECT_FALSE(platform().fileExists("C:\\Spiele\\Z7\\z7_model.txt"));
    EXPECT_FALSE(platform().fileExists("Spiele\\Z7\\z7.exe")) << "no drive letter";
}

TEST_P(PlatformFiles, MoveRenamesButNeverReplaces)
{
    disk().put("C:\\Spiele\\Z7\\z7_model.txt", "model");
    platform().moveFile("C:\\Spiele\\Z7\\z7_model.txt", "C:\\Spiele\\Z7\\z7_model.bak");
    EXPECT_FALSE(platform().fileExists("C:\\Spiele\\Z7\\z7_model.txt"));
    EXPECT_EQ(platform().readFile("C:\\Spiele\\Z7\\z7_model.bak"), "model");

    // Missing source: nothing happens, nothing is thrown.
    platform().moveFile("C:\\Spiele\\Z7\\z7_model.txt", "C:\\Spiele\\Z7\\z7_model.bak");
    EXPECT_EQ(platform().readFile("C:\\Spiele\\Z7\\z7_model.bak"), "model");

    // Existing target: both files stay as they are.
    disk().put("C:\\Spiele\\Z7\\z7_model.txt", "edited");
    platform().moveFile("C:\\Spiele\\Z7\\z7_model.txt", "C:\\Spiele\\Z7\\Z7_MODEL.BAK");
    EXPECT_EQ(platform().readFile("C:\\Spiele\\Z7\\z7_model.txt"), "edited");
    EXPECT_EQ(platform().readFile("C:\\Spiele\\Z7\\z7_model.bak"), "model");
}

TEST_P(PlatformFiles, ReadGivesEveryByte)
{
    const std::string bytes("Zeile 1\r\n\xE4\0\xFF\r\n", 13);
    disk().put("C:\\Spiele\\Z7\\z7_model.txt", bytes);
    EXPECT_EQ(platform().readFile("C:\\SPIELE\\Z7\\Z7_Model.txt"), bytes);
    disk().put("C:\\Spiele\\Z7\\empty.txt", "");
    EXPECT_EQ(platform().readFile("C:\\Spiele\\Z7\\empty.txt"), "");
}

TEST_P(PlatformFiles, ReadFailuresNameFileAndReason)
{
    struct Case
    {
        std::string path;
        const char *reason;
    };
    const Case cases[] = {
        {"C:\\Spiele\\Z7\\z7_model.txt", texts::FileNotFound},
        {"C:\\Spiele\\Fehlt\\z7_model.txt", texts::PathNotFound},
        {"C:\\Spiele\\Z7", texts::AccessDenied},
        {"z7_model.txt", texts::InvalidName},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(errorOf([&] { platform().readFile(c.path); }),
                  "Datei " + c.path + " kann nicht geöffnet werden. " + c.reason);
    }
}

TEST_P(PlatformFiles, WriteCreatesAndReplacesWithoutLeftovers)
{
    platform().writeFile("C:\\Spiele\\Z7\\z7_model.txt", "first");
    EXPECT_EQ(platform().readFile("C:\\Spiele\\Z7\\z7_model.txt"), "first");
    platform().writeFile("C:\\Spiele\\Z7\\Z7_MODEL.TXT", std::string("second\0", 7));
    EXPECT_EQ(platform().readFile("C:\\Spiele\\Z7\\z7_model.txt"), std::string("second\0", 7));
    EXPECT_EQ(disk().namesIn("C:\\Spiele\\Z7"), QStringList{QStringLiteral("z7_model.txt")});
}

TEST_P(PlatformFiles, WriteFailuresNameFileAndReasonAndCreateNothing)
{
    struct Case
    {
        std::string path;
        const char *reason;
    };
    const Case cases[] = {
        {"C:\\Spiele\\Fehlt\\z7_model.txt", texts::PathNotFound},
        {"C:\\Spiele\\Z7", texts::AccessDenied},
        {"z7_model.txt", texts::InvalidName},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(errorOf([&] { platform().writeFile(c.path, "x"); }),
                  "Datei \"" + c.path + "\" kann nicht erstellt werden. " + c.reason);
    }
    EXPECT_EQ(disk().namesIn("C:\\Spiele").size(), 1);
    EXPECT_TRUE(disk().namesIn("C:\\Spiele\\Z7").isEmpty());
}

// Only what a cut-off save leaves goes: names of another form (a player's
// "z7_model.txt.backup"), folders and links stay, whatever the letter case.
TEST_P(PlatformFiles, StaleTemporariesGoAndNothingElse)
{
    const std::string game = "C:\\Spiele\\Z7\\";
    for (const char *name :
         {"~z7edit-AbC123.tmp", "~Z7EDIT-4711-99.TMP", "z7_model.txt", "z7_model.txt.backup",
          "z7_model.txt.AbC123", "~z7edit-x.tmp.bak", "x~z7edit-1.tmp", "~z7edit.tmp"})
        disk().put(game + name, "bytes");
    disk().folder(game + "~z7edit-x.tmp");
    disk().link(game + "~z7edit-link.tmp", game + "z7_model.txt");
    disk().put("C:\\Spiele\\~z7edit-elsewhere.tmp", "another folder's");

    platform().removeStaleTemporaries(game);
    platform().removeStaleTemporaries("C:\\Spiele\\Fehlt");
    platform().removeStaleTemporaries("");

    QStringList left;
    for (const QString &name : disk().namesIn(game))
        left.append(name.toLower());
    left.sort();
    EXPECT_EQ(
        left.join(u' ').toStdString(),
        "x~z7edit-1.tmp z7_model.txt z7_model.txt.abc123 z7_model.txt.backup ~z7edit-link.tmp "
        "~z7edit-x.tmp ~z7edit-x.tmp.bak ~z7edit.tmp");
    EXPECT_EQ(platform().readFile(game + "~z7edit-link.tmp"), "bytes") << "the link still leads";
    EXPECT_TRUE(platform().fileExists("C:\\Spiele\\~z7edit-elsewhere.tmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Backends, PlatformFiles,
    testing::Values(Backend{"Wine", [] { return std::unique_ptr<Disk>(new WineDisk); }},
                    Backend{"Fake", [] { return std::unique_ptr<Disk>(new FakeDisk); }}),
    [](const testing::TestParamInfo<Backend> &info) { return std::string(info.param.name); });

TEST(FakePlatform, InjectedWriteFailureKeepsThePreviousFile)
{
    FakePlatform platform;
    platform.putFile("C:\\Spiele\\Z7\\z7_model.txt", "old");
    platform.failWrites(texts::DiskFull);
    try {
        platform.writeFile("C:\\Spiele\\Z7\\z7_model.txt", "new");
        ADD_FAILURE() << "write reported success";
    } catch (const Error &error) {
        EXPECT_STREQ(error.what(), "Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt "
                                   "werden. Auf dem Datenträger ist nicht genügend Speicherplatz "
                                   "vorhanden");
    }
    EXPECT_EQ(platform.fileContents("C:\\Spiele\\Z7\\z7_model.txt"), "old");
    EXPECT_TRUE(platform.writtenFiles().empty());
    platform.allowWrites();
    platform.writeFile("C:\\Spiele\\Z7\\z7_model.txt", "new");
    EXPECT_EQ(platform.fileContents("C:\\Spiele\\Z7\\z7_model.txt"), "new");
    EXPECT_EQ(platform.writtenFiles(), std::vector<std::string>{"C:\\Spiele\\Z7\\z7_model.txt"});
}

} // namespace
} // namespace z7
