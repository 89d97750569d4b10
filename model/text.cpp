#include "model/text.h"

#include "platform/text_format.h"

namespace z7 {

namespace {

constexpr char16_t Replacement = 0xFFFD;

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string &out, char32_t c)
{
    if (c < 0x10000) {
        out += char16_t(c);
    } else {
        c -= 0x10000;
        out += char16_t(0xD800 + (c >> 10));
        out += char16_t(0xDC00 + (c & 0x3FF));
    }
}

char16_t foldAsciiCase(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

} // namespace

// The standard library has no conversion between UTF-8 and UTF-16 that is not
// deprecated, so the two small loops are written here.
std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            appendUtf8(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            appendUtf8(out, Replacement);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

std::u16string FromUtf8(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out += char16_t(lead);
            ++i;
            continue;
        }
        // Length and the range of the second byte, which excludes overlong
        // forms, surrogates and code points above U+10FFFF.
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F;
        }
        if (length == 0) {
            out += Replacement;
            ++i;
            continue;
        }
        char32_t c = lead & (0x7F >> length);
        int taken = 1;
        for (; taken < length && i + taken < bytes.size(); ++taken) {
            const auto b = static_cast<unsigned char>(bytes[i + taken]);
            if (b < low || b > high)
                break;
            c = (c << 6) | (b & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        if (taken < length)
            out += Replacement;
        else
            appendUtf16(out, c);
        i += taken;
    }
    return out;
}

std::u16string Number(long long value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Format(std::u16string_view pattern, std::initializer_list<std::u16string_view> args)
{
    return FormatPattern<char16_t>(pattern, args);
}

std::u16string_view TrimControl(std::u16string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] <= 0x20)
        ++begin;
    while (end > begin && text[end - 1] <= 0x20)
        --end;
    return text.substr(begin, end - begin);
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldAsciiCase(a[i]) != foldAsciiCase(b[i]))
            return false;
    }
    return true;
}

} // namespace z7
