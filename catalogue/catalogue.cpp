#include "catalogue/catalogue.h"

#include "catalogue/catalogue_reader.h"
#include "catalogue/node_codes.h"
#include "model/resource.h"
#include "model/text.h"
#include "platform/error.h"
#include "ui/window_rules.h"

#include <vector>

namespace z7 {

std::vector<TreeNode> BuildCatalogue(Window &window, const ResourceSource &resources)
{
    return BuildCatalogue(window, [&](std::u16string_view name) {
        return ReadResource(resources, TextResourceType, name);
    });
}

std::vector<TreeNode> BuildCatalogue(Window &window, const CatalogueTextSource &source)
{
    // Everything is read before the old nodes go, so a missing text leaves the
    // tree as it was.
    CatalogueTexts texts;
    texts.selectCodes = source(u"NodeIndex");
    texts.recordCodes = source(u"NodeStatusIndex");
    texts.pictureIndexes = source(u"NodeExtendedIndex");
    texts.nodeTree = source(u"NodeTree");
    const Catalogue catalogue = ReadCatalogue(texts);

    std::vector<TreeNode> nodes;
    nodes.reserve(catalogue.nodes.size());
    for (const CatalogueNode &node : catalogue.nodes)
        nodes.push_back(
            {node.caption, node.depth, node.selectCode, node.recordCode, node.pictureIndex});
    window.fillTree(nodes);
    // What was read before the fault stays in the tree, as far as it got.
    if (catalogue.error)
        throw Error(ToUtf8(*catalogue.error));
    return nodes;
}

void MarkCatalogue(Window &window, std::span<const TreeNode> nodes, const EntryMarked &marked)
{
    std::vector<bool> marks(nodes.size(), false);
    const std::vector<int> parents = TreeParents(nodes);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (!IsEntry(nodes[i].recordCode) || !marked(nodes[i]))
            continue;
        for (int n = int(i); n >= 0 && !marks[std::size_t(n)]; n = parents[std::size_t(n)])
            marks[std::size_t(n)] = true;
    }
    // Only what changes: a store changes the marks of one entry and its groups.
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (window.nodeMarked(int(i)) != marks[i])
            window.setNodeMarked(int(i), marks[i]);
    }
}

std::optional<Colour> ModellTreeCustomDrawItem(const TreeNode &node)
{
    if (node.depth == 0)
        return Colour{0, 0, 128};
    return std::nullopt;
}

} // namespace z7
