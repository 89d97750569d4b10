// Model files no editor would write, read by the real start-up through the
// Wine backend: the editor starts, warns once that the layout does not match,
// lets the user walk through the entries, and writes nothing by itself.
// (Small damaged files are covered with the fake platform in tests/app.)

#include "app/tmain.h"
#include "platform/platform_wine.h"
#include "resources/qt_resource_source.h"
#include "tests/reliability/game_prefix.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/treeview.h"

#include <QDateTime>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <functional>

namespace z7::test {
namespace {

QByteArray Shipped()
{
    QFile file(QStringLiteral(":/RT_RCDATA/DE_MODELL"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() + "\r\n" : QByteArray();
}

QByteArray Garbage(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

// Names, sizes and times of the files in the game folder, enough to see any
// write. (The guide in the Documents folder is written at start when missing.)
QStringList Listing(const QString &folder)
{
    QStringList listing;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        listing << it.filePath() + u' ' + QString::number(it.fileInfo().size()) + u' ' +
                       it.fileInfo().lastModified().toString(Qt::ISODateWithMs);
    }
    listing.sort();
    return listing;
}

struct HostileFile
{
    const char *name;
    std::function<QByteArray()> bytes;
    // Every entry is selected, or only these few where a search over the
    // whole file would take long.
    QStringList only;
};

class HostileFileAtStart : public ::testing::TestWithParam<HostileFile>
{
};

TEST_P(HostileFileAtStart, StartsWarnsOnceAndWritesNothing)
{
    GamePrefix prefix;
    ASSERT_TRUE(prefix.made());
    const QByteArray bytes = GetParam().bytes();
    prefix.putModel(bytes);
    {
        QFile backup(prefix.game() + QStringLiteral("/z7_model.bak"));
        ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
    }
    const QStringList before = Listing(prefix.game());

    MessageBoxSeam::clear();
    WinePlatform platform(prefix.path().toStdString());
    QtWindow skin;
    TMain window(platform, skin, ProgramResources());
    ASSERT_EQ(window.FormCreate(), TMain::StartResult::Run);
    const auto shown = MessageBoxSeam::shown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().text.startsWith(QStringLiteral(
        "Die Modelldatei C:\\Spiele\\Z7\\z7_model.txt hat nicht den erwarteten Aufbau")))
        << shown.first().text.toStdString();
    ASSERT_GT(skin.tree()->topLevelItemCount(), 0);

    QList<QTreeWidgetItem *> nodes;
    for (QTreeWidgetItemIterator it(skin.tree()); *it; ++it) {
        if (GetParam().only.isEmpty() || GetParam().only.contains((*it)->text(0)))
            nodes << *it;
    }
    for (QTreeWidgetItem *node : nodes)
        skin.tree()->setCurrentItem(node);
    EXPECT_EQ(skin.tree()->currentItem(), nodes.last());
    window.BeendenClick();

    EXPECT_EQ(Listing(prefix.game()).join(u'\n').toStdString(), before.join(u'\n').toStdString())
        << "a file was written without the user storing";
    EXPECT_TRUE(prefix.modelBytes() == bytes);
}

const QStringList FewEntries = {QStringLiteral("Theater"), QStringLiteral("Kleines Zelt"),
                                QStringLiteral("Luxus Palast"), QStringLiteral("Brunnen")};

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFileAtStart,
    ::testing::Values(
        // Someone appended to the file until it held 100 MB.
        HostileFile{"HundredMegabytes",
                    [] {
                        QByteArray bytes = Shipped();
                        const QByteArray tail = Shipped().mid(Shipped().indexOf("\r\n") + 2);
                        while (bytes.size() < 100 * 1024 * 1024)
                            bytes += tail;
                        return bytes;
                    },
                    FewEntries},
        HostileFile{"OneLineOfTenMegabytes", [] { return QByteArray(10 * 1024 * 1024, 'x'); },
                    FewEntries},
        HostileFile{"RandomBytes", [] { return Garbage(1024 * 1024, 1); }, {}},
        HostileFile{"RandomBytesWithoutNul",
                    [] { return Garbage(1024 * 1024, 2).replace('\0', '\1'); }, FewEntries},
        HostileFile{
            "Utf16BigEndianOddByteCount", [] { return QByteArray("\xFE\xFF\0A\0L\0L\r", 9); }, {}},
        HostileFile{"Utf8MarkWithBrokenSequences",
                    []() -> QByteArray {
                        return "\xEF\xBB\xBF" + Shipped().replace("Theater", "The\xC3\x28\xFF"
                                                                             "ater");
                    },
                    {}},
        HostileFile{"ShippedModelInUtf16WithoutItsMark",
                    [] {
                        QByteArray bytes;
                        for (const char c : Shipped())
                            bytes += c, bytes += '\0';
                        return bytes;
                    },
                    FewEntries}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace z7::test
