#include "ui/qt/messagebox.h"
#include "ui/qt/treeview.h"

#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace z7;

namespace {

struct Event
{
    QString kind;    // "changing" or "changed"
    QString node;    // the node passed
    QString current; // currentItem() while the handler runs
    QStringList selected;

    bool operator==(const Event &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Event &e)
{
    return os << e.kind.toStdString() << "(" << e.node.toStdString() << ") current "
              << e.current.toStdString() << " selected " << e.selected.join(u',').toStdString();
}

QString caption(const QTreeWidgetItem *item)
{
    return item ? item->text(0) : QStringLiteral("-");
}

// A tree of three groups, A (A1, A2), B (B1) and C, shown and recording what
// its handlers see.
class TreeTest : public testing::Test
{
protected:
    TreeView tree;
    QList<Event> events;

    void SetUp() override
    {
        tree.resize(226, 385);
        fill();
        const auto record = [this](const char16_t *kind) {
            return [this, kind](QTreeWidgetItem *node) {
                QStringList selected;
                for (QTreeWidgetItem *s : tree.selectedItems())
                    selected.append(caption(s));
                events.append({QString::fromUtf16(kind), caption(node), caption(tree.currentItem()),
                               selected});
            };
        };
        QObject::connect(&tree, &TreeView::changing, record(u"changing"));
        QObject::connect(&tree, &TreeView::changed, record(u"changed"));
        tree.show();
        tree.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&tree));
        // Taking the focus selected the first node; start from nothing selected.
        tree.batchUpdate([this] {
            tree.clear();
            fill();
        });
        events.clear();
    }

    void fill()
    {
        for (const QStringList &group :
             {QStringList{QStringLiteral("A"), QStringLiteral("A1"), QStringLiteral("A2")},
              QStringList{QStringLiteral("B"), QStringLiteral("B1")},
              QStringList{QStringLiteral("C")}}) {
            auto *top = new QTreeWidgetItem(&tree, QStringList{group.first()});
            for (qsizetype i = 1; i < group.size(); ++i)
                new QTreeWidgetItem(top, QStringList{group[i]});
        }
    }

    QTreeWidgetItem *node(const QString &text)
    {
        const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    QPoint centre(const QString &text) { return tree.visualItemRect(node(text)).center(); }

    void click(const QString &text, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, modifiers, centre(text));
    }

    void key(Qt::Key k) { QTest::keyClick(tree.windowHandle(), k); }

    static QList<Event> moved(const QString &from, const QString &to)
    {
        const QStringList before = from == u"-" ? QStringList{} : QStringList{from};
        return {{QStringLiteral("changing"), to, from, before},
                {QStringLiteral("changed"), to, to, {to}}};
    }
};

// Ctrl+click does not clear the selection, and dragging with the button held
// selects nothing on the way.
TEST_F(TreeTest, CtrlClickAndDraggingMoveNothing)
{
    click(QStringLiteral("C"));
    events.clear();
    click(QStringLiteral("C"), Qt::ControlModifier);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(tree.selectedItems(), QList<QTreeWidgetItem *>{node(QStringLiteral("C"))});

    QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, centre(QStringLiteral("C")));
    QTest::mouseMove(tree.viewport(), centre(QStringLiteral("A")));
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, centre(QStringLiteral("A")));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(tree.currentItem(), node(QStringLiteral("C")));
}

// Right opens a group without moving, then enters it; Left goes back up.
TEST_F(TreeTest, RightAndLeftOpenEnterAndLeaveAGroup)
{
    click(QStringLiteral("B"));
    events.clear();
    key(Qt::Key_Right);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(node(QStringLiteral("B"))->isExpanded());
    key(Qt::Key_Right);
    key(Qt::Key_Left);
    EXPECT_EQ(events, moved(QStringLiteral("B"), QStringLiteral("B1")) +
                          moved(QStringLiteral("B1"), QStringLiteral("B")));
}

// A changed handler that puts the selection back (the editor keeping the
// player on an entry whose value it could not store) has the last word over
// the mouse press that moved it: the node it chose is the current one and
// the one highlighted, and no handler runs for it.
TEST_F(TreeTest, QuietSelectionFromTheChangedHandlerKeepsTheHighlight)
{
    click(QStringLiteral("A"));
    QObject::connect(&tree, &TreeView::changed, [this](QTreeWidgetItem *item) {
        if (item != node(QStringLiteral("A")))
            tree.selectQuietly(node(QStringLiteral("A")));
    });
    events.clear();
    click(QStringLiteral("C"));
    EXPECT_EQ(events, moved(QStringLiteral("A"), QStringLiteral("C")));
    EXPECT_EQ(tree.currentItem(), node(QStringLiteral("A")));
    EXPECT_EQ(tree.selectedItems(), QList<QTreeWidgetItem *>{node(QStringLiteral("A"))});
    const QImage image = tree.viewport()->grab().toImage();
    const QColor highlight = tree.palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(image.pixelColor(tree.visualItemRect(node(QStringLiteral("A"))).topLeft()),
              highlight);
    EXPECT_NE(image.pixelColor(tree.visualItemRect(node(QStringLiteral("C"))).topLeft()),
              highlight);
}

TEST_F(TreeTest, ProgramMovesTellToo)
{
    tree.setCurrentItem(node(QStringLiteral("B")));
    EXPECT_EQ(events, moved(QStringLiteral("-"), QStringLiteral("B")));
}

