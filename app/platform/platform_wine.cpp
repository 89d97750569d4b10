#include "platform_wine.h"

#include "error.h"
#include "platform_texts.h"
#include "registry_wine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
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
        return "Systemfehler " + std::to_string(error) + " (" + std::strerror(error) + ")";
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

} // namespace

std::string WinePlatform::defaultPrefix()
{
    if (const char *prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    return HomeFolder() + "/.wine";
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
    if (const std::string login = LoginName(); !login.empty()) {
        const std::string documents = "C:\\users\\" + login + "\\Documents";
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
        throw Error(texts::CannotOpen(path, host.failure));

    const int fd = ::open(QFile::encodeName(host.path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error(texts::CannotOpen(path, ReasonFromErrno(errno, host.path)));
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
        throw Error(texts::CannotOpen(path, ReasonFromErrno(error, host.path)));
    return bytes;
}

void WinePlatform::writeFile(const std::string &path, const std::string &bytes)
{
    const HostPath host = Resolve(m_prefix, path);
    if (host.failure)
        throw Error(texts::CannotCreate(path, host.failure));
    const QFileInfo target(host.path);
    if (target.isDir() || (target.exists() && !target.isWritable()))
        throw Error(texts::CannotCreate(path, texts::AccessDenied));
    if (!QFileInfo(target.path()).isDir())
        throw Error(texts::CannotCreate(path, texts::PathNotFound));

    // QSaveFile writes a temporary file beside the target, flushes it to disk
    // and renames it over the target only when everything went well; a failed
    // attempt removes the temporary file and leaves the previous one as it was.
    QSaveFile file(host.path);
    errno = 0;
    // Unbuffered: a buffered write "succeeds" and the flush inside commit()
    // fails unseen, and QSaveFile then commits the cut-off file.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        errno = 0;
        const auto size = static_cast<qint64>(bytes.size());
        if (file.write(bytes.data(), size) != size) {
            // QSaveFile takes a short write (a full disk) for success and
            // would commit the beginning of the file; so it never gets there.
            const int error = errno ? errno : ENOSPC;
            file.cancelWriting();
            throw Error(texts::CannotCreate(path, ReasonFromErrno(error, host.path)));
        }
        if (file.commit())
            return;
    }
    const int error = errno;
    throw Error(texts::CannotCreate(path, error ? ReasonFromErrno(error, host.path)
                                                : file.errorString().toStdString()));
}

std::unique_ptr<Platform> CreateSystemPlatform()
{
    return std::make_unique<WinePlatform>();
}

} // namespace z7
