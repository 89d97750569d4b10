#pragma once

// A main window over a fake platform: the game registered at C:\Spiele\Z7,
// its executable present, a documents folder, message boxes answered by the
// test. Fonts are played by the test, so no outcome depends on the machine.

#include "tests/support/fake_platform.h"
#include "ui/qt/messagebox.h"
#include "editor/record_editor.h"
#include "app/tmain.h"
#include "resources/qt_resource_source.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/treeview.h"
#include "ui/qt/valueedit.h"
#include "ui/qt/speedbutton.h"
#include "ui/qt/pushbutton.h"
#include "ui/qt/updown.h"

#include <QFile>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace z7::test {

inline const std::string AppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";
inline const std::string Game = "C:\\Spiele\\Z7\\";
inline const std::string ModelFile = Game + "z7_model.txt";
inline const std::string BackupFile = Game + "z7_model.bak";

inline std::string builtinText(const char *name)
{
    QFile f(QStringLiteral(":/RT_RCDATA/") + QString::fromLatin1(name).toUpper());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

class TestWindow : public TMain
{
public:
    TestWindow(Platform &platform, QtWindow &skin)
        : TMain(platform, skin, ProgramResources())
    {}
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

    std::string modelBytes() { return platform.fileContents(ModelFile).value_or("<missing>"); }
    QStringList modelLines()
    {
        return QString::fromLatin1(QByteArray::fromStdString(modelBytes())).split(QStringLiteral("\r\n"));
    }

    template <class T = QWidget>
    T *control(const char *name)
    {
        return mainWidget()->findChild<T *>(QString::fromUtf8(name));
    }
    ValueEdit *edit(const char *name) { return control<ValueEdit>(name); }
    SpeedButton *toggle(const char *name) { return control<SpeedButton>(name); }
    PushButton *refButton(const char *name) { return control<PushButton>(name); }
    bool markerShown(const char *name) { return !control<QLabel>(name)->isHidden(); }

    QTreeWidgetItem *node(const QString &caption)
    {
        const auto found = tree()->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    // Selects a node with the mouse, as a user would: its parents opened, the
    // node scrolled into view and clicked.
    void select(const QString &caption, bool expectMoved = true)
    {
        QTreeWidgetItem *item = node(caption);
        ASSERT_NE(item, nullptr) << caption.toStdString();
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
        TreeView *view = tree();
        view->scrollToItem(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(item).center());
        if (expectMoved) {
            ASSERT_EQ(view->currentItem(), item) << caption.toStdString();
        }
    }

    // Replaces the text of an edit by typing, as a user would.
    void type(const char *editName, const QString &text)
    {
        ValueEdit *e = edit(editName);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }

    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

    QWidget *mainWidget() const { return skin->widget(); }
    TreeView *tree() const { return skin->tree(); }

    FakePlatform platform;
    // The widgets go first, blocked, then the logic that got their events.
    std::unique_ptr<TestWindow> window;
    std::unique_ptr<QtWindow> skin;
    TMain::StartResult result = TMain::StartResult::Run;
};

} // namespace z7::test
