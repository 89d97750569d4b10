#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

// One entry of a Valve KeyValues text file ("VDF"), the format of Steam's
// libraryfolders.vdf: a key with either a text or a block of further entries.
struct VdfEntry
{
    std::string key;
    std::string text;
    std::vector<VdfEntry> children;
    bool isBlock = false;

    // The first child of that key, ignoring the case of A-Z as Steam does; null
    // when there is none.
    const VdfEntry *child(std::string_view name) const;
};

// The entries at the top level of the file. Keys and texts may be quoted (with
// the escapes \\ \" \n \t) or bare; "//" starts a comment; a condition such as
// [$LINUX] after an entry is skipped. Nothing for text that is not a whole
// file of this form (a missing closing brace or quote, a key without text).
std::optional<std::vector<VdfEntry>> ParseVdf(std::string_view text);

// The library folders that Steam's steamapps/libraryfolders.vdf lists, in the
// order of the file: the "path" of each numbered block, and the bare text of
// each numbered entry as files of older Steam clients hold it. Nothing for a
// broken file.
std::vector<std::string> SteamLibraryPaths(std::string_view libraryFoldersVdf);

} // namespace z7
