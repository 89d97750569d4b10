#pragma once

#include <string>

namespace z7 {

class Platform;

// Shell folder number of the user's Documents folder (CSIDL_PERSONAL).
inline constexpr int DocumentsFolderNumber = 5;

// Whether a running process has the given executable file name. A process
// matches when the file-name part of its executable name (after the last "\"
// or ":") or the whole name equals the given name, ignoring the case of the
// ASCII letters only. False when no process list can be taken.
bool IsProcessRunning(Platform &platform, const std::string &name);

// The file-system path of the shell folder with that number, without a
// trailing "\"; empty when the folder cannot be resolved. Only the Documents
// folder is known to the program.
std::string SpecialFolderPath(Platform &platform, int folder);

} // namespace z7
