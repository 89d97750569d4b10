#include "platform/vdf_wine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace z7 {
namespace {

// libraryfolders.vdf as Steam clients since 2021 write it.
const char *const Current = R"VDF("libraryfolders"
{
	"0"
	{
		"path"		"/home/spieler/.local/share/Steam"
		"label"		""
		"contentid"		"6114524813297545423"
		"totalsize"		"0"
		"apps"
		{
			"228980"		"229318063"
		}
	}
	"1"
	{
		"path"		"/mnt/Zweite Platte/SteamLibrary"
		"label"		"Spiele"
		"apps"
		{
			"1337420"		"1048576"
		}
	}
}
)VDF";

// The same file of older clients: bare texts under numbered keys.
const char *const Older = R"VDF("LibraryFolders"
{
	"TimeNextStatsReport"		"1650000000"
	"ContentStatsID"		"-1234"
	"1"		"/mnt/disk2/SteamLibrary"
	"2"		"/mnt/disk3/Steam"
}
)VDF";

struct LibraryCase
{
    const char *why;
    std::string vdf;
    std::vector<std::string> paths;
};

class SteamLibraries : public testing::TestWithParam<LibraryCase>
{
};

TEST_P(SteamLibraries, PathsInFileOrder)
{
    EXPECT_EQ(SteamLibraryPaths(GetParam().vdf), GetParam().paths) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SteamLibraries,
    testing::Values(
        LibraryCase{"current clients: path of each block",
                    Current,
                    {"/home/spieler/.local/share/Steam", "/mnt/Zweite Platte/SteamLibrary"}},
        LibraryCase{"older clients: numbered texts, others skipped",
                    Older,
                    {"/mnt/disk2/SteamLibrary", "/mnt/disk3/Steam"}},
        LibraryCase{
            "keys ignore letter case", "\"LIBRARYFOLDERS\" { \"0\" { \"Path\" \"/a\" } }", {"/a"}},
        LibraryCase{"escapes",
                    R"("libraryfolders" { "0" { "path" "D:\\Steam \"X\"" } })",
                    {"D:\\Steam \"X\""}},
        LibraryCase{"bare words, comments, conditions, CR LF and a byte order mark",
                    "\xEF\xBB\xBF// Steam\r\nlibraryfolders\r\n{ // libraries\r\n"
                    "  0 { path /a [$LINUX] }\r\n  1 { path \"/b\" }\r\n}\r\n",
                    {"/a", "/b"}},
        LibraryCase{
            "a library without a path, an empty path",
            R"("libraryfolders" { "0" { "label" "x" } "1" { "path" "" } "2" { "path" "/c" } })",
            {"/c"}},
        LibraryCase{"path as a block is no path",
                    R"("libraryfolders" { "0" { "path" { "x" "y" } } "1" { "path" "/d" } })",
                    {"/d"}},
        LibraryCase{"another root block", R"("config" { "0" { "path" "/e" } })", {}},
        LibraryCase{"missing closing brace", R"("libraryfolders" { "0" { "path" "/a" })", {}},
        LibraryCase{"one brace too many", R"("libraryfolders" { "0" { "path" "/a" } } })", {}},
        LibraryCase{"unterminated quote", R"("libraryfolders" { "0" { "path" "/a } })", {}},
        LibraryCase{"key without text", R"("libraryfolders" { "0" { "path" } })", {}},
        LibraryCase{"key at the very end", R"("libraryfolders")", {}},
        LibraryCase{"nested far too deep",
                    [] {
                        std::string vdf;
                        for (int i = 0; i < 100000; ++i)
                            vdf += "\"libraryfolders\" {";
                        return vdf + std::string(100000, '}');
                    }(),
                    {}},
        LibraryCase{"empty file", "", {}},
        LibraryCase{"binary junk", std::string("\0\x01\x02{", 4), {}}));

TEST(Vdf, KeepsTheTreeAndFindsChildrenIgnoringCase)
{
    const auto file = ParseVdf(R"("a" { "B" "1" "c" { } "b" "2" } "d" "3")");
    ASSERT_TRUE(file);
    ASSERT_EQ(file->size(), 2u);
    const VdfEntry &a = (*file)[0];
    EXPECT_TRUE(a.isBlock);
    ASSERT_EQ(a.children.size(), 3u);
    ASSERT_TRUE(a.child("b"));
    EXPECT_EQ(a.child("b")->text, "1") << "the first of two";
    EXPECT_TRUE(a.child("C")->isBlock);
    EXPECT_TRUE(a.child("C")->children.empty());
    EXPECT_EQ(a.child("x"), nullptr);
    EXPECT_EQ((*file)[1].text, "3");
    EXPECT_FALSE((*file)[1].isBlock);
}

} // namespace
} // namespace z7
