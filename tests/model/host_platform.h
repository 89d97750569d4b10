#pragma once

#include "platform/platform.h"

#include <QString>

namespace z7::test {

// Files of the Windows paths "C:\..." live under a host folder ("C:\a\b" is
// <root>/c/a/b). Writes are crash-safe through QSaveFile like the real
// backends. Processes, registry and documents folder are empty: the model
// store does not use them.
class HostPlatform : public Platform
{
public:
    explicit HostPlatform(const QString &root);

    QString hostPath(const QString &windowsPath) const;

    std::vector<std::string> processNames() override { return {}; }
    std::string readRegistryText(const std::string &, const std::string &) override { return {}; }
    std::string documentsFolder() override { return "C:\\Documents"; }
    bool fileExists(const std::string &path) override;
    void moveFile(const std::string &from, const std::string &to) override;
    std::string readFile(const std::string &path) override;
    void writeFile(const std::string &path, const std::string &bytes) override;
    void removeStaleTemporaries(const std::string &folder) override;
    bool claimGameFolder(const std::string &) override { return true; }
    void showOtherEditor(const std::string &) override {}

    // The next write fails after the temporary file was written, before the
    // rename, as a full disk or a failed flush would.
    bool failNextWrite = false;
    int writeCount = 0;

private:
    QString m_root;
};

} // namespace z7::test
