#include "catalogue/navigation.h"

#include "catalogue/catalogue_texts.h"
#include "catalogue/node_codes.h"
#include "catalogue/window_names.h"
#include "model/text.h"
#include "ui/error_report.h"
#include "ui/window.h"
#include "ui/window_texts.h"

namespace z7 {

Navigator::Navigator(Window &window, EntryView &entries)
    : m_window(window)
    , m_entries(entries)
{
}

void Navigator::SetEntryCommands(bool enabled)
{
    if (const int node = m_window.selectedNode(); node >= 0)
        m_window.setText(names::ObjektnameLabel, m_window.treeNode(node).caption);
    m_window.setEnabled(names::Speichern, enabled);
    m_window.setEnabled(names::SingleElementReset, enabled);
    m_window.setVisible(names::SingleElementReset, enabled);
}

void Navigator::ShowNoSelectionState()
{
    SetEntryCommands(false);
    m_window.setText(names::SingleElementReset, window_texts::Reset);
    m_entries.showNoSelection();
}

void Navigator::ModellTreeChanging(int)
{
    if (!m_entries.isDirty())
        return;
    const int leaving = m_window.selectedNode();
    // With no node selected (after the whole reset) there is no entry to store.
    if (leaving < 0)
        return;
    const int answer = m_window.messageBox(m_window.text(names::ObjektnameLabel) + u'\r' +
                                               catalogue_texts::StoreQuestion,
                                           window_texts::QuestionTitle, BoxYesNo | BoxIconQuestion);
    if (answer == AnswerNo) {
        m_entries.setDirty(false);
        return;
    }
    const TreeNode node = m_window.treeNode(leaving);
    bool stored = true;
    Guarded(m_window, [&] { stored = m_entries.storeEntry(node.caption, node.selectCode); });
    // A value that cannot be stored keeps the user on the entry, so that
    // nothing typed is lost; a failed write lets the selection move on.
    if (!stored)
        m_stayOn = leaving;
}

void Navigator::ModellTreeChange(int index)
{
    if (m_stayOn >= 0) {
        const int back = m_stayOn;
        m_stayOn = -1;
        m_window.selectNodeQuietly(back);
        return;
    }
    if (index < 0)
        return;
    const TreeNode node = m_window.treeNode(index);

    m_window.showListPicture(names::BuildingImage, node.pictureIndex);

    if (ShowsNoSelection(node.selectCode))
        ShowNoSelectionState();
    if (IsEntry(node.recordCode)) {
        SetEntryCommands(true);
        m_window.setText(names::SingleElementReset,
                         Format(catalogue_texts::ResetEntry, {node.caption}));
        RecordKind kind = RecordKind::None;
        const bool shown =
            Guarded(m_window, [&] { kind = m_entries.showEntry(node.caption, node.recordCode); });
        // Without its values on screen the entry can be neither edited, stored
        // nor reset, and the panels must not go on showing the entry before
        // it under this one's header.
        if (!shown || kind == RecordKind::None) {
            ShowNoSelectionState();
            m_entries.setDirty(false);
        }
    }
}

} // namespace z7
