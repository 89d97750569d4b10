// The catalogue is built from four texts: the node tree (one caption per line,
// indented by TABs or spaces) and three code tables (one integer per line).
// Whatever the texts, the build either stops with one of its German errors
// or gives a tree of exactly one node per line, in line order, with the codes
// of the same lines; and a text that cannot be had leaves the tree alone.
//
// Input: the four texts separated by the byte 0x1E, in the order NodeTree,
// NodeIndex, NodeStatusIndex, NodeExtendedIndex; a fifth part, when present,
// names by its first byte a text that cannot be had.

#include "catalogue/catalogue.h"
#include "fuzz/check.h"
#include "platform/error.h"
#include "model/text.h"
#include "model/textcodec.h"
#include "ui/qt/qtext.h"
#include "ui/qt/treeview.h"

#include <QApplication>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>

namespace {

using namespace z7;

const QStringList TextNames = {QStringLiteral("NodeTree"), QStringLiteral("NodeIndex"),
                               QStringLiteral("NodeStatusIndex"),
                               QStringLiteral("NodeExtendedIndex")};

TreeView *Tree()
{
    static TreeView *tree = new TreeView;
    return tree;
}

QList<QTreeWidgetItem *> NodesInOrder()
{
    QList<QTreeWidgetItem *> nodes;
    const std::function<void(QTreeWidgetItem *)> walk = [&](QTreeWidgetItem *node) {
        nodes.append(node);
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    for (int i = 0; i < Tree()->topLevelItemCount(); ++i)
        walk(Tree()->topLevelItem(i));
    return nodes;
}

int DepthOf(const QTreeWidgetItem *node)
{
    int depth = 0;
    for (const QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ++depth;
    return depth;
}

// A code line read on its own terms: an optional sign, decimal digits, 32 bits.
std::optional<int> Code(const QString &line)
{
    qsizetype i = (line.startsWith(u'-') || line.startsWith(u'+')) ? 1 : 0;
    if (i == line.size())
        return std::nullopt;
    long long value = 0;
    for (qsizetype j = i; j < line.size(); ++j) {
        if (line.at(j) < u'0' || line.at(j) > u'9')
            return std::nullopt;
        value = value * 10 + (line.at(j).unicode() - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (line.startsWith(u'-'))
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return int(value);
}

qsizetype Indent(const QString &line)
{
    qsizetype level = 0;
    while (level < line.size() && (line.at(level) == u'\t' || line.at(level) == u' '))
        ++level;
    return level;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int qtArgc = 1;
    new QApplication(qtArgc, *argv);
    Q_UNUSED(argc);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\x1e');
    QList<QByteArray> texts(4);
    for (qsizetype i = 0; i < 4 && i < parts.size(); ++i)
        texts[i] = parts.at(i);
    const int missing = parts.size() > 4 && !parts.at(4).isEmpty() ? quint8(parts.at(4)[0]) % 8 : 4;

    const qsizetype before = NodesInOrder().size();
    const CatalogueTextSource source = [&](const QString &name) {
        const qsizetype index = TextNames.indexOf(name);
        Z7_CHECK(index >= 0);
        if (index == missing)
            throw Error("Ressource " + name.toStdString() + " nicht gefunden");
        return texts.at(index);
    };

    std::optional<std::string> error;
    try {
        BuildCatalogue(Tree(), source);
    } catch (const Error &e) {
        error = e.what();
    }

    if (missing < 4) {
        Z7_CHECK(error && error->rfind("Ressource ", 0) == 0);
        Z7_CHECK(NodesInOrder().size() == before);
        return 0;
    }

    // What the texts must give, worked out line by line on their own.
    const QStringList lines = toQStringList(DecodeLines(texts.at(0).toStdString()).lines);
    QList<QStringList> tables;
    for (int t = 1; t < 4; ++t)
        tables.append(toQStringList(DecodeLines(texts.at(t).toStdString()).lines));
    std::optional<QString> expectedError;
    qsizetype lastDepth = 0;
    for (qsizetype i = 0; i < lines.size() && !expectedError; ++i) {
        const qsizetype level = Indent(lines.at(i));
        if (i > 0 && level > lastDepth + 1)
            expectedError = QStringLiteral("Ungültige Ebene (%1) für Eintrag \"%2\"")
                                .arg(level)
                                .arg(lines.at(i).mid(level));
        lastDepth = i == 0 ? 0 : level;
    }
    for (qsizetype i = 0; i < lines.size() && !expectedError; ++i) {
        for (const QStringList &table : tables) {
            if (i >= table.size()) {
                expectedError =
                    QStringLiteral("Listenindex außerhalb des gültigen Bereichs (%1)").arg(i);
                break;
            }
            if (!Code(table.at(i))) {
                expectedError =
                    QStringLiteral("'%1' ist kein gültiger Integerwert").arg(table.at(i));
                break;
            }
        }
    }

    if (expectedError) {
        // The program's own UTF-8, which writes U+FFFD for a lone surrogate
        // (Qt's would write '?').
        const std::string expected = ToUtf8(expectedError->toStdU16String());
        if (!error || *error != expected)
            std::fprintf(stderr, "expected %s\n     got %s\n", qPrintable(*expectedError),
                         error ? error->c_str() : "no error");
        Z7_CHECK(error && *error == expected);
        return 0;
    }
    if (error)
        std::fprintf(stderr, "unexpected error %s\n", error->c_str());
    Z7_CHECK(!error);

    const QList<QTreeWidgetItem *> nodes = NodesInOrder();
    Z7_CHECK(nodes.size() == lines.size());
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        const qsizetype level = Indent(lines.at(i));
        Z7_CHECK(nodes.at(i)->text(0) == lines.at(i).mid(level));
        Z7_CHECK(DepthOf(nodes.at(i)) == (i == 0 ? 0 : level));
        Z7_CHECK(TreeView::selectCode(nodes.at(i)) == *Code(tables.at(0).at(i)));
        Z7_CHECK(TreeView::recordCode(nodes.at(i)) == *Code(tables.at(1).at(i)));
        Z7_CHECK(TreeView::pictureIndex(nodes.at(i)) == *Code(tables.at(2).at(i)));
    }
    Z7_CHECK(Tree()->currentItem() == nullptr);
    return 0;
}
