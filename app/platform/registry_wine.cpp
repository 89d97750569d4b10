#include "registry_wine.h"

#include "error.h"
#include "platform_texts.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <string>

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
// key's header by folded name, and which keys are links to other keys.
struct RegistryFile
{
    QList<QByteArray> lines;
    bool win64 = false;
    QHash<QString, qsizetype> keys;
    QSet<QString> links;
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

QByteArray Unterminated(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// Comma-separated hex bytes, continued on the next line after a trailing
// backslash. False for anything else, which wineserver would not load either.
bool ParseHexBytes(const QList<QByteArray> &lines, qsizetype &index, QByteArray data,
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
RawValue ParseData(const QList<QByteArray> &lines, qsizetype &index, const QString &line,
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

bool Load(const QByteArray &bytes, RegistryFile &registry)
{
    registry.lines = bytes.split('\n');
    if (!registry.lines.first().startsWith("WINE REGISTRY Version 2"))
        return false;
    QString current;
    for (qsizetype i = 1; i < registry.lines.size(); ++i) {
        const QByteArray line = Unterminated(registry.lines[i]);
        if (line.startsWith('[')) {
            const QString header = QString::fromUtf8(line);
            qsizetype pos = 1;
            if (!ParseQuoted(header, pos, u']', current)) {
                current.clear();
                continue;
            }
            current = current.toCaseFolded();
            if (!registry.keys.contains(current))
                registry.keys.insert(current, i);
        } else if (line == "#link") {
            registry.links.insert(current);
        } else if (line.startsWith("#arch=")) {
            registry.win64 = line.mid(6).trimmed() == "win64";
        }
    }
    return true;
}

// The first value of that name in the section that starts at the header line.
RawValue FindValue(const RegistryFile &registry, qsizetype header, const QString &name)
{
    for (qsizetype i = header + 1; i < registry.lines.size(); ++i) {
        const QByteArray raw = Unterminated(registry.lines[i]);
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
        const RawValue target = FindValue(registry, registry.keys.value(prefix.toCaseFolded()),
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
// any letter case: "[...\\z7.exe]". Much faster than loading the file, and
// every key the lookup could open has such a header, also one reached through
// a link, since a link replaces only the folders above the key's own name.
bool MayHoldKey(const QByteArray &bytes, const std::string &key)
{
    const std::string name = key.substr(key.find_last_of('\\') + 1);
    // wineserver writes other characters as escapes, which this look does not follow.
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return c > ' ' && c < 0x7f && c != '\\' && c != '[' && c != ']' && c != '"';
    });
    if (name.empty() || !plain)
        return true;
    std::string header = "\\\\" + name + "]";
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (char &c : header)
        c = lower(c);
    const std::boyer_moore_horspool_searcher searcher(
        header.begin(), header.end(), [&](char c) { return std::hash<char>()(lower(c)); },
        [&](char a, char b) { return lower(a) == lower(b); });
    return std::search(bytes.begin(), bytes.end(), searcher) != bytes.end();
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
        if (opened.isEmpty() || !registry.keys.contains(opened.toCaseFolded()))
            continue;
        RawValue data = FindValue(registry, registry.keys.value(opened.toCaseFolded()),
                                  QString::fromStdString(value));
        if (!data.found)
            return {};
        if (data.type != RegSz && data.type != RegExpandSz)
            throw Error(platform_texts::InvalidDataType(value));
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
    const QByteArray bytes = ReadRegistryFile(registryFile);
    if (!MayHoldKey(bytes, key))
        return false;
    try {
        return !ReadText(bytes, key, value).empty();
    } catch (const Error &) {
        return false; // a value of another type
    }
}

} // namespace z7
