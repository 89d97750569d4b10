#include "platform/ansi_codepage.h"

#include <windows.h>

namespace z7 {

std::u16string DecodeAnsi(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::u16string text(std::size_t(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), size);
    return text;
}

std::string EncodeAnsi(std::u16string_view text)
{
    if (text.empty())
        return {};
    // One '?' for a character outside the BMP, as for any other the code page
    // cannot hold; without WC_NO_BEST_FIT_CHARS Windows would quietly write a
    // look-alike ("a" for "ā") instead.
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        units += (c >= 0xD800 && c <= 0xDFFF) ? u'?' : c;
    }
    const auto *wide = reinterpret_cast<const wchar_t *>(units.data());
    const int count = int(units.size());
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, nullptr, 0, "?", nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, bytes.data(), size, "?",
                        nullptr);
    return bytes;
}

} // namespace z7
