#include "model/model_store.h"
#include "model/record.h"
#include "platform/platform_wine.h"
#include "resources/qt_resource_source.h"
#include "tests/model/catalogue_entries.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

using namespace z7;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString GamePath = u"C:\\Spiele\\Z7\\"_s;

// A Wine prefix with only drive C: in a temporary directory on the real disk,
// so that a store measures the real backend's durable write.
struct Prefix
{
    QTemporaryDir dir{QDir::currentPath() + u"/bench_model-XXXXXX"_s};

    Prefix()
    {
        const std::filesystem::path root = dir.path().toStdString();
        std::filesystem::create_directories(root / "drive_c/Spiele/Z7");
        std::filesystem::create_directories(root / "dosdevices");
        std::filesystem::create_directory_symlink("../drive_c", root / "dosdevices/c:");
    }
};

// The game folder with the default model installed and both models loaded.
struct Game
{
    Prefix prefix;
    WinePlatform platform{prefix.dir.path().toStdString(), "/proc"};
    ModelStore store{platform, ProgramResources()};

    Game()
    {
        store.setGamePath(GamePath.toStdU16String());
        store.LoadReferenceModel();
        store.InstallDefaultModel();
        store.LoadWorkingModel();
    }
};

void BM_SplitJoinBuiltInLines(benchmark::State &state)
{
    Game game;
    const Lines &lines = game.store.ReferenceModel;
    for (auto _ : state) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int n = ModelStore::RecordKindOf(int(i)) == RecordKind::House ? HouseSlotCount
                                                                                : BuildingSlotCount;
            std::u16string joined = JoinRecord(SplitRecord(lines[i], n));
            benchmark::DoNotOptimize(joined);
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t(lines.size()));
}
BENCHMARK(BM_SplitJoinBuiltInLines);

void BM_LoadEntrySlotsAllEntries(benchmark::State &state)
{
    Game game;
    for (auto _ : state) {
        for (const test::CatalogueEntry &e : test::CatalogueEntries) {
            RecordKind kind = game.store.LoadEntrySlots(e.caption, e.code);
            benchmark::DoNotOptimize(kind);
        }
    }
    state.SetItemsProcessed(state.iterations() * std::size(test::CatalogueEntries));
}
BENCHMARK(BM_LoadEntrySlotsAllEntries);

// Store of one entry including the crash-safe write (temporary file, flush to
// disk, rename). Arg 0: a building ("Theater"), 1: a house level with its
// companion line ("Grosses Insulae").
void BM_StoreEntrySlots(benchmark::State &state)
{
    Game game;
    const bool house = state.range(0) == 1;
    const std::u16string caption = house ? u"Grosses Insulae" : u"Theater";
    const int code = house ? 200 : 15;
    game.store.LoadEntrySlots(caption, code);
    int value = 0;
    for (auto _ : state) {
        game.store.CurrentBuilding[4] = Number(++value % 20);
        benchmark::DoNotOptimize(game.store.StoreEntrySlots(caption, code));
    }
}
BENCHMARK(BM_StoreEntrySlots)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// LoadWorkingModel of a file of N lines (the built-in lines over and over).
void BM_LoadWorkingModel(benchmark::State &state)
{
    Game game;
    const Lines &reference = game.store.ReferenceModel;
    Lines big;
    big.reserve(std::size_t(state.range(0)));
    while (big.size() < std::size_t(state.range(0)))
        big.push_back(reference[big.size() % reference.size()]);
    game.store.WorkingModel = big;
    game.store.SaveWorkingModel();
    for (auto _ : state) {
        game.store.LoadWorkingModel();
        benchmark::DoNotOptimize(game.store.WorkingModel.size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadWorkingModel)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
