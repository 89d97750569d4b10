#include "platform/error.h"
#include "platform/platform_wine.h"
#include "platform/registry_wine.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace z7 {
namespace {

const std::string AppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";

// A prefix folder holding nothing but the given system.reg.
class RegistryPrefix
{
public:
    explicit RegistryPrefix(const std::string &systemReg)
    {
        QFile file(m_folder.filePath(QStringLiteral("system.reg")));
        if (file.open(QIODevice::WriteOnly))
            file.write(systemReg.data(), static_cast<qint64>(systemReg.size()));
    }
    WinePlatform platform() const { return WinePlatform(m_folder.path().toStdString(), "/"); }
    std::string file() const
    {
        return m_folder.filePath(QStringLiteral("system.reg")).toStdString();
    }

private:
    QTemporaryDir m_folder;
};

std::string Header(const char *arch)
{
    return std::string("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=") +
           arch + "\n\n";
}

// Every form in which wineserver writes a value, in one key.
const std::string ValueForms = Header("win32") + R"REG([Software\\Z7\\Forms] 1700000000
#time=1d9a0b0c0d0e0f0
"Plain"="C:\\Spiele\\Z7"
"Quote"="sagt \"ja\""
"Controls"="a\nb\tc\rd"
"Hex4"="Z\x00e4sar"
"HexShort"="\xe4!"
"HexNoDigit"="\xyz"
"Surrogates"="\xd83d\xde00"
"Nul"="abc\0def"
"Octal"="\101\102C"
"Utf8"="Zäsar"
"Expand"=str(2):"%ProgramFiles%\\Z7;"
"StrForm"=str:"x"
"HexExpand"=hex(2):25,00,50,00,72,00,6f,00,67,00,72,00,61,00,6d,00,46,00,69,00,\
  6c,00,65,00,73,00,25,00,5c,00,5a,00,37,00,00,00
"HexText"=hex(1):41,00,e4,00
"Empty"=""
"Dword"=dword:00000001
"Binary"=hex:01,02
"Multi"=str(7):"a\0b\0"
"None"=hex(0):
"QWord"=hex(b):01,00,00,00,00,00,00,00
"Broken"="no end
"After"="after the broken one"
@="Vorgabe"

[Software\\Odd\]Name] 1700000000
"Path"="bracket in key name"
)REG";

struct ValueCase
{
    const char *value;
    std::optional<std::string> text; // nothing: the value is not text
};

class RegistryValueForms : public testing::TestWithParam<ValueCase>
{
};

