#include "resources/qt_resource_source.h"

#include "model/text.h"

#include <QDir>
#include <QFile>
#include <QResource>

namespace z7 {

namespace {

QString findEntry(const QString &folder, std::u16string_view name, QDir::Filters filter)
{
    const QStringList entries = QDir(folder).entryList(filter);
    for (const QString &entry : entries) {
        if (EqualsIgnoringAsciiCase(entry.toStdU16String(), name))
            return folder + u'/' + entry;
    }
    return QString();
}

QString upper(std::u16string_view text)
{
    QString folded = QString::fromStdU16String(std::u16string(text));
    for (QChar &c : folded) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return folded;
}

} // namespace

std::optional<std::string_view> QtResourceSource::view(std::u16string_view type,
                                                       std::u16string_view name) const
{
    auto plain = [](std::u16string_view part) {
        return !part.empty() && part.find(u'/') == std::u16string_view::npos;
    };
    if (!plain(type) || !plain(name))
        return std::nullopt;
    // The names as they are stored; another letter case is found by bytes().
    const QResource stored(u":/" + upper(type) + u'/' + upper(name));
    if (!stored.isValid() || !stored.data() ||
        stored.compressionAlgorithm() != QResource::NoCompression)
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char *>(stored.data()),
                            std::size_t(stored.size()));
}

std::optional<std::string> QtResourceSource::bytes(std::u16string_view type,
                                                   std::u16string_view name) const
{
    // Stored in upper case, so the first look usually finds it; listing the
    // folders to compare every entry cost more than the rest of the lookup.
    auto plain = [](std::u16string_view part) {
        return !part.empty() && part.find(u'/') == std::u16string_view::npos;
    };
    if (plain(type) && plain(name)) {
        // Stored uncompressed, the bytes are copied once, straight from the
        // program's memory.
        const QResource stored(u":/" + upper(type) + u'/' + upper(name));
        if (stored.isValid() && stored.data() &&
            stored.compressionAlgorithm() == QResource::NoCompression)
            return std::string(reinterpret_cast<const char *>(stored.data()),
                               std::size_t(stored.size()));
    }
    const QString folder = findEntry(QStringLiteral(":"), type, QDir::Dirs | QDir::NoDotAndDotDot);
    const QString path = folder.isEmpty() ? QString() : findEntry(folder, name, QDir::Files);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

const ResourceSource &ProgramResources()
{
    static const QtResourceSource source;
    return source;
}

} // namespace z7
