// z7edit's Windows resources as the resource compiler and linker left them in
// a program file (z7edit_resources.exe, built beside the tests): what the
// program reads through Win32ResourceSource, and what the shell, the version
// tab of the file's properties and the program loader read.

#include "resources/picture_list.h"
#include "resources/win32_resource_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <windows.h>

namespace z7 {
namespace {

constexpr WORD German = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
constexpr WORD UsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD Neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

std::wstring Beside(const wchar_t *name)
{
    wchar_t module[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path = module;
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

class Resources : public testing::Test
{
protected:
    void SetUp() override
    {
        m_module = ::LoadLibraryExW(m_file.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_module, nullptr) << "z7edit_resources.exe is missing";
    }
    void TearDown() override
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }

    std::string bytes(const wchar_t *type, const wchar_t *name, WORD language) const
    {
        const HRSRC found = ::FindResourceExW(m_module, type, name, language);
        if (!found)
            return {};
        const auto *data =
            static_cast<const char *>(::LockResource(::LoadResource(m_module, found)));
        return std::string(data, ::SizeofResource(m_module, found));
    }

    std::vector<WORD> languagesOf(const wchar_t *type, const wchar_t *name) const
    {
        std::vector<WORD> languages;
        ::EnumResourceLanguagesW(
            m_module, type, name,
            [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) -> BOOL {
                reinterpret_cast<std::vector<WORD> *>(list)->push_back(language);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&languages));
        std::sort(languages.begin(), languages.end());
        return languages;
    }

    std::wstring versionText(const std::wstring &entry) const
    {
        void *value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(m_version.data(), (L"\\StringFileInfo\\040904E4\\" + entry).c_str(),
                              &value, &length))
            return L"<missing>";
        std::wstring text(static_cast<const wchar_t *>(value), length);
        return text.substr(0, text.find(L'\0'));
    }

    void loadVersion()
    {
        const DWORD size = ::GetFileVersionInfoSizeW(m_file.c_str(), nullptr);
        ASSERT_GT(size, 0u);
        m_version.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(m_file.c_str(), 0, size, m_version.data()));
    }

