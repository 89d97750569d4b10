// The game reads the model file when it starts; a process killed while it
// saves must leave either the complete old file or the complete new one, and
// nothing that the next start of the editor does not clear away.
//
// z7_store_loop starts like the editor and then stores without end; this
// test kills it with SIGKILL at random moments, hundreds of times, and after
// every kill compares the model file with every file the loop can write.
// Z7_CRASH_KILLS and Z7_CRASH_SEED change the count and the random moments.

#include "model/textcodec.h"
#include "tests/reliability/crash_steps.h"
#include "tests/reliability/game_prefix.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace z7::test {
namespace {

// The names a save gives its temporary files: a name of their own that no
// player's file has, so that the next start can clear them away.
const QRegularExpression SaveTemporary(QStringLiteral("^~z7edit-[A-Za-z0-9]{6}\\.tmp$"));

int EnvNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

class StoreLoop
{
public:
    StoreLoop(const GamePrefix &prefix, long first)
    {
        const QStringList arguments{prefix.path(), QString::number(first)};
        m_process.start(QStringLiteral(Z7_STORE_LOOP), arguments);
        m_process.waitForStarted(60000);
    }
    ~StoreLoop()
    {
        m_process.kill();
        m_process.waitForFinished(60000);
    }

    // True once the start-up is over and the loop waits for the word.
    bool waitReady()
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(120000))
                return false;
        }
        return m_process.readLine() == "ready\n";
    }
    void go()
    {
        m_process.write("go\n");
        m_process.waitForBytesWritten(60000);
    }
    // Closes its input: the loop ends without storing anything.
    bool finish()
    {
        m_process.closeWriteChannel();
        return m_process.waitForFinished(60000) && m_process.exitCode() == 0;
    }
    // SIGKILL; false when the process had already ended by itself.
    bool kill()
    {
        const bool running = m_process.state() == QProcess::Running;
        m_process.kill();
        m_process.waitForFinished(60000);
        return running;
    }
    QString output()
    {
        return QString::fromUtf8(m_process.readAllStandardOutput() +
                                 m_process.readAllStandardError());
    }

private:
    QProcess m_process;
};

QStringList Strays(const GamePrefix &prefix, const QStringList &known)
{
    QStringList strays;
    for (const QString &entry : prefix.gameEntries()) {
        if (!known.contains(entry))
            strays.append(entry);
    }
    return strays;
}

