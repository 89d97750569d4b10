#include "platform/registry_wine.h"

#include "platform/error.h"
#include "platform/platform_texts.h"
#include "platform/text_format.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace z7 {

namespace {

constexpr int RegSz = 1;
constexpr int RegExpandSz = 2;
constexpr int RegBinary = 3;
constexpr int RegDword = 4;
constexpr int RegLink = 6;

// One value as the registry file holds it; text for the string forms, and
// the bytes read as UTF-16LE for the hex forms.
struct RawValue
{
    bool found = false;
    int type = -1;
    QString text;
};

// The parts of a registry file a lookup needs: its lines, the line of each
// key's header, and which keys (by folded name) are links to other keys.
// A key's name is decoded only when a lookup gets near it: a prefix holds
// thousands of keys, and a lookup wants two or three of them.
struct RegistryFile
{
    QByteArray bytes;
    QList<QByteArrayView> lines;
    QList<qsizetype> headers;
    bool win64 = false;
    QSet<QString> links;

    // The line of the first header of that folded name; -1 when there is none.
    qsizetype find(const QString &folded) const;
};

int HexDigit(char16_t u)
{
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool SameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// The C escapes wineserver uses, and what they stand for.
constexpr char16_t CEscapes[] = u"abefnrtv";
constexpr char16_t CEscaped[] = {u'\a', u'\b', 0x1b, u'\f', u'\n', u'\r', u'\t', u'\v'};

// A key or value name or a text as wineserver writes it: C escapes, \x with
// one to four hex digits for a UTF-16 unit, octal escapes, and a backslash
// before any other character standing for that character. Starts after the
// opening delimiter and ends after the closing one; false when it is missing.
bool ParseQuoted(const QString &line, qsizetype &pos, char16_t close, QString &out)
{
    out.clear();
    while (pos < line.size()) {
        const QChar c = line[pos++];
        if (c == close)
            return true;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (pos >= line.size())
            return false;
        const char16_t e = line[pos++].unicode();
        if (const char16_t *found = std::char_traits<char16_t>::find(CEscapes, 8, e)) {
            out += QChar(CEscaped[found - CEscapes]);
            continue;
        }
        if (e == u'x') {
            char16_t unit = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && HexDigit(line[pos].unicode()) >= 0) {
                unit = char16_t(unit * 16 + HexDigit(line[pos++].unicode()));
                ++digits;
            }
            out += digits ? QChar(unit) : QChar(u'x');
        } else if (e >= u'0' && e <= u'7') {
            char16_t unit = e - u'0';
            for (int digits = 1; digits < 3 && pos < line.size(); ++digits) {
                const char16_t d = line[pos].unicode();
                if (d < u'0' || d > u'7')
                    break;
                unit = char16_t(unit * 8 + (d - u'0'));
                ++pos;
            }
            out += QChar(unit);
        } else {
            out += QChar(e);
        }
    }
    return false;
}

QByteArrayView Unterminated(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// Comma-separated hex bytes, continued on the next line after a trailing
// backslash. False for anything else, which wineserver would not load either.
bool ParseHexBytes(const QList<QByteArrayView> &lines, qsizetype &index, QByteArrayView data,
                   QByteArray &bytes)
{
    for (;;) {
        qsizetype pos = 0;
        auto skipSpace = [&] {
            while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\t'))
                ++pos;
        };
        skipSpace();
        while (pos < data.size() && HexDigit(char16_t(data[pos])) >= 0) {
            int byte = 0;
            int digits = 0;
            while (pos < data.size() && HexDigit(char16_t(data[pos])) >= 0) {
                byte = byte * 16 + HexDigit(char16_t(data[pos++]));
                if (++digits > 2)
                    return false;
            }
            bytes += char(byte);
            skipSpace();
            if (pos < data.size() && data[pos] == ',')
                ++pos;
            skipSpace();
        }
        if (pos == data.size())
            return true;
        if (data[pos] != '\\' || ++index >= lines.size())
            return false;
        data = Unterminated(lines[index]);
    }
}

QString TextFromUtf16Le(const QByteArray &bytes)
{
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        text += QChar(char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8));
    return text;
}

// The data after "name=", in the forms wineserver writes: "text", str(N):"text",
// hex:.., hex(N):.., dword:... Malformed data counts as missing, since
// wineserver would not have loaded it either.
RawValue ParseData(const QList<QByteArrayView> &lines, qsizetype &index, const QString &line,
                   qsizetype pos)
{
    const QString data = line.mid(pos);
    RawValue value;
    qsizetype start = 0;
    bool quoted = true;
    if (data.startsWith(u'"')) {
        value.type = RegSz;
        start = 1;
    } else if (data.startsWith(u"str:\"")) {
        value.type = RegSz;
        start = 5;
    } else if (data.startsWith(u"hex:")) {
        value.type = RegBinary;
        start = 4;
        quoted = false;
    } else if (data.startsWith(u"dword:")) {
        value.found = true;
        value.type = RegDword;
        return value;
    } else if (data.startsWith(u"str(") || data.startsWith(u"hex(")) {
        const qsizetype close = data.indexOf(u"):");
        bool ok = false;
        value.type = close > 4 ? data.mid(4, close - 4).toInt(&ok, 16) : -1;
        if (!ok)
            return {};
        start = close + 2;
        quoted = data.startsWith(u"str(");
        if (quoted && data.mid(start++, 1) != u"\"")
            return {};
    } else {
        return {};
    }

    if (quoted) {
        if (!ParseQuoted(data, start, u'"', value.text))
            return {};
    } else {
        QByteArray bytes;
        if (!ParseHexBytes(lines, index, data.mid(start).toLatin1(), bytes))
            return {};
        value.text = TextFromUtf16Le(bytes);
    }
    value.found = true;
    return value;
}

QByteArray ReadRegistryFile(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The folded name of a key header; false when the header is broken.
bool HeaderName(QByteArrayView line, QString &folded)
{
    const QString header = QString::fromUtf8(line);
    qsizetype pos = 1;
    if (!ParseQuoted(header, pos, u']', folded))
        return false;
    folded = folded.toCaseFolded();
    return true;
}

// Whether the header names the key. Plain ASCII, with "\\" for a backslash,
// is compared as it stands; anything else in a name is decoded first. A
// difference in the plain part decides, since folding never changes the
// length of what comes before it.
bool HeaderNames(QByteArrayView line, const QString &folded)
{
    qsizetype at = 0;
    for (qsizetype pos = 1; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == ']')
            return at == folded.size();
        if (c == '\\') {
            if (pos + 1 >= line.size() || line[pos + 1] != '\\')
                break;
            ++pos;
        } else if (uchar(c) >= 0x80) {
            break;
        } else if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
        if (at >= folded.size() || folded[at] != QLatin1Char(c))
            return false;
        ++at;
    }
    QString name;
    return HeaderName(line, name) && name == folded;
}

qsizetype RegistryFile::find(const QString &folded) const
{
    for (const qsizetype header : headers) {
        if (HeaderNames(Unterminated(lines[header]), folded))
            return header;
    }
    return -1;
}

bool Load(const QByteArray &bytes, RegistryFile &registry)
{
    registry.bytes = bytes;
    for (qsizetype start = 0; start <= bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        registry.lines.append(QByteArrayView(bytes).sliced(start, end - start));
        start = end + 1;
    }
    if (!registry.lines.first().startsWith("WINE REGISTRY Version 2"))
        return false;
    for (qsizetype i = 1; i < registry.lines.size(); ++i) {
        const QByteArrayView line = Unterminated(registry.lines[i]);
        if (line.startsWith('[')) {
            registry.headers.append(i);
        } else if (line == "#link" && !registry.headers.isEmpty()) {
            QString folded;
            if (HeaderName(Unterminated(registry.lines[registry.headers.last()]), folded))
                registry.links.insert(folded);
        } else if (line.startsWith("#arch=")) {
            registry.win64 = line.sliced(6).trimmed() == "win64";
        }
    }
    return true;
}

// The first value of that name in the section that starts at the header line.
RawValue FindValue(const RegistryFile &registry, qsizetype header, const QString &name)
{
    for (qsizetype i = header + 1; i < registry.lines.size(); ++i) {
        const QByteArrayView raw = Unterminated(registry.lines[i]);
        if (raw.startsWith('['))
            break;
        if (!raw.startsWith('"') && !raw.startsWith("@="))
            continue;
        const QString line = QString::fromUtf8(raw);
        QString valueName;
        qsizetype pos = 1;
        if (line.startsWith(u'"') && !ParseQuoted(line, pos, u'"', valueName))
            continue;
        if (pos < line.size() && line[pos] == u'=' && SameName(valueName, name))
            return ParseData(registry.lines, i, line, pos + 1);
    }
    return {};
}

// The key a path leads to once every link on the way is followed (Wine shares
// keys between the 32-bit and the 64-bit view this way); empty when a link
// leads out of the machine's hive or round in a circle.
QString FollowLinks(const RegistryFile &registry, const QString &key)
{
    static const QString machine = QStringLiteral("\\Registry\\Machine\\");
    QStringList parts = key.split(u'\\', Qt::SkipEmptyParts);
    for (int hop = 0; hop < 16; ++hop) {
        QString prefix;
        qsizetype linked = -1;
        for (qsizetype i = 0; i < parts.size() && linked < 0; ++i) {
            prefix += (i ? QStringLiteral("\\") : QString()) + parts[i];
            if (registry.links.contains(prefix.toCaseFolded()))
                linked = i;
        }
        if (linked < 0)
            return parts.join(u'\\');
        const RawValue target = FindValue(registry, registry.find(prefix.toCaseFolded()),
                                          QStringLiteral("SymbolicLinkValue"));
        if (target.type != RegLink || !target.text.startsWith(machine, Qt::CaseInsensitive))
            return {};
        parts = target.text.mid(machine.size()).split(u'\\', Qt::SkipEmptyParts) +
                parts.mid(linked + 1);
    }
    return {};
}

// Where a 32-bit program's view of a key under Software lies in a 64-bit registry.
QString Wow6432NodeKey(const QString &key)
{
    const qsizetype cut = key.indexOf(u'\\');
    if (cut <= 0 || !SameName(key.left(cut), QStringLiteral("Software")))
        return {};
    const QString rest = key.mid(cut + 1);
    if (rest.isEmpty() || SameName(rest.section(u'\\', 0, 0), QStringLiteral("Wow6432Node")))
        return {};
    return key.left(cut) + u"\\Wow6432Node\\" + rest;
}

// Whether the file has a key header whose last name is that of the key, in
// any letter case: "[...\\z7.exe]" or "[z7.exe]". Every key the lookup could
// open has such a header, also one reached through a link, since a link
// replaces only the keys above the key's own name; wineserver writes such a
// name as it is. Only the ends of key headers are compared: much faster than
// loading the file.
bool MayHoldKey(const std::string &path, const std::string &key)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    const std::string name = key.substr(key.find_last_of('\\') + 1);
    // wineserver writes other characters as escapes, which this look does not follow.
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return c > ' ' && c < 0x7f && c != '\\' && c != '[' && c != ']' && c != '"';
    });
    if (name.empty() || !plain)
        return true;
    std::string tail = name;
    std::transform(tail.begin(), tail.end(), tail.begin(), lower);
    const auto endsHeader = [&](const char *begin, const char *close) {
        const char *const start = close - tail.size();
        return start > begin && (start[-1] == '[' || start[-1] == '\\') &&
               std::equal(tail.begin(), tail.end(), start,
                          [&](char t, char c) { return t == lower(c); });
    };

    // Read through a small buffer: most files are looked through only once,
    // and reading each whole (or mapping it) costs more than the look itself.
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    std::vector<char> buffer(std::size_t(1) << 16);
    std::size_t kept = 0;
    for (;;) {
        const qint64 got = file.read(buffer.data() + kept, qint64(buffer.size() - kept));
        if (got <= 0)
            return false;
        const char *const begin = buffer.data();
        const char *const end = begin + kept + std::size_t(got);
        // The end of the last piece is kept for a header that goes on in this one.
        for (const char *at = begin + std::max(kept, tail.size() + 1); at < end; ++at) {
            at = static_cast<const char *>(std::memchr(at, ']', std::size_t(end - at)));
            if (!at)
                break;
            if (endsHeader(begin, at))
                return true;
        }
        kept = std::min(tail.size() + 1, std::size_t(end - begin));
        std::memmove(buffer.data(), end - kept, kept);
    }
}

