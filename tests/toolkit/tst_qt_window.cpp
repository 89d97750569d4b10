// The Linux program's window seam beyond the window contract (tests/contract):
// the widgets of hidden panels made when first needed, and a handler's error
// reported without unwinding into Qt.

#include "model/text.h"
#include "ui/error_report.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/treeview.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
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

// clang-format off
const ControlDef Table[] = {
    {u"Baum", ControlKind::Tree, nullptr, {0, 0, 200, 300}, nullptr, nullptr, true, true, PlainLook, nullptr, 1},
    {u"Kaputt", ControlKind::Button, nullptr, {210, 0, 80, 25}, u"a", u"a", true, true, PlainLook, nullptr, 0},
    {u"Heil", ControlKind::Button, nullptr, {210, 30, 80, 25}, u"b", u"b", true, true, PlainLook, nullptr, 2},
    {u"WasserQualitätEdit", ControlKind::Edit, nullptr, {210, 60, 50, 22}, u"0", nullptr, true, true, DigitsOnly, nullptr, 3},
    {u"Tafel", ControlKind::Panel, nullptr, {0, 330, 300, 40}, nullptr, nullptr, false, true, PlainLook, nullptr},
    {u"TafelEdit", ControlKind::Edit, u"Tafel", {0, 0, 50, 22}, u"1", nullptr, true, true, PlainLook, nullptr},
    {u"Tafel2", ControlKind::Panel, nullptr, {0, 330, 300, 40}, nullptr, nullptr, false, true, PlainLook, nullptr},
    {u"Tafel2Label", ControlKind::Label, u"tafel2", {0, 0, 50, 22}, u"2", nullptr, true, true, PlainLook, nullptr},
};
// clang-format on
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

// The controls on panels that start hidden have no widgets until one of them
// is used or one of the panels is shown; then all of them are made at once.
TEST(QtWindowStart, ControlsOfHiddenPanelsAreMadeWhenFirstNeeded)
{
    const std::function<void(QtWindow &)> firstNeeds[] = {
        [](QtWindow &w) { w.setVisible(u"tafel", true); },
        [](QtWindow &w) { EXPECT_EQ(w.text(u"Tafel2Label"), u"2"); },
    };
    for (const auto &firstNeed : firstNeeds) {
        Recorder recorder;
        QtWindow window;
        window.create({u"Probe", 300, 380, u"Tahoma", 10}, Table, recorder);
        const auto widget = [&](const char16_t *name) {
            return window.widget()->findChild<QWidget *>(QString::fromUtf16(name));
        };
        ASSERT_TRUE(widget(u"Tafel"));
        EXPECT_FALSE(widget(u"TafelEdit"));
        EXPECT_FALSE(widget(u"Tafel2Label"));
        firstNeed(window);
        ASSERT_TRUE(widget(u"TafelEdit") && widget(u"Tafel2Label"));
        EXPECT_EQ(widget(u"TafelEdit")->parentWidget(), widget(u"Tafel"));
        EXPECT_EQ(widget(u"Tafel2Label")->parentWidget(), widget(u"Tafel2"));
    }
}

} // namespace
} // namespace z7
