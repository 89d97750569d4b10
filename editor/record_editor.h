#pragma once

#include "editor/value_rows.h"
#include "model/model_store.h"
#include "ui/controls.h"

#include <optional>
#include <string>
#include <string_view>

namespace z7 {

class Window;

// The four slot arrays an entry is shown from: the store's own while it is
// on screen, or those read for an entry that is not.
struct SlotView
{
    const Slots &currentBuilding, &originalBuilding, &currentHouse, &originalHouse;
};

// What a row's edit (a toggle: its caption) and its reference button show for
// an entry in its layout; nothing for a row on a panel the layout hides.
struct RowTexts
{
    std::u16string_view edit, btn;
};
std::optional<RowTexts> ShownTexts(const ValueRowDef &row, Layout layout, const SlotView &slots);

// Whether showing an entry in its layout shows at least one marker.
bool ShowsMarker(Layout layout, const SlotView &slots);

// The two value panels: the 21 value rows of their table, an entry's current
// and shipped values shown in them, edits tracked (IsDirty and the markers)
// and the shown entry stored or reset through the model store. The controls
// are built in panel_controls.cpp, shown and tracked in record_editor.cpp,
// stored and reset in record_store.cpp.
class RecordEditor
{
public:
    RecordEditor(ModelStore &store, Window &window);

    // The panels' controls, for the window table: the column heads and every
    // row's label, edit or toggle, up-down, reference button and marker.
    static void AddControls(ControlTable &table);

    bool IsDirty() const { return m_isDirty; }
    void setDirty(bool dirty) { m_isDirty = dirty; }

    // Shows the entry's values; returns the kind of line its caption found.
    // Kind none (a model file edited by hand) shows the no-selection state and
    // tells the user the entry is missing. A show that throws leaves no entry
    // loaded.
    RecordKind ShowEntry(std::u16string_view caption, int code);
    // Stores the shown entry. False when a value was rejected, or when the user
    // declined to store into a model file that another program changed: nothing
    // is written, the controls keep their values and IsDirty stays set. An
    // entry that is not the one last shown is not stored at all: IsDirty is
    // cleared and the answer is true, as there is nothing of it to keep.
    bool StoreEntry(std::u16string_view caption, int code);
    // Puts the shipped values of the entry on screen and stores them. When that
    // store is declined, the entry counts as edited. Only the entry last shown
    // is reset.
    bool ResetEntry(std::u16string_view caption, int code);
    // Hides the panels; no entry is loaded any more.
    void ShowNoSelection();
    // Whether showing the entry as it stands in the model file would show a
    // marker; false for an entry whose lines cannot be read. Leaves the entry
    // on screen alone.
    bool EntryShowsMarker(std::u16string_view caption, int code) const;

    void RefreshMarkers();
    void RestoreValue();
    void RestoreToggle();

    // Handlers of the rows' controls.
    void SetIsDirtyOnKeyUp();
    void UpDClick();
    void ToggleClick(int row);
    void ResetSingleValue();
    void ResetSingleSpeedButtonValue();

    // The window's events that belong to a row; false for any other control.
    bool clicked(std::u16string_view control);
    bool stepped(std::u16string_view upDown);
    bool keyReleased(std::u16string_view edit);

private:
    void fillPanels(RecordKind kind, int code);
    SlotView loadedSlots() const;
    void setRowShown(const ValueRowDef &row, bool shown);
    void placeCost(const CostPlacement &placement);
    bool rejectInvalid(const ValueRowDef &row);
    bool agreeOnModelFile(std::u16string_view caption, int code, RecordKind kind);
    bool holdsEntry(std::u16string_view caption, int code, RecordKind kind) const;
    struct RowPartners
    {
        std::u16string button, partner;
    };
    std::optional<RowPartners> focusedRowPartners(ControlKind partner) const;

    // The entry whose lines the store's slot arrays hold, as ShowEntry loaded
    // them; forgotten as a show starts and while nothing is shown, so that a
    // show that failed half-way cannot hand another entry's slots to a store.
    struct LoadedEntry
    {
        std::u16string caption;
        int code;
        RecordKind kind;
    };

    ModelStore &m_store;
    Window &m_window;
    bool m_isDirty = false;
    std::optional<LoadedEntry> m_loaded;
};

} // namespace z7