TEST_P(RegistryValueForms, DecodesWhatWineWrites)
{
    const RegistryPrefix prefix(ValueForms);
    WinePlatform platform = prefix.platform();
    const ValueCase &c = GetParam();
    // The prefix search's quick look must agree with the full read.
    EXPECT_EQ(WineRegistryHoldsText(prefix.file(), "Software\\Z7\\Forms", c.value),
              c.text && !c.text->empty())
        << c.value;
    if (c.text) {
        EXPECT_EQ(platform.readRegistryText("Software\\Z7\\Forms", c.value), *c.text);
    } else {
        try {
            platform.readRegistryText("Software\\Z7\\Forms", c.value);
            ADD_FAILURE() << c.value << " read as text";
        } catch (const Error &error) {
            EXPECT_EQ(error.what(), "Ungültiger Datentyp für '" + std::string(c.value) + "'");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegistryValueForms,
    testing::Values(ValueCase{"Plain", "C:\\Spiele\\Z7"}, ValueCase{"plain", "C:\\Spiele\\Z7"},
                    ValueCase{"Quote", "sagt \"ja\""}, ValueCase{"Controls", "a\nb\tc\rd"},
                    ValueCase{"Hex4", "Zäsar"}, ValueCase{"HexShort", "ä!"},
                    ValueCase{"HexNoDigit", "xyz"}, ValueCase{"Surrogates", "😀"},
                    ValueCase{"Nul", "abc"}, ValueCase{"Octal", "ABC"}, ValueCase{"Utf8", "Zäsar"},
                    ValueCase{"Expand", "%ProgramFiles%\\Z7;"}, ValueCase{"StrForm", "x"},
                    ValueCase{"HexExpand", "%ProgramFiles%\\Z7"}, ValueCase{"HexText", "Aä"},
                    ValueCase{"Empty", ""}, ValueCase{"Missing", ""}, ValueCase{"Broken", ""},
                    ValueCase{"After", "after the broken one"}, ValueCase{"", "Vorgabe"},
                    ValueCase{"Dword", std::nullopt}, ValueCase{"Binary", std::nullopt},
                    ValueCase{"Multi", std::nullopt}, ValueCase{"None", std::nullopt},
                    ValueCase{"QWord", std::nullopt}));

TEST(WineRegistry, KeyNamesIgnoreCaseAndUnescape)
{
    const RegistryPrefix prefix(ValueForms);
    WinePlatform platform = prefix.platform();
    EXPECT_EQ(platform.readRegistryText("SOFTWARE\\z7\\FORMS", "Plain"), "C:\\Spiele\\Z7");
    EXPECT_EQ(platform.readRegistryText("Software\\Odd]Name", "Path"), "bracket in key name");
    EXPECT_EQ(platform.readRegistryText("Software\\Z7", "Plain"), "") << "parent key";
    EXPECT_EQ(platform.readRegistryText("Software\\Z7\\Forms\\Sub", "Plain"), "") << "missing key";
}

TEST(WineRegistry, MissingOrForeignFileReadsAsEmpty)
{
    QTemporaryDir empty;
    EXPECT_EQ(WinePlatform(empty.path().toStdString()).readRegistryText(AppPaths, "Path"), "");
    EXPECT_FALSE(WineRegistryHoldsText(empty.filePath(QStringLiteral("system.reg")).toStdString(),
                                       AppPaths, "Path"));
    const RegistryPrefix foreign("REGEDIT4\n\n[Software\\\\Z7\\\\Forms]\n\"Plain\"=\"x\"\n");
    EXPECT_EQ(foreign.platform().readRegistryText("Software\\Z7\\Forms", "Plain"), "");
    EXPECT_FALSE(WineRegistryHoldsText(foreign.file(), "Software\\Z7\\Forms", "Plain"));
}

// The 32-bit view: which of the plain and the Wow6432Node key a lookup opens.
struct ViewCase
{
    const char *why;
    std::string systemReg;
    std::string path;
};

class RegistryView : public testing::TestWithParam<ViewCase>
{
};

TEST_P(RegistryView, OpensThe32BitKey)
{
    const RegistryPrefix prefix(GetParam().systemReg);
    EXPECT_EQ(prefix.platform().readRegistryText(AppPaths, "Path"), GetParam().path)
        << GetParam().why;
    EXPECT_EQ(WineRegistryHoldsText(prefix.file(), AppPaths, "Path"), !GetParam().path.empty())
        << GetParam().why;
}

const char *const PlainKey =
    R"REG([Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe] 1
"Path"="C:\\Plain"
)REG";
const char *const WowKey =
    R"REG([Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe] 1
"Path"="C:\\Wow"
)REG";
const char *const WowKeyWithoutPath =
    R"REG([Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe] 1
"Other"="x"
)REG";
// As Wine shares App Paths between both views: a link key, its target UTF-16LE
// "\Registry\Machine\Software\Microsoft\Windows\CurrentVersion\App Paths".
const char *const WowAppPathsLink =
    R"REG([Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths] 1
