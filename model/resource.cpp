#include "resource.h"

#include "texts.h"

#include <QDir>
#include <QFile>

#include "error.h"

namespace z7 {

namespace {

char16_t foldAsciiCase(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

// Windows compares resource names this way: A-Z only, nothing else folded.
bool sameIgnoringAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAsciiCase(a[i].unicode()) != foldAsciiCase(b[i].unicode()))
            return false;
    }
    return true;
}

QString findEntry(const QString &folder, const QString &name, QDir::Filters filter)
{
    const QStringList entries = QDir(folder).entryList(filter);
    for (const QString &entry : entries) {
        if (sameIgnoringAsciiCase(entry, name))
            return folder + u'/' + entry;
    }
    return QString();
}

} // namespace

QByteArray ReadResource(const QString &type, const QString &name)
{
    const QString folder = findEntry(QStringLiteral(":"), type, QDir::Dirs | QDir::NoDotAndDotDot);
    const QString path = folder.isEmpty() ? QString() : findEntry(folder, name, QDir::Files);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw Error(texts::Text(texts::ResourceNotFound).arg(name).toStdString());
    return file.readAll();
}

} // namespace z7
