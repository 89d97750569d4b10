#include "platform/prefix_search_wine.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace z7 {
namespace {

// One thing a test home holds. Paths and contents may name $HOME, the home
// folder, and $DISK, a folder outside it that stands for a second disk.
struct Item
{
    enum Kind { Game, OtherGame, File, Link } kind;
    const char *path;
    const char *contents = ""; // a File's bytes, a Link's target
};

const char *const RegistryHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";

// A home folder in the launchers' real layouts, under a temporary folder.
class TestHome
{
public:
    TestHome() { QDir().mkpath(home()); }

    QString home() const { return m_root.filePath(QStringLiteral("home")); }
    QString expand(const char *text) const
    {
        return QString::fromUtf8(text)
            .replace(QStringLiteral("$HOME"), home())
            .replace(QStringLiteral("$DISK"), m_root.filePath(QStringLiteral("disk2")));
    }

    void add(const Item &item) const
    {
        const QString path = expand(item.path);
        switch (item.kind) {
        case Item::Game:
            write(path + u"/system.reg",
                  QByteArray(RegistryHeader) +
                      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App "
                      "Paths\\\\z7.exe] 1700000000\n\"Path\"=\"C:\\\\Spiele\\\\Z7\"\n");
            break;
        case Item::OtherGame:
            write(path + u"/system.reg",
                  QByteArray(RegistryHeader) +
                      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App "
                      "Paths\\\\other.exe] 1700000000\n\"Path\"=\"C:\\\\Other\"\n");
            break;
        case Item::File:
            write(path, expand(item.contents).toUtf8());
            break;
        case Item::Link:
            QDir().mkpath(QFileInfo(path).path());
            QFile::link(expand(item.contents), path);
            break;
        }
    }

private:
    static void write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    QTemporaryDir m_root;
};

// Steam's list of libraries: the Steam folder itself and one on a second disk.
const char *const LibraryFolders = R"("libraryfolders"
{
	"0"
	{
		"path"		"$HOME/.local/share/Steam"
		"label"		""
		"apps"		{ "228980"		"229318063" }
	}
	"1"
	{
		"path"		"$DISK/SteamLibrary"
		"label"		""
		"apps"		{ "2450110"		"1800000000" }
	}
}
)";

const char *const LutrisGame = R"(game:
  arch: win64
  exe: $DISK/Spiele/ordavia/drive_c/Spiele/Z7/Z7.exe
  prefix: $DISK/Spiele/ordavia
game_slug: ordavia
name: Ordavia
runner: wine
system: {}
wine:
  version: lutris-GE-Proton8-26-x86_64
)";

const char *const HeroicGame = R"({
  "Ordavia": {
    "autoInstallDxvk": true,
    "winePrefix": "$HOME/Games/Heroic/Prefixes/default/Ordavia",
    "wineVersion": {"bin": "/usr/bin/wine", "name": "Wine Default", "type": "wine"}
  },
  "version": "v0",
  "explicit": true
})";

// Heroic from Flathub on a Steam Deck: a GOG game run by Proton from Heroic's
// own tools, its prefix on the SD card; Proton makes the prefix in "pfx".
const char *const HeroicFlatpakGame = R"({
  "1207658924": {
    "autoInstallDxvk": true,
    "autoInstallVkd3d": true,
    "enableEsync": true,
    "enableFsync": true,
    "enviromentOptions": [],
    "language": "de",
    "launcherArgs": "",
    "nvidiaPrime": false,
    "preferSystemLibs": false,
    "showFps": false,
    "useGameMode": false,
    "winePrefix": "$DISK/Heroic/Prefixes/default/Ordavia",
    "wineVersion": {
      "bin": "$HOME/.var/app/com.heroicgameslauncher.hgl/config/heroic/tools/proton/GE-Proton9-7/proton",
      "name": "Proton - GE-Proton9-7",
      "type": "proton"
    },
    "wrapperOptions": []
  },
  "version": "v0",
  "explicit": true
})";

