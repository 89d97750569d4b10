#include "ui/qt/treeview.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace z7 {
namespace {

constexpr int SelectCodeRole = Qt::UserRole;
constexpr int RecordCodeRole = Qt::UserRole + 1;
constexpr int PictureIndexRole = Qt::UserRole + 2;
constexpr int TextMargin = 2;
constexpr int ButtonSize = 9;

int code(const QTreeWidgetItem *item, int role, int fallback)
{
    const QVariant value = item ? item->data(0, role) : QVariant();
    return value.isValid() ? value.toInt() : fallback;
}

void setCode(QTreeWidgetItem *item, int role, int value)
{
    if (item)
        item->setData(0, role, value);
}

int textWidth(const QFontMetrics &metrics, const QString &text)
{
    return metrics.horizontalAdvance(text) + 2 * TextMargin;
}

} // namespace

// Every move of the current node passes through setCurrentIndex, whether a
// click, a key or the program asked for it; so this is where the tree tells
// before and after. The current node is always the selected one.
class TreeSelectionModel : public QItemSelectionModel
{
public:
    TreeSelectionModel(QAbstractItemModel *model, TreeView *view)
        : QItemSelectionModel(model, view)
        , m_view(view)
    {
    }

    void setCurrentIndex(const QModelIndex &index, SelectionFlags command) override
    {
        if (m_view->m_held.isValid() && !m_view->m_quiet)
            return;
        if (m_moving || m_view->m_quiet || m_view->inBatch() || !index.isValid() ||
            index == currentIndex()) {
            QItemSelectionModel::setCurrentIndex(index, command);
            return;
        }
        m_moving = true;
        const QPersistentModelIndex next(index);
        m_view->emitMove(true, m_view->itemFromIndex(next));
        if (next.isValid())
            QItemSelectionModel::setCurrentIndex(next, ClearAndSelect | Rows);
        m_moving = false;
        if (next.isValid() && next == currentIndex())
            m_view->emitMove(false, m_view->itemFromIndex(next));
    }

    // While a node is held, what the rest of the event selects is the held node.
    void select(const QItemSelection &selection, SelectionFlags command) override
    {
        if (m_view->m_held.isValid() && !m_view->m_quiet)
            QItemSelectionModel::select(QItemSelection(m_view->m_held, m_view->m_held),
                                        ClearAndSelect | Rows);
        else
            QItemSelectionModel::select(selection, command);
    }
    using QItemSelectionModel::select;

private:
    TreeView *m_view;
    bool m_moving = false;
};

// Draws a node's caption on its own highlight, the width of the text, in the
// colour the hook gives; the node under the mouse is underlined.
class TreeItemDelegate : public QStyledItemDelegate
{
public:
    explicit TreeItemDelegate(TreeView *view)
        : QStyledItemDelegate(view)
        , m_view(view)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const bool selected = opt.state & QStyle::State_Selected;
        const bool hot = opt.state & QStyle::State_MouseOver;
        QFont font = opt.font;
        font.setUnderline(hot);
        const QFontMetrics metrics(font);
        // The selection keeps its colour when the tree loses the focus.
        const QPalette &pal = m_view->palette();
        const QRect textRect(opt.rect.left(), opt.rect.top(), textWidth(metrics, opt.text),
                             opt.rect.height());

        QColor colour = pal.color(QPalette::Active, QPalette::Text);
        if (selected) {
            painter->fillRect(textRect, pal.color(QPalette::Active, QPalette::Highlight));
            colour = pal.color(QPalette::Active, QPalette::HighlightedText);
        } else if (hot) {
            colour = pal.color(QPalette::Active, QPalette::Highlight);
        }
        if (const auto hook = m_view->itemTextColour(m_view->itemFromIndex(index)))
            colour = *hook;

        painter->save();
        painter->setFont(font);
        painter->setPen(colour);
        painter->drawText(textRect.adjusted(TextMargin, 0, -TextMargin, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, opt.text);
        painter->restore();

        if ((opt.state & QStyle::State_HasFocus) && m_view->hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(m_view);
            focus.rect = textRect;
            focus.backgroundColor = pal.color(QPalette::Active, QPalette::Highlight);
            m_view->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_view);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        return {textWidth(opt.fontMetrics, opt.text), opt.fontMetrics.height() + 4};
    }

private:
    TreeView *m_view;
};

TreeView::TreeView(QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    // The one column always fills the tree's width, so a minimum width never
    // applies; the default one is measured from the widest glyph of the font,
    // which made the first start look up a font before the window had its own.
    header()->setMinimumSectionSize(0);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setIndentation(19);
    setUniformRowHeights(true);
    setAnimated(false);
    setDragEnabled(false);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setItemDelegate(new TreeItemDelegate(this));

    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new TreeSelectionModel(model(), this));
    delete old;
}

TreeView::~TreeView() = default;

void TreeView::beginBatch()
{
    if (m_batchDepth++ == 0)
        setUpdatesEnabled(false);
}

void TreeView::endBatch()
{
    if (m_batchDepth > 0 && --m_batchDepth == 0) {
        setUpdatesEnabled(true);
        viewport()->update();
    }
}

void TreeView::setCodes(QTreeWidgetItem *item, int selectCode, int recordCode, int pictureIndex)
{
    setSelectCode(item, selectCode);
    setRecordCode(item, recordCode);
    setPictureIndex(item, pictureIndex);
}

