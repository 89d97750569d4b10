#include "ui/qt/qt_window.h"

#include "resources/raw_picture.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/pushbutton.h"
#include "ui/qt/qtext.h"
#include "ui/qt/speedbutton.h"
#include "ui/qt/treeview.h"
#include "ui/qt/updown.h"
#include "ui/qt/valueedit.h"
#include "ui/window_rules.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QScreen>

namespace z7 {

namespace {

constexpr int NodeIndexRole = Qt::UserRole + 16;

// One of the window's pictures, from its ready pixels (resources/raw_picture.h)
// when the program carries them, else from its PNG.
QPixmap picture(const QString &name)
{
    const QResource pixels(u":/pixels/" + name);
    if (pixels.isValid() && pixels.compressionAlgorithm() == QResource::NoCompression) {
        QImage image = RawPicture(pixels.data(), pixels.size());
        // Already in the pixmap's format: the pixmap keeps pointing into the
        // program's memory instead of holding a copy.
        if (!image.isNull())
            return QPixmap::fromImage(std::move(image));
    }
    return QPixmap(u":/images/" + name + u".png");
}

} // namespace

QtWindow::QtWindow() = default;
QtWindow::~QtWindow()
{
    // The logic that gets the events may be gone already: nothing the
    // widgets do while they are taken down reaches it.
    for (const Control &c : m_rows) {
        if (c.widget)
            c.widget->blockSignals(true);
    }
    if (m_tree)
        m_tree->setItemTextColourHook({});
}

void QtWindow::create(const WindowDef &def, std::span<const ControlDef> controls,
                      WindowEvents &events)
{
    m_events = &events;
    m_window = std::make_unique<QWidget>(
        nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QWidget *w = m_window.get();
    w->setObjectName(QStringLiteral("Main"));
    w->setWindowTitle(toQString(def.caption));
    w->setFixedSize(def.clientWidth, def.clientHeight);
    m_definitionFont = QFont(toQString(def.fontFamily));
    m_definitionFont.setPointSize(def.fontPointSize);
    m_definitionFontPending = true;
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    w->setPalette(pal);
    // The sizes a window's frame and task bar show; the 256-pixel picture is
    // for the desktop's menus, which take it from the icon theme. Handing it
    // to the window system too cost the start a quarter of a megabyte.
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(picture(QStringLiteral("icon/%1").arg(size)));
    w->setWindowIcon(icon);

    // The window's own copy of the table: the controls made when first
    // needed are made from it later.
    for (const ControlDef &d : controls)
        m_table.addCopy(d);
    const std::span<const ControlDef> table = m_table.controls;
    m_index = ControlIndex(table);
    m_rows.assign(table.size(), {});
    m_later = MadeWhenFirstNeeded(table);
    m_holdsLater.assign(table.size(), false);
    m_keyboardOrder = KeyboardOrder(table);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!m_later[i]) {
            addControl(i);
        } else if (const auto parent =
                       table[i].parent ? m_index.find(table[i].parent) : std::nullopt) {
            m_holdsLater[*parent] = true;
        }
    }
    attachUpDowns();
    setTabOrder();
    // When the window opens, the focus is on the first control in keyboard order.
    if (!m_keyboardOrder.empty()) {
        if (const Control *first = find(m_keyboardOrder.front()))
            first->widget->setFocus(Qt::OtherFocusReason);
    }

    const QRect desktop = QGuiApplication::primaryScreen()
                              ? QGuiApplication::primaryScreen()->availableGeometry()
                              : QRect(0, 0, def.clientWidth, def.clientHeight);
    w->move(desktop.center() - QPoint(def.clientWidth / 2, def.clientHeight / 2));
}

void QtWindow::addControl(std::size_t row)
{
    const ControlDef &d = m_table.controls[row];
    const Control *parent = d.parent ? made(d.parent) : nullptr;
    QWidget *control = createControl(d, parent ? parent->widget : m_window.get());
    control->setObjectName(toQString(d.name));
    if (d.description)
        control->setAccessibleName(toQString(d.description));
    if (d.tip) {
        control->setToolTip(toQString(d.tip));
        control->setAccessibleDescription(control->toolTip());
    }
    control->setGeometry(toQRect(d.rect));
    control->setEnabled(d.enabled);
    if (!d.visible)
        control->hide();
    m_rows[row] = {control, d.kind};
}

void QtWindow::attachUpDowns()
{
    // An up-down steps the edit named as its buddy, created before it.
    for (const ControlDef &d : m_table.controls) {
        if (d.kind != ControlKind::UpDown || !d.buddy)
            continue;
        const Control *upd = made(d.name);
        const Control *buddy = made(d.buddy);
        if (upd && buddy)
            static_cast<UpDown *>(upd->widget)
                ->setAssociate(static_cast<QLineEdit *>(buddy->widget));
    }
}

