#include "app/tmain.h"
#include "catalogue/window_names.h"
#include "editor/value_rows.h"
#include "platform/platform_wine.h"
#include "resources/qt_resource_source.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/treeview.h"
#include "ui/qt/valueedit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

using namespace z7;

namespace {

// A throwaway Wine prefix on the real disk with the game registered.
struct Prefix
{
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/bench_editor-XXXXXX")};

    Prefix()
    {
        const std::filesystem::path root = dir.path().toStdString();
        std::filesystem::create_directories(root / "drive_c/Spiele/Z7");
        std::filesystem::create_directories(root / "dosdevices");
        std::filesystem::create_directory_symlink("../drive_c", root / "dosdevices/c:");
        QFile exe(dir.filePath(QStringLiteral("drive_c/Spiele/Z7/z7.exe")));
        exe.open(QIODevice::WriteOnly);
        QFile reg(dir.filePath(QStringLiteral("system.reg")));
        reg.open(QIODevice::WriteOnly);
        reg.write("WINE REGISTRY Version 2\n#arch=win32\n\n"
                  "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\App Paths\\\\z7.exe] 0\n"
                  "\"Path\"=\"C:\\\\Spiele\\\\Z7\"\n");
    }
};

struct Editor
{
    Prefix prefix;
    WinePlatform platform{prefix.dir.path().toStdString(), "/proc"};
    QtWindow skin;
    TMain window{platform, skin, ProgramResources()};

    Editor()
    {
        MessageBoxSeam::enable();
        window.FormCreate();
        skin.show();
    }

    QList<QTreeWidgetItem *> entries()
    {
        QList<QTreeWidgetItem *> items;
        for (QTreeWidgetItemIterator it(skin.tree()); *it; ++it) {
            const int code = TreeView::recordCode(*it);
            if (code > 12 && code < 300)
                items << *it;
        }
        return items;
    }
};

void BM_ShowEveryEntry(benchmark::State &state)
{
    Editor editor;
    const QList<QTreeWidgetItem *> entries = editor.entries();
    for (auto _ : state) {
        for (QTreeWidgetItem *item : entries)
            editor.skin.tree()->setCurrentItem(item);
    }
    state.counters["entries"] = static_cast<double>(entries.size());
    state.SetItemsProcessed(state.iterations() * entries.size());
}
BENCHMARK(BM_ShowEveryEntry)->Unit(benchmark::kMillisecond);

void BM_StoreFromButtonToDisk(benchmark::State &state)
{
    Editor editor;
    const bool house = state.range(0) != 0;
    const QString caption = house ? QStringLiteral("Grosse Casa") : QStringLiteral("Theater");
    editor.skin.tree()->setCurrentItem(
        editor.skin.tree()->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive).first());
    auto *save =
        editor.skin.widget()->findChild<QPushButton *>(QString::fromUtf16(names::Speichern));
    const ValueRowDef &edited = ValueRows[house ? rows::Steuern : rows::Baukosten];
    auto *tax = editor.skin.widget()->findChild<ValueEdit *>(QString::fromUtf16(edited.editName));
    int value = 0;
    for (auto _ : state) {
        tax->setText(QString::number(++value % 1000));
        QTest::mouseClick(save, Qt::LeftButton);
    }
    state.SetLabel(caption.toStdString());
}
BENCHMARK(BM_StoreFromButtonToDisk)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