TEST(CrashWhileSaving, EveryKillLeavesTheOldOrTheNewFile)
{
    const GamePrefix prefix;
    ASSERT_TRUE(prefix.made());
    // The game's own file, which the first start moves aside; it then
    // installs the default model and writes the guide.
    prefix.putModel(QByteArray("the game's own model file\r\n"));
    {
        StoreLoop first(prefix, 0);
        ASSERT_TRUE(first.waitReady()) << first.output().toStdString();
        ASSERT_TRUE(first.finish()) << first.output().toStdString();
    }
    const QStringList known = prefix.gameEntries();
    const QByteArray installed = prefix.modelBytes();

    // Every file the loop can ever write: each entry either not stored yet
    // or stored with one of the values.
    const Lines base = DecodeLines(installed.toStdString()).lines;
    QSet<QByteArray> possible;
    for (int b = -1; b < crash::ValueCount; ++b) {
        for (int h = -1; h < crash::ValueCount; ++h) {
            possible.insert(QByteArray::fromStdString(
                EncodeLines(crash::ModelAfter(base, b < 0 ? std::nullopt : std::optional<int>(b),
                                              h < 0 ? std::nullopt : std::optional<int>(h)),
                            TextEncoding::Ansi)));
        }
    }
    ASSERT_TRUE(possible.contains(installed));

    const int kills = EnvNumber("Z7_CRASH_KILLS", 300);
    const unsigned seed = unsigned(EnvNumber("Z7_CRASH_SEED", 7));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> storeDelay(0, 40);  // ms into the loop
    std::uniform_int_distribution<int> startDelay(0, 300); // ms into the start-up
    std::uniform_int_distribution<long> firstStep(0, 1000);

    int tornFiles = 0, endedByThemselves = 0, duringStartUp = 0, changes = 0;
    int straysLeft = 0, foreignStrays = 0;
    QSet<QByteArray> seen;
    QByteArray previous = installed;
    QStringList pending;  // strays the next start has to clear away
    QSet<QString> strays; // every one seen

    // Strays a start did not clear away (see TheNextStartClearsAwayWhatAKillLeft).
    QSet<QString> keptByAStart;
    auto countStraysKept = [&] {
        for (const QString &stray : pending) {
            if (QFileInfo::exists(prefix.game() + u'/' + stray))
                keptByAStart.insert(stray);
        }
        pending.clear();
    };

    for (int i = 0; i < kills; ++i) {
        StoreLoop loop(prefix, firstStep(random));
        if (i % 8 == 7) {
            ++duringStartUp;
            std::this_thread::sleep_for(std::chrono::milliseconds(startDelay(random)));
        } else {
            ASSERT_TRUE(loop.waitReady()) << "kill " << i << ": " << loop.output().toStdString();
            countStraysKept();
            loop.go();
            std::this_thread::sleep_for(std::chrono::milliseconds(storeDelay(random)));
        }
        if (!loop.kill()) {
            ++endedByThemselves;
            ADD_FAILURE() << "kill " << i
                          << ": the loop had ended: " << loop.output().toStdString();
        }

        const QByteArray now = prefix.modelBytes();
        if (!possible.contains(now)) {
            ++tornFiles;
            ADD_FAILURE() << "kill " << i << ": the model file is neither old nor new ("
                          << now.size() << " bytes)";
        }
        seen.insert(now);
        changes += now != previous;
        previous = now;

        pending = Strays(prefix, known);
        for (const QString &stray : pending) {
            if (strays.contains(stray))
                continue;
            strays.insert(stray);
            ++straysLeft;
            if (!SaveTemporary.match(stray).hasMatch()) {
                ++foreignStrays;
                ADD_FAILURE() << "kill " << i << " left " << stray.toStdString();
            }
        }
    }
    {
        StoreLoop last(prefix, 0);
        ASSERT_TRUE(last.waitReady()) << last.output().toStdString();
        ASSERT_TRUE(last.finish());
        countStraysKept();
    }

    const QByteArray report =
        QStringLiteral("crash test (seed %1): %2 kills (%3 during start-up), %4 torn files, "
                       "%5 loops ended by themselves; the file changed between kills %6 times, "
                       "%7 different files seen; %8 temporary files left by kills (%9 of unknown "
                       "names), %10 of them still there after the next start\n")
            .arg(seed)
            .arg(kills)
            .arg(duringStartUp)
            .arg(tornFiles)
            .arg(endedByThemselves)
            .arg(changes)
            .arg(seen.size())
            .arg(straysLeft)
            .arg(foreignStrays)
            .arg(keptByAStart.size())
            .toUtf8();
    std::fputs(report.constData(), stdout);
    // CTest shows a passing test's output nowhere; the CI log prints this file.
    QFile file(QStringLiteral("crash-report.txt"));
    if (file.open(QIODevice::WriteOnly))
        file.write(report);
    std::fflush(stdout);
    // A loop that never got to store would prove nothing.
    EXPECT_GT(changes, kills / 4);
    EXPECT_EQ(keptByAStart.size(), 0) << "temporary files a start left in place";
}

} // namespace
} // namespace z7::test

namespace z7::test {
namespace {

// What a kill leaves beside the model file (the save's temporary file, with
// the new contents whole or cut off) is gone after the next start; the
// player's own files, even of a similar name, and a folder of such a name stay.
TEST(CrashWhileSaving, TheNextStartClearsAwayWhatAKillLeft)
{
    const GamePrefix prefix;
    ASSERT_TRUE(prefix.made());
    prefix.putModel(QByteArray("the game's own model file\r\n"));
    {
        StoreLoop first(prefix, 0);
        ASSERT_TRUE(first.waitReady()) << first.output().toStdString();
        ASSERT_TRUE(first.finish());
    }
    const QStringList known = prefix.gameEntries();
    const QByteArray model = prefix.modelBytes();
    auto put = [&](const char *name, const QByteArray &bytes) {
        QFile file(prefix.game() + u'/' + QString::fromUtf8(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    put("~z7edit-AbC123.tmp", model);
    put("~z7edit-Xy1Z2w.tmp", model.left(100));
    put("z7_model.txt.backup", "the user's own copy");
    put("z7_model.txt.AbCdEf", "another copy, named as some tools name theirs");
    ASSERT_TRUE(QDir(prefix.game()).mkdir(QStringLiteral("~z7edit-x.tmp")));
    {
        StoreLoop next(prefix, 0);
        ASSERT_TRUE(next.waitReady()) << next.output().toStdString();
        ASSERT_TRUE(next.finish());
    }
    QStringList strays = Strays(prefix, known);
    strays.sort();
    EXPECT_EQ(strays.join(u' ').toStdString(),
              "z7_model.txt.AbCdEf z7_model.txt.backup ~z7edit-x.tmp");
    EXPECT_EQ(prefix.modelBytes(), model);
}

} // namespace
} // namespace z7::test
