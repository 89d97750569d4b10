// The Windows backend against a real Windows (or Wine): its registry view,
// process list, Documents folder and files. The set-up goes through the
// Win32 calls directly, never through the backend under test.

#include "platform/error.h"
#include "platform/platform.h"
#include "platform/services.h"
#include "platform/wide_text_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <windows.h>

#include <shlobj.h>

namespace z7 {
namespace {

// What the system says for an error code, as the backend is to quote it:
// without the line break and full stop at the end.
std::string SystemText(DWORD code)
{
    wchar_t buffer[1024] = {};
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                         0, buffer, 1024, nullptr);
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.'))
        text.pop_back();
    return Utf8(text);
}

std::string ErrorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const Error &error) {
        return error.what();
    }
    return {};
}

// ---------------------------------------------------------------------------
// Registry

const std::string AppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";

// A key of the test's own under HKEY_LOCAL_MACHINE\SOFTWARE, in one registry
// view, removed again at the end.
class ScratchKey
{
public:
    explicit ScratchKey(REGSAM view, const std::string &suffix = {})
        : m_view(view)
        , m_name(L"Z7Edit Tests " + std::to_wstring(::GetCurrentProcessId()) + Wide(suffix))
    {
        EXPECT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, nullptr, 0,
                                    KEY_ALL_ACCESS | m_view, nullptr, &m_software, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(::RegCreateKeyExW(m_software, m_name.c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS | m_view, nullptr, &m_key, nullptr),
                  ERROR_SUCCESS);
    }
    ~ScratchKey()
    {
        ::RegCloseKey(m_key);
        ::RegDeleteTreeW(m_software, m_name.c_str());
        ::RegDeleteKeyExW(m_software, m_name.c_str(), m_view, 0);
        ::RegCloseKey(m_software);
    }
    ScratchKey(const ScratchKey &) = delete;
    ScratchKey &operator=(const ScratchKey &) = delete;

    std::string path() const { return "SOFTWARE\\" + Utf8(m_name); }
    void set(const std::wstring &value, DWORD type, const void *data, DWORD size)
    {
        ASSERT_EQ(
            ::RegSetValueExW(m_key, value.c_str(), 0, type, static_cast<const BYTE *>(data), size),
            ERROR_SUCCESS);
    }

private:
    REGSAM m_view;
    std::wstring m_name;
    HKEY m_software = nullptr;
    HKEY m_key = nullptr;
};

struct RegistryCase
{
    const char *why;
    DWORD type;
    std::wstring data; // the bytes stored are these UTF-16 units
    std::string expected;
};

void PrintTo(const RegistryCase &c, std::ostream *out)
{
    *out << c.why;
}

std::wstring WithNul(std::wstring text)
{
    text.push_back(L'\0');
    return text;
}

class RegistryValues : public testing::TestWithParam<RegistryCase>
{
};