#time=1dd87a259cd78f2
#link
"SymbolicLinkValue"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,\
  00,5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,6f,00,66,00,\
  74,00,77,00,61,00,72,00,65,00,5c,00,4d,00,69,00,63,00,72,00,6f,00,73,00,6f,\
  00,66,00,74,00,5c,00,57,00,69,00,6e,00,64,00,6f,00,77,00,73,00,5c,00,43,00,\
  75,00,72,00,72,00,65,00,6e,00,74,00,56,00,65,00,72,00,73,00,69,00,6f,00,6e,\
  00,5c,00,41,00,70,00,70,00,20,00,50,00,61,00,74,00,68,00,73,00
)REG";
// A link to itself ("\Registry\Machine\Software\Loop").
const char *const LoopLink = R"REG([Software\\Loop] 1
#link
"SymbolicLinkValue"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,00,5c,00,\
  4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,6f,00,66,00,74,00,77,00,61,00,\
  72,00,65,00,5c,00,4c,00,6f,00,6f,00,70,00
)REG";

INSTANTIATE_TEST_SUITE_P(
    Table, RegistryView,
    testing::Values(
        ViewCase{"64-bit prefix: redirected key first", Header("win64") + PlainKey + WowKey,
                 "C:\\Wow"},
        ViewCase{"64-bit prefix: plain key when no redirected one", Header("win64") + PlainKey,
                 "C:\\Plain"},
        ViewCase{"64-bit prefix: the redirected key is opened even without the value",
                 Header("win64") + PlainKey + WowKeyWithoutPath, ""},
        ViewCase{"64-bit prefix: shared key through Wine's link",
                 Header("win64") + PlainKey + WowAppPathsLink, "C:\\Plain"},
        ViewCase{"32-bit prefix: no redirection", Header("win32") + PlainKey + WowKey, "C:\\Plain"},
        ViewCase{"32-bit prefix: only a redirected key", Header("win32") + WowKey, ""},
        ViewCase{"key names in another letter case",
                 Header("win64") + "[SOFTWARE\\\\MICROSOFT\\\\WINDOWS\\\\CurrentVersion\\\\"
                                   "APP PATHS\\\\Z7.EXE] 1\n\"Path\"=\"C:\\\\Upper\"\n",
                 "C:\\Upper"},
        ViewCase{"no architecture line",
                 std::string("WINE REGISTRY Version 2\n\n") + PlainKey + WowKey, "C:\\Plain"}));

// The quick look of the prefix search reads the file in pieces of 64 KiB; a
// key's header may end in the next piece, or be a key at the top.
TEST(WineRegistry, QuickLookFindsHeadersAcrossPiecesAndAtTheTop)
{
    const std::string key = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App "
                            "Paths\\\\z7.exe] 1\n\"Path\"=\"C:\\\\Z7\"\n";
    const std::string head = Header("win32") + "[Software\\\\Pad] 1\n\"P\"=\"";
    const std::size_t piece = 65536;
    const std::size_t closing = key.find(']');
    for (std::size_t shift = 0; shift < closing + 3; ++shift) {
        const std::size_t padding = piece + shift - closing - head.size() - 3;
        const RegistryPrefix prefix(head + std::string(padding, 'x') + "\"\n" + key);
        EXPECT_TRUE(WineRegistryHoldsText(prefix.file(), AppPaths, "Path")) << shift;
    }
    const RegistryPrefix top(Header("win32") + "[Junk] 1\n\"Path\"=\"x\"\n");
    EXPECT_TRUE(WineRegistryHoldsText(top.file(), "JUNK", "Path"));
}

TEST(WineRegistry, LinkRoundInACircleReadsAsEmpty)
{
    const RegistryPrefix prefix(Header("win64") + LoopLink);
    EXPECT_EQ(prefix.platform().readRegistryText("Software\\Loop\\Key", "Path"), "");
}

TEST(WineRegistry, NonTextInTheOtherViewDoesNotMatter)
{
    const RegistryPrefix prefix(Header("win64") + WowKey +
                                "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App "
                                "Paths\\\\z7.exe] 1\n\"Path\"=dword:00000001\n");
    EXPECT_EQ(prefix.platform().readRegistryText(AppPaths, "Path"), "C:\\Wow");
}

} // namespace
} // namespace z7
