// The Linux program's window seam: controls from the table, found by name
// ignoring the case of A-Z, the tree refilled silently, and a handler's error
// reported without unwinding into Qt.

#include "model/text.h"
#include "ui/error_report.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/treeview.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace z7 {
namespace {

struct Recorder : WindowEvents
{
    std::vector<std::string> events;
    void clicked(std::u16string_view c) override
    {
        if (c == u"Kaputt")
            throw std::runtime_error("kaputt");
        events.push_back("clicked " + ToUtf8(c));
    }
    void stepped(std::u16string_view c) override { events.push_back("stepped " + ToUtf8(c)); }
    void keyReleased(std::u16string_view c) override { events.push_back("key " + ToUtf8(c)); }
    void treeChanging(int n) override
    {
        if (n == 2)
            throw std::runtime_error("Speichern fehlgeschlagen");
        events.push_back("changing " + std::to_string(n));
    }
    void treeChanged(int n) override { events.push_back("changed " + std::to_string(n)); }
    std::optional<Colour> treeNodeColour(int) override { return std::nullopt; }
};

const ControlDef Table[] = {
    {u"Baum",
     ControlKind::Tree,
     nullptr,
     {0, 0, 200, 300},
     nullptr,
     nullptr,
     true,
     true,
     PlainLook,
     nullptr,
     1},
    {u"Kaputt",
     ControlKind::Button,
     nullptr,
     {210, 0, 80, 25},
     u"a",
     u"a",
     true,
     true,
     PlainLook,
     nullptr,
     0},
    {u"Heil",
     ControlKind::Button,
     nullptr,
     {210, 30, 80, 25},
     u"b",
     u"b",
     true,
     true,
     PlainLook,
     nullptr,
     2},
    {u"WasserQualitätEdit",
     ControlKind::Edit,
     nullptr,
     {210, 60, 50, 22},
     u"0",
     nullptr,
     true,
     true,
     DigitsOnly,
     nullptr,
     3},
};
const std::vector<TreeNode> Nodes = {
    {u"Wohnungen", 0, 0, 0, 96}, {u"Kleines Zelt", 1, 100, 100, 0}, {u"Industrie", 0, 9, 9, 97},
    {u"Farm", 1, 500, 150, 50},  {u"Weizen", 2, 501, 151, 51},
};

class QtWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        MessageBoxSeam::enable();
        MessageBoxSeam::clear();
        window.create({u"Probe", 300, 320, u"Tahoma", 10}, Table, guard);
        window.fillTree(Nodes);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
    }
    void TearDown() override { MessageBoxSeam::clear(); }

    Recorder recorder;
    QtWindow window;
    GuardedEvents guard{recorder, window};
};

TEST_F(QtWindowTest, FindsControlsIgnoringTheCaseOfAsciiLettersOnly)
{
    EXPECT_EQ(window.findControl(u"wasserqualitätedit"), ControlKind::Edit);
    EXPECT_EQ(window.findControl(u"WASSERQUALITäTEDIT"), ControlKind::Edit);
    EXPECT_EQ(window.findControl(u"WasserQualitÄtEdit"), std::nullopt);
    EXPECT_EQ(window.findControl(u"baum"), ControlKind::Tree);
    window.setText(u"wasserqualitätEDIT", u"12");
    EXPECT_EQ(window.text(u"WasserQualitätEdit"), u"12");
    EXPECT_EQ(window.geometry(u"HEIL"), (Rect{210, 30, 80, 25}));
    EXPECT_EQ(window.focusedControl(), u"Kaputt"); // first in keyboard order
}

// What the user expanded and selected is forgotten, the nodes and codes are
// the same, and the tree's handlers do not run.
TEST_F(QtWindowTest, RefillGivesTheSameTreeSilently)
{
    TreeView *tree = window.tree();
    tree->topLevelItem(1)->setExpanded(true);
    window.selectNodeQuietly(3);
    ASSERT_EQ(window.selectedNode(), 3);
    QSignalSpy changing(tree, &TreeView::changing);
    QSignalSpy changed(tree, &TreeView::changed);

    window.fillTree(Nodes);
    EXPECT_EQ(changing.count(), 0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(recorder.events.empty());
    for (int i = 0; i < int(Nodes.size()); ++i)
        EXPECT_EQ(window.treeNode(i), Nodes[std::size_t(i)]) << i;
    EXPECT_EQ(window.selectedNode(), -1);
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    EXPECT_FALSE(tree->topLevelItem(1)->isExpanded());
    EXPECT_TRUE(tree->updatesEnabled());
}

// The guard catches the handler's error before it reaches Qt, reports it,
// and the loop goes on.
TEST_F(QtWindowTest, ErrorOfAHandlerIsReportedAndTheLoopGoesOn)
{
    auto *failing = window.widget()->findChild<QPushButton *>(QStringLiteral("Kaputt"));
    auto *working = window.widget()->findChild<QPushButton *>(QStringLiteral("Heil"));
    QTest::mouseClick(failing, Qt::LeftButton);
    QTest::mouseClick(working, Qt::LeftButton);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown()[0].text, u"kaputt.");
    EXPECT_EQ(MessageBoxSeam::shown()[0].flags, 16);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"clicked Heil"}));
}

// A failing changing handler is reported; the selection still moves.
TEST_F(QtWindowTest, TreeHandlerErrorIsReportedAndTheMoveHappens)
{
    TreeView *tree = window.tree();
    QTreeWidgetItem *industrie = tree->topLevelItem(1);
    ASSERT_EQ(industrie->text(0), u"Industrie");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(industrie).center());
    EXPECT_EQ(window.selectedNode(), 2);
    ASSERT_EQ(MessageBoxSeam::shown().size(), 1);
    EXPECT_EQ(MessageBoxSeam::shown()[0].text, u"Speichern fehlgeschlagen.");
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"changed 2"}));
}

} // namespace
} // namespace z7
