#include "platform/prefix_search_wine.h"
#include "platform/registry_wine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

using namespace z7;

namespace {

const std::string AppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";

// A system.reg of the size a fresh Wine prefix has (about 1.7 MB), the game's
// entry only when asked for.
QByteArray SystemReg(bool game)
{
    QByteArray reg =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
    for (int i = 0; reg.size() < 1700000; ++i) {
        reg += "[Software\\\\Classes\\\\CLSID\\\\{" + QByteArray::number(0x10000000 + i, 16) +
               "-0000-0000-C000-000000000046}\\\\InprocServer32] 1700000000\n"
               "#time=1d9c0a0a0a0a0a0\n@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n"
               "\"ThreadingModel\"=\"Both\"\n\n";
    }
    if (game)
        reg += "[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\"
               "z7.exe] 1700000000\n\"Path\"=\"C:\\\\Spiele\\\\Z7\"\n";
    return reg;
}

void Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A home on the real disk with 50 prefixes spread over the launchers as a
// player's home holds them: ~/.wine, 30 Steam prefixes in two libraries, 8 of
// Lutris, 4 of Heroic, 4 bottles and 3 of PlayOnLinux. The game is in the last
// one searched.
struct Home
{
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/bench_prefix_search-XXXXXX")};
    QString home = dir.filePath(QStringLiteral("home"));
    QString disk = dir.filePath(QStringLiteral("disk2"));
    int prefixes = 0;

    void prefix(const QString &path, bool game = false)
    {
        Write(path + u"/system.reg", SystemReg(game));
        ++prefixes;
    }

    Home()
    {
        prefix(home + u"/.wine");
        const QString steam = home + u"/.local/share/Steam";
        Write(steam + u"/steamapps/libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam.toUtf8() +
                  "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + disk.toUtf8() +
                  "/SteamLibrary\"\n\t}\n}\n");
        for (int i = 0; i < 20; ++i)
            prefix(steam + u"/steamapps/compatdata/" + QString::number(200000 + i) + u"/pfx");
        for (int i = 0; i < 10; ++i)
            prefix(disk + u"/SteamLibrary/steamapps/compatdata/" + QString::number(900000 + i) +
                   u"/pfx");
        for (int i = 0; i < 5; ++i) {
            const QString game = disk + u"/Lutris/game" + QString::number(i);
            Write(home + u"/.local/share/lutris/games/game" + QString::number(i) + u".yml",
                  "game:\n  exe: " + game.toUtf8() + "/drive_c/game.exe\n  prefix: " +
                      game.toUtf8() + "\nname: Game\nrunner: wine\n");
            prefix(game);
        }
        for (int i = 0; i < 3; ++i)
            prefix(home + u"/Games/game" + QString::number(i));
        for (int i = 0; i < 2; ++i) {
            const QString game = home + u"/Games/Heroic/Prefixes/default/Game" + QString::number(i);
            Write(home + u"/.config/heroic/GamesConfig/Game" + QString::number(i) + u".json",
                  "{\"Game" + QByteArray::number(i) + "\": {\"winePrefix\": \"" + game.toUtf8() +
                      "\"}, \"version\": \"v0\"}");
            prefix(game);
        }
        for (int i = 2; i < 4; ++i)
            prefix(home + u"/Games/Heroic/Prefixes/default/Game" + QString::number(i));
        for (int i = 0; i < 4; ++i)
            prefix(home + u"/.local/share/bottles/bottles/Bottle" + QString::number(i));
        for (int i = 0; i < 3; ++i)
            prefix(home + u"/.PlayOnLinux/wineprefix/Game" + QString::number(i), i == 2);
    }
};

void BM_FindGamePrefix50Prefixes(benchmark::State &state)
{
    const Home home;
    const std::string expected =
        QString(home.home + u"/.PlayOnLinux/wineprefix/Game2").toStdString();
    if (home.prefixes != 50 || FindGamePrefix(home.home.toStdString(), "") != expected) {
        state.SkipWithError("the game was not found in the last prefix");
        return;
    }
    for (auto _ : state) {
        std::string found = FindGamePrefix(home.home.toStdString(), "");
        benchmark::DoNotOptimize(found);
    }
    state.counters["prefixes"] = home.prefixes;
}
BENCHMARK(BM_FindGamePrefix50Prefixes)->Unit(benchmark::kMillisecond);

// For comparison: reading one such registry in full, which the search spares
// every prefix that has no key named z7.exe.
void BM_FullReadOfOneSystemReg(benchmark::State &state)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench_prefix_search-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("system.reg"));
    Write(path, SystemReg(true));
    for (auto _ : state) {
        std::string text = ReadWineRegistryText(path.toStdString(), AppPaths, "Path");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FullReadOfOneSystemReg)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