struct SearchCase
{
    const char *why;
    std::vector<Item> items;
    const char *found;
};

void PrintTo(const SearchCase &c, std::ostream *out)
{
    *out << c.why;
}

class PrefixSearch : public testing::TestWithParam<SearchCase>
{
};

TEST_P(PrefixSearch, FindsTheFirstPrefixThatHoldsTheGame)
{
    const TestHome home;
    for (const Item &item : GetParam().items)
        home.add(item);
    EXPECT_EQ(FindGamePrefix(home.home().toStdString(), ""),
              home.expand(GetParam().found).toStdString())
        << GetParam().why;
}

constexpr auto Game = Item::Game;
constexpr auto Other = Item::OtherGame;
constexpr auto File = Item::File;
constexpr auto Link = Item::Link;

INSTANTIATE_TEST_SUITE_P(
    Launchers, PrefixSearch,
    testing::Values(
        SearchCase{
            "a home with no prefix: ~/.wine, where the start-up finds no game", {}, "$HOME/.wine"},
        SearchCase{"no prefix holds the game: ~/.wine",
                   {{Other, "$HOME/.local/share/bottles/bottles/Spiele"}},
                   "$HOME/.wine"},
        SearchCase{"Wine's own prefix", {{Game, "$HOME/.wine"}}, "$HOME/.wine"},
        SearchCase{"the first of two that hold the game",
                   {{Game, "$HOME/.PlayOnLinux/wineprefix/Ordavia"},
                    {Game, "$HOME/.steam/steam/steamapps/compatdata/1/pfx"}},
                   "$HOME/.steam/steam/steamapps/compatdata/1/pfx"},
        SearchCase{
            "Steam: a prefix of the Steam folder's own library",
            {{Other, "$HOME/.wine"}, {Game, "$HOME/.steam/steam/steamapps/compatdata/1/pfx"}},
            "$HOME/.steam/steam/steamapps/compatdata/1/pfx"},
        SearchCase{"Steam: a second library on another disk",
                   {{Other, "$HOME/.local/share/Steam/steamapps/compatdata/228980/pfx"},
                    {File, "$HOME/.local/share/Steam/steamapps/libraryfolders.vdf", LibraryFolders},
                    {Game, "$DISK/SteamLibrary/steamapps/compatdata/2450110/pfx"}},
                   "$DISK/SteamLibrary/steamapps/compatdata/2450110/pfx"},
        SearchCase{"Steam: the libraries of older clients",
                   {{File, "$HOME/.steam/steam/steamapps/libraryfolders.vdf",
                     "\"LibraryFolders\" { \"ContentStatsID\" \"-1\" \"1\" \"$DISK/Steam\" }"},
                    {Game, "$DISK/Steam/steamapps/compatdata/2450110/pfx"}},
                   "$DISK/Steam/steamapps/compatdata/2450110/pfx"},
        SearchCase{"Steam from Flathub",
                   {{Game, "$HOME/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/"
                           "compatdata/2450110/pfx"}},
                   "$HOME/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/"
                   "compatdata/2450110/pfx"},
        SearchCase{"Steam: a compatdata folder without pfx is no prefix",
                   {{Game, "$HOME/.steam/steam/steamapps/compatdata/7"},
                    {Game, "$HOME/.steam/steam/steamapps/compatdata/8/pfx"}},
                   "$HOME/.steam/steam/steamapps/compatdata/8/pfx"},
        SearchCase{"Lutris: the prefix of a game file",
                   {{File, "$HOME/.config/lutris/games/ordavia-1700000000.yml", LutrisGame},
                    {Game, "$DISK/Spiele/ordavia"}},
                   "$DISK/Spiele/ordavia"},
        SearchCase{"Lutris: newer clients' game files, a prefix under ~",
                   {{File, "$HOME/.local/share/lutris/games/ordavia.yml",
                     "game:\n  prefix: ~/Wine/ordavia\nname: Ordavia\n"},
                    {Game, "$HOME/Wine/ordavia"}},
                   "$HOME/Wine/ordavia"},
        SearchCase{
            "Lutris from Flathub: the prefix of a game file",
            {{File, "$HOME/.var/app/net.lutris.Lutris/data/lutris/games/ordavia-1700000000.yml",
              LutrisGame},
             {Game, "$DISK/Spiele/ordavia"}},
            "$DISK/Spiele/ordavia"},
        SearchCase{
            "Lutris: a folder in ~/Games", {{Game, "$HOME/Games/ordavia"}}, "$HOME/Games/ordavia"},
        SearchCase{"Heroic: the winePrefix of a game's settings",
                   {{File, "$HOME/.config/heroic/GamesConfig/Ordavia.json", HeroicGame},
                    {Game, "$HOME/Games/Heroic/Prefixes/default/Ordavia"}},
                   "$HOME/Games/Heroic/Prefixes/default/Ordavia"},
        SearchCase{"Heroic: a Proton prefix inside the winePrefix",
                   {{File, "$HOME/.config/heroic/GamesConfig/Ordavia.json",
                     R"({"Ordavia": {"winePrefix": "$DISK/Heroic/Ordavia"}})"},
                    {Game, "$DISK/Heroic/Ordavia/pfx"}},
                   "$DISK/Heroic/Ordavia/pfx"},
        SearchCase{"Heroic from Flathub: Proton's prefix in the winePrefix of a game's settings",
                   {{File,
                     "$HOME/.var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/"
                     "1207658924.json",
                     HeroicFlatpakGame},
                    {Game, "$DISK/Heroic/Prefixes/default/Ordavia/pfx"}},
                   "$DISK/Heroic/Prefixes/default/Ordavia/pfx"},
        SearchCase{"Heroic: a folder in Prefixes",
                   {{Game, "$HOME/Games/Heroic/Prefixes/Ordavia"}},
                   "$HOME/Games/Heroic/Prefixes/Ordavia"},
        SearchCase{"Heroic: a folder in Prefixes/default",
                   {{Game, "$HOME/Games/Heroic/Prefixes/default/Ordavia"}},
                   "$HOME/Games/Heroic/Prefixes/default/Ordavia"},
        SearchCase{"Bottles",
                   {{Game, "$HOME/.local/share/bottles/bottles/Spiele"}},
                   "$HOME/.local/share/bottles/bottles/Spiele"},
        SearchCase{"Bottles from Flathub",
                   {{Game, "$HOME/.var/app/com.usebottles.bottles/data/bottles/bottles/Ordavia"}},
                   "$HOME/.var/app/com.usebottles.bottles/data/bottles/bottles/Ordavia"},
        SearchCase{"PlayOnLinux",
                   {{Game, "$HOME/.PlayOnLinux/wineprefix/Ordavia"}},
                   "$HOME/.PlayOnLinux/wineprefix/Ordavia"}));

