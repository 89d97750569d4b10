#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QTreeWidgetItem;

namespace z7 {

class TreeView;

// Yields the bytes of one built-in text by name ("NodeTree", "NodeIndex",
// "NodeStatusIndex", "NodeExtendedIndex"); throws z7::Error when it is missing.
using CatalogueTextSource = std::function<QByteArray(const QString &name)>;

// Replaces the tree's content by the catalogue read from the program's own
// texts: afterwards nothing is selected and every group is collapsed. The four
// texts are all read before the old nodes go, so a missing one leaves the tree
// as it was. Errors (z7::Error) stop the build where it is: a line indented
// more than one level deeper than the one before, a code line that is no
// decimal integer, a code table shorter than the tree.
void BuildCatalogue(TreeView *tree);
void BuildCatalogue(TreeView *tree, const CatalogueTextSource &source);

// The tree's colour hook: navy for top-level nodes, the normal colours below.
std::optional<QColor> ModellTreeCustomDrawItem(const QTreeWidgetItem *item);

} // namespace z7
