#include "tests/model/host_platform.h"

#include "platform/error.h"
#include "platform/platform_texts.h"
#include "platform/temporary_names.h"
#include "platform/text_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace z7::test {

namespace {

[[noreturn]] void fail(const char *text, const QString &path, const QString &reason)
{
    throw Error(Format(text, {path.toStdString(), reason.toStdString()}));
}

} // namespace

HostPlatform::HostPlatform(const QString &root)
    : m_root(root)
{
}

QString HostPlatform::hostPath(const QString &windowsPath) const
{
    if (windowsPath.size() < 3 || !windowsPath.at(0).isLetter() || windowsPath.at(1) != u':' ||
        windowsPath.at(2) != u'\\')
        throw Error("not a Windows path: " + windowsPath.toStdString());
    QString rest = windowsPath.mid(3);
    rest.replace(u'\\', u'/');
    return m_root + u'/' + windowsPath.at(0).toLower() + u'/' + rest;
}

bool HostPlatform::fileExists(const std::string &path)
{
    return QFileInfo(hostPath(QString::fromStdString(path))).isFile();
}

void HostPlatform::moveFile(const std::string &from, const std::string &to)
{
    const QString target = hostPath(QString::fromStdString(to));
    if (!QFileInfo::exists(target))
        QFile::rename(hostPath(QString::fromStdString(from)), target);
}

std::string HostPlatform::readFile(const std::string &path)
{
    const QString windowsPath = QString::fromStdString(path);
    QFile file(hostPath(windowsPath));
    if (!file.open(QIODevice::ReadOnly))
        fail(platform_texts::CannotOpen, windowsPath, file.errorString());
    return file.readAll().toStdString();
}

void HostPlatform::writeFile(const std::string &path, const std::string &bytes)
{
    ++writeCount;
    const QString windowsPath = QString::fromStdString(path);
    const QString target = hostPath(windowsPath);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        fail(platform_texts::CannotCreate, windowsPath, file.errorString());
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        fail(platform_texts::CannotCreate, windowsPath, file.errorString());
    if (failNextWrite) {
        failNextWrite = false;
        file.cancelWriting();
    }
    if (!file.commit())
        fail(platform_texts::CannotCreate, windowsPath, file.errorString());
}

void HostPlatform::removeStaleTemporaries(const std::string &folder)
{
    QDir dir(hostPath(QString::fromStdString(folder)));
    for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.isSymLink() && IsTemporaryName(entry.fileName().toStdString()))
            dir.remove(entry.fileName());
    }
}

} // namespace z7::test
