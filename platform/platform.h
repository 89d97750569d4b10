#pragma once

#include <memory>
#include <string>
#include <vector>

namespace z7 {

// The services of the operating system that the program's logic needs, and
// nothing more. Paths are Windows paths ("C:\Spiele\Z7\z7_model.txt") on every
// system; texts are UTF-8, file contents are raw bytes. Standard C++ types
// only, so the Windows backend builds without Qt.
class Platform
{
public:
    virtual ~Platform() = default;

    // Executable file names of all running processes, in list order; empty when
    // the list cannot be taken. On Wine several names may stand for one process.
    virtual std::vector<std::string> processNames() = 0;

    // Text of a value under HKEY_LOCAL_MACHINE\<key>, 32-bit registry view.
    // Empty when the key or value is missing or cannot be opened; text up to its
    // first NUL; expandable text is not expanded. A value that is not text
    // reads as empty on Windows; the Wine backend throws
    // z7::Error("Ungültiger Datentyp für '<value>'"). The start-up takes
    // either as a game that is not installed.
    virtual std::string readRegistryText(const std::string &key, const std::string &value) = 0;

    // The user's Documents folder as a Windows path without a trailing "\".
    virtual std::string documentsFolder() = 0;

    // True when a file (not a folder) of that name exists.
    virtual bool fileExists(const std::string &path) = 0;

    // Renames a file within its folder; does nothing when the source is missing
    // or the target exists. No result: the caller does not examine it.
    virtual void moveFile(const std::string &from, const std::string &to) = 0;

    // The whole file. Throws z7::Error("Datei <path> kann nicht geöffnet werden. <reason>").
    virtual std::string readFile(const std::string &path) = 0;

    // Replaces the whole file crash-safely: a temporary file in the same folder,
    // flushed to disk, renamed over the target. On any failure the previous file
    // stays as it was and z7::Error("Datei \"<path>\" kann nicht erstellt werden. <reason>")
    // is thrown.
    virtual void writeFile(const std::string &path, const std::string &bytes) = 0;

    // Removes the temporary files ("~z7edit-*.tmp", see temporary_names.h)
    // that a save cut off by a crash or a kill left in the folder. Only
    // regular files go; links and folders of such a name stay. Failures are
    // ignored: a file that stays does no harm.
    virtual void removeStaleTemporaries(const std::string &folder) = 0;

    // Makes this process the one editor of the game folder (a Windows path,
    // letter case and a trailing "\" do not matter) until the process ends,
    // however it ends, a kill included. False when another running editor
    // holds that folder. Where the system offers no means to tell, the claim
    // is granted.
    virtual bool claimGameFolder(const std::string &gamePath) = 0;

    // Brings the window of another process with that caption (the editor that
    // holds the game folder) to the front, where the system allows it;
    // otherwise does nothing.
    virtual void showOtherEditor(const std::string &windowCaption) = 0;
};

// The platform the program runs on: on Linux the Wine prefix of $WINEPREFIX, else
// the first of the usual launchers' prefixes that holds the game (see
// prefix_search_wine.h); Windows itself on Windows.
std::unique_ptr<Platform> CreateSystemPlatform();

} // namespace z7
