#include "model/textcodec.h"

#include "model/text.h"

#include "platform/ansi_codepage.h"

namespace z7 {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LEMark = "\xFF\xFE";
constexpr std::string_view Utf16BEMark = "\xFE\xFF";

// The mark has been taken off already; a second one is text. Code units are
// taken as they are, unpaired surrogates included, so that they are written
// back unchanged; an odd last byte is no whole character.
std::u16string decodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    if (i < bytes.size())
        text += char16_t(0xFFFD);
    return text;
}

std::string encodeUtf16(std::string_view mark, std::u16string_view text, bool bigEndian)
{
    std::string bytes(mark);
    bytes.reserve(mark.size() + 2 * text.size());
    for (const char16_t c : text) {
        const char high = char(c >> 8);
        const char low = char(c & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

Lines splitLines(std::u16string_view text)
{
    if (const std::size_t nul = text.find(char16_t(0)); nul != text.npos)
        text = text.substr(0, nul);

    Lines lines;
    std::size_t start = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace

DecodedText DecodeLines(std::string_view bytes)
{
    DecodedText result;
    std::u16string text;
    if (bytes.starts_with(Utf8Mark)) {
        result.encoding = TextEncoding::Utf8;
        text = FromUtf8(bytes.substr(Utf8Mark.size()));
    } else if (bytes.starts_with(Utf16LEMark)) {
        result.encoding = TextEncoding::Utf16LE;
        text = decodeUtf16(bytes.substr(Utf16LEMark.size()), false);
    } else if (bytes.starts_with(Utf16BEMark)) {
        result.encoding = TextEncoding::Utf16BE;
        text = decodeUtf16(bytes.substr(Utf16BEMark.size()), true);
    } else {
        text = DecodeAnsi(bytes);
    }
    result.lines = splitLines(text);
    return result;
}

std::string EncodeLines(const Lines &lines, TextEncoding encoding)
{
    std::u16string text;
    std::size_t size = 0;
    for (const std::u16string &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const std::u16string &line : lines) {
        text += line;
        text += u"\r\n";
    }

    switch (encoding) {
    case TextEncoding::Ansi:
        return EncodeAnsi(text);
    case TextEncoding::Utf8:
        return std::string(Utf8Mark) + ToUtf8(text);
    case TextEncoding::Utf16LE:
        return encodeUtf16(Utf16LEMark, text, false);
    case TextEncoding::Utf16BE:
        return encodeUtf16(Utf16BEMark, text, true);
    }
    return {};
}

} // namespace z7
