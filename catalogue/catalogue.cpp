#include "catalogue/catalogue.h"

#include "catalogue/catalogue_reader.h"
#include "model/resource.h"
#include "model/text.h"
#include "platform/error.h"

#include <vector>

namespace z7 {

void BuildCatalogue(Window &window, const ResourceSource &resources)
{
    BuildCatalogue(window, [&](std::u16string_view name) {
        return ReadResource(resources, TextResourceType, name);
    });
}

void BuildCatalogue(Window &window, const CatalogueTextSource &source)
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
}

std::optional<Colour> ModellTreeCustomDrawItem(const TreeNode &node)
{
    if (node.depth == 0)
        return Colour{0, 0, 128};
    return std::nullopt;
}

} // namespace z7
