#include "catalogue/catalogue.h"

#include "model/text.h"
#include "platform/error.h"
#include "resources/qt_resource_source.h"
#include "tests/catalogue/node_table.h"
#include "tests/support/fake_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <vector>

using namespace z7;

namespace {

struct Node
{
    int depth;
    std::u16string caption;
    int selectCode, recordCode, pictureIndex;
    bool operator==(const Node &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Node &n)
{
    return os << n.depth << " \"" << ToUtf8(n.caption) << "\" " << n.selectCode << '/'
              << n.recordCode << '/' << n.pictureIndex;
}

// The tree in tree order, every node before its children.
std::vector<Node> nodesOf(const test::FakeWindow &window)
{
    std::vector<Node> nodes;
    for (const TreeNode &n : window.nodes())
        nodes.push_back({n.depth, n.caption, n.selectCode, n.recordCode, n.pictureIndex});
    return nodes;
}

std::vector<Node> shippedNodes()
{
    std::vector<Node> nodes;
    for (const NodeRow &r : ShippedNodes)
        nodes.push_back({r.depth, r.caption, r.selectCode, r.recordCode, r.pictureIndex});
    return nodes;
}

long topLevelCount(const test::FakeWindow &window)
{
    return std::count_if(window.nodes().begin(), window.nodes().end(),
                         [](const TreeNode &n) { return n.depth == 0; });
}

// Four texts given as Latin-1 literals; reading one that is not there throws
// as the program's resource access does. Records the order of reading.
struct Texts
{
    std::map<std::u16string, std::string, std::less<>> bytes;
    std::vector<std::u16string> read;

