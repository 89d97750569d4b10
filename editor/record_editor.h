#pragma once

#include "editor/value_rows.h"
#include "model/model_store.h"
#include "ui/controls.h"

#include <optional>
#include <string>
#include <string_view>

namespace z7 {

class Window;

// The two value panels: the 21 value rows of their table, an entry's current
// and shipped values shown in them, edits tracked (IsDirty and the markers)
// and the shown entry stored or reset through the model store.
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
    // tells the user the entry is missing.
    RecordKind ShowEntry(std::u16string_view caption, int code);
    // Stores the shown entry. False when a value was rejected, or when the user
    // declined to store into a model file that another program changed: nothing
    // is written, the controls keep their values and IsDirty stays set.
    bool StoreEntry(std::u16string_view caption, int code);
    // Puts the shipped values of the entry on screen and stores them. When that
    // store is declined, the entry counts as edited.
    bool ResetEntry(std::u16string_view caption, int code);
    void ShowNoSelection();

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
    void setRowShown(int index, bool shown);
    void placeCost(const CostPlacement &placement);
    std::u16string currentText(int index) const;
    bool rejectInvalid(int index);
    bool agreeOnModelFile(std::u16string_view caption, int code, RecordKind kind);
    struct RowPartners
    {
        std::u16string button, partner;
    };
    std::optional<RowPartners> focusedRowPartners(ControlKind partner) const;

    ModelStore &m_store;
    Window &m_window;
    bool m_isDirty = false;
};

} // namespace z7
