#include "textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace z7 {

namespace {

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";
constexpr char Utf16LEMark[] = "\xFF\xFE";
constexpr char Utf16BEMark[] = "\xFE\xFF";

#ifndef Q_OS_WIN
// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes that
// 1252 leaves undefined map to the same code point, as Windows does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

QString decodeAnsi(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar((b >= 0x80 && b <= 0x9F) ? Cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

char encodeAnsiChar(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
        if (Cp1252High[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

QByteArray encodeAnsi(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            bytes.append('?'); // one mark for the whole character, as for any other
            ++i;
            continue;
        }
        bytes.append(encodeAnsiChar(c.unicode()));
    }
    return bytes;
}
#else
QString decodeAnsi(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), size);
    return text;
}

QByteArray encodeAnsi(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, "?", nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), bytes.data(), size, "?", nullptr);
    return bytes;
}
#endif

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    // The mark has been taken off already; a second one is text.
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless |
                                         QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QByteArray encodeWith(QStringConverter::Encoding encoding, const char *mark, const QString &text)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    QByteArray bytes(mark);
    bytes += QByteArray(encoder.encode(text));
    return bytes;
}

QStringList splitLines(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text = text.left(nul);

    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start).toString());
    return lines;
}

} // namespace

DecodedText DecodeLines(const QByteArray &bytes)
{
    DecodedText result;
    QString text;
    if (bytes.startsWith(Utf8Mark)) {
        result.encoding = TextEncoding::Utf8;
        text = decodeWith(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    } else if (bytes.startsWith(Utf16LEMark)) {
        result.encoding = TextEncoding::Utf16LE;
        text = decodeWith(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith(Utf16BEMark)) {
        result.encoding = TextEncoding::Utf16BE;
        text = decodeWith(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    } else {
        text = decodeAnsi(bytes);
    }
    result.lines = splitLines(text);
    return result;
}

QByteArray EncodeLines(const QStringList &lines, TextEncoding encoding)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += u"\r\n";
    }

    switch (encoding) {
    case TextEncoding::Ansi:
        return encodeAnsi(text);
    case TextEncoding::Utf8:
        return encodeWith(QStringConverter::Utf8, Utf8Mark, text);
    case TextEncoding::Utf16LE:
        return encodeWith(QStringConverter::Utf16LE, Utf16LEMark, text);
    case TextEncoding::Utf16BE:
        return encodeWith(QStringConverter::Utf16BE, Utf16BEMark, text);
    }
    return QByteArray();
}

} // namespace z7
