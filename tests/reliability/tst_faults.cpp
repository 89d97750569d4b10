// Saves that fail for real, through the Wine backend and the model store: a
// full disk, a read-only or immutable file system object, a folder where
// the model file belongs, a missing or replaced game folder, a kernel file
// system. The tests run as root in CI, so every failure is one that root
// cannot bypass. After each: the previous file is byte for byte as it was,
// no temporary file is left, the error names the file in German, and the
// save is not taken for done.

#include "app/tmain.h"
#include "editor/record_editor.h"
#include "model/model_store.h"
#include "model/textcodec.h"
#include "platform/error.h"
#include "platform/platform_texts.h"
#include "platform/platform_wine.h"
#include "resources/qt_resource_source.h"
#include "tests/reliability/game_prefix.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/treeview.h"
#include "ui/qt/valueedit.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>

#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace z7::test {
namespace {

namespace texts = platform_texts;

const std::string ModelPath = "C:\\Spiele\\Z7\\z7_model.txt";

std::string CannotCreate(const std::string &path, const char *reason)
{
    return "Datei \"" + path + "\" kann nicht erstellt werden. " + reason;
}

// Mounts made by a test stay in a mount namespace of this process's own.
bool PrivateMounts()
{
    static const bool ok = ::unshare(CLONE_NEWNS) == 0 &&
                           ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ok;
}

// A small tmpfs over a folder, holding what the folder held; gone again at
// the end of the test.
class Tmpfs
{
public:
    Tmpfs(const QString &folder, int kilobytes)
        : m_folder(folder)
    {
        QDir source(folder);
        for (const QString &name : source.entryList(QDir::Files))
            m_files[name] = readAll(source.filePath(name));
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = PrivateMounts() && ::mount("tmpfs", QFile::encodeName(folder).constData(),
                                               "tmpfs", 0, options.constData()) == 0;
        for (auto it = m_files.cbegin(); m_mounted && it != m_files.cend(); ++it) {
            QFile file(source.filePath(it.key()));
            m_mounted =
                file.open(QIODevice::WriteOnly) && file.write(it.value()) == it.value().size();
        }
    }
    ~Tmpfs()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    bool makeReadOnly()
    {
        return ::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString m_folder;
    QMap<QString, QByteArray> m_files;
    bool m_mounted = false;
};

// The immutable attribute, which even root must take off before a change;
// taken off again at the end so that the test can clean up.
class Immutable
{
public:
    explicit Immutable(const QString &path)
        : m_path(QFile::encodeName(path))
    {
        m_set = change(true);
    }
    ~Immutable()
    {
        if (m_set)
            change(false);
    }
    bool set() const { return m_set; }

private:
    bool change(bool on)
    {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }
    QByteArray m_path;
    bool m_set = false;
};

// Files may grow to `bytes` only; SIGXFSZ ignored so that the write fails instead.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_previous{};
    void (*m_handler)(int) = nullptr;
};

// What a failed operation left: its message, or nothing when it claimed success.
std::optional<std::string> Failure(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const Error &error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

// Everything under a folder (links as links), with each file's bytes, for
// "nothing changed".
QMap<QString, QByteArray> Snapshot(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        QByteArray &entry = entries[QDir(folder).relativeFilePath(path)];
        if (info.isSymLink()) {
            entry = "<link to " + info.symLinkTarget().toUtf8() + ">";
        } else if (info.isDir()) {
            entry = "<folder>";
        } else {
            QFile file(path);
            entry = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
        }
    }
    return entries;
}

struct Fault
{
    const char *name;
    // Breaks the prefix; returns the reason the error must give, or nullptr
    // to skip (the machine cannot make this failure). Whatever it sets up
    // lives in `keep` until the test ends.
    std::function<const char *(GamePrefix &, std::vector<std::shared_ptr<void>> &keep)> make;
    // The folder whose contents must not change.
    const char *watched = "drive_c/Spiele";
    // The game folder the store writes into, and so the file the error names.
    const char *gamePath = "C:\\Spiele\\Z7\\";
};

class FailedSave : public ::testing::TestWithParam<Fault>
{
};

TEST_P(FailedSave, KeepsTheOldFileAndReportsTheGermanError)
{
    GamePrefix prefix;
    ASSERT_TRUE(prefix.made());
    WinePlatform platform(prefix.path().toStdString());
    ModelStore store(platform, ProgramResources());
    store.setGamePath(u"C:\\Spiele\\Z7\\");
    store.LoadReferenceModel();
    store.InstallDefaultModel();
    store.LoadWorkingModel();

    std::vector<std::shared_ptr<void>> keep;
    const char *reason = GetParam().make(prefix, keep);
    if (!reason)
        GTEST_SKIP() << "this machine cannot make the failure (mounts or file attributes refused)";
    const QString watched = QDir(prefix.path()).filePath(QString::fromUtf8(GetParam().watched));
    const QMap<QString, QByteArray> before = Snapshot(watched);
    store.setGamePath(FromUtf8(GetParam().gamePath));
    const std::string expected = CannotCreate(ToUtf8(store.modelFilePath()), reason);

    // A building, a house with its companion, the whole-model reset and the
    // default model: every way the program writes the model file.
    const Lines workingBefore = store.WorkingModel;
    store.LoadEntrySlots(u"Theater", 0);
    store.CurrentBuilding[3] = u"75";
    EXPECT_EQ(Failure([&] { store.StoreEntrySlots(u"Theater", 0); }), expected);
    store.LoadEntrySlots(u"Kleines Zelt", 100);
    store.CurrentHouse[20] = u"9";
    EXPECT_EQ(Failure([&] { store.StoreEntrySlots(u"Kleines Zelt", 100); }), expected);
    const Lines workingAfterStores = store.WorkingModel;
    EXPECT_EQ(Failure([&] { store.ResetWholeModel(); }), expected);
    EXPECT_TRUE(store.WorkingModel == workingAfterStores)
        << "a failed reset changed the working model";
    EXPECT_EQ(Failure([&] { store.InstallDefaultModel(); }), expected);
    EXPECT_TRUE(workingAfterStores != workingBefore)
        << "the failed stores kept their lines in memory";

    EXPECT_EQ(Snapshot(watched), before) << "the folder changed: a file was written or left behind";
}

// Writes of 4 KiB pass; the file size limit stops the next one, as a full disk would.
class LimitedFile
{
public:
    LimitedFile()
        : m_limit(4096)
    {
    }

private:
    FileSizeLimit m_limit;
};

INSTANTIATE_TEST_SUITE_P(
    Faults, FailedSave,
    ::testing::Values(Fault{"DiskFullByFileSizeLimit",
                            [](GamePrefix &, auto &keep) {
                                keep.push_back(std::make_shared<LimitedFile>());
                                return texts::DiskFull;
                            }},
                      Fault{"DiskFullOnASmallTmpfs",
                            [](GamePrefix &prefix, auto &keep) -> const char * {
                                // Room for the model file and one more page, not for a second copy.
                                auto tmpfs = std::make_shared<Tmpfs>(prefix.game(), 12);
                                keep.push_back(tmpfs);
                                return tmpfs->mounted() ? texts::DiskFull : nullptr;
                            }},
                      Fault{"ReadOnlyFileSystem",
                            [](GamePrefix &prefix, auto &keep) -> const char * {
                                auto tmpfs = std::make_shared<Tmpfs>(prefix.game(), 1024);
                                keep.push_back(tmpfs);
                                return tmpfs->mounted() && tmpfs->makeReadOnly()
                                           ? texts::AccessDenied
                                           : nullptr;
                            }},
                      Fault{"ImmutableModelFile",
                            [](GamePrefix &prefix, auto &keep) -> const char * {
                                auto flag = std::make_shared<Immutable>(prefix.model());
                                keep.push_back(flag);
                                return flag->set() ? texts::AccessDenied : nullptr;
                            }},
                      Fault{"ImmutableGameFolder",
                            [](GamePrefix &prefix, auto &keep) -> const char * {
                                auto flag = std::make_shared<Immutable>(prefix.game());
                                keep.push_back(flag);
                                return flag->set() ? texts::AccessDenied : nullptr;
                            }},
                      Fault{"FolderWhereTheModelFileBelongs",
                            [](GamePrefix &prefix, auto &) {
                                QFile::remove(prefix.model());
                                QDir().mkpath(prefix.model() + QStringLiteral("/inside"));
                                return texts::AccessDenied;
                            }},
                      Fault{"GameFolderMissing",
                            [](GamePrefix &prefix, auto &) {
                                QDir(prefix.game()).removeRecursively();
                                return texts::PathNotFound;
                            }},
                      Fault{"GameFolderIsAFile",
                            [](GamePrefix &prefix, auto &) {
                                QDir(prefix.game()).removeRecursively();
                                QFile file(prefix.game());
                                file.open(QIODevice::WriteOnly);
                                file.write("a file named like the game folder");
                                return texts::PathNotFound;
                            }},
                      Fault{"GameFolderInsideProc",
                            [](GamePrefix &prefix, auto &) {
                                // Drive P: of the prefix is the kernel's view of this process.
                                QFile::link(QStringLiteral("/proc/self"),
                                            prefix.path() + QStringLiteral("/dosdevices/p:"));
                                return texts::AccessDenied;
                            },
                            "drive_c/Spiele", "P:\\"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace z7::test

namespace z7::test {
namespace {

// The first start moves the game's own model file aside and then writes the
// default one. When that write fails (here: the disk is full), the game must
// still find a model file: the game's own, or the default one whole.
// Disabled: the start-up moves the file before it knows that the default can
// be written, and the game folder is then left without a model file.
TEST(FailedFirstStart, LeavesTheGameAModelFile)
{
    GamePrefix prefix;
    ASSERT_TRUE(prefix.made());
    const QByteArray own(8000, 'g');
    prefix.putModel(own);
    MessageBoxSeam::clear();
    WinePlatform platform(prefix.path().toStdString());
    QtWindow skin;
    TMain window(platform, skin, ProgramResources());
    {
        const FileSizeLimit limit(4096);
        window.FormCreate();
    }
    ASSERT_FALSE(MessageBoxSeam::shown().isEmpty()) << "the failed write was not reported";
    EXPECT_TRUE(MessageBoxSeam::shown().first().text.startsWith(
        QStringLiteral("Datei \"C:\\Spiele\\Z7\\z7_model.txt\" kann nicht erstellt werden.")));
    const QByteArray model = prefix.modelBytes();
    EXPECT_TRUE(model == own || model.startsWith("ALL BUILDINGS\r\n"))
        << "the game finds " << model.left(40).toStdString();
}

} // namespace
} // namespace z7::test

namespace z7::test {
namespace {

// A model file that is a symbolic link (a player who keeps the file on
// another drive, or a link left broken): the save goes to where the link
// leads, whole and in one rename there, and the link stays a link. A link
// that leads round in a circle holds nothing the game could read; the save
// puts a real file in its place.
struct LinkCase
{
    const char *name;
    const char *target; // the link's target, relative to the game folder
    bool targetExists;
    const char *writtenHere; // where the new contents end up, relative to the game folder
    bool stillALink;
};

class LinkedModelFile : public ::testing::TestWithParam<LinkCase>
{
};

TEST_P(LinkedModelFile, SaveGoesWhereTheLinkLeads)
{
    const LinkCase &c = GetParam();
    GamePrefix prefix;
    ASSERT_TRUE(prefix.made());
    QDir(prefix.game()).mkpath(QStringLiteral("../Daten"));
    WinePlatform platform(prefix.path().toStdString());
    ModelStore store(platform, ProgramResources());
    store.setGamePath(u"C:\\Spiele\\Z7\\");
    store.LoadReferenceModel();
    store.InstallDefaultModel();
    store.LoadWorkingModel();
    const QString target = QDir(prefix.game()).filePath(QString::fromUtf8(c.target));
    QFile::remove(prefix.model());
    if (c.targetExists) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(":/RT_RCDATA/DE_MODELL"), target));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    ASSERT_TRUE(QFile::link(QString::fromUtf8(c.target), prefix.model()));

    store.LoadEntrySlots(u"Theater", 0);
    store.CurrentBuilding[3] = u"75";
    ASSERT_NO_THROW(store.StoreEntrySlots(u"Theater", 0));

    const QFileInfo model(prefix.model());
    EXPECT_EQ(model.isSymLink(), c.stillALink);
    if (c.stillALink) {
        EXPECT_EQ(model.symLinkTarget(), QFileInfo(target).absoluteFilePath());
    }
    QFile written(QDir(prefix.game()).filePath(QString::fromUtf8(c.writtenHere)));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().toStdString() ==
                EncodeLines(store.WorkingModel, TextEncoding::Ansi));
    for (const QString &folder :
         {prefix.game(), QDir(prefix.game()).filePath(QStringLiteral("../Daten"))}) {
        for (const QString &name :
             QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden))
            EXPECT_FALSE(name.contains(QStringLiteral(".txt.")))
                << "left behind: " << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Links, LinkedModelFile,
                         ::testing::Values(LinkCase{"ToAFileElsewhere", "../Daten/modell.txt", true,
                                                    "../Daten/modell.txt", true},
                                           LinkCase{"ToAMissingFile", "../Daten/modell.txt", false,
                                                    "../Daten/modell.txt", true},
                                           LinkCase{"ToItself", "z7_model.txt", false,
                                                    "z7_model.txt", false}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace z7::test