INSTANTIATE_TEST_SUITE_P(
    BrokenFiles, PrefixSearch,
    testing::Values(
        SearchCase{"a broken libraryfolders.vdf: the Steam folder's own library still counts",
                   {{File, "$HOME/.steam/steam/steamapps/libraryfolders.vdf",
                     "\"libraryfolders\" { \"1\" { \"path\" \"$DISK/SteamLibrary\""},
                    {Game, "$DISK/SteamLibrary/steamapps/compatdata/1/pfx"},
                    {Game, "$HOME/.steam/steam/steamapps/compatdata/2/pfx"}},
                   "$HOME/.steam/steam/steamapps/compatdata/2/pfx"},
        SearchCase{"a library behind a broken libraryfolders.vdf is not searched",
                   {{File, "$HOME/.steam/steam/steamapps/libraryfolders.vdf",
                     "\"libraryfolders\" { \"1\" { \"path\" \"$DISK/SteamLibrary\""},
                    {Game, "$DISK/SteamLibrary/steamapps/compatdata/1/pfx"},
                    {Game, "$HOME/Games/ordavia"}},
                   "$HOME/Games/ordavia"},
        SearchCase{"a library that does not exist",
                   {{File, "$HOME/.steam/steam/steamapps/libraryfolders.vdf",
                     "\"libraryfolders\" { \"1\" { \"path\" \"/nonexistent-z7-library\" } }"},
                    {Game, "$HOME/Games/ordavia"}},
                   "$HOME/Games/ordavia"},
        SearchCase{"broken, foreign and odd Lutris files are passed over",
                   {{File, "$HOME/.config/lutris/games/a.yml", "game: [prefix: $HOME/x\n"},
                    {File, "$HOME/.config/lutris/games/b.yml", "game:\n  - prefix\n"},
                    {File, "$HOME/.config/lutris/games/c.yml", "just a line\n"},
                    {File, "$HOME/.config/lutris/games/d.yml", "game:\n  prefix: relative/x\n"},
                    {File, "$HOME/.config/lutris/games/e.yml/f", ""},
                    {File, "$HOME/.config/lutris/games/g.yml", "\xff\xfe\0\0"},
                    {Game, "$HOME/x"},
                    {Game, "$HOME/.config/lutris/games/relative/x"},
                    {Game, "$HOME/.local/share/bottles/bottles/Spiele"}},
                   "$HOME/.local/share/bottles/bottles/Spiele"},
        SearchCase{"broken and foreign Heroic files are passed over",
                   {{File, "$HOME/.config/heroic/GamesConfig/a.json",
                     R"({"Ordavia": {"winePrefix": "$HOME/x")"},
                    {File, "$HOME/.config/heroic/GamesConfig/b.json", R"(["$HOME/x"])"},
                    {File, "$HOME/.config/heroic/GamesConfig/c.json",
                     R"({"Ordavia": {"winePrefix": 7}, "version": "v0"})"},
                    {Game, "$HOME/x"},
                    {Game, "$HOME/.PlayOnLinux/wineprefix/Ordavia"}},
                   "$HOME/.PlayOnLinux/wineprefix/Ordavia"},
        SearchCase{
            "a registry value that is not text",
            {{File, "$HOME/.wine/system.reg",
              "WINE REGISTRY Version 2\n\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion"
              "\\\\App Paths\\\\z7.exe] 1\n\"Path\"=dword:00000001\n"},
             {Game, "$HOME/Games/ordavia"}},
            "$HOME/Games/ordavia"},
        SearchCase{"a system.reg that is a folder, one that is no registry",
                   {{File, "$HOME/.wine/system.reg/x", ""},
                    {File, "$HOME/Games/a/system.reg", "REGEDIT4\n"},
                    {Game, "$HOME/Games/b"}},
                   "$HOME/Games/b"}));