// Emptying and refilling runs no handler, repaints once at the end and leaves
// nothing selected and every group collapsed.
TEST_F(TreeTest, BatchRefillsSilently)
{
    node(QStringLiteral("A"))->setExpanded(true);
    click(QStringLiteral("A1"));
    events.clear();
    bool updatesDuringFill = true;
    tree.batchUpdate([&] {
        updatesDuringFill = tree.updatesEnabled();
        tree.clear();
        fill();
    });
    EXPECT_FALSE(updatesDuringFill);
    EXPECT_TRUE(tree.updatesEnabled());
    EXPECT_FALSE(tree.inBatch());
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(tree.currentItem(), nullptr);
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    EXPECT_FALSE(node(QStringLiteral("A"))->isExpanded());

    // A fill that fails still ends the batch.
    EXPECT_THROW(tree.batchUpdate([] { throw std::runtime_error("x"); }), std::runtime_error);
    EXPECT_TRUE(tree.updatesEnabled());
    click(QStringLiteral("B"));
    EXPECT_EQ(events, moved(QStringLiteral("-"), QStringLiteral("B")));
}

// The changing handler may ask the user in a modal box, which takes the
// mouse release; the move completes and the next click is an ordinary one.
TEST_F(TreeTest, ModalBoxInTheChangingHandler)
{
    int asked = 0;
    QObject::connect(&tree, &TreeView::changing, [&] {
        ++asked;
        QTimer::singleShot(0, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Escape);
        });
        ShowMessage(&tree, QStringLiteral("Speichern?"), QStringLiteral("Sicherheitsabfrage"), 36);
    });
    QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, centre(QStringLiteral("C")));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(tree.currentItem(), node(QStringLiteral("C")));
    EXPECT_EQ(events, moved(QStringLiteral("-"), QStringLiteral("C")));
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, centre(QStringLiteral("C")));
    events.clear();
    QTest::mouseMove(tree.viewport(), centre(QStringLiteral("A")));
    EXPECT_TRUE(events.isEmpty());
    click(QStringLiteral("B"));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(events, moved(QStringLiteral("C"), QStringLiteral("B")));
}

TEST_F(TreeTest, CodesAndTheirDefaults)
{
    QTreeWidgetItem *a = node(QStringLiteral("A"));
    EXPECT_EQ(TreeView::selectCode(a), 0);
    EXPECT_EQ(TreeView::recordCode(a), -1);
    EXPECT_EQ(TreeView::pictureIndex(a), 0);
    TreeView::setCodes(a, 7, 15, 106);
    EXPECT_EQ(TreeView::selectCode(a), 7);
    EXPECT_EQ(TreeView::recordCode(a), 15);
    EXPECT_EQ(TreeView::pictureIndex(a), 106);
    TreeView::setRecordCode(a, -2147483647 - 1);
    EXPECT_EQ(TreeView::recordCode(a), -2147483647 - 1);
    EXPECT_EQ(a->text(0), u"A");
}

int pixelsOf(const QImage &image, const QRect &rect, QColor colour)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb();
    return count;
}

// The hook's colour is used for the nodes it names, selected or not, and the
// next node starts from the normal colours again.
TEST_F(TreeTest, ColourHookAppliesInEveryState)
{
    const QColor navy(0, 0, 128);
    tree.setItemTextColourHook([&](const QTreeWidgetItem *item) -> std::optional<QColor> {
        return item->parent() ? std::nullopt : std::optional<QColor>(navy);
    });
    node(QStringLiteral("A"))->setExpanded(true);
    const auto rowPixels = [&](const QString &text) {
        const QImage image = tree.viewport()->grab().toImage();
        return pixelsOf(image, tree.visualItemRect(node(text)), navy);
    };
    EXPECT_GT(rowPixels(QStringLiteral("A")), 0);
    EXPECT_EQ(rowPixels(QStringLiteral("A1")), 0);
    click(QStringLiteral("A"));
    EXPECT_GT(rowPixels(QStringLiteral("A")), 0);
    EXPECT_EQ(tree.viewport()->grab().toImage().pixelColor(
                  tree.visualItemRect(node(QStringLiteral("A"))).topLeft()),
              tree.palette().color(QPalette::Active, QPalette::Highlight));
    click(QStringLiteral("A1"));
    EXPECT_EQ(rowPixels(QStringLiteral("A1")), 0);
    tree.clearFocus();
    // Without the focus the selection keeps its highlight.
    EXPECT_EQ(tree.viewport()->grab().toImage().pixelColor(
                  tree.visualItemRect(node(QStringLiteral("A1"))).topLeft()),
              tree.palette().color(QPalette::Active, QPalette::Highlight));
}

TEST_F(TreeTest, LookAndTooltipForCutOffCaptions)
{
    EXPECT_EQ(tree.indentation(), 19);
    EXPECT_TRUE(tree.rootIsDecorated());
    EXPECT_FALSE(tree.isSortingEnabled());
    EXPECT_EQ(tree.editTriggers(), QAbstractItemView::NoEditTriggers);

    QTreeWidgetItem *longOne = node(QStringLiteral("C"));
    longOne->setText(0,
                     QStringLiteral("Eine sehr lange Beschriftung, die nicht in den Baum passt"));
    const auto tipAt = [&](const QString &text) {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, centre(text), tree.viewport()->mapToGlobal(centre(text)));
        QApplication::sendEvent(tree.viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(QStringLiteral("B")), QString());
    EXPECT_EQ(tipAt(longOne->text(0)), longOne->text(0));
}

} // namespace
