#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

// One node of the catalogue tree: its caption, its depth (0 to 2) and its
// three codes. A node that got no codes keeps 0, -1 and 0, with which it
// acts as a group.
struct CatalogueNode
{
    std::u16string caption;
    int depth = 0;
    int selectCode = 0;
    int recordCode = -1;
    int pictureIndex = 0;
    bool operator==(const CatalogueNode &) const = default;
};

// The four built-in texts the catalogue is read from, as bytes.
struct CatalogueTexts
{
    std::string nodeTree;       // "NodeTree": one caption a line, indented by TABs or spaces
    std::string selectCodes;    // "NodeIndex"
    std::string recordCodes;    // "NodeStatusIndex"
    std::string pictureIndexes; // "NodeExtendedIndex"
};

struct Catalogue
{
    // In tree order, every node before its children.
    std::vector<CatalogueNode> nodes;
    // Why reading stopped, when it did; the nodes read until then stay, those
    // before a broken code line with their codes.
    std::optional<std::u16string> error;
};

// One node per line of the tree text; a line can go at most one level deeper
// than the one before, and the first is always top-level. Then node i takes
// line i of each code table as a decimal integer.
Catalogue ReadCatalogue(const CatalogueTexts &texts);

} // namespace z7
