#pragma once

#include "platform/platform.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace z7 {

// The one Platform of the tests: registry, process list and Documents folder
// live in memory, files are real files in a temporary folder that the fake
// removes again. Windows paths map onto that folder as
// <root>/<drive>/<components>, the components in lower case, so that file
// names ignore letter case as on Windows. Errors carry the same texts as the
// real backends. Standard C++ only, like the interface it stands in for, so
// that the Windows build of the tests uses it too.
class FakePlatform : public Platform
{
public:
    FakePlatform();
    ~FakePlatform() override;
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    // Registry under HKEY_LOCAL_MACHINE; key and value names ignore ASCII letter case.
    void setRegistryText(const std::string &key, const std::string &value, const std::string &text);
    // A value of a type that is not text, such as a number.
    void setRegistryNonText(const std::string &key, const std::string &value);

    void setProcessNames(std::vector<std::string> names) { m_processes = std::move(names); }

    // Default "C:\users\spieler\Documents", which exists as a folder.
    void setDocumentsFolder(const std::string &windowsPath) { m_documents = windowsPath; }

    // Where a Windows path lives on disk; empty without a drive letter.
    std::filesystem::path hostPath(const std::string &windowsPath) const;
    void createFolder(const std::string &windowsPath);
    // Places a file (creating its folders) without counting as a write of the program.
    void putFile(const std::string &windowsPath, const std::string &bytes);
    // The file's bytes, or nothing when there is no such file.
    std::optional<std::string> fileContents(const std::string &windowsPath) const;

    // From now on every writeFile fails with that reason and leaves the disk alone.
    void failWrites(const std::string &reason);
    void allowWrites() { m_writeFailure.reset(); }
    // The next writeFile fails after its temporary file was written, before the
    // rename, as a full disk or a failed flush would: the temporary goes again,
    // the old file stays as it was.
    void failNextWrite() { m_failNextWrite = true; }
    // Every writeFile call so far, the failed ones too.
    int writeCount() const { return m_writeCount; }
    // Every move onto that path does nothing, as when the system refuses it.
    void refuseMovesTo(const std::string &windowsPath) { m_refusedMoveTarget = windowsPath; }
    // The paths of the successful writeFile calls, in order.
    const std::vector<std::string> &writtenFiles() const { return m_written; }

    // Another editor holds every game folder from now on (or none again).
    void setGameFolderHeldElsewhere(bool held) { m_heldElsewhere = held; }
    // The game folders claimed, in order, and the captions showOtherEditor was asked for.
    const std::vector<std::string> &claimedFolders() const { return m_claimed; }
    const std::vector<std::string> &shownOtherEditors() const { return m_shownOthers; }

    std::vector<std::string> processNames() override { return m_processes; }
    std::string readRegistryText(const std::string &key, const std::string &value) override;
    std::string documentsFolder() override { return m_documents; }
    bool fileExists(const std::string &path) override;
    void moveFile(const std::string &from, const std::string &to) override;
    std::string readFile(const std::string &path) override;
    void writeFile(const std::string &path, const std::string &bytes) override;
    void removeStaleTemporaries(const std::string &folder) override;
    bool claimGameFolder(const std::string &gamePath) override
    {
        m_claimed.push_back(gamePath);
        return !m_heldElsewhere;
    }
    void showOtherEditor(const std::string &caption) override { m_shownOthers.push_back(caption); }

private:
    std::filesystem::path m_root;
    std::map<std::string, std::optional<std::string>> m_registry;
    std::vector<std::string> m_processes;
    std::string m_documents = "C:\\users\\spieler\\Documents";
    std::optional<std::string> m_writeFailure;
    bool m_failNextWrite = false;
    int m_writeCount = 0;
    std::vector<std::string> m_written;
    std::string m_refusedMoveTarget;
    bool m_heldElsewhere = false;
    std::vector<std::string> m_claimed;
    std::vector<std::string> m_shownOthers;
};

} // namespace z7
