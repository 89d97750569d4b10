// The platform on Windows itself: the Win32 calls the program was designed around.

#include "platform/platform.h"

#include "platform/error.h"
#include "platform/platform_texts.h"
#include "platform/temporary_names.h"
#include "platform/text_format.h"
#include "platform/wide_text_win.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include <windows.h>

#include <shlobj.h>
#include <tlhelp32.h>

namespace z7 {

namespace texts = platform_texts;

namespace {

std::string Utf8UpToNul(const wchar_t *text, std::size_t capacity)
{
    std::size_t length = 0;
    while (length < capacity && text[length] != L'\0')
        ++length;
    return Utf8(text, length);
}

// The system's own text for an error code, in the user's language, without
// the line break and full stop that FormatMessage appends.
std::string SystemReason(DWORD code)
{
    wchar_t *buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::wstring reason(buffer ? buffer : L"", length);
    ::LocalFree(buffer);
    while (!reason.empty() && (reason.back() <= L' ' || reason.back() == L'.'))
        reason.pop_back();
    if (reason.empty())
        return Format(texts::SystemError, {std::to_string(code)});
    return Utf8(reason.data(), reason.size());
}

class Handle
{
public:
    explicit Handle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~Handle()
    {
        if (valid())
            ::CloseHandle(m_handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    void close()
    {
        if (valid())
            ::CloseHandle(m_handle);
        m_handle = nullptr;
    }

private:
    HANDLE m_handle;
};

class WindowsPlatform : public Platform
{
public:
    std::vector<std::string> processNames() override
    {
        std::vector<std::string> names;
        const Handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        if (!snapshot.valid())
            return names;
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
             more = ::Process32NextW(snapshot.get(), &entry)) {
            names.push_back(Utf8UpToNul(entry.szExeFile, MAX_PATH));
        }
        return names;
    }

    std::string readRegistryText(const std::string &key, const std::string &value) override
    {
        // Reading asks for read access only; KEY_WOW64_32KEY shows a 64-bit
        // build the same view the game's 32-bit installer wrote to.
        REGSAM access = KEY_QUERY_VALUE;
#ifdef _WIN64
        access |= KEY_WOW64_32KEY;
#endif
        HKEY opened = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(key).c_str(), 0, access, &opened) !=
            ERROR_SUCCESS)
            return {};
        const std::wstring name = Wide(value);
        DWORD type = 0;
        std::wstring data;
        LSTATUS status = ERROR_MORE_DATA;
        DWORD size = 0;
        while (status == ERROR_MORE_DATA) {
            data.assign(size / sizeof(wchar_t) + 1, L'\0');
            size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
            status = ::RegQueryValueExW(opened, name.c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE *>(data.data()), &size);
        }
        ::RegCloseKey(opened);
        // A number or bytes name no folder: as good as no value, so that the
        // start-up says the game is not installed instead of going on
        // without a game folder.
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return {};
        return Utf8UpToNul(data.data(), size / sizeof(wchar_t));
    }

