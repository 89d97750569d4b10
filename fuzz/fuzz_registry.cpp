// The Wine registry file is written by wineserver, but it lives in the user's
// prefix, where anything can edit it. Two properties:
// - any file: a lookup never crashes, gives the same answer twice and for
//   names that differ only in the case of A-Z, and never text with a NUL;
//   the quick look of the prefix search finds text only where a lookup does;
// - a file written the way wineserver writes it (the escapes, the text forms,
//   the 32-bit view under Wow6432Node) gives back exactly the text stored,
//   up to its first NUL, whatever junk sections follow it, and the quick look
//   finds it whenever that text is not empty.

#include "fuzz/check.h"
#include "platform/error.h"
#include "platform/registry_wine.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace z7;

// The registry file lives in memory; the parser opens it by name.
class MemoryFile
{
public:
    MemoryFile()
        : m_fd(::memfd_create("system.reg", MFD_CLOEXEC))
        , m_path("/proc/self/fd/" + std::to_string(m_fd))
    {
        Z7_CHECK(m_fd >= 0);
    }
    const std::string &path() const { return m_path; }
    void set(const QByteArray &bytes) const
    {
        Z7_CHECK(::ftruncate(m_fd, 0) == 0);
        Z7_CHECK(::pwrite(m_fd, bytes.constData(), size_t(bytes.size()), 0) == bytes.size());
    }

private:
    int m_fd;
    std::string m_path;
};

const MemoryFile &File()
{
    static const MemoryFile file;
    return file;
}

// What a lookup gives: the text, or the message of the error it throws.
std::string Lookup(const std::string &key, const std::string &value)
{
    try {
        return "text:" + ReadWineRegistryText(File().path(), key, value);
    } catch (const Error &error) {
        return std::string("error:") + error.what();
    }
}

// The message as what() gives it: up to the first NUL of the value name.
std::string InvalidDataType(const std::string &value)
{
    return std::string(("Ungültiger Datentyp für '" + value + "'").c_str());
}

std::string SwapAsciiCase(std::string text)
{
    for (char &c : text) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

void CheckConsistent(const std::string &key, const std::string &value)
{
    const std::string first = Lookup(key, value);
    Z7_CHECK(Lookup(key, value) == first);
    // The error names the value as it was asked for.
    const std::string swapped = Lookup(SwapAsciiCase(key), SwapAsciiCase(value));
    if (swapped != first && first.rfind("error:", 0) == 0)
        Z7_CHECK(swapped == "error:" + InvalidDataType(SwapAsciiCase(value)));
    else
        Z7_CHECK(swapped == first);
    if (first.rfind("text:", 0) == 0)
        Z7_CHECK(first.find('\0') == std::string::npos);
    // The prefix search's quick look finds nothing the full read does not.
    const bool holdsText = first.rfind("text:", 0) == 0 && first.size() > 5;
    Z7_CHECK(!WineRegistryHoldsText(File().path(), key, value) || holdsText);
}

// Key and value names the file itself names, roughly: enough to reach the
// code that reads values, not a second parser.
void CheckNamesOfTheFile(const QByteArray &bytes)
{
    QString key;
    int lookups = 0;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) {
            key = line.mid(1, line.indexOf(u']') - 1)
                      .replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        } else if (line.startsWith(u'"') && line.indexOf(u"\"=") > 0 && lookups < 16) {
            CheckConsistent(key.toStdString(), line.mid(1, line.indexOf(u"\"=") - 1).toStdString());
            ++lookups;
        }
    }
}

// wineserver's escapes: C escapes for the usual controls, \x with four hex
// digits for any other unit outside printable ASCII (or the UTF-8 bytes as
// they are, which the parser takes too).
QByteArray Escaped(const QString &text, char16_t close, bool rawUtf8)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == u'\\' || u == close || u == u'"') {
            out += '\\';
            out += char(u);
        } else if (u == u'\n') {
            out += "\\n";
        } else if (u == u'\r') {
            out += "\\r";
        } else if (u == u'\t') {
            out += "\\t";
        } else if (u >= 0x20 && u < 0x7f) {
            out += char(u);
        } else if (rawUtf8 && u >= 0x80 && !c.isSurrogate()) {
            out += QString(c).toUtf8();
        } else if (rawUtf8 && c.isHighSurrogate() && i + 1 < text.size() &&
                   text.at(i + 1).isLowSurrogate()) {
            out += text.mid(i, 2).toUtf8();
            ++i;
        } else {
            out += QStringLiteral("\\x%1").arg(unsigned(u), 4, 16, QChar(u'0')).toLatin1();
        }
    }
    return out;
}

QByteArray KeyHeader(const QStringList &components, bool rawUtf8)
{
    QByteArray header = "[";
    for (qsizetype i = 0; i < components.size(); ++i)
        header += (i ? "\\\\" : "") + Escaped(components.at(i), u']', rawUtf8);
    return header + "] 1700000000\n#time=1d9c0a0a0a0a0a0\n";
}

QByteArray HexBytes(const QByteArray &bytes)
{
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i)
            out += (i % 24 == 0) ? ",\\\n  " : ",";
        out += QByteArray::number(quint8(bytes[i]), 16).rightJustified(2, '0');
    }
    return out;
}

enum class Form { Quoted, Str, Str1, Str2, Hex1, Hex2, Binary, Dword };