    std::wstring m_file = Beside(L"z7edit_resources.exe");
    HMODULE m_module = nullptr;
    std::vector<char> m_version;
};

// Where the build found each resource's file: the committed texts and the
// main build's generated files (the build passes both folders in).
struct CarriedResource
{
    std::u16string type;
    std::u16string name; // as the program asks for it
    std::string file;    // below Z7_TEXTS_DIR or Z7_GENERATED_DIR
    WORD language;
};

std::vector<CarriedResource> CarriedResources()
{
    const std::string texts = Z7_TEXTS_DIR "/";
    const std::string generated = Z7_GENERATED_DIR "/";
    std::vector<CarriedResource> rows = {
        {u"RT_RCDATA", u"NewModell", texts + "NewModell", German},
        {u"RT_RCDATA", u"DE_Modell", texts + "DE_Modell", German},
        {u"RT_RCDATA", u"NodeTree", texts + "NodeTree", German},
        {u"RT_RCDATA", u"NodeIndex", texts + "NodeIndex", German},
        {u"RT_RCDATA", u"NodeStatusIndex", texts + "NodeStatusIndex", German},
        {u"RT_RCDATA", u"NodeExtendedIndex", texts + "NodeExtendedIndex", German},
        {u"RT_RCDATA", u"PDF", generated + "guide/PDF", Neutral},
        {u"Z7", u"TTF", generated + "fonts/Z7/TTF", German},
        {u"ZOLT", u"TTF", generated + "fonts/ZOLT/TTF", German},
        {u"DIB", u"Logo", generated + "bitmaps/logo.dib", Neutral},
        {u"DIB", u"Start", generated + "bitmaps/start.dib", Neutral},
        {u"DIB", u"NoSelect", generated + "bitmaps/noselect.dib", Neutral},
        {u"DIB", u"Marker", generated + "bitmaps/marker.dib", Neutral},
    };
    for (int i = 0; i < BuildingPictureCount; ++i) {
        char number[4];
        std::snprintf(number, sizeof number, "%03d", i);
        rows.push_back({u"PNG", u"Building" + std::u16string(number, number + 3),
                        generated + "images/buildings/" + number + ".png", Neutral});
    }
    return rows;
}

std::string FileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring Wide(const std::u16string &text)
{
    return std::wstring(text.begin(), text.end());
}

enum class LetterCase { Upper, Lower, Alternating };

// The text with its letters A-Z turned: "Alternating" turns "NewModell" into
// "nEwMoDeLl".
std::u16string InCase(std::u16string text, LetterCase letterCase)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool upper = letterCase == LetterCase::Upper ||
                           (letterCase == LetterCase::Alternating && i % 2 == 1);
        char16_t &c = text[i];
        if (upper && c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        else if (!upper && c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return text;
}

TEST_F(Resources, EveryResourceInAnyLetterCaseHasTheBytesOfItsFile)
{
    const Win32ResourceSource source(m_module);
    for (const CarriedResource &r : CarriedResources()) {
        const std::string expected = FileBytes(r.file);
        ASSERT_FALSE(expected.empty()) << r.file << " is missing or empty";
        ASSERT_TRUE(source.bytes(r.type, r.name).has_value()) << r.file;
        for (const LetterCase letterCase :
             {LetterCase::Upper, LetterCase::Lower, LetterCase::Alternating}) {
            const std::optional<std::string> found =
                source.bytes(InCase(r.type, letterCase), InCase(r.name, letterCase));
            ASSERT_TRUE(found.has_value()) << r.file;
            EXPECT_TRUE(*found == expected)
                << r.file << ": " << found->size() << " bytes, the file " << expected.size();
        }
    }
}

TEST_F(Resources, EveryResourceIsStoredOnceInItsLanguage)
{
    for (const CarriedResource &r : CarriedResources()) {
        EXPECT_EQ(languagesOf(Wide(InCase(r.type, LetterCase::Upper)).c_str(),
                              Wide(InCase(r.name, LetterCase::Upper)).c_str()),
                  std::vector<WORD>{r.language})
            << r.file;
    }
}

// The model texts are compared byte for byte with the game's own files, and
// "DE_Modell" is one byte shorter than "NewModell": a checkout that turned
// the line ends would change both the committed file and the resource.
TEST_F(Resources, TextsKeepTheirSizes)
{
    const Win32ResourceSource source(m_module);
    const std::pair<const char16_t *, std::size_t> sizes[] = {
        {u"NewModell", 6651}, {u"DE_Modell", 6650},      {u"NodeTree", 1660},
        {u"NodeIndex", 449},  {u"NodeStatusIndex", 460}, {u"NodeExtendedIndex", 452},
    };
    for (const auto &[name, size] : sizes)
        EXPECT_EQ(source.bytes(u"RT_RCDATA", name).value_or("").size(), size);
}

TEST_F(Resources, TextsAreNotUnderThePredefinedRawDataType)
{
    for (const wchar_t *name : {L"NEWMODELL", L"DE_MODELL", L"NODETREE", L"PDF"})
        EXPECT_EQ(::FindResourceW(m_module, name, RT_RCDATA), nullptr);
}

TEST_F(Resources, UnknownOrMalformedNamesFindNothing)
{
    const Win32ResourceSource source(m_module);
    const std::pair<std::u16string, std::u16string> asked[] = {
        {u"RT_RCDATA", u"NewModel"},
        {u"RT_RCDATA", u"NewModellX"},
        {u"RT_RCDATA", u"TTF"},
        {u"RCDATA", u"NewModell"},
        {u"#10", u"NewModell"},                       // the predefined raw-data type by number
        {u"#24", u"#1"},                              // the process manifest by number
        {u"PNG", u"Building108"},                     // one past the last picture
        {u"PNG", u"Building"},                        // a prefix of the names
        {u"ZOLT", u"Z7"},                             // type and name swapped
        {u"RT_RCDATA", u""},                          // empty name
        {u"", u"PDF"},                                // empty type
        {u"RT_RCDATA", std::u16string(u"PDF\0X", 5)}, // would stop at the NUL
        {u"RT_RCDATA", u"NODE\u0131NDEX"},            // the dotless i is no I
        {u"RT_RCDATA", u"nodetre\u00e9"},             // nor is an accented e an E
    };
    for (const auto &[type, name] : asked) {
        EXPECT_FALSE(source.bytes(type, name).has_value()) << std::string(name.begin(), name.end());
        EXPECT_FALSE(source.view(type, name).has_value());
    }
}

// The lookup gives no language: a system in any language finds the German
// texts and the neutral guide.
TEST_F(Resources, FoundWhateverTheUserInterfaceLanguage)
{
    const Win32ResourceSource source(m_module);
    const LANGID before = ::GetThreadUILanguage();
    const LANGID languages[] = {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH),
                                MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), UsEnglish, German};
    for (const LANGID language : languages) {
        ::SetThreadUILanguage(language);
        for (const char16_t *name : {u"NewModell", u"NodeTree", u"PDF"})
            EXPECT_TRUE(source.bytes(u"RT_RCDATA", name).has_value()) << language;
        EXPECT_TRUE(source.bytes(u"Z7", u"TTF").has_value()) << language;
    }
    ::SetThreadUILanguage(before);
}

