#pragma once

#include "ui/window.h"
#include "ui/window_rules.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <memory>
#include <vector>

class QTreeWidgetItem;
class QWidget;

namespace z7 {

class TreeView;

// The window seam on Qt Widgets: the Linux program's window.
class QtWindow : public Window
{
public:
    QtWindow();
    ~QtWindow() override;

    // Shows the window centred on the screen, the focus on the first control
    // of the keyboard order.
    void show();
    // The top-level widget, for the program entry and the tests.
    QWidget *widget() const { return m_window.get(); }
    TreeView *tree() const { return m_tree; }

    void create(const WindowDef &window, std::span<const ControlDef> controls,
                WindowEvents &events) override;
    std::optional<ControlKind> findControl(std::u16string_view name) const override;
    std::u16string text(std::u16string_view control) const override;
    void setText(std::u16string_view control, std::u16string_view text) override;
    bool visible(std::u16string_view control) const override;
    void setVisible(std::u16string_view control, bool visible) override;
    bool enabled(std::u16string_view control) const override;
    void setEnabled(std::u16string_view control, bool enabled) override;
    bool down(std::u16string_view toggle) const override;
    void setDown(std::u16string_view toggle, bool down) override;
    Rect geometry(std::u16string_view control) const override;
    void setGeometry(std::u16string_view control, const Rect &rect) override;
    std::u16string focusedControl() const override;
    void setFocus(std::u16string_view control) override;
    void showListPicture(std::u16string_view picture, int index) override;
    void setFont(std::u16string_view control, const FontChange &font) override;
    int registerFont(std::string_view fontFileBytes) override;
    void fillTree(const std::vector<TreeNode> &nodes) override;
    int selectedNode() const override;
    TreeNode treeNode(int index) const override;
    void selectNodeQuietly(int index) override;
    void setNodeMarked(int index, bool marked) override;
    bool nodeMarked(int index) const override;
    int messageBox(std::u16string_view text, std::u16string_view title, int flags) override;
    std::u16string programFileName() const override;
    void processEvents() override;
    void close() override;

private:
    struct Control
    {
        QWidget *widget = nullptr;
        ControlKind kind = ControlKind::Label;
    };
    // The control of that name or row, made first if it is made when first needed.
    const Control *find(std::u16string_view name) const;
    const Control *find(std::size_t row) const;
    // The control of that name if it has been made.
    const Control *made(std::u16string_view name) const;
    void addControl(std::size_t row);
    void attachUpDowns();
    void makeLaterControls() const;
    QWidget *createControl(const ControlDef &def, QWidget *parent);
    void setTabOrder();
    int indexOf(const QTreeWidgetItem *item) const;
    QPixmap ownPicture(const char16_t *name);
    void applyWindowFont();

    std::unique_ptr<QWidget> m_window;
    WindowEvents *m_events = nullptr;
    ControlTable m_table;           // every control, with its own texts
    ControlIndex m_index;           // rows of m_table by name
    std::vector<Control> m_rows;    // by row; no widget while not made
    std::vector<bool> m_later;      // made when first needed
    std::vector<bool> m_holdsLater; // a panel with such controls on it
    bool m_laterMade = false;
    std::vector<std::size_t> m_keyboardOrder; // rows
    TreeView *m_tree = nullptr;
    std::vector<QTreeWidgetItem *> m_nodes;
    // The list pictures decoded so far: most runs look at a handful of
    // entries, and decoding all 108 would slow the start.
    QHash<int, QImage> m_listPictures;
    // The window's own pictures by name: the 21 value rows share one marker.
    QHash<QString, QPixmap> m_ownPictures;
    // The window definition's font, given to the window only when the window
    // font is first changed or the window is shown: the start-up replaces its
    // family before anything is drawn, and laying out every control in a font
    // that this system must first search a fall-back for would be wasted.
    QFont m_definitionFont;
    bool m_definitionFontPending = false;
};

} // namespace z7
