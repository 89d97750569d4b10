#pragma once

// UTF-8 (the Platform seam's texts) and UTF-16 (the wide Win32 calls) through
// the system's own conversion.

#include <string>

#include <windows.h>

namespace z7 {

inline std::wstring Wide(const std::string &utf8)
{
    if (utf8.empty())
        return {};
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          size);
    return wide;
}

inline std::string Utf8(const wchar_t *text, std::size_t length)
{
    if (length == 0)
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                           nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8.data(), size, nullptr,
                          nullptr);
    return utf8;
}

inline std::string Utf8(const std::wstring &wide)
{
    return Utf8(wide.data(), wide.size());
}

} // namespace z7
