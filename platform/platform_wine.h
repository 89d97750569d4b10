#pragma once

#include "platform/platform.h"

namespace z7 {

// The Windows facts a program under Wine would see, taken from a Wine prefix
// (registry, drives, the user's Documents folder) and from the host's process
// table, so that the start-up logic runs unchanged on Linux.
class WinePlatform : public Platform
{
public:
    // $WINEPREFIX, else the first prefix under the home folder, in the order of
    // FindGamePrefix, whose registry holds the game; else ~/.wine.
    static std::string defaultPrefix();

    explicit WinePlatform(std::string prefix = defaultPrefix(), std::string procRoot = "/proc");

    // The host path that a Windows path stands for: its drive through
    // <prefix>/dosdevices, every further component matched without regard to
    // letter case as Windows does. Empty when the path has no drive letter or
    // its drive is not mapped.
    std::string hostPath(const std::string &windowsPath) const;

    std::vector<std::string> processNames() override;
    std::string readRegistryText(const std::string &key, const std::string &value) override;
    std::string documentsFolder() override;
    bool fileExists(const std::string &path) override;
    void moveFile(const std::string &from, const std::string &to) override;
    std::string readFile(const std::string &path) override;
    void writeFile(const std::string &path, const std::string &bytes) override;
    void removeStaleTemporaries(const std::string &folder) override;
    // A lock on a file in the user's runtime folder, named after the game
    // folder's host path, held for the life of this object.
    bool claimGameFolder(const std::string &gamePath) override;
    void showOtherEditor(const std::string &windowCaption) override;

private:
    struct FolderClaim;

    std::string m_prefix;
    std::string m_procRoot;
    std::shared_ptr<FolderClaim> m_claim;
};

} // namespace z7