TEST(PrefixSearch, WinePrefixComesFirst)
{
    const TestHome home;
    home.add({Game, "$HOME/.wine"});
    EXPECT_EQ(FindGamePrefix(home.home().toStdString(), "/nonexistent-z7-prefix"),
              "/nonexistent-z7-prefix")
        << "even a prefix without the game";
}

// The order between the launchers and within each; the search takes the
// first of these whose registry holds the game.
TEST(PrefixSearch, EveryPlaceOnceInOrder)
{
    const TestHome home;
    const Item items[] = {
        {Other, "$HOME/.PlayOnLinux/wineprefix/Ordavia"},
        {Other, "$HOME/.var/app/com.usebottles.bottles/data/bottles/bottles/b"},
        {Other, "$HOME/.local/share/bottles/bottles/a"},
        {Other, "$HOME/Games/Heroic/Prefixes/default/Ordavia"},
        {Other, "$HOME/Games/Heroic/Prefixes/Alt"},
        {File, "$HOME/.config/heroic/GamesConfig/Ordavia.json", HeroicGame},
        // Flathub's files come after the native ones, whatever their names.
        {File, "$HOME/.var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/0.json",
         HeroicFlatpakGame},
        {Other, "$DISK/Heroic/Prefixes/default/Ordavia/pfx"},
        {Other, "$HOME/Games/ordavia"},
        {Other, "$HOME/Games/10"},
        {File, "$HOME/.var/app/net.lutris.Lutris/data/lutris/games/a.yml",
         "game:\n  prefix: $DISK/Flatpak/ordavia\n"},
        {Other, "$DISK/Flatpak/ordavia"},
        {File, "$HOME/.local/share/lutris/games/z.yml", "game:\n  prefix: $HOME/Games/ordavia\n"},
        {File, "$HOME/.config/lutris/games/ordavia.yml", LutrisGame},
        {Other, "$DISK/Spiele/ordavia"},
        {Other, "$HOME/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/"
                "5/pfx"},
        {Other, "$DISK/SteamLibrary/steamapps/compatdata/2450110/pfx"},
        {File, "$HOME/.local/share/Steam/steamapps/libraryfolders.vdf", LibraryFolders},
        {Other, "$HOME/.local/share/Steam/steamapps/compatdata/228980/pfx"},
        {Other, "$HOME/.local/share/Steam/steamapps/compatdata/9/pfx"},
        // Steam links its two folders together; the library is searched once.
        {Link, "$HOME/.steam/steam", "$HOME/.local/share/Steam"},
        {Other, "$HOME/.wine"},
    };
    for (const Item &item : items)
        home.add(item);
    std::vector<std::string> expected;
    for (const char *path : {
             "$HOME/.wine",
             "$HOME/.steam/steam/steamapps/compatdata/9/pfx",
             "$HOME/.steam/steam/steamapps/compatdata/228980/pfx",
             "$DISK/SteamLibrary/steamapps/compatdata/2450110/pfx",
             "$HOME/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/5/pfx",
             "$DISK/Spiele/ordavia",
             "$HOME/Games/ordavia",
             "$DISK/Flatpak/ordavia",
             "$HOME/Games/10",
             "$HOME/Games/Heroic/Prefixes/default/Ordavia",
             "$DISK/Heroic/Prefixes/default/Ordavia/pfx",
             "$HOME/Games/Heroic/Prefixes/Alt",
             "$HOME/.local/share/bottles/bottles/a",
             "$HOME/.var/app/com.usebottles.bottles/data/bottles/bottles/b",
             "$HOME/.PlayOnLinux/wineprefix/Ordavia",
         })
        expected.push_back(home.expand(path).toStdString());
    EXPECT_EQ(WinePrefixesInSearchOrder(home.home().toStdString()), expected);
}