void QtWindow::makeLaterControls() const
{
    // Making the widgets changes nothing that a caller can see through the
    // window: they come up exactly as they would have at the start. All of
    // them at once: the first entry shown uses nearly all of both panels.
    if (m_laterMade)
        return;
    auto *self = const_cast<QtWindow *>(this);
    self->m_laterMade = true;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_later[i])
            self->addControl(i);
    }
    self->attachUpDowns();
    self->setTabOrder();
}

QWidget *QtWindow::createControl(const ControlDef &d, QWidget *parent)
{
    const QString name = toQString(d.name);
    WindowEvents *events = m_events;
    switch (d.kind) {
    case ControlKind::Picture: {
        auto *label = new QLabel(parent);
        if (d.look & Centred)
            label->setAlignment(Qt::AlignCenter);
        if (d.look & Stretched)
            label->setScaledContents(true);
        if (d.picture)
            label->setPixmap(ownPicture(d.picture));
        return label;
    }
    case ControlKind::Line: {
        auto *shape = new QFrame(parent);
        shape->setAutoFillBackground(true);
        QPalette pal = shape->palette();
        pal.setColor(QPalette::Window, QColor(128, 0, 0));
        shape->setPalette(pal);
        return shape;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(d.caption ? toQString(d.caption) : QString(), parent);
        label->setAlignment((d.look & LeftAligned) ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignCenter);
        return label;
    }
    case ControlKind::Panel: {
        auto *panel = new QWidget(parent);
        panel->setAutoFillBackground(true);
        if (d.look & WhiteBackground) {
            QPalette white = panel->palette();
            white.setColor(QPalette::Window, Qt::white);
            panel->setPalette(white);
        }
        return panel;
    }
    case ControlKind::Button: {
        const QString caption = d.caption ? toQString(d.caption) : QString();
        QPushButton *button = nullptr;
        if (d.tabOrder >= 0) {
            button = new QPushButton(caption, parent);
            button->setAutoDefault(true);
        } else {
            // Skipped by Tab, but focused by a click: the click's handler
            // asks which control has the focus.
            button = new PushButton(caption, parent);
        }
        QObject::connect(button, &QPushButton::clicked, button,
                         [events, name] { events->clicked(toU16View(name)); });
        return button;
    }
    case ControlKind::Tree: {
        auto *tree = new TreeView(parent);
        m_tree = tree;
        tree->setItemTextColourHook([this](const QTreeWidgetItem *item) -> std::optional<QColor> {
            const std::optional<Colour> c = m_events->treeNodeColour(indexOf(item));
            if (!c)
                return std::nullopt;
            return QColor(c->red, c->green, c->blue);
        });
        QObject::connect(tree, &TreeView::changing, tree,
                         [this](QTreeWidgetItem *next) { m_events->treeChanging(indexOf(next)); });
        QObject::connect(tree, &TreeView::changed, tree,
                         [this](QTreeWidgetItem *node) { m_events->treeChanged(indexOf(node)); });
        return tree;
    }
    case ControlKind::Edit: {
        auto *edit = new ValueEdit(parent);
        if (d.caption)
            edit->setText(toQString(d.caption));
        edit->setDigitsOnly(d.look & DigitsOnly);
        if (d.look & Highlighted) {
            QPalette pal = edit->palette();
            pal.setColor(QPalette::Base, pal.color(QPalette::Light));
            edit->setPalette(pal);
        }
        QObject::connect(edit, &ValueEdit::keyReleased, edit,
                         [events, name] { events->keyReleased(toU16View(name)); });
        return edit;
    }
    case ControlKind::UpDown: {
        auto *upd = new UpDown(parent);
        upd->setRange(d.minimum, d.maximum);
        upd->setIncrement(d.step);
        QObject::connect(upd, &UpDown::stepped, upd,
                         [events, name] { events->stepped(toU16View(name)); });
        QObject::connect(upd, &UpDown::clicked, upd,
                         [events, name] { events->clicked(toU16View(name)); });
        return upd;
    }
    case ControlKind::Toggle: {
        auto *toggle = new SpeedButton(parent);
        if (d.caption)
            toggle->setText(toQString(d.caption));
        QObject::connect(toggle, &SpeedButton::clicked, toggle,
                         [events, name] { events->clicked(toU16View(name)); });
        return toggle;
    }
    }
    return new QWidget(parent);
}

