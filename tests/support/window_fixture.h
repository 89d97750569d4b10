#pragma once

// The main window on the real Qt widgets over a fake platform: the game
// registered at C:\Spiele\Z7, its executable present, a documents folder,
// message boxes answered by the test. Fonts are played by the test, so no
// outcome depends on the machine. For what only real widgets show; the
// logic's tests run on the window in memory (logic_fixture.h).

#include "app/tmain.h"
#include "resources/qt_resource_source.h"
#include "tests/support/fake_platform.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/treeview.h"
#include "ui/qt/updown.h"
#include "ui/qt/valueedit.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace z7::test {

inline const std::string AppPathsKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";
inline const std::string Game = "C:\\Spiele\\Z7\\";

class TestWindow : public TMain
{
public:
    TestWindow(Platform &platform, QtWindow &skin)
        : TMain(platform, skin, ProgramResources())
    {
    }
    int firstFont = 1;
    int secondFont = 2;
    int RegisterFontResource(std::u16string_view type, std::u16string_view) override
    {
        return type == u"Z7" ? firstFont : secondFont;
    }
};

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::enable();
        MessageBoxSeam::clear();
        platform.setRegistryText(AppPathsKey, "Path", "C:\\Spiele\\Z7");
        platform.putFile(Game + "z7.exe", "");
        platform.createFolder("C:\\users\\spieler\\Documents");
        platform.putFile("C:\\users\\spieler\\Documents\\Tellmar Modell Dateien.pdf", "guide");
    }

    // Creates the window and runs its start-up; the default model is installed.
    TestWindow &start()
    {
        window.reset();
        skin = std::make_unique<QtWindow>();
        window = std::make_unique<TestWindow>(platform, *skin);
        result = window->FormCreate();
        return *window;
    }

    template <class T = QWidget> T *control(const char *name)
    {
        return mainWidget()->findChild<T *>(QString::fromUtf8(name));
    }

    // Selects a node with the mouse, as a user would: its parents opened, the
    // node scrolled into view and clicked.
    void select(const QString &caption)
    {
        const auto found = tree()->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << caption.toStdString();
        QTreeWidgetItem *item = found.first();
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
        TreeView *view = tree();
        view->scrollToItem(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualItemRect(item).center());
        ASSERT_EQ(view->currentItem(), item) << caption.toStdString();
    }

    QWidget *mainWidget() const { return skin->widget(); }
    TreeView *tree() const { return skin->tree(); }

    FakePlatform platform;
    // The widgets go first, blocked, then the logic that got their events.
    std::unique_ptr<TestWindow> window;
    std::unique_ptr<QtWindow> skin;
    TMain::StartResult result = TMain::StartResult::Run;
};

} // namespace z7::test
