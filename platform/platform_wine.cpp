#include "platform/platform_wine.h"

#include "platform/error.h"
#include "platform/platform_texts.h"
#include "platform/prefix_search_wine.h"
#include "platform/registry_wine.h"
#include "platform/temporary_names.h"
#include "platform/text_format.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace z7 {

namespace texts = platform_texts;

namespace {

// A Windows path mapped onto the host, or why it cannot be.
struct HostPath
{
    QString path;
    const char *failure = nullptr;
};

QString JoinHost(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

// Windows folds "." and ".." out of a path before it looks at the disk.
QStringList NormalizedComponents(const QString &rest)
{
    QStringList components;
    for (const QString &part : QString(rest).replace(u'/', u'\\').split(u'\\')) {
        if (part.isEmpty() || part == u".")
            continue;
        if (part == u"..") {
            if (!components.isEmpty())
                components.removeLast();
            continue;
        }
        components.append(part);
    }
    return components;
}

// The entry of the folder that matches the name without regard to letter case;
// the name itself when it exists as written or when nothing matches, so that a
// new file keeps the spelling it was given.
QString MatchInFolder(const QString &folder, const QString &name)
{
    const QString exact = JoinHost(folder, name);
    if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink())
        return exact;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (QString::compare(entry, name, Qt::CaseInsensitive) == 0)
            return JoinHost(folder, entry);
    }
    return exact;
}

std::string ReasonFromErrno(int error, const QString &hostPath)
{
    switch (error) {
    case ENOENT:
        return QFileInfo(QFileInfo(hostPath).path()).isDir() ? texts::FileNotFound
                                                             : texts::PathNotFound;
    case ENOTDIR:
        return texts::PathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return texts::AccessDenied;
    case EROFS:
        return texts::WriteProtected;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return texts::DiskFull;
    case ENAMETOOLONG:
        return texts::NameTooLong;
    case EBUSY:
    case ETXTBSY:
        return texts::InUse;
    case EMFILE:
    case ENFILE:
        return texts::TooManyOpenFiles;
    case EIO:
        return texts::DeviceError;
    default:
        return Format(texts::SystemErrorWithCause, {std::to_string(error), std::strerror(error)});
    }
}

std::string LoginName()
{
    if (const char *user = std::getenv("USER"); user && *user)
        return user;
    const passwd *entry = ::getpwuid(::geteuid());
    return entry && entry->pw_name ? entry->pw_name : std::string();
}

std::string HomeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    const passwd *entry = ::getpwuid(::geteuid());
    return entry && entry->pw_dir ? entry->pw_dir : std::string();
}

QByteArray ReadWhole(const QString &path)
{
    // Files under /proc report a size of 0; read until the end instead.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return file.readAll();
}