    std::string documentsFolder() override
    {
        LPITEMIDLIST items = nullptr;
        if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &items)))
            return {};
        wchar_t path[MAX_PATH] = {};
        const BOOL converted = ::SHGetPathFromIDListW(items, path);
        IMalloc *allocator = nullptr;
        if (SUCCEEDED(::SHGetMalloc(&allocator))) {
            allocator->Free(items);
            allocator->Release();
        }
        if (!converted)
            return {};
        std::string folder = Utf8UpToNul(path, MAX_PATH);
        while (!folder.empty() && folder.back() == '\\')
            folder.pop_back();
        return folder;
    }

    bool fileExists(const std::string &path) override
    {
        const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    void moveFile(const std::string &from, const std::string &to) override
    {
        ::MoveFileW(Wide(from).c_str(), Wide(to).c_str());
    }

    std::string readFile(const std::string &path) override
    {
        const Handle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            throw Error(Format(texts::CannotOpen, {path, SystemReason(::GetLastError())}));
        std::string bytes;
        char buffer[65536];
        DWORD got = 0;
        do {
            if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
                throw Error(Format(texts::CannotOpen, {path, SystemReason(::GetLastError())}));
            bytes.append(buffer, got);
        } while (got > 0);
        return bytes;
    }

    void writeFile(const std::string &path, const std::string &bytes) override
    {
        // The new contents go to a temporary file beside the target, reach the
        // disk, and only then replace the target in one rename, so that a crash
        // or a full disk never leaves a half-written model file behind.
        const std::wstring target = Wide(path);
        // The rename below would replace a read-only file, and under Wine also
        // one that another program holds open. Whatever refuses being opened for
        // writing is refused here, with the reason that opening gives, before
        // anything is written.
        if (const DWORD refused = WhyNotWritable(target))
            throw Error(Format(texts::CannotCreate, {path, SystemReason(refused)}));
        std::wstring temporary;
        Handle file(CreateTemporaryBeside(target, temporary));
        if (!file.valid())
            throw Error(Format(texts::CannotCreate, {path, SystemReason(::GetLastError())}));

        auto fail = [&](DWORD code) {
            file.close();
            ::DeleteFileW(temporary.c_str());
            throw Error(Format(texts::CannotCreate, {path, SystemReason(code)}));
        };
        std::size_t written = 0;
        while (written < bytes.size()) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
            DWORD done = 0;
            if (!::WriteFile(file.get(), bytes.data() + written, chunk, &done, nullptr))
                fail(::GetLastError());
            if (done == 0) // no error and no progress: the medium takes nothing more
                fail(ERROR_DISK_FULL);
            written += done;
        }
        if (!::FlushFileBuffers(file.get()))
            fail(::GetLastError());
        file.close();
        // A read-only target, a folder of that name or a target that another
        // program holds open refuses the replacement and keeps its contents.
        if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fail(::GetLastError());
    }

    void removeStaleTemporaries(const std::string &folder) override
    {
        if (folder.empty())
            return;
        std::wstring base = Wide(folder);
        if (base.back() != L'\\' && base.back() != L'/')
            base += L'\\';
        const std::wstring pattern =
            base + Wide(std::string(TemporaryPrefix)) + L"*" + Wide(std::string(TemporarySuffix));
        WIN32_FIND_DATAW found{};
        const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            // The pattern also matches short 8.3 names; the long name decides.
            // Links and folders of such a name are none of ours.
            const DWORD notAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
            if (!(found.dwFileAttributes & notAFile) &&
                IsTemporaryName(Utf8UpToNul(found.cFileName, MAX_PATH)))
                ::DeleteFileW((base + found.cFileName).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }

    bool claimGameFolder(const std::string &gamePath) override
    {
        const std::wstring name = GameFolderMutexName(gamePath);
        if (m_claim && name == m_claimName)
            return true;
        // The system closes the handle when the process ends, a kill included,
        // and the mutex goes with its last handle.
        ::SetLastError(ERROR_SUCCESS);
        auto mutex = std::make_unique<Handle>(::CreateMutexW(nullptr, FALSE, name.c_str()));
        const DWORD code = ::GetLastError();
        // Access denied: the mutex exists, made by an editor with other rights.
        if (code == ERROR_ALREADY_EXISTS || code == ERROR_ACCESS_DENIED)
            return false;
        if (mutex->valid()) {
            m_claim = std::move(mutex);
            m_claimName = name;
        }
        return true;
    }

    void showOtherEditor(const std::string &windowCaption) override
    {
        OtherWindow search{Wide(windowCaption), nullptr};
        ::EnumWindows(FindOtherWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            return;
        if (::IsIconic(search.found))
            ::ShowWindow(search.found, SW_RESTORE);
        ::SetForegroundWindow(search.found);
    }

private:
    struct OtherWindow
    {
        std::wstring caption;
        HWND found;
    };

    // A visible top-level window of another process with exactly that caption.
    static BOOL CALLBACK FindOtherWindow(HWND window, LPARAM search)
    {
        auto &wanted = *reinterpret_cast<OtherWindow *>(search);
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId() || !::IsWindowVisible(window))
            return TRUE;
        std::wstring title(wanted.caption.size() + 2, L'\0');
        const int length = ::GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
        if (std::wstring_view(title.data(), static_cast<std::size_t>(length)) != wanted.caption)
            return TRUE;
        wanted.found = window;
        return FALSE;
    }

    // The mutex of a game folder, named after the folder as the file system
    // knows it: full path, long names, upper case as Windows compares names,
    // no trailing "\". A name may not hold "\" after its namespace.
    static std::wstring GameFolderMutexName(const std::string &gamePath)
    {
        std::wstring path = Wide(gamePath);
        if (const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr)) {
            std::wstring full(size, L'\0');
            full.resize(::GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
            if (!full.empty())
                path = full;
        }
        if (const DWORD size = ::GetLongPathNameW(path.c_str(), nullptr, 0)) {
            std::wstring longPath(size, L'\0');
            longPath.resize(::GetLongPathNameW(path.c_str(), longPath.data(), size));
            if (!longPath.empty())
                path = longPath;
        }
        while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
            path.pop_back();
        if (!path.empty())
            ::CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
        std::replace(path.begin(), path.end(), L'\\', L'/');
        std::wstring name = L"Local\\Z7Edit:" + path;
        // Names are limited to MAX_PATH characters; the end of a path tells
        // folders apart best.
        if (name.size() >= MAX_PATH)
            name = L"Local\\Z7Edit:" + path.substr(path.size() - (MAX_PATH - 14));
        return name;
    }

    // 0 when the file may be replaced (or does not exist yet), else the error
    // code of opening it for writing without sharing.
    static DWORD WhyNotWritable(const std::wstring &target)
    {
        // Asked first, since an administrator under Wine may open any file.
        const DWORD attributes = ::GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return ERROR_ACCESS_DENIED;
        const HANDLE file = ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
            return 0;
        }
        const DWORD code = ::GetLastError();
        return code == ERROR_FILE_NOT_FOUND ? 0 : code;
    }

    // A new file, opened for writing with no sharing, in the target's folder,
    // whose name no other file has. Its name goes to temporary. On failure the
    // handle is invalid and GetLastError() tells why, as for the target itself
    // (a missing folder reads as a missing path).
    static HANDLE CreateTemporaryBeside(const std::wstring &target, std::wstring &temporary)
    {
        const std::size_t cut = target.find_last_of(L"\\/:");
        const std::wstring folder = cut == std::wstring::npos ? L"" : target.substr(0, cut + 1);
        const std::wstring stem = folder + L"~z7edit-" + std::to_wstring(::GetCurrentProcessId());
        for (unsigned attempt = 0;; ++attempt) {
            temporary = stem + L"-" + std::to_wstring(::GetTickCount64() + attempt) + L".tmp";
            const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            const DWORD code = ::GetLastError();
            if (file != INVALID_HANDLE_VALUE || code != ERROR_FILE_EXISTS || attempt == 100) {
                ::SetLastError(code);
                return file;
            }
        }
    }

    std::unique_ptr<Handle> m_claim;
    std::wstring m_claimName;
};

} // namespace

std::unique_ptr<Platform> CreateSystemPlatform()
{
    return std::make_unique<WindowsPlatform>();
}

} // namespace z7