void TreeView::setSelectCode(QTreeWidgetItem *item, int code)
{
    setCode(item, SelectCodeRole, code);
}

void TreeView::setRecordCode(QTreeWidgetItem *item, int code)
{
    setCode(item, RecordCodeRole, code);
}

void TreeView::setPictureIndex(QTreeWidgetItem *item, int index)
{
    setCode(item, PictureIndexRole, index);
}

int TreeView::selectCode(const QTreeWidgetItem *item)
{
    return code(item, SelectCodeRole, 0);
}

int TreeView::recordCode(const QTreeWidgetItem *item)
{
    return code(item, RecordCodeRole, -1);
}

int TreeView::pictureIndex(const QTreeWidgetItem *item)
{
    return code(item, PictureIndexRole, 0);
}

void TreeView::setItemTextColourHook(TextColourHook hook)
{
    m_textColourHook = std::move(hook);
    viewport()->update();
}

std::optional<QColor> TreeView::itemTextColour(const QTreeWidgetItem *item) const
{
    if (!item || !m_textColourHook)
        return std::nullopt;
    return m_textColourHook(item);
}

void TreeView::emitMove(bool before, QTreeWidgetItem *item)
{
    // The receivers are the window's guarded events: nothing throws into Qt.
    ++m_handlerDepth;
    if (before)
        emit changing(item);
    else
        emit changed(item);
    --m_handlerDepth;
}

void TreeView::selectQuietly(QTreeWidgetItem *item)
{
    m_quiet = true;
    setCurrentItem(item);
    m_quiet = false;
    // The mouse press that ran the handler goes on to select the row it hit;
    // the hold ends with the tree's event (Scope).
    if (m_handlerDepth > 0 && m_eventDepth > 0 && item)
        m_held = indexFromItem(item);
}

TreeView::Scope::Scope(TreeView *tree)
    : m_tree(tree)
{
    ++m_tree->m_eventDepth;
}

TreeView::Scope::~Scope()
{
    if (--m_tree->m_eventDepth == 0)
        m_tree->m_held = QPersistentModelIndex();
}

bool TreeView::event(QEvent *event)
{
    const Scope scope(this);
    return QTreeWidget::event(event);
}

QItemSelectionModel::SelectionFlags TreeView::selectionCommand(const QModelIndex &index,
                                                               const QEvent *event) const
{
    // One node is always selected once the user picked one: Ctrl+click does not
    // clear it, and releasing or dragging the mouse selects nothing new.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    if (event &&
        (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseMove))
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

void TreeView::mousePressEvent(QMouseEvent *event)
{
    QTreeWidget::mousePressEvent(event);
    // A modal box opened by the changing handler takes the release; do not stay
    // in the drag state waiting for it.
    if (QGuiApplication::mouseButtons() == Qt::NoButton && state() == DragSelectingState)
        setState(NoState);
}

void TreeView::mouseMoveEvent(QMouseEvent *event)
{
    // Dragging with a button held moves nothing.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

bool TreeView::viewportEvent(QEvent *event)
{
    const Scope scope(this);
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            const QString text = index.data(Qt::DisplayRole).toString();
            const QRect rect = visualRect(index);
            // A marked node is drawn in bold, which is wider.
            const QFont font = index.data(Qt::FontRole).value<QFont>().resolve(viewport()->font());
            const int right = rect.left() + textWidth(QFontMetrics(font), text);
            if (rect.left() < 0 || right > viewport()->width()) {
                QToolTip::showText(help->globalPos(), text, viewport(), rect);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

// Dotted lines to every node, also to the top-level ones, and a boxed plus or
// minus on every node with children.
void TreeView::drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const
{
    const int step = indentation();
    const int midY = rect.top() + rect.height() / 2;
    const auto columnCentre = [&](int fromRight) {
        return rect.right() + 1 - step * (fromRight + 1) + step / 2;
    };
    const auto hasNextSibling = [](const QModelIndex &i) {
        return i.sibling(i.row() + 1, 0).isValid();
    };

    painter->save();
    QPen dotted(palette().color(QPalette::Mid));
    dotted.setDashPattern({1, 1});
    painter->setPen(dotted);

    const int x = columnCentre(0);
    const bool firstOfAll = !index.parent().isValid() && index.row() == 0;
    painter->drawLine(x, firstOfAll ? midY : rect.top(), x,
                      hasNextSibling(index) ? rect.bottom() : midY);
    painter->drawLine(x, midY, rect.right(), midY);
    int level = 1;
    for (QModelIndex a = index.parent(); a.isValid(); a = a.parent(), ++level) {
        if (hasNextSibling(a)) {
            const int ax = columnCentre(level);
            painter->drawLine(ax, rect.top(), ax, rect.bottom());
        }
    }

    if (model()->hasChildren(index)) {
        const QRect box(x - ButtonSize / 2, midY - ButtonSize / 2, ButtonSize - 1, ButtonSize - 1);
        painter->setPen(palette().color(QPalette::Mid));
        painter->fillRect(box, palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(palette().color(QPalette::Text));
        painter->drawLine(box.left() + 2, midY, box.right() - 2, midY);
        if (!isExpanded(index))
            painter->drawLine(x, box.top() + 2, x, box.bottom() - 2);
    }
    painter->restore();
}

} // namespace z7
