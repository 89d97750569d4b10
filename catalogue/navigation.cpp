#include "catalogue/navigation.h"

#include "catalogue/catalogue_texts.h"
#include "catalogue/node_codes.h"
#include "resources/picture_list.h"
#include "ui/qt/errorreport.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qtext.h"
#include "ui/window_texts.h"
#include "ui/qt/treeview.h"
#include "model/text.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

namespace z7 {

namespace {
} // namespace

Navigator::Navigator(const Controls &controls, EntryView &entries, PictureList pictures,
                     QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_entries(entries)
    , m_pictureList(std::move(pictures))
{
    connect(m_controls.tree, &TreeView::changing, this,
            [this](QTreeWidgetItem *next) { Guarded([&] { ModellTreeChanging(next); }); });
    connect(m_controls.tree, &TreeView::changed, this,
            [this](QTreeWidgetItem *node) { Guarded([&] { ModellTreeChange(node); }); });
}

void Navigator::SetEntryCommands(bool enabled)
{
    if (QTreeWidgetItem *node = m_controls.tree->currentItem())
        m_controls.objektnameLabel->setText(node->text(0));
    m_controls.speichern->setEnabled(enabled);
    m_controls.singleElementReset->setEnabled(enabled);
    m_controls.singleElementReset->setVisible(enabled);
}

void Navigator::ModellTreeChanging(QTreeWidgetItem *)
{
    if (!m_entries.isDirty())
        return;
    QTreeWidgetItem *leaving = m_controls.tree->currentItem();
    // With no node selected (after the whole reset) there is no entry to store.
    if (!leaving)
        return;
    const int answer = ShowMessage(m_controls.window,
                                   m_controls.objektnameLabel->text() + u'\r'
                                       + toQString(catalogue_texts::StoreQuestion),
                                   toQString(window_texts::QuestionTitle),
                                   MB_YESNO | MB_ICONQUESTION);
    if (answer == IDNO) {
        m_entries.setDirty(false);
        return;
    }
    bool stored = true;
    Guarded([&] { stored = m_entries.storeEntry(leaving->text(0), TreeView::selectCode(leaving)); });
    // A value that cannot be stored keeps the user on the entry, so that
    // nothing typed is lost; a failed write lets the selection move on.
    if (!stored)
        m_stayOn = leaving;
}

QImage Navigator::HeaderPicture(int pictureIndex) const
{
    if (pictureIndex < 0 || pictureIndex >= m_pictureList.count)
        return {};
    auto cached = m_loaded.find(pictureIndex);
    if (cached == m_loaded.end())
        cached = m_loaded.insert(pictureIndex, m_pictureList.load(pictureIndex));
    QImage canvas(BuildingPictureWidth, BuildingPictureHeight, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, *cached);
    return canvas;
}

void Navigator::ModellTreeChange(QTreeWidgetItem *node)
{
    if (m_stayOn) {
        QTreeWidgetItem *back = m_stayOn;
        m_stayOn = nullptr;
        const QSignalBlocker blocker(m_controls.tree);
        m_controls.tree->setCurrentItem(back);
        return;
    }
    if (!node)
        return;

    m_controls.buildingImage->setPixmap(QPixmap::fromImage(HeaderPicture(TreeView::pictureIndex(node))));

    if (ShowsNoSelection(TreeView::selectCode(node))) {
        SetEntryCommands(false);
        m_controls.singleElementReset->setText(toQString(window_texts::Reset));
        m_entries.showNoSelection();
    }
    const int recordCode = TreeView::recordCode(node);
    if (IsEntry(recordCode)) {
        SetEntryCommands(true);
        m_controls.singleElementReset->setText(
            toQString(Format(catalogue_texts::ResetEntry, {toU16(node->text(0))})));
        RecordKind kind = RecordKind::None;
        const bool shown = Guarded([&] { kind = m_entries.showEntry(node->text(0), recordCode); });
        if (shown && kind == RecordKind::None) {
            SetEntryCommands(false);
            m_controls.singleElementReset->setText(toQString(window_texts::Reset));
        }
    }
}

} // namespace z7
