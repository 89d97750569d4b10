#include "resources/win32_resource_source.h"

namespace z7 {

namespace {

// The key under which the resource compiler stored a name or type: upper
// case A-Z. FindResourceW upper-cases by itself, but with the whole Unicode
// table, where the program's lookup ignores the case of A-Z only: a text
// with another letter that the system would change ("ı", the dotless i,
// becomes "I") can only find a name it differs from, so it finds nothing.
// Nothing either when the text cannot be a string name: empty, with a NUL
// (the API would stop there) or with a leading "#", which the API reads as a
// number.
std::optional<std::wstring> ResourceKey(std::u16string_view text)
{
    if (text.empty() || text.front() == u'#' || text.find(u'\0') != std::u16string_view::npos)
        return std::nullopt;
    std::wstring key(text.begin(), text.end());
    for (wchar_t &c : key) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    std::wstring systemUpper = key;
    ::CharUpperBuffW(systemUpper.data(), static_cast<DWORD>(systemUpper.size()));
    if (systemUpper != key)
        return std::nullopt;
    return key;
}

} // namespace

Win32ResourceSource::Win32ResourceSource(HMODULE module)
    : m_module(module)
{
}

std::optional<std::string> Win32ResourceSource::bytes(std::u16string_view type,
                                                      std::u16string_view name) const
{
    const std::optional<std::string_view> data = view(type, name);
    if (!data)
        return std::nullopt;
    return std::string(*data);
}

std::optional<std::string_view> Win32ResourceSource::view(std::u16string_view type,
                                                          std::u16string_view name) const
{
    const std::optional<std::wstring> typeKey = ResourceKey(type);
    const std::optional<std::wstring> nameKey = ResourceKey(name);
    if (!typeKey || !nameKey)
        return std::nullopt;
    // No language: each resource the program asks for is stored in one
    // language only, and the lookup falls back to it on a system of any other.
    const HRSRC found = ::FindResourceW(m_module, nameKey->c_str(), typeKey->c_str());
    if (!found)
        return std::nullopt;
    const HGLOBAL loaded = ::LoadResource(m_module, found);
    const void *data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return std::string_view(static_cast<const char *>(data), ::SizeofResource(m_module, found));
}

const ResourceSource &ProgramResources()
{
    static const Win32ResourceSource source;
    return source;
}

} // namespace z7