    Texts(const char *tree, const char *select, const char *record, const char *picture)
    {
        bytes[u"NodeTree"] = tree;
        bytes[u"NodeIndex"] = select;
        bytes[u"NodeStatusIndex"] = record;
        bytes[u"NodeExtendedIndex"] = picture;
    }
    CatalogueTextSource source()
    {
        return [this](std::u16string_view name) {
            read.emplace_back(name);
            const auto found = bytes.find(name);
            if (found == bytes.end())
                throw Error("Ressource " + ToUtf8(name) + " nicht gefunden");
            return found->second;
        };
    }
};

std::string buildError(test::FakeWindow &window, Texts &texts)
{
    try {
        BuildCatalogue(window, texts.source());
    } catch (const Error &e) {
        return e.what();
    }
    return {};
}

TEST(Catalogue, ShippedTextsGiveTheNodeTable)
{
    test::FakeWindow window;
    BuildCatalogue(window, ProgramResources());
    const std::vector<Node> nodes = nodesOf(window);
    const std::vector<Node> expected = shippedNodes();
    ASSERT_EQ(nodes.size(), 113u);
    for (std::size_t i = 0; i < nodes.size(); ++i)
        EXPECT_EQ(nodes[i], expected[i]) << "node " << i;
    EXPECT_EQ(topLevelCount(window), 10);
    const auto groups = std::count_if(nodes.begin(), nodes.end(), [](const Node &n) {
        return n.recordCode <= 12 || n.recordCode >= 300;
    });
    EXPECT_EQ(groups, 16);
    EXPECT_EQ(window.selectedNode(), -1);
}

TEST(Catalogue, TopLevelNodesAreNavy)
{
    test::FakeWindow window;
    BuildCatalogue(window, ProgramResources());
    const int industrie = window.nodeIndex(u"Industrie");
    ASSERT_GE(industrie, 0);
    EXPECT_EQ(ModellTreeCustomDrawItem(window.treeNode(industrie)), (Colour{0, 0, 128}));
    EXPECT_EQ(ModellTreeCustomDrawItem(window.treeNode(industrie + 1)), std::nullopt);
    EXPECT_EQ(window.treeNode(industrie + 1).caption, u"Farm");
    EXPECT_EQ(ModellTreeCustomDrawItem(window.treeNode(industrie + 2)), std::nullopt);
    EXPECT_EQ(window.treeNode(industrie + 2).depth, 2);
}

// How lines become nodes: levels by leading TABs and spaces, captions taken
// exactly, the first line always on top, line breaks of every kind.
TEST(Catalogue, LevelRules)
{
    struct Row
    {
        const char *name;
        const char *tree;
        std::vector<Node> nodes;
    } rows[] = {
        {"indented first line", "\t\tA\r\nB", {{0, u"A", 1, 11, 21}, {0, u"B", 2, 12, 22}}},
        {"two spaces are two levels",
         "A\r\n B\r\n  C",
         {{0, u"A", 1, 11, 21}, {1, u"B", 2, 12, 22}, {2, u"C", 3, 13, 23}}},
        {"TAB and space mixed",
         "A\r\n\tB\r\n \tC",
         {{0, u"A", 1, 11, 21}, {1, u"B", 2, 12, 22}, {2, u"C", 3, 13, 23}}},
        {"empty line is a top-level node",
         "A\r\n\r\nB",
         {{0, u"A", 1, 11, 21}, {0, u"", 2, 12, 22}, {0, u"B", 3, 13, 23}}},
        {"back to the top",
         "A\r\n\tB\r\n\t\tC\r\nD",
         {{0, u"A", 1, 11, 21}, {1, u"B", 2, 12, 22}, {2, u"C", 3, 13, 23}, {0, u"D", 4, 14, 24}}},
        {"back one level",
         "A\r\n\tB\r\n\t\tC\r\n\tD",
         {{0, u"A", 1, 11, 21}, {1, u"B", 2, 12, 22}, {2, u"C", 3, 13, 23}, {1, u"D", 4, 14, 24}}},
        {"captions exact, inner and trailing spaces kept",
         "A \r\n\tB  x ",
         {{0, u"A ", 1, 11, 21}, {1, u"B  x ", 2, 12, 22}}},
        {"LF, lone CR, final break",
         "A\n\tB\rC\r\n",
         {{0, u"A", 1, 11, 21}, {1, u"B", 2, 12, 22}, {0, u"C", 3, 13, 23}}},
        {"Windows-1252 umlauts",
         "M\xf6\x62\x65lwerkstatt\r\n\t\xd6lm\xfchle",
         {{0, u"Möbelwerkstatt", 1, 11, 21}, {1, u"Ölmühle", 2, 12, 22}}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        test::FakeWindow window;
        // More code lines than nodes: the rest are not read.
        Texts texts(r.tree, "1\r\n2\r\n3\r\n4\r\n5", "11\r\n12\r\n13\r\n14\r\n15",
                    "21\r\n22\r\n23\r\n24\r\nx");
        BuildCatalogue(window, texts.source());
        EXPECT_EQ(nodesOf(window), r.nodes);
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
        test::FakeWindow window;
        const std::string table = std::string(r.code) + "\r\n9";
        Texts texts("A", table.c_str(), "15", "0");
        EXPECT_EQ(buildError(window, texts), r.error);
        EXPECT_EQ(window.treeNode(0).selectCode, r.value);
    }
}

// Each failure stops the build where it is; what was done before stays.
TEST(Catalogue, FailuresStopWhereTheyAre)
{
    using Codes = std::vector<std::array<int, 3>>;
    const auto codes = [](const test::FakeWindow &window) {
        Codes all;
        for (const Node &n : nodesOf(window))
            all.push_back({n.selectCode, n.recordCode, n.pictureIndex});
        return all;
    };

    {
        SCOPED_TRACE("too deep: nodes so far stay, with the starting codes");
        test::FakeWindow window;
        Texts texts("A\r\n\tB\r\n\t\t\tC\r\nD", "1\r\n2\r\n3\r\n4", "1\r\n2\r\n3\r\n4",
                    "1\r\n2\r\n3\r\n4");
        EXPECT_EQ(buildError(window, texts), "Ungültige Ebene (3) für Eintrag \"C\"");
        EXPECT_EQ(nodesOf(window).size(), 2u);
        EXPECT_EQ(codes(window), (Codes{{0, -1, 0}, {0, -1, 0}}));
    }
    {
        SCOPED_TRACE("bad code: the nodes before have theirs");
        test::FakeWindow window;
        Texts texts("A\r\nB\r\nC", "1\r\n2\r\n3", "11\r\nzw\xf6lf\r\n13", "21\r\n22\r\n23");
        EXPECT_EQ(buildError(window, texts), "'zwölf' ist kein gültiger Integerwert");
        EXPECT_EQ(codes(window), (Codes{{1, 11, 21}, {2, -1, 0}, {0, -1, 0}}));
    }
    {
        SCOPED_TRACE("too few code lines: the index of the first node without one");
        test::FakeWindow window;
        Texts texts("A\r\nB\r\nC", "1\r\n2\r\n3", "11\r\n12\r\n13", "21\r\n22");
        EXPECT_EQ(buildError(window, texts), "Listenindex außerhalb des gültigen Bereichs (2)");
        EXPECT_EQ(codes(window), (Codes{{1, 11, 21}, {2, 12, 22}, {3, 13, 0}}));
    }
    {
        SCOPED_TRACE("an empty code table");
        test::FakeWindow window;
        Texts texts("A", "", "1", "1");
        EXPECT_EQ(buildError(window, texts), "Listenindex außerhalb des gültigen Bereichs (0)");
    }
}

// All four texts are read before the old nodes go: a missing one leaves the
// tree as it was.
TEST(Catalogue, MissingTextLeavesTheTreeAsItWas)
{
    test::FakeWindow window;
    BuildCatalogue(window, ProgramResources());
    window.selectNodeQuietly(3);
    for (const char *missing : {"NodeIndex", "NodeStatusIndex", "NodeExtendedIndex", "NodeTree"}) {
        SCOPED_TRACE(missing);
        Texts texts("X", "1", "2", "3");
        texts.bytes.erase(FromUtf8(missing));
        EXPECT_EQ(buildError(window, texts),
                  std::string("Ressource ") + missing + " nicht gefunden");
        EXPECT_EQ(texts.read.back(), FromUtf8(missing));
        EXPECT_EQ(nodesOf(window), shippedNodes());
        EXPECT_EQ(window.selectedNode(), 3);
    }
    Texts texts("X", "1", "2", "3");
    BuildCatalogue(window, texts.source());
    EXPECT_EQ(texts.read, (std::vector<std::u16string>{u"NodeIndex", u"NodeStatusIndex",
                                                       u"NodeExtendedIndex", u"NodeTree"}));
}

// An entry marks itself and every group above it, whatever was marked before;
// groups are never asked, and the marks are those of the tree the nodes came from.
TEST(Catalogue, MarksTheEntriesAskedAndTheGroupsAboveThem)
{
    test::FakeWindow window;
    const std::vector<TreeNode> nodes = BuildCatalogue(window, ProgramResources());
    ASSERT_EQ(nodes, window.nodes());
    const struct
    {
        std::vector<std::u16string> entries;
        std::vector<std::u16string> marked;
    } cases[] = {
        {{}, {}},
        {{u"Theater"}, {u"Unterhaltung", u"Theater"}},
        {{u"Kleiner Cerestempel", u"Grosser Venustempel"},
         {u"Religion", u"Kleiner Tempel", u"Kleiner Cerestempel", u"Grosser Tempel",
          u"Grosser Venustempel"}},
        {{u"Luxus Palast", u"Forum"}, {u"Wohnungen", u"Luxus Palast", u"Verwaltung", u"Forum"}},
        // A group's own caption marks nothing: it is no entry.
        {{u"Fort", u"Wohnungen"}, {}},
        {{u"Gemüsefarm", u"Töpferei"},
         {u"Industrie", u"Farm", u"Gemüsefarm", u"Werkstatt", u"Töpferei"}},
    };
    for (const auto &c : cases) {
        std::vector<std::u16string> asked;
        MarkCatalogue(window, nodes, [&](const TreeNode &entry) {
            asked.push_back(entry.caption);
            return std::ranges::find(c.entries, entry.caption) != c.entries.end();
        });
        EXPECT_EQ(asked.size(), 97u);
        std::vector<std::u16string> marked;
        for (int i = 0; i < int(nodes.size()); ++i) {
            if (window.nodeMarked(i))
                marked.push_back(nodes[std::size_t(i)].caption);
        }
        EXPECT_EQ(marked, c.marked) << ToUtf8(c.entries.empty() ? u"" : c.entries.front());
    }
}

} // namespace