// A value that holds no text names no folder: it reads as a missing one, so
// that the start-up says the game is not installed instead of opening an
// editor without a game folder.
TEST_P(RegistryValues, TextUpToFirstNulAnythingElseAsMissing)
{
    const RegistryCase &c = GetParam();
    ScratchKey key(KEY_WOW64_32KEY);
    key.set(L"Path", c.type, c.data.data(), static_cast<DWORD>(c.data.size() * sizeof(wchar_t)));
    const auto platform = CreateSystemPlatform();
    std::string read = "<nothing>";
    EXPECT_EQ(ErrorOf([&] { read = platform->readRegistryText(key.path(), "Path"); }), "");
    EXPECT_EQ(read, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegistryValues,
    testing::Values(RegistryCase{"text", REG_SZ, WithNul(L"C:\\Spiele\\Z7"), "C:\\Spiele\\Z7"},
                    RegistryCase{"used verbatim", REG_SZ, WithNul(L"\"C:\\Spiele\\Z7\\\";"),
                                 "\"C:\\Spiele\\Z7\\\";"},
                    RegistryCase{"up to the first NUL", REG_SZ,
                                 WithNul(std::wstring(L"C:\\A\0C:\\B", 8)), "C:\\A"},
                    RegistryCase{"stored without NUL", REG_SZ, L"C:\\Z7", "C:\\Z7"},
                    RegistryCase{"empty text", REG_SZ, WithNul(L""), ""},
                    RegistryCase{"no bytes at all", REG_SZ, L"", ""},
                    RegistryCase{"expandable text is not expanded", REG_EXPAND_SZ,
                                 WithNul(L"%ProgramFiles%\\Z7"), "%ProgramFiles%\\Z7"},
                    RegistryCase{"non-ASCII letters", REG_SZ, WithNul(L"C:\\Spiele für Ä\\Z7"),
                                 "C:\\Spiele für Ä\\Z7"},
                    RegistryCase{"longer than a first guess at the size", REG_SZ,
                                 WithNul(std::wstring(3000, L'x')), std::string(3000, 'x')},
                    RegistryCase{"number", REG_DWORD, std::wstring(2, L'\x7'), ""},
                    RegistryCase{"large number", REG_QWORD, std::wstring(4, L'\x7'), ""},
                    RegistryCase{"list of texts", REG_MULTI_SZ, WithNul(WithNul(L"C:\\Z7")), ""},
                    RegistryCase{"bytes", REG_BINARY, L"C:", ""},
                    RegistryCase{"bytes that read as a path", REG_BINARY,
                                 WithNul(L"C:\\Spiele\\Z7"), ""},
                    RegistryCase{"no type", REG_NONE, WithNul(L"C:\\Z7"), ""}),
    [](const testing::TestParamInfo<RegistryCase> &info) {
        std::string name;
        for (const char *c = info.param.why; *c; ++c)
            name += ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z')) ? *c : '_';
        return name;
    });

TEST(Registry, MissingKeyOrValueReadsAsEmpty)
{
    ScratchKey key(KEY_WOW64_32KEY);
    const std::wstring text = WithNul(L"C:\\Z7");
    key.set(L"Path", REG_SZ, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    const auto platform = CreateSystemPlatform();
    EXPECT_EQ(platform->readRegistryText(key.path(), "PATH"), "C:\\Z7") << "names ignore case";
    EXPECT_EQ(platform->readRegistryText(key.path(), "Pfad"), "");
    EXPECT_EQ(platform->readRegistryText(key.path() + "\\fehlt", "Path"), "");
}

// The game's installer is a 32-bit program: a 64-bit build must read the
// 32-bit view, where that installer's entries land.
TEST(Registry, ReadsThe32BitView)
{
    ScratchKey only64(KEY_WOW64_64KEY, " 64");
    const std::wstring text = WithNul(L"C:\\64");
    only64.set(L"Path", REG_SZ, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    EXPECT_EQ(CreateSystemPlatform()->readRegistryText(only64.path(), "Path"), "");
}

// The entry that `wine reg add ... /reg:32` wrote before the run, as the
// game's 32-bit installer would; its text comes in Z7_REGISTERED_PATH.
TEST(Registry, FindsTheRegisteredGame)
{
    const char *registered = std::getenv("Z7_REGISTERED_PATH");
    if (!registered)
        GTEST_SKIP() << "Z7_REGISTERED_PATH is not set; no App Paths entry was written";
    EXPECT_EQ(CreateSystemPlatform()->readRegistryText(AppPathsKey, "Path"), registered);
}

// ---------------------------------------------------------------------------
// Processes and the Documents folder

TEST(Processes, OwnProcessIsListed)
{
    wchar_t module[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, module, MAX_PATH), 0u);
    std::string self = Utf8(module);
    self = self.substr(self.find_last_of('\\') + 1);

    const auto platform = CreateSystemPlatform();
    EXPECT_GE(platform->processNames().size(), 1u);
    std::string shouted = self;
    for (char &c : shouted)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    EXPECT_TRUE(IsProcessRunning(*platform, shouted)) << self;
    EXPECT_FALSE(IsProcessRunning(*platform, "kein-solcher-prozess.exe"));
}

TEST(DocumentsFolder, IsAnExistingFolderWithoutTrailingBackslash)
{
    const auto platform = CreateSystemPlatform();
    const std::string documents = SpecialFolderPath(*platform, DocumentsFolderNumber);
    ASSERT_GE(documents.size(), 3u);
    EXPECT_EQ(documents.substr(1, 2), ":\\") << documents;
    EXPECT_NE(documents.back(), '\\');
    const DWORD attributes = ::GetFileAttributesW(Wide(documents).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << documents;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(platform->fileExists(documents)) << "a folder is no file";

    // Where the guide goes; a name of the test's own, since under Wine the
    // folder may be the home folder of whoever runs the tests.
    const std::string probe =
        documents + "\\z7edit-probe-" + std::to_string(::GetCurrentProcessId()) + ".pdf";
    platform->writeFile(probe, "%PDF-1.5");
    EXPECT_EQ(platform->readFile(probe), "%PDF-1.5");
    ::DeleteFileW(Wide(probe).c_str());
}

// ---------------------------------------------------------------------------
// Files

void RemoveTree(const std::wstring &folder)
{
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

// A fresh folder with letters outside ASCII in its name, and a folder "Z7" in it.
class Files : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
        m_root = Utf8(temp) + "Z7 Prüfung " + std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(::GetTickCount64());
        ASSERT_TRUE(::CreateDirectoryW(Wide(m_root).c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryW(Wide(game()).c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(Wide(m_root)); }

    std::string game() const { return m_root + "\\Z7"; }
    std::string in(const std::string &name) const { return game() + "\\" + name; }

    static void put(const std::string &path, const std::string &bytes)
    {
        const HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD done = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
        ::CloseHandle(file);
        ASSERT_EQ(done, bytes.size());
    }
    // The names in the game folder, as the disk holds them.
    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        WIN32_FIND_DATAW entry;
        const HANDLE find = ::FindFirstFileW(Wide(game() + "\\*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE)
            return result;
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..")
                result.push_back(Utf8(name));
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
        return result;
    }

    std::unique_ptr<Platform> m_platform = CreateSystemPlatform();
    std::string m_root;
};

TEST_F(Files, ExistsForFilesOnlyIgnoringLetterCase)
{
    put(in("Z7.EXE"), "");
    EXPECT_TRUE(m_platform->fileExists(in("Z7.EXE")));
    EXPECT_TRUE(m_platform->fileExists(in("z7.exe")));
    EXPECT_FALSE(m_platform->fileExists(game())) << "a folder is no file";
    EXPECT_FALSE(m_platform->fileExists(in("z7_model.txt")));
}

TEST_F(Files, MoveRenamesButNeverReplaces)
{
    put(in("z7_model.txt"), "model");
    m_platform->moveFile(in("z7_model.txt"), in("z7_model.bak"));
    EXPECT_FALSE(m_platform->fileExists(in("z7_model.txt")));
    EXPECT_EQ(m_platform->readFile(in("z7_model.bak")), "model");

    m_platform->moveFile(in("z7_model.txt"), in("z7_model.bak")); // missing source
    EXPECT_EQ(m_platform->readFile(in("z7_model.bak")), "model");

    put(in("z7_model.txt"), "edited");
    m_platform->moveFile(in("z7_model.txt"), in("Z7_MODEL.BAK"));
    EXPECT_EQ(m_platform->readFile(in("z7_model.txt")), "edited");
    EXPECT_EQ(m_platform->readFile(in("z7_model.bak")), "model");
}

TEST_F(Files, ReadGivesEveryByte)
{
    const std::string bytes("Zeile 1\r\n\xE4\0\xFF\r\n", 13);
    put(in("z7_model.txt"), bytes);
    EXPECT_EQ(m_platform->readFile(in("Z7_MODEL.TXT")), bytes);

    std::string large(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i * 7 + i / 251);
    put(in("large.bin"), large);
    EXPECT_EQ(m_platform->readFile(in("large.bin")), large);

    put(in("empty.txt"), "");
    EXPECT_EQ(m_platform->readFile(in("empty.txt")), "");
}

TEST_F(Files, ReadFailuresNameFileAndReason)
{
    struct Case
    {
        std::string path;
        DWORD reason;
    };
    const Case cases[] = {
        {in("z7_model.txt"), ERROR_FILE_NOT_FOUND},
        {m_root + "\\Fehlt\\z7_model.txt", ERROR_PATH_NOT_FOUND},
        {game(), ERROR_ACCESS_DENIED},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ErrorOf([&] { m_platform->readFile(c.path); }),
                  "Datei " + c.path + " kann nicht geöffnet werden. " + SystemText(c.reason));
    }
}

TEST_F(Files, WriteCreatesAndReplacesWithoutLeftovers)
{
    m_platform->writeFile(in("z7_model.txt"), "first");
    EXPECT_EQ(m_platform->readFile(in("z7_model.txt")), "first");

    const std::string second("second\0\r\n\x80", 10);
    m_platform->writeFile(in("Z7_MODEL.TXT"), second);
    EXPECT_EQ(m_platform->readFile(in("z7_model.txt")), second);

    std::string large(5 * 1024 * 1024 + 3, 'x');
    large[large.size() / 2] = '\0';
    m_platform->writeFile(in("z7_model.txt"), large);
    EXPECT_EQ(m_platform->readFile(in("z7_model.txt")), large);

    m_platform->writeFile(in("z7_model.txt"), "");
    EXPECT_EQ(m_platform->readFile(in("z7_model.txt")), "");

    const std::vector<std::string> left = names();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(::CompareStringOrdinal(Wide(left[0]).c_str(), -1, L"z7_model.txt", -1, TRUE),
              CSTR_EQUAL)
        << left[0];
}

// A refused write reports the file and the system's reason, keeps whatever
// stood there and leaves no temporary file behind.
TEST_F(Files, RefusedWriteKeepsThePreviousFile)
{
    put(in("schreibgeschützt.txt"), "alt");
    ::SetFileAttributesW(Wide(in("schreibgeschützt.txt")).c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(::CreateDirectoryW(Wide(in("ordner")).c_str(), nullptr));
    put(in("offen.txt"), "alt");
    const HANDLE held = ::CreateFileW(Wide(in("offen.txt")).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    struct Case
    {
        std::string path;
        DWORD reason;
    };
    const Case cases[] = {
        {m_root + "\\Fehlt\\z7_model.txt", ERROR_PATH_NOT_FOUND},
        {in("ordner"), ERROR_ACCESS_DENIED},
        {in("schreibgeschützt.txt"), ERROR_ACCESS_DENIED},
        {in("offen.txt"), ERROR_SHARING_VIOLATION}, // held open by another program
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ErrorOf([&] { m_platform->writeFile(c.path, "neu"); }),
                  "Datei \"" + c.path + "\" kann nicht erstellt werden. " + SystemText(c.reason));
    }
    ::CloseHandle(held);
    EXPECT_EQ(m_platform->readFile(in("schreibgeschützt.txt")), "alt");
    EXPECT_EQ(m_platform->readFile(in("offen.txt")), "alt");
    EXPECT_TRUE(::GetFileAttributesW(Wide(in("ordner")).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(names().size(), 3u) << "no temporary file is left";
    EXPECT_EQ(::GetFileAttributesW(Wide(m_root + "\\Fehlt").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace z7
