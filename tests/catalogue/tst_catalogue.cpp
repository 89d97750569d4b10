#include "catalogue/catalogue.h"

#include "platform/error.h"
#include "tests/catalogue/node_table.h"
#include "ui/qt/treeview.h"

#include <QMap>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace z7;

namespace {

struct Node
{
    int depth;
    QString caption;
    int selectCode, recordCode, pictureIndex;
    bool operator==(const Node &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Node &n)
{
    return os << n.depth << " \"" << n.caption.toStdString() << "\" " << n.selectCode << '/'
              << n.recordCode << '/' << n.pictureIndex;
}

// The tree in tree order, every node before its children.
QList<Node> nodesOf(const TreeView &tree)
{
    QList<Node> nodes;
    std::function<void(const QTreeWidgetItem *, int)> walk = [&](const QTreeWidgetItem *item,
                                                                 int depth) {
        nodes.append({depth, item->text(0), TreeView::selectCode(item), TreeView::recordCode(item),
                      TreeView::pictureIndex(item)});
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return nodes;
}

QList<Node> shippedNodes()
{
    QList<Node> nodes;
    for (const NodeRow &r : ShippedNodes)
        nodes.append(
            {r.depth, QString::fromUtf16(r.caption), r.selectCode, r.recordCode, r.pictureIndex});
    return nodes;
}

bool anyExpanded(const TreeView &tree)
{
    const auto all = tree.findItems(QString(), Qt::MatchContains | Qt::MatchRecursive);
    return std::any_of(all.begin(), all.end(),
                       [](const QTreeWidgetItem *i) { return i->isExpanded(); });
}

// Four texts given as Latin-1 literals; reading one that is not there throws
// as the program's resource access does. Records the order of reading.
struct Texts
{
    QMap<QString, QByteArray> bytes;
    QStringList read;

    Texts(const char *tree, const char *select, const char *record, const char *picture)
    {
        bytes[QStringLiteral("NodeTree")] = QByteArray(tree);
        bytes[QStringLiteral("NodeIndex")] = QByteArray(select);
        bytes[QStringLiteral("NodeStatusIndex")] = QByteArray(record);
        bytes[QStringLiteral("NodeExtendedIndex")] = QByteArray(picture);
    }
    CatalogueTextSource source()
    {
        return [this](const QString &name) {
            read.append(name);
            if (!bytes.contains(name))
                throw Error("Ressource " + name.toStdString() + " nicht gefunden");
            return bytes.value(name);
        };
    }
};

std::string buildError(TreeView &tree, Texts &texts)
{
    try {
        BuildCatalogue(&tree, texts.source());
    } catch (const Error &e) {
        return e.what();
    }
    return {};
}

TEST(Catalogue, ShippedTextsGiveTheNodeTable)
{
    TreeView tree;
    BuildCatalogue(&tree);
    const QList<Node> nodes = nodesOf(tree);
    const QList<Node> expected = shippedNodes();
    ASSERT_EQ(nodes.size(), 113);
    for (qsizetype i = 0; i < nodes.size(); ++i)
        EXPECT_EQ(nodes[i], expected[i]) << "node " << i;
    EXPECT_EQ(tree.topLevelItemCount(), 10);
    const auto groups = std::count_if(nodes.begin(), nodes.end(), [](const Node &n) {
        return n.recordCode <= 12 || n.recordCode >= 300;
    });
    EXPECT_EQ(groups, 16);
    EXPECT_EQ(tree.currentItem(), nullptr);
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    EXPECT_FALSE(anyExpanded(tree));
}

// What the user expanded and selected is forgotten, the nodes and codes are
// the same, and the tree's handlers do not run.
TEST(Catalogue, RebuildGivesTheSameTreeSilently)
{
    TreeView tree;
    tree.resize(226, 385);
    BuildCatalogue(&tree);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    QTreeWidgetItem *industrie = tree.topLevelItem(9);
    industrie->setExpanded(true);
    tree.setCurrentItem(industrie->child(0));
    QSignalSpy changing(&tree, &TreeView::changing);
    QSignalSpy changed(&tree, &TreeView::changed);

    BuildCatalogue(&tree);
    EXPECT_EQ(changing.count(), 0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(nodesOf(tree), shippedNodes());
    EXPECT_EQ(tree.currentItem(), nullptr);
    EXPECT_TRUE(tree.selectedItems().isEmpty());
    EXPECT_FALSE(anyExpanded(tree));
    EXPECT_TRUE(tree.updatesEnabled());
}

TEST(Catalogue, TopLevelNodesAreNavy)
{
    TreeView tree;
    BuildCatalogue(&tree);
    QTreeWidgetItem *industrie = tree.topLevelItem(9);
    ASSERT_EQ(industrie->text(0), u"Industrie");
    QTreeWidgetItem *farm = industrie->child(0);
    ASSERT_EQ(farm->text(0), u"Farm");
    EXPECT_EQ(ModellTreeCustomDrawItem(industrie), QColor(0, 0, 128));
    EXPECT_EQ(ModellTreeCustomDrawItem(farm), std::nullopt);
    EXPECT_EQ(ModellTreeCustomDrawItem(farm->child(0)), std::nullopt);
}

// How lines become nodes: levels by leading TABs and spaces, captions taken
// exactly, the first line always on top, line breaks of every kind.
TEST(Catalogue, LevelRules)
{
    struct Row
    {
        const char *name;
        const char *tree;
        QList<Node> nodes;
    } rows[] = {
        {"indented first line",
         "\t\tA\r\nB",
         {{0, QStringLiteral("A"), 1, 11, 21}, {0, QStringLiteral("B"), 2, 12, 22}}},
        {"two spaces are two levels",
         "A\r\n B\r\n  C",
         {{0, QStringLiteral("A"), 1, 11, 21},
          {1, QStringLiteral("B"), 2, 12, 22},
          {2, QStringLiteral("C"), 3, 13, 23}}},
        {"TAB and space mixed",
         "A\r\n\tB\r\n \tC",
         {{0, QStringLiteral("A"), 1, 11, 21},
          {1, QStringLiteral("B"), 2, 12, 22},
          {2, QStringLiteral("C"), 3, 13, 23}}},
        {"empty line is a top-level node",
         "A\r\n\r\nB",
         {{0, QStringLiteral("A"), 1, 11, 21},
          {0, QString(), 2, 12, 22},
          {0, QStringLiteral("B"), 3, 13, 23}}},
        {"back to the top",
         "A\r\n\tB\r\n\t\tC\r\nD",
         {{0, QStringLiteral("A"), 1, 11, 21},
          {1, QStringLiteral("B"), 2, 12, 22},
          {2, QStringLiteral("C"), 3, 13, 23},
          {0, QStringLiteral("D"), 4, 14, 24}}},
        {"back one level",
         "A\r\n\tB\r\n\t\tC\r\n\tD",
         {{0, QStringLiteral("A"), 1, 11, 21},
          {1, QStringLiteral("B"), 2, 12, 22},
          {2, QStringLiteral("C"), 3, 13, 23},
          {1, QStringLiteral("D"), 4, 14, 24}}},
        {"captions exact, inner and trailing spaces kept",
         "A \r\n\tB  x ",
         {{0, QStringLiteral("A "), 1, 11, 21}, {1, QStringLiteral("B  x "), 2, 12, 22}}},
        {"LF, lone CR, final break",
         "A\n\tB\rC\r\n",
         {{0, QStringLiteral("A"), 1, 11, 21},
          {1, QStringLiteral("B"), 2, 12, 22},
          {0, QStringLiteral("C"), 3, 13, 23}}},
        {"Windows-1252 umlauts",
         "M\xf6\x62\x65lwerkstatt\r\n\t\xd6lm\xfchle",
         {{0, QStringLiteral("Möbelwerkstatt"), 1, 11, 21},
          {1, QStringLiteral("Ölmühle"), 2, 12, 22}}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        TreeView tree;
        // More code lines than nodes: the rest are not read.
        Texts texts(r.tree, "1\r\n2\r\n3\r\n4\r\n5", "11\r\n12\r\n13\r\n14\r\n15",
                    "21\r\n22\r\n23\r\n24\r\nx");
        BuildCatalogue(&tree, texts.source());
        EXPECT_EQ(nodesOf(tree), r.nodes);
    }
}

TEST(Catalogue, CodesAreDecimalIntegers)
{
    struct Row
    {
        const char *code;
        int value; // 0 with an error
        const char *error;
    } rows[] = {
        {"-2147483648", -2147483647 - 1, ""},
        {"+5", 5, ""},
        {"007", 7, ""},
        {"2147483648", 0, "'2147483648' ist kein gültiger Integerwert"},
        {" 5", 0, "' 5' ist kein gültiger Integerwert"},
        {"5 ", 0, "'5 ' ist kein gültiger Integerwert"},
        {"", 0, "'' ist kein gültiger Integerwert"},
        {"-", 0, "'-' ist kein gültiger Integerwert"},
        {"0x10", 0, "'0x10' ist kein gültiger Integerwert"},
        {"1.0", 0, "'1.0' ist kein gültiger Integerwert"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.code);
        TreeView tree;
        const QByteArray table = QByteArray(r.code) + "\r\n9";
        Texts texts("A", table.constData(), "15", "0");
        EXPECT_EQ(buildError(tree, texts), r.error);
        EXPECT_EQ(TreeView::selectCode(tree.topLevelItem(0)), r.value);
    }
}

// Each failure stops the build where it is; what was done before stays.
TEST(Catalogue, FailuresStopWhereTheyAre)
{
    const auto codes = [](const TreeView &tree) {
        QList<std::array<int, 3>> all;
        for (const Node &n : nodesOf(tree))
            all.append({n.selectCode, n.recordCode, n.pictureIndex});
        return all;
    };

    {
        SCOPED_TRACE("too deep: nodes so far stay, with the starting codes");
        TreeView tree;
        Texts texts("A\r\n\tB\r\n\t\t\tC\r\nD", "1\r\n2\r\n3\r\n4", "1\r\n2\r\n3\r\n4",
                    "1\r\n2\r\n3\r\n4");
        EXPECT_EQ(buildError(tree, texts), "Ungültige Ebene (3) für Eintrag \"C\"");
        EXPECT_EQ(nodesOf(tree).size(), 2);
        EXPECT_EQ(codes(tree), (QList<std::array<int, 3>>{{0, -1, 0}, {0, -1, 0}}));
    }
    {
        SCOPED_TRACE("bad code: the nodes before have theirs");
        TreeView tree;
        Texts texts("A\r\nB\r\nC", "1\r\n2\r\n3", "11\r\nzw\xf6lf\r\n13", "21\r\n22\r\n23");
        EXPECT_EQ(buildError(tree, texts), "'zwölf' ist kein gültiger Integerwert");
        EXPECT_EQ(codes(tree), (QList<std::array<int, 3>>{{1, 11, 21}, {2, -1, 0}, {0, -1, 0}}));
    }
    {
        SCOPED_TRACE("too few code lines: the index of the first node without one");
        TreeView tree;
        Texts texts("A\r\nB\r\nC", "1\r\n2\r\n3", "11\r\n12\r\n13", "21\r\n22");
        EXPECT_EQ(buildError(tree, texts), "Listenindex außerhalb des gültigen Bereichs (2)");
        EXPECT_EQ(codes(tree), (QList<std::array<int, 3>>{{1, 11, 21}, {2, 12, 22}, {3, 13, 0}}));
    }
    {
        SCOPED_TRACE("an empty code table");
        TreeView tree;
        Texts texts("A", "", "1", "1");
        EXPECT_EQ(buildError(tree, texts), "Listenindex außerhalb des gültigen Bereichs (0)");
    }
}

// All four texts are read before the old nodes go: a missing one leaves the
// tree as it was.
TEST(Catalogue, MissingTextLeavesTheTreeAsItWas)
{
    TreeView tree;
    BuildCatalogue(&tree);
    tree.setCurrentItem(tree.topLevelItem(3));
    for (const char *missing : {"NodeIndex", "NodeStatusIndex", "NodeExtendedIndex", "NodeTree"}) {
        SCOPED_TRACE(missing);
        Texts texts("X", "1", "2", "3");
        texts.bytes.remove(QString::fromLatin1(missing));
        EXPECT_EQ(buildError(tree, texts), std::string("Ressource ") + missing + " nicht gefunden");
        EXPECT_EQ(texts.read.last(), QString::fromLatin1(missing));
        EXPECT_EQ(nodesOf(tree), shippedNodes());
        EXPECT_EQ(tree.currentItem(), tree.topLevelItem(3));
    }
    Texts texts("X", "1", "2", "3");
    BuildCatalogue(&tree, texts.source());
    EXPECT_EQ(texts.read,
              (QStringList{QStringLiteral("NodeIndex"), QStringLiteral("NodeStatusIndex"),
                           QStringLiteral("NodeExtendedIndex"), QStringLiteral("NodeTree")}));
}

} // namespace
