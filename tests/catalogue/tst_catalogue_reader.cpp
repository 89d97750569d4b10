#include "catalogue/catalogue_reader.h"

#include "model/text.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

struct ReadCase
{
    const char *name;
    CatalogueTexts texts;
    std::vector<CatalogueNode> nodes;
    std::u16string error; // empty: none
};

class Read : public testing::TestWithParam<ReadCase>
{
};

TEST_P(Read, NodesCodesAndWhereItStops)
{
    const Catalogue catalogue = ReadCatalogue(GetParam().texts);
    EXPECT_EQ(catalogue.nodes, GetParam().nodes);
    EXPECT_EQ(catalogue.error.value_or(u""), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Read,
    testing::Values(ReadCase{"DepthFromIndentFirstLineTopLevel",
                             {"\tA\r\n\tB\r\n\t\tC\r\n D\r\nE", "1\r\n2\r\n3\r\n4\r\n5",
                              "-1\r\n+20\r\n30\r\n40\r\n50", "0\r\n1\r\n2\r\n3\r\n4"},
                             {{u"A", 0, 1, -1, 0},
                              {u"B", 1, 2, 20, 1},
                              {u"C", 2, 3, 30, 2},
                              {u"D", 1, 4, 40, 3},
                              {u"E", 0, 5, 50, 4}},
                             u""},
                    // Nodes before a line two levels deeper stay, all with the starting codes.
                    ReadCase{"TwoLevelsDeeperStops",
                             {"A\r\n\t\t\xd6l", "1\r\n2", "1\r\n2", "1\r\n2"},
                             {{u"A", 0, 0, -1, 0}},
                             u"Ungültige Ebene (2) für Eintrag \"Öl\""},
                    // The nodes before a broken code have their codes; the broken one only
                    // those read before it.
                    ReadCase{"BrokenCodeStopsThere",
                             {"A\r\nB\r\nC", "1\r\n2\r\n3", "10\r\n 20\r\n30", "5\r\n6\r\n7"},
                             {{u"A", 0, 1, 10, 5}, {u"B", 0, 2, -1, 0}, {u"C", 0, 0, -1, 0}},
                             u"' 20' ist kein gültiger Integerwert"},
                    ReadCase{"ThirtyTwoBitsOnly",
                             {"A\r\nB", "2147483647\r\n-2147483648", "2147483648\r\n0", "0\r\n0"},
                             {{u"A", 0, 2147483647, -1, 0}, {u"B", 0, 0, -1, 0}},
                             u"'2147483648' ist kein gültiger Integerwert"},
                    ReadCase{"SignAloneIsNoNumber",
                             {"A", "-", "1", "1"},
                             {{u"A", 0, 0, -1, 0}},
                             u"'-' ist kein gültiger Integerwert"},
                    ReadCase{"ShortTableIsAnIndexError",
                             {"A\r\nB", "1\r\n2", "1\r\n2", "7"},
                             {{u"A", 0, 1, 1, 7}, {u"B", 0, 2, 2, 0}},
                             u"Listenindex außerhalb des gültigen Bereichs (1)"},
                    ReadCase{"LongerTablesAreNotRead",
                             {"A", "1\r\nx", "1\r\nx", "1\r\nx"},
                             {{u"A", 0, 1, 1, 1}},
                             u""},
                    ReadCase{"EmptyTree", {"", "x", "x", "x"}, {}, u""}),
    [](const testing::TestParamInfo<ReadCase> &info) { return std::string(info.param.name); });

} // namespace
