#include "ansi_codepage.h"

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
    const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, "?", nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), bytes.data(), size, "?", nullptr);
    return bytes;
}

} // namespace z7