TEST(PrefixSearch, LauncherFilesAreOnlyRead)
{
    const TestHome home;
    const Item items[] = {
        {File, "$HOME/.local/share/Steam/steamapps/libraryfolders.vdf", LibraryFolders},
        {File, "$HOME/.config/lutris/games/ordavia.yml", LutrisGame},
        {File, "$HOME/.config/heroic/GamesConfig/Ordavia.json", HeroicGame},
        {File, "$HOME/.var/app/net.lutris.Lutris/data/lutris/games/ordavia.yml", LutrisGame},
        {File, "$HOME/.var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/1.json",
         HeroicFlatpakGame},
        {Other, "$HOME/Games/Heroic/Prefixes/default/Ordavia"},
    };
    for (const Item &item : items)
        home.add(item);
    // Every file and folder with its size and time of change.
    const auto listing = [&] {
        QStringList entries;
        std::function<void(const QString &)> walk = [&](const QString &folder) {
            for (const QFileInfo &info : QDir(folder).entryInfoList(
                     QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
                entries << info.filePath() + u' ' + QString::number(info.size()) + u' ' +
                               info.lastModified().toString(Qt::ISODateWithMs);
                if (info.isDir() && !info.isSymLink())
                    walk(info.filePath());
            }
        };
        walk(home.expand("$HOME/.."));
        return entries;
    };
    const QStringList before = listing();
    FindGamePrefix(home.home().toStdString(), "");
    EXPECT_EQ(listing(), before) << "nothing written, made or removed";
}

} // namespace
} // namespace z7