bool AllDigits(const QString &text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

HostPath Resolve(const std::string &prefix, const std::string &windowsPath)
{
    const QString path = QString::fromStdString(windowsPath);
    const bool hasDrive = path.size() >= 2 && path[1] == u':' && path[0].unicode() < 0x80 &&
                          path[0].isLetter() &&
                          (path.size() == 2 || path[2] == u'\\' || path[2] == u'/');
    if (!hasDrive)
        return {{}, texts::InvalidName};

    const QChar drive = path[0].toLower();
    const QString link = QString::fromStdString(prefix) + u"/dosdevices/" + drive + u':';
    QString current = link;
    if (!QFileInfo::exists(link)) {
        // Wine maps Z: to the root folder unless the prefix says otherwise.
        if (drive != u'z' || QFileInfo(link).isSymLink())
            return {{}, texts::PathNotFound};
        current = QStringLiteral("/");
    }
    for (const QString &component : NormalizedComponents(path.mid(2)))
        current = MatchInFolder(current, component);
    return {current, nullptr};
}

// The folders of C:\users that may be the prefix user's, best first: the
// login name (Wine's own rule), Proton's "steamuser", else the one user folder
// there is. Windows' shared folders are nobody's.
std::vector<std::string> PrefixUsers(const std::string &prefix, const std::string &login)
{
    static const QStringList Shared = {QStringLiteral("Public"), QStringLiteral("Default"),
                                       QStringLiteral("Default User"), QStringLiteral("All Users")};
    std::vector<std::string> users;
    if (!login.empty())
        users.push_back(login);
    users.emplace_back("steamuser");
    const HostPath folder = Resolve(prefix, "C:\\users");
    QStringList others;
    if (!folder.failure) {
        for (const QString &name : QDir(folder.path).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const bool named = std::any_of(users.begin(), users.end(), [&](const std::string &u) {
                return QString::compare(name, QString::fromStdString(u), Qt::CaseInsensitive) == 0;
            });
            if (!named && !Shared.contains(name, Qt::CaseInsensitive))
                others.append(name);
        }
    }
    if (others.size() == 1)
        users.push_back(others.first().toStdString());
    return users;
}

// The file a write to the path replaces: the end of its chain of links
// (a relative link counts from its own folder). A chain that goes round in a
// circle leads to no file the game could read; the path itself is then
// replaced by a real file.
QString FollowLinks(const QString &path)
{
    QByteArray current = QFile::encodeName(path);
    for (int hop = 0; hop < 40; ++hop) {
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.constData(), buffer, sizeof buffer);
        if (length < 0)
            return QFile::decodeName(current);
        QByteArray next(buffer, length);
        if (!next.startsWith('/'))
            next = current.left(current.lastIndexOf('/') + 1) + next;
        current = next;
    }
    return path;
}

// Creates a new file "~z7edit-XXXXXX.tmp" in the folder, open for writing;
// its path goes to temporary. -1 with errno on failure.
int CreateTemporaryIn(const QByteArray &folder, QByteArray &temporary)
{
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, int(sizeof Letters) - 2);
    for (int attempt = 0;; ++attempt) {
        std::string name(TemporaryPrefix);
        for (int i = 0; i < 6; ++i)
            name += Letters[pick(random)];
        name += TemporarySuffix;
        temporary = folder + '/' + QByteArray::fromStdString(name);
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || attempt == 100)
            return fd;
    }
}

} // namespace

std::string WinePlatform::defaultPrefix()
{
    const char *prefix = std::getenv("WINEPREFIX");
    return FindGamePrefix(HomeFolder(), prefix ? prefix : "");
}

WinePlatform::WinePlatform(std::string prefix, std::string procRoot)
    : m_prefix(std::move(prefix))
    , m_procRoot(std::move(procRoot))
{
}

std::string WinePlatform::hostPath(const std::string &windowsPath) const
{
    const HostPath host = Resolve(m_prefix, windowsPath);
    return host.failure ? std::string() : host.path.toStdString();
}

std::vector<std::string> WinePlatform::processNames()
{
    std::vector<std::string> names;
    const QDir proc(QString::fromStdString(m_procRoot));
    for (const QString &pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!AllDigits(pid))
            continue;
        // A process may end while the list is taken; it then simply yields no name.
        QByteArray comm = ReadWhole(proc.filePath(pid + u"/comm"));
        if (comm.endsWith('\n'))
            comm.chop(1);
        QByteArray argv0 = ReadWhole(proc.filePath(pid + u"/cmdline"));
        if (const qsizetype nul = argv0.indexOf('\0'); nul >= 0)
            argv0.truncate(nul);
        // Wine shows a Windows program's own path as argv[0], with either separator.
        argv0 = argv0.mid(std::max(argv0.lastIndexOf('/'), argv0.lastIndexOf('\\')) + 1);
        if (!comm.isEmpty())
            names.push_back(comm.toStdString());
        if (!argv0.isEmpty() && argv0 != comm)
            names.push_back(argv0.toStdString());
    }
    return names;
}

