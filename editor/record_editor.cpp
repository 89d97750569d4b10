// Showing an entry in the value panels, and tracking what the player does to
// it: IsDirty, the markers, and the reference buttons that put one shipped
// value back.
#include "editor/record_editor.h"

#include "editor/editor_texts.h"
#include "model/text.h"
#include "ui/window.h"
#include "ui/window_texts.h"

#include <exception>

namespace z7 {

namespace {

// A yes/no slot reads as yes unless it is exactly "0".
bool slotIsYes(std::u16string_view slotText)
{
    return slotText != u"0";
}

std::u16string_view yesNo(bool yes)
{
    return yes ? editor_texts::Yes : editor_texts::No;
}

const ValueRowDef &def(int index)
{
    return ValueRows[static_cast<size_t>(index)];
}

// The row whose control of that name it is, or -1; names compared exactly,
// as the window reports them.
template <class Member> int rowNamed(std::u16string_view name, Member member)
{
    for (int i = 0; i < rows::Count; ++i) {
        if (name == def(i).*member)
            return i;
    }
    return -1;
}

} // namespace

std::optional<RowTexts> ShownTexts(const ValueRowDef &d, Layout layout, const SlotView &slots)
{
    if (!(PanelLayouts(d.panel) & In(layout)))
        return std::nullopt;
    if (!(d.layouts & In(layout)))
        return RowTexts{editor_texts::HiddenValue, editor_texts::HiddenValue};
    const std::size_t slot = std::size_t(d.slot);
    if (d.toggle)
        return RowTexts{yesNo(slotIsYes(slots.currentHouse.at(slot))),
                        yesNo(slotIsYes(slots.originalHouse.at(slot)))};
    const bool building = d.source == SlotSource::Building;
    return RowTexts{(building ? slots.currentBuilding : slots.currentHouse).at(slot),
                    (building ? slots.originalBuilding : slots.originalHouse).at(slot)};
}

bool ShowsMarker(Layout layout, const SlotView &slots)
{
    // Exactly the rows RefreshMarkers compares once the entry is shown: those
    // its layout shows, as texts.
    for (const ValueRowDef &d : ValueRows) {
        if (!(d.layouts & In(layout)))
            continue;
        if (const std::optional<RowTexts> texts = ShownTexts(d, layout, slots);
            texts && texts->edit != texts->btn)
            return true;
    }
    return false;
}

RecordEditor::RecordEditor(ModelStore &store, Window &window)
    : m_store(store)
    , m_window(window)
{
}

void RecordEditor::setRowShown(const ValueRowDef &row, bool shown)
{
    for (const char16_t *name : {row.labelName, row.editName, row.updName, row.btnName}) {
        if (*name)
            m_window.setVisible(name, shown);
    }
    if (!shown)
        m_window.setVisible(row.pngName, false);
}

void RecordEditor::placeCost(const CostPlacement &p)
{
    const ValueRowDef &d = def(rows::Baukosten);
    auto moveTo = [&](const char16_t *name, int left, int width = 0) {
        Rect r = m_window.geometry(name);
        r.left = left;
        if (width)
            r.width = width;
        m_window.setGeometry(name, r);
    };
    moveTo(d.labelName, p.labelLeft);
    moveTo(d.editName, p.editLeft, p.editWidth);
    moveTo(d.updName, p.updLeft);
    moveTo(d.pngName, p.pngLeft);
    moveTo(d.btnName, p.btnLeft);
}

RecordKind RecordEditor::ShowEntry(std::u16string_view caption, int code)
{
    // Until this entry is in the panels, the slot arrays belong to no entry
    // that may be stored: loading may fail half-way.
    m_loaded.reset();
    m_window.setVisible(names::NoSelectImage, false);
    const RecordKind kind = m_store.LoadEntrySlots(caption, code);
    if (kind == RecordKind::None) {
        ShowNoSelection();
        m_window.messageBox(Format(editor_texts::EntryMissing, {caption}), window_texts::ErrorTitle,
                            BoxIconError);
        return kind;
    }
    fillPanels(kind, code);
    m_loaded = LoadedEntry{std::u16string(caption), code, kind};
    return kind;
}

void RecordEditor::ShowNoSelection()
{
    m_loaded.reset();
    m_window.setVisible(names::Panel1, false);
    m_window.setVisible(names::Panel2, false);
    m_window.setVisible(names::NoSelectImage, true);
}

SlotView RecordEditor::loadedSlots() const
{
    return {m_store.CurrentBuilding, m_store.OriginalBuilding, m_store.CurrentHouse,
            m_store.OriginalHouse};
}

bool RecordEditor::EntryShowsMarker(std::u16string_view caption, int code) const
{
    try {
        const EntrySlots entry = m_store.ReadEntrySlots(caption, code);
        if (entry.kind == RecordKind::None)
            return false;
        return ShowsMarker(LayoutOf(entry.kind, code),
                           {entry.currentBuilding, entry.originalBuilding, entry.currentHouse,
                            entry.originalHouse});
    } catch (const std::exception &) {
        // A file whose lines no longer pair with the shipped ones: the entry
        // cannot be shown either, so nothing of it is marked.
        return false;
    }
}

void RecordEditor::fillPanels(RecordKind kind, int code)
{
    const Layout layout = LayoutOf(kind, code);
    const SlotView slots = loadedSlots();
    m_window.setVisible(names::Panel1, true);
    m_window.setVisible(names::Panel2, PanelLayouts(2) & In(layout));
    for (const PanelHead &h : PanelHeads) {
        if (h.layouts != PanelLayouts(h.panel))
            m_window.setVisible(h.name, h.layouts & In(layout));
    }
    if (layout == Layout::Building)
        placeCost(CostLeftColumn);
    else if (layout == Layout::FirstHouseLevel)
        placeCost(CostRightColumn);

    // The rows of the panels this layout shows: current values from the
    // entry's slots, the shipped ones on the reference buttons; toggles get
    // every state first, then every caption.
    for (const ValueRowDef &d : ValueRows) {
        const std::optional<RowTexts> texts = ShownTexts(d, layout, slots);
        if (!texts)
            continue;
        const bool shown = d.layouts & In(layout);
        setRowShown(d, shown);
        if (d.toggle && shown) {
            m_window.setDown(d.editName, texts->edit == editor_texts::Yes);
            continue;
        }
        m_window.setText(d.editName, texts->edit);
        m_window.setText(d.btnName, texts->btn);
    }
    for (const ValueRowDef &d : ValueRows) {
        if (!d.toggle || !(d.layouts & In(layout)))
            continue;
        const std::optional<RowTexts> texts = ShownTexts(d, layout, slots);
        m_window.setText(d.editName, texts->edit);
        m_window.setText(d.btnName, texts->btn);
    }
    RefreshMarkers();
}

void RecordEditor::RefreshMarkers()
{
    for (const ValueRowDef &d : ValueRows) {
        // A row some layout hides keeps its marker hidden while it is hidden;
        // its "0" texts mean nothing.
        const bool layoutControlled = d.layouts != PanelLayouts(d.panel);
        if (layoutControlled && !m_window.visible(d.editName))
            continue;
        m_window.setVisible(d.pngName, m_window.text(d.editName) != m_window.text(d.btnName));
    }
}

std::optional<RecordEditor::RowPartners> RecordEditor::focusedRowPartners(ControlKind partner) const
{
    // The clicked reference button has the focus; its row's edit or toggle is
    // found by name: the button's name without "Btn", plus "Edit", ignoring A-Z case.
    const std::u16string focused = m_window.focusedControl();
    if (focused.size() < ButtonSuffix.size())
        return std::nullopt;
    const std::u16string stem = focused.substr(0, focused.size() - ButtonSuffix.size());
    RowPartners row{stem + std::u16string(ButtonSuffix), stem + std::u16string(EditSuffix)};
    if (m_window.findControl(row.button) != ControlKind::Button ||
        m_window.findControl(row.partner) != partner)
        return std::nullopt;
    return row;
}

void RecordEditor::RestoreValue()
{
    m_isDirty = true;
    if (const auto row = focusedRowPartners(ControlKind::Edit))
        m_window.setText(row->partner, m_window.text(row->button));
}

void RecordEditor::RestoreToggle()
{
    m_isDirty = true;
    const auto row = focusedRowPartners(ControlKind::Toggle);
    if (!row)
        return;
    const bool yes = m_window.text(row->button) == editor_texts::Yes;
    m_window.setText(row->partner, yesNo(yes));
    m_window.setDown(row->partner, yes);
}

void RecordEditor::SetIsDirtyOnKeyUp()
{
    m_isDirty = true;
    RefreshMarkers();
}

void RecordEditor::UpDClick()
{
    m_isDirty = true;
    RefreshMarkers();
}

void RecordEditor::ToggleClick(int index)
{
    const char16_t *toggle = def(index).editName;
    m_window.setText(toggle, yesNo(m_window.down(toggle)));
    m_isDirty = true;
    RefreshMarkers();
}

void RecordEditor::ResetSingleValue()
{
    RestoreValue();
    RefreshMarkers();
}

void RecordEditor::ResetSingleSpeedButtonValue()
{
    RestoreToggle();
    RefreshMarkers();
}

bool RecordEditor::clicked(std::u16string_view control)
{
    if (const int i = rowNamed(control, &ValueRowDef::btnName); i >= 0) {
        def(i).toggle ? ResetSingleSpeedButtonValue() : ResetSingleValue();
        return true;
    }
    if (const int i = rowNamed(control, &ValueRowDef::editName); i >= 0 && def(i).toggle) {
        ToggleClick(i);
        return true;
    }
    // An up-down's click stays silent when the new position equals the last
    // one (after switching entries); every step is handled in stepped().
    return rowNamed(control, &ValueRowDef::updName) >= 0;
}

bool RecordEditor::stepped(std::u16string_view upDown)
{
    // Every step that writes the edit marks the entry edited, so that no
    // edit is lost unasked.
    if (upDown.empty() || rowNamed(upDown, &ValueRowDef::updName) < 0)
        return false;
    UpDClick();
    return true;
}

bool RecordEditor::keyReleased(std::u16string_view edit)
{
    if (rowNamed(edit, &ValueRowDef::editName) < 0)
        return false;
    SetIsDirtyOnKeyUp();
    return true;
}

} // namespace z7
