#pragma once

#include <string>
#include <vector>

namespace z7 {

// Wine prefixes under the home folder, in the order the editor searches them
// for the game, each once (a folder reached by two ways counts where it is
// first met). A folder counts when it holds a system.reg.
//  1. ~/.wine
//  2. Steam: steamapps/compatdata/<appid>/pfx of each library, for the Steam
//     folders ~/.steam/steam, ~/.local/share/Steam and Flatpak's
//     ~/.var/app/com.valvesoftware.Steam/.local/share/Steam; the libraries are
//     the Steam folder itself and those its steamapps/libraryfolders.vdf lists
//  3. Lutris: "prefix" of the game files ~/.config/lutris/games/*.yml,
//     ~/.local/share/lutris/games/*.yml and Flatpak's
//     ~/.var/app/net.lutris.Lutris/data/lutris/games/*.yml, then the folders
//     in ~/Games
//  4. Heroic: "winePrefix" of ~/.config/heroic/GamesConfig/*.json and Flatpak's
//     ~/.var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/*.json,
//     then the folders in ~/Games/Heroic/Prefixes (and in their subfolders)
//  5. Bottles: ~/.local/share/bottles/bottles/* and Flatpak's
//     ~/.var/app/com.usebottles.bottles/data/bottles/bottles/*
//  6. PlayOnLinux: ~/.PlayOnLinux/wineprefix/*
// Folders within one place go by name, numbers by their value. A folder that a
// launcher's file names is also looked into for Proton's "pfx". Launcher files
// are only read; a missing, unreadable or broken one is passed over.
std::vector<std::string> WinePrefixesInSearchOrder(const std::string &home);

// The prefix the editor works on: $WINEPREFIX when it is set (winePrefix not
// empty), else the first prefix in search order whose system.reg holds the
// game's App Paths entry, else ~/.wine, where the start-up then finds no game.
std::string FindGamePrefix(const std::string &home, const std::string &winePrefix);

} // namespace z7