std::string ReadText(const QByteArray &bytes, const std::string &key, const std::string &value)
{
    RegistryFile registry;
    if (!Load(bytes, registry))
        return {};

    // A 32-bit program on a 64-bit system sees Software\Wow6432Node\... under
    // Software\...; prefixes made by hand often lack that branch, so the plain
    // key stands in when the redirected one does not exist.
    QStringList candidates;
    if (registry.win64)
        candidates.append(Wow6432NodeKey(QString::fromStdString(key)));
    candidates.append(QString::fromStdString(key));
    for (const QString &candidate : candidates) {
        const QString opened = candidate.isEmpty() ? QString() : FollowLinks(registry, candidate);
        const qsizetype header = opened.isEmpty() ? -1 : registry.find(opened.toCaseFolded());
        if (header < 0)
            continue;
        RawValue data = FindValue(registry, header, QString::fromStdString(value));
        if (!data.found)
            return {};
        if (data.type != RegSz && data.type != RegExpandSz)
            throw Error(Format(platform_texts::InvalidDataType, {value}));
        if (const qsizetype nul = data.text.indexOf(QChar(u'\0')); nul >= 0)
            data.text.truncate(nul);
        return data.text.toStdString();
    }
    return {};
}

} // namespace

std::string ReadWineRegistryText(const std::string &registryFile, const std::string &key,
                                 const std::string &value)
{
    return ReadText(ReadRegistryFile(registryFile), key, value);
}

bool WineRegistryHoldsText(const std::string &registryFile, const std::string &key,
                           const std::string &value)
{
    if (!MayHoldKey(registryFile, key))
        return false;
    try {
        return !ReadText(ReadRegistryFile(registryFile), key, value).empty();
    } catch (const Error &) {
        return false; // a value of another type
    }
}

} // namespace z7
