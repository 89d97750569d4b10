// Whether the model file on disk is still the one the store last read or
// wrote: what every store checks before it writes.

#include "model_store.h"

#include "host_platform.h"

#include "error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

using namespace z7;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString GamePath = u"C:\\Spiele\\Z7\\"_s;
const QString ModelPath = u"C:\\Spiele\\Z7\\z7_model.txt"_s;

struct Game
{
    Game()
    {
        QDir().mkpath(platform.hostPath(GamePath));
        store.setGamePath(GamePath);
        store.LoadReferenceModel();
    }
    void put(const QByteArray &bytes)
    {
        QFile file(platform.hostPath(ModelPath));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray bytes()
    {
        QFile file(platform.hostPath(ModelPath));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    void storeTheater(const char *cost)
    {
        store.LoadEntrySlots(u"Theater"_s, 0);
        store.CurrentBuilding[3] = QString::fromLatin1(cost);
        store.StoreEntrySlots(u"Theater"_s, 0);
    }

    QTemporaryDir dir;
    test::HostPlatform platform{dir.path()};
    ModelStore store{platform};
};

struct StateCase
{
    const char *name;
    bool loaded; // the default model installed and read first, as at a start
    std::function<void(Game &)> steps;
    ModelFileState expected;
};

class ModelFileCheck : public testing::TestWithParam<StateCase>
{
};

TEST_P(ModelFileCheck, ComparesWithWhatTheStoreLastSawOnDisk)
{
    Game game;
    if (GetParam().loaded) {
        game.store.InstallDefaultModel();
        game.store.LoadWorkingModel();
    }
    GetParam().steps(game);
    EXPECT_EQ(game.store.CheckModelFile(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, ModelFileCheck,
    testing::Values(
        StateCase{"NeverReadOrWritten", false, [](Game &g) { g.put("ALL BUILDINGS\r\n"); },
                  ModelFileState::AsLastSeen},
        StateCase{"JustLoaded", true, [](Game &) {}, ModelFileState::AsLastSeen},
        StateCase{"AfterOwnStore", true, [](Game &g) { g.storeTheater("60"); },
                  ModelFileState::AsLastSeen},
        // A failed write leaves the old file, which is still the one last seen.
        StateCase{"AfterAFailedOwnStore", true,
                  [](Game &g) {
                      g.platform.failNextWrite = true;
                      EXPECT_THROW(g.storeTheater("60"), Error);
                  },
                  ModelFileState::AsLastSeen},
        StateCase{"AfterOwnWholeReset", true, [](Game &g) { g.store.ResetWholeModel(); },
                  ModelFileState::AsLastSeen},
        StateCase{"OneByteChanged", true,
                  [](Game &g) {
                      QByteArray bytes = g.bytes();
                      bytes.replace("31,Theater,{,50,", "31,Theater,{,77,");
                      g.put(bytes);
                  },
                  ModelFileState::Changed},
        StateCase{"SameLinesOtherLineEnds", true,
                  [](Game &g) { g.put(g.bytes().replace("\r\n", "\n")); }, ModelFileState::Changed},
        StateCase{"RewrittenWithTheSameBytes", true, [](Game &g) { g.put(g.bytes()); },
                  ModelFileState::AsLastSeen},
        StateCase{"ChangedAfterOwnStore", true,
                  [](Game &g) {
                      g.storeTheater("60");
                      g.put(g.bytes() + "x");
                  },
                  ModelFileState::Changed},
        StateCase{"ReadAgainAfterAChange", true,
                  [](Game &g) {
                      g.put(g.bytes() + "x");
                      g.store.LoadWorkingModel();
                  },
                  ModelFileState::AsLastSeen},
        StateCase{"Deleted", true, [](Game &g) { QFile::remove(g.platform.hostPath(ModelPath)); },
                  ModelFileState::Missing},
        StateCase{"ReplacedByAFolder", true,
                  [](Game &g) {
                      QFile::remove(g.platform.hostPath(ModelPath));
                      QDir().mkpath(g.platform.hostPath(ModelPath));
                  },
                  ModelFileState::Missing},
        // What the store saw of one game folder says nothing about another.
        StateCase{"AnotherGameFolder", true,
                  [](Game &g) { g.store.setGamePath(u"C:\\Anderes\\"_s); },
                  ModelFileState::AsLastSeen}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