// The value line in one of the forms wineserver writes, and what a lookup
// must give for it.
QByteArray ValueLine(const QString &name, const QString &text, Form form, bool rawUtf8,
                     std::string &expected)
{
    QByteArray line =
        name.isEmpty() ? QByteArray("@=") : '"' + Escaped(name, u'"', rawUtf8) + "\"=";
    QByteArray utf16;
    for (const QChar c : text)
        utf16 += char(c.unicode() & 0xff), utf16 += char(c.unicode() >> 8);
    QString visible = text;
    if (const qsizetype nul = visible.indexOf(QChar(0)); nul >= 0)
        visible.truncate(nul);
    expected = "text:" + visible.toStdString();
    switch (form) {
    case Form::Quoted:
        return line + '"' + Escaped(text, u'"', rawUtf8) + "\"\n";
    case Form::Str:
        return line + "str:\"" + Escaped(text, u'"', rawUtf8) + "\"\n";
    case Form::Str1:
        return line + "str(1):\"" + Escaped(text, u'"', rawUtf8) + "\"\n";
    case Form::Str2:
        return line + "str(2):\"" + Escaped(text, u'"', rawUtf8) + "\"\n";
    case Form::Hex1:
        return line + "hex(1):" + HexBytes(utf16) + "\n";
    case Form::Hex2:
        return line + "hex(2):" + HexBytes(utf16) + "\n";
    case Form::Binary:
        expected = "error:" + InvalidDataType(name.toStdString());
        return line + "hex:" + HexBytes(utf16) + "\n";
    case Form::Dword:
        expected = "error:" + InvalidDataType(name.toStdString());
        return line + "dword:0000002a\n";
    }
    return line;
}

// A name component of a key: no separators, never empty.
QString Component(FuzzedDataProvider &input)
{
    QString text = QString::fromUtf8(input.ConsumeRandomLengthString(12)).remove(u'\\');
    return text.isEmpty() ? QStringLiteral("K") : text;
}

void CheckWrittenValueReadsBack(FuzzedDataProvider &input)
{
    const bool rawUtf8 = input.ConsumeBool();
    const int arch = input.ConsumeIntegralInRange(0, 2);      // none, win32, win64
    const int placement = input.ConsumeIntegralInRange(0, 2); // plain, 32-bit view, both
    const Form form = input.PickValueInArray({Form::Quoted, Form::Str, Form::Str1, Form::Str2,
                                              Form::Hex1, Form::Hex2, Form::Binary, Form::Dword});
    QStringList components;
    const int depth = input.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < depth; ++i)
        components.append(Component(input));
    const QString name = QString::fromUtf8(input.ConsumeRandomLengthString(16));
    const QString text = QString::fromUtf8(input.ConsumeRandomLengthString(64));
    const QString otherText = text + u"-64";
    const QByteArray junk = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());

    const QStringList plainKey = QStringList{QStringLiteral("Software")} + components;
    const QStringList viewKey =
        QStringList{QStringLiteral("Software"), QStringLiteral("Wow6432Node")} + components;
    // A key that already names Wow6432Node has no second view.
    const bool hasView = QString::compare(components.first(), QStringLiteral("Wow6432Node"),
                                          Qt::CaseInsensitive) != 0;

    QByteArray file = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
    if (arch == 1)
        file += "#arch=win32\n\n";
    if (arch == 2)
        file += "#arch=win64\n\n";
    std::string expected = "text:";
    if (placement == 1 || placement == 2)
        file += KeyHeader(viewKey, rawUtf8) + ValueLine(name, text, form, rawUtf8, expected) + "\n";
    if (placement == 0 || placement == 2) {
        std::string plain;
        file += KeyHeader(plainKey, rawUtf8) +
                ValueLine(name, placement == 2 ? otherText : text, form, rawUtf8, plain) + "\n";
        const bool viewWins = placement == 2 && arch == 2 && hasView;
        if (!viewWins)
            expected = plain;
    } else if (arch != 2 || !hasView) {
        expected = "text:"; // the 32-bit view exists only in a 64-bit prefix
    }

    // Sections after ours: their keys live under Junk, and no line in them may
    // turn our key into a link or change the prefix's kind.
    for (QByteArray line : junk.split('\n')) {
        if (line.startsWith("#link") || line.startsWith("#arch"))
            continue;
        if (line.startsWith('['))
            line.insert(1, "Junk\\\\");
        file += line + '\n';
    }
    File().set(file);

    const std::string key = plainKey.join(u'\\').toStdString();
    const std::string value = name.toStdString();
    const std::string got = Lookup(key, value);
    if (got != expected) {
        std::fprintf(stderr, "expected %s\n     got %s\nfile:\n%s\n",
                     QByteArray::fromStdString(expected).toPercentEncoding().constData(),
                     QByteArray::fromStdString(got).toPercentEncoding().constData(),
                     file.toPercentEncoding("\n\\\"[]").constData());
    }
    Z7_CHECK(got == expected);
    CheckConsistent(key, value);
    Z7_CHECK(WineRegistryHoldsText(File().path(), key, value) ==
             (got.size() > 5 && got.rfind("text:", 0) == 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        CheckWrittenValueReadsBack(input);
        return 0;
    }
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(32);
    const QByteArray bytes = QByteArray::fromStdString(input.ConsumeRemainingBytesAsString());
    File().set(bytes);
    CheckConsistent(key, value);
    CheckNamesOfTheFile(bytes);
    return 0;
}
