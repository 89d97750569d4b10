// The start-up on the Windows backend and the game's real registration: a
// "Path" value of another type than text must end the program as a missing
// one does, before anything is loaded or written. The test prefix's App Paths
// entry is changed for each case and put back afterwards.

#include "app/tmain.h"
#include "model/text.h"
#include "platform/platform.h"
#include "platform/platform_texts.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_resources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include <windows.h>

namespace z7 {
namespace {

const wchar_t AppPaths[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";

// The registration's "Path" value, replaced for one case and then restored
// byte for byte.
class RegisteredValue
{
public:
    RegisteredValue()
    {
        EXPECT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, AppPaths, 0, nullptr, 0,
                                    KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &m_key, nullptr),
                  ERROR_SUCCESS);
        DWORD size = 0;
        m_had =
            ::RegQueryValueExW(m_key, L"Path", nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS;
        m_bytes.resize(size);
        if (m_had)
            ::RegQueryValueExW(m_key, L"Path", nullptr, &m_type, m_bytes.data(), &size);
    }
    ~RegisteredValue()
    {
        if (m_had)
            ::RegSetValueExW(m_key, L"Path", 0, m_type, m_bytes.data(),
                             static_cast<DWORD>(m_bytes.size()));
        else
            ::RegDeleteValueW(m_key, L"Path");
        ::RegCloseKey(m_key);
    }
    RegisteredValue(const RegisteredValue &) = delete;
    RegisteredValue &operator=(const RegisteredValue &) = delete;

    void set(DWORD type, const std::wstring &units)
    {
        ASSERT_EQ(::RegSetValueExW(m_key, L"Path", 0, type,
                                   reinterpret_cast<const BYTE *>(units.data()),
                                   static_cast<DWORD>(units.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

private:
    HKEY m_key = nullptr;
    bool m_had = false;
    DWORD m_type = REG_NONE;
    std::vector<BYTE> m_bytes;
};

struct ValueCase
{
    const char *name;
    DWORD type;
    std::wstring units;
    bool pathTaken; // read as the game folder, so the start goes on to look for the game there
};

void PrintTo(const ValueCase &c, std::ostream *out)
{
    *out << c.name;
}

class StartupRegistry : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(StartupRegistry, AValueOfAnotherTypeIsNoInstallation)
{
    if (!std::getenv("Z7_REGISTERED_PATH"))
        GTEST_SKIP() << "changes the game's registration: only in the test prefix";
    const ValueCase &c = GetParam();
    RegisteredValue value;
    value.set(c.type, c.units);

    const std::unique_ptr<Platform> platform = CreateSystemPlatform();
    test::FakeWindow window;
    TMain main(*platform, window, test::TestResources::shipped());
    EXPECT_EQ(main.FormCreate(), TMain::StartResult::End);
    // The folder named holds no game: the second cause ends it, after the
    // reference model was loaded; a value that names none ends it at once.
    ASSERT_EQ(window.shown().size(), 1u);
    EXPECT_EQ(ToUtf8(window.shown().front().text),
              "Es konnte keine Installation des Spiels <Ordavia> gefunden werden! Ohne eine "
              "korrekte Spielinstallation ist der Z7-Editor nicht lauffähig. Der Programmstart "
              "wird abgebrochen.");
    EXPECT_EQ(main.GamePath().empty(), !c.pathTaken);
    EXPECT_EQ(main.store().ReferenceModel.empty(), !c.pathTaken);
}

std::wstring WithNul(std::wstring text)
{
    text.push_back(L'\0');
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Types, StartupRegistry,
    ::testing::Values(
        ValueCase{"text", REG_SZ, WithNul(L"C:\\Kein Spiel hier"), true},
        ValueCase{"expandableText", REG_EXPAND_SZ, WithNul(L"C:\\Kein Spiel hier"), true},
        ValueCase{"number", REG_DWORD, std::wstring(2, L'\x7'), false},
        ValueCase{"bytes", REG_BINARY, WithNul(L"C:\\Kein Spiel hier"), false},
        ValueCase{"listOfTexts", REG_MULTI_SZ, WithNul(WithNul(L"C:\\Kein Spiel hier")), false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace z7
