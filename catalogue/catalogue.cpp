#include "catalogue/catalogue.h"

#include "catalogue/catalogue_reader.h"
#include "model/resource.h"
#include "model/text.h"
#include "platform/error.h"
#include "resources/qt_resource_source.h"
#include "ui/qt/qtext.h"
#include "ui/qt/treeview.h"

#include <vector>

namespace z7 {
namespace {

// The names of the catalogue's four built-in texts.
namespace text {
const auto NodeTree = QStringLiteral("NodeTree");
const auto NodeIndex = QStringLiteral("NodeIndex");
const auto NodeStatusIndex = QStringLiteral("NodeStatusIndex");
const auto NodeExtendedIndex = QStringLiteral("NodeExtendedIndex");
} // namespace text

const QColor Navy(0, 0, 128);

// The nodes in tree order, each at its depth below the last node one level up.
void addNodes(TreeView *tree, const std::vector<CatalogueNode> &nodes)
{
    std::vector<QTreeWidgetItem *> lastAt;
    for (const CatalogueNode &node : nodes) {
        auto *item = new QTreeWidgetItem(QStringList{toQString(node.caption)});
        const std::size_t depth = std::size_t(node.depth);
        if (depth == 0)
            tree->addTopLevelItem(item);
        else
            lastAt[depth - 1]->addChild(item);
        lastAt.resize(depth + 1);
        lastAt[depth] = item;
        TreeView::setCodes(item, node.selectCode, node.recordCode, node.pictureIndex);
    }
}

} // namespace

void BuildCatalogue(TreeView *tree)
{
    BuildCatalogue(tree, [](const QString &name) {
        return QByteArray::fromStdString(
            ReadResource(ProgramResources(), TextResourceType, toU16(name)));
    });
}

void BuildCatalogue(TreeView *tree, const CatalogueTextSource &source)
{
    // Everything is read before the old nodes go, so a missing text leaves the
    // tree as it was.
    CatalogueTexts texts;
    texts.selectCodes = source(text::NodeIndex).toStdString();
    texts.recordCodes = source(text::NodeStatusIndex).toStdString();
    texts.pictureIndexes = source(text::NodeExtendedIndex).toStdString();
    texts.nodeTree = source(text::NodeTree).toStdString();
    const Catalogue catalogue = ReadCatalogue(texts);

    tree->batchUpdate([&] {
        tree->clear();
        addNodes(tree, catalogue.nodes);
    });
    // What was read before the fault stays in the tree, as far as it got.
    if (catalogue.error)
        throw Error(ToUtf8(*catalogue.error));
}

std::optional<QColor> ModellTreeCustomDrawItem(const QTreeWidgetItem *item)
{
    if (item && !item->parent())
        return Navy;
    return std::nullopt;
}

} // namespace z7