std::string WinePlatform::readRegistryText(const std::string &key, const std::string &value)
{
    return ReadWineRegistryText(m_prefix + "/system.reg", key, value);
}

std::string WinePlatform::documentsFolder()
{
    // Wine links the prefix user's Documents into the home folder; the host's
    // own folder stands in for prefixes that have none.
    for (const std::string &user : PrefixUsers(m_prefix, LoginName())) {
        const std::string documents = "C:\\users\\" + user + "\\Documents";
        const HostPath host = Resolve(m_prefix, documents);
        if (!host.failure && QFileInfo(host.path).isDir())
            return documents;
    }
    QString host = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (host.isEmpty())
        return {};
    host.replace(u'/', u'\\');
    while (host.endsWith(u'\\'))
        host.chop(1);
    return "Z:" + host.toStdString();
}

bool WinePlatform::fileExists(const std::string &path)
{
    const HostPath host = Resolve(m_prefix, path);
    return !host.failure && QFileInfo(host.path).isFile();
}

void WinePlatform::moveFile(const std::string &from, const std::string &to)
{
    const HostPath source = Resolve(m_prefix, from);
    const HostPath target = Resolve(m_prefix, to);
    if (source.failure || target.failure)
        return;
    // QFile::rename never replaces an existing target, which is what a move
    // on Windows does too.
    QFile::rename(source.path, target.path);
}

std::string WinePlatform::readFile(const std::string &path)
{
    const HostPath host = Resolve(m_prefix, path);
    if (host.failure)
        throw Error(Format(texts::CannotOpen, {path, host.failure}));

    const int fd = ::open(QFile::encodeName(host.path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error(Format(texts::CannotOpen, {path, ReasonFromErrno(errno, host.path)}));
    struct stat info
    {
    };
    int error = ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    std::string bytes;
    char buffer[65536];
    while (!error) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
        else if (got == 0)
            break;
        else if (errno != EINTR)
            error = errno;
    }
    ::close(fd);
    if (error)
        throw Error(Format(texts::CannotOpen, {path, ReasonFromErrno(error, host.path)}));
    return bytes;
}

void WinePlatform::writeFile(const std::string &path, const std::string &bytes)
{
    const HostPath host = Resolve(m_prefix, path);
    if (host.failure)
        throw Error(Format(texts::CannotCreate, {path, host.failure}));
    // A linked model file is saved where the link leads, and the link stays.
    const QString real = FollowLinks(host.path);
    const QFileInfo target(real);
    if (target.isDir() || (target.exists() && !target.isWritable()))
        throw Error(Format(texts::CannotCreate, {path, texts::AccessDenied}));
    if (!QFileInfo(target.path()).isDir())
        throw Error(Format(texts::CannotCreate, {path, texts::PathNotFound}));

    // The new contents go to a temporary file beside the target, reach the
    // disk, and only then replace the target in one rename: a crash, a kill
    // or a full disk never leaves a cut-off model file. Its name is one the
    // next start recognises and clears away (removeStaleTemporaries).
    const QByteArray folder = QFile::encodeName(target.path());
    const QByteArray targetName = QFile::encodeName(real);
    QByteArray temporary;
    const int fd = CreateTemporaryIn(folder, temporary);
    if (fd < 0) {
        // A folder that is there but answers "no such file" to a new one (a
        // kernel file system such as /proc) refuses new files.
        const int error = errno;
        const bool refused = error == ENOENT && QFileInfo(target.path()).isDir();
        throw Error(
            Format(texts::CannotCreate, {path, ReasonFromErrno(refused ? EACCES : error, real)}));
    }

    bool stillOpen = true;
    auto fail = [&](int error) {
        if (stillOpen)
            ::close(fd);
        ::unlink(temporary.constData());
        throw Error(Format(texts::CannotCreate, {path, ReasonFromErrno(error, real)}));
    };
    // The replacement keeps the permissions of the file it replaces; a failure
    // here costs nothing but those.
    struct stat previous
    {
    };
    if (::stat(targetName.constData(), &previous) == 0 && S_ISREG(previous.st_mode))
        ::fchmod(fd, previous.st_mode & 07777);

    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - written, 1u << 30);
        const ssize_t done = ::write(fd, bytes.data() + written, chunk);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (done == 0) // no error and no progress: the medium takes nothing more
            fail(ENOSPC);
        written += static_cast<std::size_t>(done);
    }
    // A failed flush means the bytes may never reach the disk.
    if (::fsync(fd) != 0)
        fail(errno);
    stillOpen = false;
    if (::close(fd) != 0)
        fail(errno);
    if (::rename(temporary.constData(), targetName.constData()) != 0)
        fail(errno);
    // Makes the rename itself last. The new file is in place by now, so a
    // folder that cannot be flushed (some file systems refuse) fails nothing.
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void WinePlatform::removeStaleTemporaries(const std::string &folder)
{
    const HostPath host = Resolve(m_prefix, folder);
    if (host.failure)
        return;
    DIR *dir = ::opendir(QFile::encodeName(host.path).constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    // Named first and removed after, so that the listing never sees a folder
    // that changes under it.
    std::vector<std::string> stale;
    while (const dirent *entry = ::readdir(dir)) {
        struct stat info
        {
        };
        if (IsTemporaryName(entry->d_name) &&
            ::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode))
            stale.emplace_back(entry->d_name);
    }
    for (const std::string &name : stale)
        ::unlinkat(dirFd, name.c_str(), 0);
    ::closedir(dir);
}

