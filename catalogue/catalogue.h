#pragma once

#include "ui/window.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

class ResourceSource;

// Yields the bytes of one built-in text by name ("NodeTree", "NodeIndex",
// "NodeStatusIndex", "NodeExtendedIndex"); throws z7::Error when it is missing.
using CatalogueTextSource = std::function<std::string(std::u16string_view name)>;

// Replaces the tree's content by the catalogue read from the program's own
// texts: afterwards nothing is selected and every group is collapsed. The four
// texts are all read before the old nodes go, so a missing one leaves the tree
// as it was. Errors (z7::Error) stop the build where it is: a line indented
// more than one level deeper than the one before, a code line that is no
// decimal integer, a code table shorter than the tree. Returns the nodes
// given to the tree.
std::vector<TreeNode> BuildCatalogue(Window &window, const ResourceSource &resources);
std::vector<TreeNode> BuildCatalogue(Window &window, const CatalogueTextSource &source);

// Whether an entry of the tree is to be marked.
using EntryMarked = std::function<bool(const TreeNode &entry)>;

// Marks each entry for which marked holds and each node above a marked entry,
// so that a change is found with the groups collapsed; unmarks the rest.
// nodes are those the tree was filled with.
void MarkCatalogue(Window &window, std::span<const TreeNode> nodes, const EntryMarked &marked);

// The tree's colour for a node: navy for top-level nodes, the normal colours below.
std::optional<Colour> ModellTreeCustomDrawItem(const TreeNode &node);

} // namespace z7