void QtWindow::setTabOrder()
{
    QWidget *previous = nullptr;
    for (std::size_t row : m_keyboardOrder) {
        QWidget *widget = m_rows[row].widget;
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void QtWindow::show()
{
    applyWindowFont();
    m_window->show();
}

void QtWindow::applyWindowFont()
{
    if (!m_definitionFontPending)
        return;
    m_definitionFontPending = false;
    m_window->setFont(m_definitionFont);
}

QPixmap QtWindow::ownPicture(const char16_t *name)
{
    const QString key = toQString(name);
    auto cached = m_ownPictures.constFind(key);
    if (cached == m_ownPictures.cend())
        cached = m_ownPictures.insert(key, picture(key));
    return *cached;
}

const QtWindow::Control *QtWindow::made(std::u16string_view name) const
{
    const auto row = m_index.find(name);
    return row && m_rows[*row].widget ? &m_rows[*row] : nullptr;
}

const QtWindow::Control *QtWindow::find(std::size_t row) const
{
    if (m_later[row])
        makeLaterControls();
    return m_rows[row].widget ? &m_rows[row] : nullptr;
}

const QtWindow::Control *QtWindow::find(std::u16string_view name) const
{
    const auto row = m_index.find(name);
    return row ? find(*row) : nullptr;
}

std::optional<ControlKind> QtWindow::findControl(std::u16string_view name) const
{
    if (const Control *c = find(name))
        return c->kind;
    return std::nullopt;
}

std::u16string QtWindow::text(std::u16string_view control) const
{
    const Control *c = find(control);
    if (!c)
        return {};
    if (auto *label = qobject_cast<QLabel *>(c->widget))
        return toU16(label->text());
    if (auto *button = qobject_cast<QAbstractButton *>(c->widget))
        return toU16(button->text());
    if (auto *edit = qobject_cast<QLineEdit *>(c->widget))
        return toU16(edit->text());
    return {};
}

void QtWindow::setText(std::u16string_view control, std::u16string_view text)
{
    const Control *c = find(control);
    if (!c)
        return;
    if (auto *label = qobject_cast<QLabel *>(c->widget))
        label->setText(toQString(text));
    else if (auto *button = qobject_cast<QAbstractButton *>(c->widget))
        button->setText(toQString(text));
    else if (auto *edit = qobject_cast<QLineEdit *>(c->widget)) {
        // Labels and buttons skip a text they already show; an edit would
        // lay out and repaint it again.
        if (const QString now = toQString(text); edit->text() != now)
            edit->setText(now);
    }
}

bool QtWindow::visible(std::u16string_view control) const
{
    const Control *c = find(control);
    return c && !c->widget->isHidden();
}

void QtWindow::setVisible(std::u16string_view control, bool visible)
{
    const auto row = m_index.find(control);
    if (!row)
        return;
    // A panel shown gets its controls before it appears.
    if (visible && m_holdsLater[*row])
        makeLaterControls();
    if (const Control *c = find(*row))
        c->widget->setVisible(visible);
}

bool QtWindow::enabled(std::u16string_view control) const
{
    const Control *c = find(control);
    return c && c->widget->isEnabled();
}

void QtWindow::setEnabled(std::u16string_view control, bool enabled)
{
    if (const Control *c = find(control))
        c->widget->setEnabled(enabled);
}

bool QtWindow::down(std::u16string_view toggle) const
{
    const Control *c = find(toggle);
    auto *button = c ? qobject_cast<SpeedButton *>(c->widget) : nullptr;
    return button && button->isDown();
}

void QtWindow::setDown(std::u16string_view toggle, bool down)
{
    const Control *c = find(toggle);
    if (auto *button = c ? qobject_cast<SpeedButton *>(c->widget) : nullptr)
        button->setDown(down);
}

Rect QtWindow::geometry(std::u16string_view control) const
{
    const Control *c = find(control);
    if (!c)
        return {};
    const QRect r = c->widget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void QtWindow::setGeometry(std::u16string_view control, const Rect &rect)
{
    if (const Control *c = find(control))
        c->widget->setGeometry(toQRect(rect));
}

std::u16string QtWindow::focusedControl() const
{
    QWidget *focused = m_window ? m_window->focusWidget() : nullptr;
    return focused ? toU16(focused->objectName()) : std::u16string();
}

void QtWindow::setFocus(std::u16string_view control)
{
    if (const Control *c = find(control))
        c->widget->setFocus(Qt::OtherFocusReason);
}

void QtWindow::showListPicture(std::u16string_view picture, int index)
{
    const Control *c = find(picture);
    auto *label = c ? qobject_cast<QLabel *>(c->widget) : nullptr;
    if (!label)
        return;
    // Neighbours in the tree often share their picture: no new one to draw.
    constexpr char Shown[] = "z7ListPicture";
    if (const QVariant shown = label->property(Shown); shown.isValid() && shown.toInt() == index)
        return;
    label->setProperty(Shown, index);
    if (!InPictureList(index)) {
        label->setPixmap(QPixmap());
        return;
    }
    auto cached = m_listPictures.find(index);
    if (cached == m_listPictures.end())
        cached = m_listPictures.insert(
            index,
            QImage(
                QStringLiteral(":/images/buildings/%1.png").arg(index, 3, 10, QLatin1Char('0'))));
    // The list's pictures have alpha; the header shows them on white.
    QImage canvas(ListPictureWidth, ListPictureHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, *cached);
    painter.end();
    label->setPixmap(QPixmap::fromImage(canvas));
}

void QtWindow::setFont(std::u16string_view control, const FontChange &change)
{
    QWidget *target = m_window.get();
    if (!control.empty()) {
        const Control *c = find(control);
        if (!c)
            return;
        // A control's font starts from the window's as the definition gives it.
        applyWindowFont();
        target = c->widget;
    }
    QFont f = target->font();
    if (target == m_window.get() && m_definitionFontPending) {
        // The window's first change goes onto the definition's font in one step.
        f = m_definitionFont;
        m_definitionFontPending = false;
    }
    if (!change.family.empty())
        f.setFamilies({toQString(change.family)});
    if (change.pointSize > 0)
        f.setPointSize(change.pointSize);
    if (change.bold)
        f.setBold(true);
    target->setFont(f);
    if (change.colour) {
        QPalette pal = target->palette();
        pal.setColor(QPalette::WindowText,
                     QColor(change.colour->red, change.colour->green, change.colour->blue));
        target->setPalette(pal);
    }
}

int QtWindow::registerFont(std::string_view fontFileBytes)
{
    // Font ids start at 0; the handle keeps 0 for "not registered". The
    // database and FreeType read the bytes where they are, without a copy.
    return QFontDatabase::addApplicationFontFromData(
               QByteArray::fromRawData(fontFileBytes.data(), qsizetype(fontFileBytes.size()))) +
           1;
}

void QtWindow::fillTree(const std::vector<TreeNode> &nodes)
{
    if (!m_tree)
        return;
    const std::vector<int> parents = TreeParents(nodes);
    m_tree->batchUpdate([&] {
        m_tree->clear();
        m_nodes.clear();
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const TreeNode &node = nodes[i];
            auto *item = new QTreeWidgetItem(QStringList{toQString(node.caption)});
            if (parents[i] < 0)
                m_tree->addTopLevelItem(item);
            else
                m_nodes[std::size_t(parents[i])]->addChild(item);
            TreeView::setCodes(item, node.selectCode, node.recordCode, node.pictureIndex);
            item->setData(0, NodeIndexRole, int(i));
            m_nodes.push_back(item);
        }
    });
}

int QtWindow::indexOf(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, NodeIndexRole).toInt() : -1;
}

int QtWindow::selectedNode() const
{
    return m_tree ? indexOf(m_tree->currentItem()) : -1;
}

TreeNode QtWindow::treeNode(int index) const
{
    if (index < 0 || std::size_t(index) >= m_nodes.size())
        return {};
    const QTreeWidgetItem *item = m_nodes[std::size_t(index)];
    int depth = 0;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++depth;
    return {toU16(item->text(0)), depth, TreeView::selectCode(item), TreeView::recordCode(item),
            TreeView::pictureIndex(item)};
}

void QtWindow::selectNodeQuietly(int index)
{
    if (!m_tree || index < 0 || std::size_t(index) >= m_nodes.size())
        return;
    m_tree->selectQuietly(m_nodes[std::size_t(index)]);
}

void QtWindow::setNodeMarked(int index, bool marked)
{
    if (!m_tree || index < 0 || std::size_t(index) >= m_nodes.size())
        return;
    QTreeWidgetItem *item = m_nodes[std::size_t(index)];
    QFont font = item->font(0);
    if (font.bold() != marked) {
        font.setBold(marked);
        item->setFont(0, font);
    }
}

bool QtWindow::nodeMarked(int index) const
{
    if (index < 0 || std::size_t(index) >= m_nodes.size())
        return false;
    return m_nodes[std::size_t(index)]->font(0).bold();
}

int QtWindow::messageBox(std::u16string_view text, std::u16string_view title, int flags)
{
    // Before the window is shown (at start-up) a box stands on its own.
    QWidget *parent = m_window && m_window->isVisible() ? m_window.get() : nullptr;
    return ShowMessage(parent, toQString(text), toQString(title), flags);
}

std::u16string QtWindow::programFileName() const
{
    return toU16(QCoreApplication::applicationFilePath());
}

void QtWindow::processEvents()
{
    QCoreApplication::processEvents();
}

void QtWindow::close()
{
    if (m_window)
        m_window->close();
}

} // namespace z7