std::unique_ptr<Platform> CreateSystemPlatform()
{
    return std::make_unique<WinePlatform>();
}

} // namespace z7

// ---------------------------------------------------------------------------
// One editor per game folder: a lock the kernel holds for the process and
// drops when the process ends, however it ends.

namespace z7 {

struct WinePlatform::FolderClaim
{
    std::string lockFile;
    int fd = -1;
    ~FolderClaim()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

// A folder that only this user can enter, and not a link to one elsewhere.
bool IsPrivateFolder(const std::string &folder)
{
    struct stat info
    {
    };
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// Where the lock files live: the user's runtime folder, which the system keeps
// private and empties at logout; else a folder of the user's own in /tmp. Not
// $TMPDIR: two starts with different settings must still meet. Empty when
// neither folder can be trusted.
std::string LockFolder()
{
    if (const char *runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime && runtime[0] == '/' && IsPrivateFolder(runtime))
        return runtime;
    const std::string own = "/tmp/z7edit-" + std::to_string(::geteuid());
    ::mkdir(own.c_str(), 0700);
    return IsPrivateFolder(own) ? own : std::string();
}

} // namespace

bool WinePlatform::claimGameFolder(const std::string &gamePath)
{
    // One folder, however it is reached: letter case resolved against the
    // disk, links (dosdevices, a linked prefix) followed to the real folder.
    std::string folder = hostPath(gamePath);
    if (folder.empty())
        return true;
    if (char resolved[PATH_MAX]; ::realpath(folder.c_str(), resolved))
        folder = resolved;
    const std::string lockFolder = LockFolder();
    if (lockFolder.empty())
        return true;
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(folder), QCryptographicHash::Sha256);
    const std::string lockFile =
        lockFolder + "/z7edit-" + digest.toHex().left(32).toStdString() + ".lock";
    if (m_claim && m_claim->lockFile == lockFile)
        return true;

    auto claim = std::make_shared<FolderClaim>();
    claim->lockFile = lockFile;
    claim->fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (claim->fd < 0)
        return true;
    if (::flock(claim->fd, LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;
    m_claim = std::move(claim);
    return true;
}

void WinePlatform::showOtherEditor(const std::string &)
{
    // X11 and Wayland let a program raise only its own windows; the message
    // that the editor is open already is all this side can do.
}

} // namespace z7
