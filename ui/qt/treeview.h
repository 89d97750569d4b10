#pragma once

#include <QColor>
#include <QTreeWidget>

#include <functional>
#include <optional>
#include <utility>

namespace z7 {

// A single-column tree with one selected node that tells before and after the
// selection moves, keeps three integer codes per node and can be emptied and
// refilled in one batch without telling anybody.
//
// changing(next) runs while the node being left is still currentItem() and
// selected; changed(current) runs once the move is complete. Both run for
// mouse, keyboard and program moves (setCurrentItem), for every node the
// arrow keys pass, never when the selected node is clicked again and never
// during a batch. Taking the focus by keyboard with nothing selected selects
// the first node. The handlers must not throw: they are the window's guarded
// events.
class TreeView : public QTreeWidget
{
    Q_OBJECT
public:
    using TextColourHook = std::function<std::optional<QColor>(const QTreeWidgetItem *)>;

    explicit TreeView(QWidget *parent = nullptr);
    ~TreeView() override;

    // Between beginBatch() and endBatch() the tree neither repaints nor emits
    // changing/changed; nesting is allowed. batchUpdate() ends the batch even
    // when fill throws.
    void beginBatch();
    void endBatch();
    bool inBatch() const { return m_batchDepth > 0; }
    template <class F> void batchUpdate(F &&fill)
    {
        struct End
        {
            TreeView *tree;
            ~End() { tree->endBatch(); }
        };
        beginBatch();
        End end{this};
        std::forward<F>(fill)();
    }

    // Makes item the current and selected node without emitting anything.
    // Called from a changing or changed handler, the node stays selected
    // also against what the rest of the event (the mouse press that moved
    // the selection) would select.
    void selectQuietly(QTreeWidgetItem *item);

    // Codes of a node; a node that never got them has 0, -1 and 0.
    static void setCodes(QTreeWidgetItem *item, int selectCode, int recordCode, int pictureIndex);
    static void setSelectCode(QTreeWidgetItem *item, int code);
    static void setRecordCode(QTreeWidgetItem *item, int code);
    static void setPictureIndex(QTreeWidgetItem *item, int index);
    static int selectCode(const QTreeWidgetItem *item);
    static int recordCode(const QTreeWidgetItem *item);
    static int pictureIndex(const QTreeWidgetItem *item);

    // Asked before each node is drawn; a colour it returns is the node's text
    // colour in every state, on the selection background too.
    void setItemTextColourHook(TextColourHook hook);
    std::optional<QColor> itemTextColour(const QTreeWidgetItem *item) const;

signals:
    void changing(QTreeWidgetItem *next);
    void changed(QTreeWidgetItem *current);

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void drawBranches(QPainter *painter, const QRect &rect,
                      const QModelIndex &index) const override;

private:
    // Counts the tree's events; the outermost one ends a hold.
    struct Scope
    {
        explicit Scope(TreeView *tree);
        ~Scope();
        TreeView *m_tree;
    };
    friend class TreeSelectionModel;
    friend class TreeItemDelegate;
    void emitMove(bool before, QTreeWidgetItem *item);

    TextColourHook m_textColourHook;
    int m_batchDepth = 0;
    int m_handlerDepth = 0; // inside changing or changed
    int m_eventDepth = 0;   // inside an event of the tree or its viewport
    bool m_quiet = false;   // inside selectQuietly
    // The node selectQuietly chose from a handler, held until the tree's
    // event that ran the handler is done.
    QPersistentModelIndex m_held;
};

} // namespace z7
