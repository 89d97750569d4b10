#include "catalogue/catalogue.h"

#include "catalogue/catalogue_texts.h"
#include "platform/error.h"
#include "model/resource.h"
#include "model/text.h"
#include "model/texts.h"
#include "model/textcodec.h"
#include "ui/qt/qtext.h"
#include "resources/qt_resource_source.h"
#include "ui/qt/treeview.h"

#include <QStringList>

#include <array>

namespace z7 {
namespace {

// The names of the four built-in texts the tree is built from.
namespace text {
const auto NodeTree = QStringLiteral("NodeTree");
const auto NodeIndex = QStringLiteral("NodeIndex");
const auto NodeStatusIndex = QStringLiteral("NodeStatusIndex");
const auto NodeExtendedIndex = QStringLiteral("NodeExtendedIndex");
} // namespace text

const QColor Navy(0, 0, 128);

[[noreturn]] void fail(const QString &message)
{
    throw Error(message.toStdString());
}

QStringList linesOf(const QByteArray &bytes)
{
    return toQStringList(DecodeLines(bytes.toStdString()).lines);
}

int depthOf(const QTreeWidgetItem *item)
{
    int depth = 0;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++depth;
    return depth;
}

// A decimal integer in 32 bits, an optional sign in front, nothing else.
int toCode(const QString &line)
{
    qsizetype i = (line.startsWith(u'-') || line.startsWith(u'+')) ? 1 : 0;
    bool ok = i < line.size();
    for (; ok && i < line.size(); ++i)
        ok = line.at(i) >= u'0' && line.at(i) <= u'9';
    const int value = ok ? line.toInt(&ok, 10) : 0;
    if (!ok)
        fail(toQString(Format(catalogue_texts::InvalidInteger, {toU16(line)})));
    return value;
}

// One node per line; the leading TABs and spaces give its level. A line can go
// at most one level deeper than the one before; the first is always top-level.
void addNodes(TreeView *tree, const QStringList &lines)
{
    QTreeWidgetItem *last = nullptr;
    int lastDepth = 0;
    for (const QString &line : lines) {
        qsizetype level = 0;
        while (level < line.size() && (line.at(level) == u'\t' || line.at(level) == u' '))
            ++level;
        const QString caption = line.mid(level);

        QTreeWidgetItem *parent = nullptr;
        if (last && level > lastDepth + 1)
            fail(toQString(Format(catalogue_texts::InvalidLevel, {Number(level), toU16(caption)})));
        if (last && level == lastDepth + 1) {
            parent = last;
        } else if (last && level > 0) {
            parent = last->parent();
            for (int d = lastDepth - 1; d >= level; --d)
                parent = parent->parent();
        }
        auto *node = new QTreeWidgetItem(QStringList{caption});
        if (parent)
            parent->addChild(node);
        else
            tree->addTopLevelItem(node);
        last = node;
        lastDepth = parent ? depthOf(node) : 0;
    }
}

// Tree order: every node before its children.
QList<QTreeWidgetItem *> nodesInOrder(const TreeView *tree)
{
    QList<QTreeWidgetItem *> nodes;
    const std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *node) {
        nodes.append(node);
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        walk(tree->topLevelItem(i));
    return nodes;
}

const QString &lineAt(const QStringList &lines, qsizetype i)
{
    if (i >= lines.size())
        fail(toQString(Format(texts::ListIndexOutOfRange, {Number(i)})));
    return lines.at(i);
}

} // namespace

void BuildCatalogue(TreeView *tree)
{
    BuildCatalogue(tree,
                   [](const QString &name) {
                       return QByteArray::fromStdString(
                           ReadResource(ProgramResources(), TextResourceType, toU16(name)));
                   });
}

void BuildCatalogue(TreeView *tree, const CatalogueTextSource &source)
{
    // Everything is read before the old nodes go, so a missing text leaves the
    // tree as it was.
    const QStringList selectCodes = linesOf(source(text::NodeIndex));
    const QStringList recordCodes = linesOf(source(text::NodeStatusIndex));
    const QStringList pictures = linesOf(source(text::NodeExtendedIndex));
    const QByteArray nodeTree = source(text::NodeTree);

    tree->batchUpdate([&] {
        tree->clear();
        addNodes(tree, linesOf(nodeTree));
    });

    const QList<QTreeWidgetItem *> nodes = nodesInOrder(tree);
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        TreeView::setSelectCode(nodes.at(i), toCode(lineAt(selectCodes, i)));
        TreeView::setRecordCode(nodes.at(i), toCode(lineAt(recordCodes, i)));
        TreeView::setPictureIndex(nodes.at(i), toCode(lineAt(pictures, i)));
    }
}

std::optional<QColor> ModellTreeCustomDrawItem(const QTreeWidgetItem *item)
{
    if (item && !item->parent())
        return Navy;
    return std::nullopt;
}

} // namespace z7
