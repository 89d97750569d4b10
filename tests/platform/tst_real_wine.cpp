// Wine's own registry and prefix are the reference for the Wine backend: a
// fresh prefix is made by Wine itself, filled with `wine reg add`, and read back.

#include "platform/error.h"
#include "platform/platform_wine.h"
#include "platform/services.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace z7 {
namespace {

class RealWinePrefix
{
public:
    RealWinePrefix()
    {
        m_environment.insert(QStringLiteral("WINEPREFIX"), prefix());
        m_environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        // No display, no Mono or Gecko installers: the prefix is made in seconds.
        m_environment.insert(QStringLiteral("DISPLAY"), QString());
        m_environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        m_environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
        m_environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    }
    ~RealWinePrefix() { run({QStringLiteral("wineserver"), QStringLiteral("-k")}, 30); }

    QString prefix() const { return m_folder.filePath(QStringLiteral("prefix")); }
    WinePlatform platform() const { return WinePlatform(prefix().toStdString()); }

    // Runs a command of Wine's in this prefix; the output when it fails.
    std::string run(QStringList command, int timeoutSeconds) const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.takeFirst(), command);
        if (!process.waitForFinished(timeoutSeconds * 1000)) {
            process.kill();
            process.waitForFinished();
            return "timed out: " + process.readAll().toStdString();
        }
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return "failed: " + process.readAll().toStdString();
        return {};
    }

    // Wine goes on setting up a new prefix in the background after the first
    // command returns, and a command started meanwhile can fail to launch
    // ("ShellExecuteEx failed"): wait for the prefix to settle and try again.
    std::string runSettled(const QStringList &command, int timeoutSeconds) const
    {
        std::string result;
        for (int attempt = 0; attempt < 3; ++attempt) {
            result = run(command, timeoutSeconds);
            if (result.empty())
                break;
            run({QStringLiteral("wineserver"), QStringLiteral("-w")}, timeoutSeconds);
        }
        return result;
    }

    void start(QProcess &process, QStringList command) const
    {
        process.setProcessEnvironment(m_environment);
        process.start(command.takeFirst(), command);
    }

private:
    QTemporaryDir m_folder;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

QStringList RegAdd(const char *key, const char *value, const char *type, const char *data,
                   const char *view)
{
    return {QStringLiteral("wine"),  QStringLiteral("reg"),   QStringLiteral("add"),
            QString::fromUtf8(key),  QStringLiteral("/v"),    QString::fromUtf8(value),
            QStringLiteral("/t"),    QString::fromUtf8(type), QStringLiteral("/d"),
            QString::fromUtf8(data), QString::fromUtf8(view), QStringLiteral("/f")};
}

TEST(RealWine, BackendReadsAPrefixMadeByWine)
{
    if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("wineserver")).isEmpty())
        GTEST_SKIP() << "Wine is not installed (Debian: apt-get install wine64 wine)";

    const RealWinePrefix wine;
    // The first command makes the prefix, which takes the longest.
    ASSERT_EQ(wine.runSettled(
                  RegAdd("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe",
                         "Path", "REG_SZ", "C:\\Spiele\\Z7", "/reg:32"),
                  300),
              "");
    const struct
    {
        const char *value, *type, *data, *view;
    } entries[] = {
        {"Where", "REG_SZ", "32-bit view", "/reg:32"},
        {"Where", "REG_SZ", "64-bit view", "/reg:64"},
        {"Expand", "REG_EXPAND_SZ", "%ProgramFiles%\\Zäsar \"Z7\"", "/reg:32"},
        {"Number", "REG_DWORD", "7", "/reg:32"},
    };
    for (const auto &entry : entries) {
        ASSERT_EQ(wine.runSettled(RegAdd("HKLM\\Software\\Z7Test", entry.value, entry.type,
                                         entry.data, entry.view),
                                  120),
                  "");
    }
    // The registry reaches system.reg when the wineserver has finished.
    ASSERT_EQ(wine.run({QStringLiteral("wineserver"), QStringLiteral("-w")}, 120), "");

    WinePlatform platform = wine.platform();
    EXPECT_EQ(platform.readRegistryText(
                  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe", "Path"),
              "C:\\Spiele\\Z7");
    EXPECT_EQ(platform.readRegistryText("Software\\Z7Test", "Where"), "32-bit view");
    EXPECT_EQ(platform.readRegistryText("SOFTWARE\\z7test", "expand"),
              "%ProgramFiles%\\Zäsar \"Z7\"");
    try {
        platform.readRegistryText("Software\\Z7Test", "Number");
        ADD_FAILURE() << "a number read as text";
    } catch (const Error &error) {
        EXPECT_STREQ(error.what(), "Ungültiger Datentyp für 'Number'");
    }

    // Drives and the user's folders as Wine laid them out.
    EXPECT_TRUE(platform.fileExists("C:\\Windows\\System32\\CMD.EXE"));
    ASSERT_TRUE(QDir().mkpath(wine.prefix() + u"/drive_c/spiele/z7"));
    platform.writeFile("C:\\Spiele\\Z7\\z7_model.txt", "Modell");
    EXPECT_EQ(platform.readFile("c:\\SPIELE\\z7\\Z7_MODEL.TXT"), "Modell");
    const std::string documents = platform.documentsFolder();
    EXPECT_EQ(documents.rfind("C:\\users\\", 0), 0u) << documents;
    EXPECT_FALSE(platform.hostPath(documents).empty());

    // A Windows program that waits for input shows up under its own name.
    QProcess cmd;
    wine.start(cmd, {QStringLiteral("wine"), QStringLiteral("cmd")});
    bool seen = false;
    for (int tries = 0; tries < 120 && !seen; ++tries) {
        seen = IsProcessRunning(platform, "CMD.exe");
        if (!seen)
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    EXPECT_TRUE(seen) << "cmd.exe not found in the process list";
    cmd.closeWriteChannel();
    if (!cmd.waitForFinished(30000))
        cmd.kill();
    cmd.waitForFinished();
}

} // namespace
} // namespace z7