// The fonts are registered in place: the view points into the module's
// memory, where the resource lies.
TEST_F(Resources, ViewPointsIntoTheModule)
{
    const Win32ResourceSource source(m_module);
    const std::optional<std::string_view> font = source.view(u"zolt", u"ttf");
    ASSERT_TRUE(font.has_value());
    const HRSRC found = ::FindResourceW(m_module, L"TTF", L"ZOLT");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(font->data(), ::LockResource(::LoadResource(m_module, found)));
    EXPECT_EQ(font->size(), ::SizeofResource(m_module, found));
}

#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(Resources, IconGroupWithFiveSizesFoundInAnyLetterCase)
{
    EXPECT_EQ(languagesOf(RT_GROUP_ICON, L"MAINICON"), std::vector<WORD>{UsEnglish});
    const std::string group = bytes(RT_GROUP_ICON, L"mainicon", UsEnglish);
    ASSERT_EQ(group.size(), 6u + 5 * sizeof(GroupIconEntry));
    EXPECT_EQ(reinterpret_cast<const WORD *>(group.data())[2], 5);

    std::vector<int> sizes;
    for (int i = 0; i < 5; ++i) {
        GroupIconEntry entry;
        std::copy_n(group.data() + 6 + i * sizeof entry, sizeof entry,
                    reinterpret_cast<char *>(&entry));
        sizes.push_back(entry.width == 0 ? 256 : entry.width);
        const std::string image = bytes(RT_ICON, MAKEINTRESOURCEW(entry.id), UsEnglish);
        EXPECT_EQ(image.size(), entry.bytes) << "icon image " << entry.id;
        if (entry.width == 0) { // the large one is stored as PNG
            EXPECT_EQ(image.substr(0, 4), "\x89PNG");
        }
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 256}));
}

TEST_F(Resources, VersionRecord)
{
    EXPECT_EQ(languagesOf(RT_VERSION, MAKEINTRESOURCEW(1)), std::vector<WORD>{UsEnglish});
    loadVersion();

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        ::VerQueryValueW(m_version.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD *translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(m_version.data(), L"\\VarFileInfo\\Translation",
                                 reinterpret_cast<void **>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04E4);

    EXPECT_EQ(versionText(L"FileDescription"), L"Z7Edit");
    EXPECT_EQ(versionText(L"FileVersion"), L"1.0.0.0");
    EXPECT_EQ(versionText(L"ProductName"), L"Z7Edit");
    EXPECT_EQ(versionText(L"ProductVersion"), L"1.0.0.0");
    const std::wstring id = versionText(L"ProgramID");
    ASSERT_GT(id.size(), 7u);
    EXPECT_EQ(id.substr(id.size() - 7), L".Z7Edit");
    EXPECT_NE(id.find(L'.'), id.size() - 7) << "reverse-domain: at least two dots";
}

TEST_F(Resources, GermanManifestOnlyAsksForAdministratorRights)
{
    // Exactly the two process manifests: nothing that a toolchain adds on its own.
    EXPECT_EQ(languagesOf(RT_MANIFEST, MAKEINTRESOURCEW(1)),
              (std::vector<WORD>{German, UsEnglish}));
    const std::string xml = bytes(RT_MANIFEST, MAKEINTRESOURCEW(1), German);
    EXPECT_NE(xml.find("<requestedExecutionLevel level=\"requireAdministrator\""),
              std::string::npos);
    for (const char *absent : {"asInvoker", "dependency", "dpiAware", "compatibility"})
        EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
}

TEST_F(Resources, EnglishManifest)
{
    const std::string xml = bytes(RT_MANIFEST, MAKEINTRESOURCEW(1), UsEnglish);
    const char *present[] = {
        ">True/PM</dpiAware>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "language=\"*\" processorArchitecture=\"*\"",
        "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // 10
    };
    for (const char *text : present)
        EXPECT_NE(xml.find(text), std::string::npos) << text;
    EXPECT_EQ(xml.find("requireAdministrator"), std::string::npos);
}

// The loader reads the manifests when it starts the program; one it cannot
// use stops the start. Asking for administrator rights is an answer too.
// Started, the carrier reads its own resources through ProgramResources()
// and ends with 0 only when it finds them.
TEST_F(Resources, ProgramLoaderAcceptsTheManifests)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + m_file + L"\"";
    if (!::CreateProcessW(m_file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        constexpr DWORD ElevationRequired = 740; // ERROR_ELEVATION_REQUIRED
        EXPECT_EQ(::GetLastError(), ElevationRequired);
        return;
    }
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

} // namespace
} // namespace z7
