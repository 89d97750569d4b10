#include "editor/record_editor.h"

#include "editor/editor_texts.h"
#include "model/text.h"
#include "ui/window.h"
#include "ui/window_texts.h"

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

// Whether text is a whole decimal number with an optional minus, once the
// control characters and spaces around it are gone (as the store trims).
bool isWholeNumber(std::u16string_view text)
{
    text = TrimControl(text);
    if (!text.empty() && text.front() == u'-')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
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

RecordEditor::RecordEditor(ModelStore &store, Window &window)
    : m_store(store)
    , m_window(window)
{
}

void RecordEditor::AddControls(ControlTable &table)
{
    auto panelOf = [](int panel) { return panel == 1 ? u"Panel1" : u"Panel2"; };
    for (const PanelHead &h : PanelHeads) {
        // A head that only some layouts show starts hidden; fillPanels shows it.
        table.controls.push_back({h.name, ControlKind::Label, panelOf(h.panel), h.rect, h.caption,
                                  h.caption, h.layouts == PanelLayouts(h.panel), true, Centred,
                                  nullptr});
    }
    // Keyboard order of the numeric edits within each panel.
    auto tabOrderOf = [](int row) {
        for (std::size_t k = 0; k < Panel1TabOrder.size(); ++k) {
            if (Panel1TabOrder[k] == row)
                return int(k);
        }
        for (std::size_t k = 0; k < Panel2TabOrder.size(); ++k) {
            if (Panel2TabOrder[k] == row)
                return int(k);
        }
        return -1;
    };
    for (int i = 0; i < rows::Count; ++i) {
        const ValueRowDef &d = def(i);
        const char16_t *panel = panelOf(d.panel);
        // Screen readers name every control of the row after its caption.
        table.controls.push_back({d.labelName, ControlKind::Label, panel, d.label, d.caption,
                                  d.caption, true, true, LeftAligned, nullptr});
        if (d.toggle) {
            table.controls.push_back({d.editName, ControlKind::Toggle, panel, d.edit,
                                      editor_texts::No, d.caption, true, true, PlainLook, nullptr});
        } else {
            // Only the cost may be typed with a sign; the others take digits only.
            const unsigned look = i == rows::Baukosten ? Highlighted : DigitsOnly;
            table.controls.push_back({d.editName, ControlKind::Edit, panel, d.edit,
                                      editor_texts::HiddenValue, d.caption, true, true, look,
                                      nullptr, tabOrderOf(i)});
            table.controls.push_back({d.updName, ControlKind::UpDown, panel, d.upd, nullptr,
                                      table.keep(Format(editor_texts::Stepper, {d.caption})), true,
                                      true, PlainLook, nullptr, -1, d.editName, d.minimum,
                                      d.maximum, d.step});
        }
        table.controls.push_back({d.btnName, ControlKind::Button, panel, d.btn,
                                  d.toggle ? editor_texts::No : editor_texts::HiddenValue,
                                  table.keep(Format(editor_texts::ShippedValue, {d.caption})), true,
                                  true, PlainLook, nullptr});
        table.controls.push_back({d.pngName, ControlKind::Picture, panel, d.png, nullptr,
                                  table.keep(Format(editor_texts::ChangedMarker, {d.caption})),
                                  false, true, PlainLook, u"marker"});
    }
}

std::u16string RecordEditor::currentText(int index) const
{
    return m_window.text(def(index).editName);
}

void RecordEditor::setRowShown(int index, bool shown)
{
    const ValueRowDef &d = def(index);
    for (const char16_t *name : {d.labelName, d.editName, d.updName, d.btnName}) {
        if (*name)
            m_window.setVisible(name, shown);
    }
    if (!shown)
        m_window.setVisible(d.pngName, false);
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
    m_window.setVisible(u"NoSelectImage", false);
    const RecordKind kind = m_store.LoadEntrySlots(caption, code);
    if (kind == RecordKind::None) {
        ShowNoSelection();
        m_window.messageBox(Format(editor_texts::EntryMissing, {caption}), window_texts::ErrorTitle,
                            MB_ICONERROR);
        return kind;
    }
    fillPanels(kind, code);
    return kind;
}

void RecordEditor::ShowNoSelection()
{
    m_window.setVisible(u"Panel1", false);
    m_window.setVisible(u"Panel2", false);
    m_window.setVisible(u"NoSelectImage", true);
}

void RecordEditor::fillPanels(RecordKind kind, int code)
{
    const Slots &cb = m_store.CurrentBuilding;
    const Slots &ob = m_store.OriginalBuilding;
    const Slots &ch = m_store.CurrentHouse;
    const Slots &oh = m_store.OriginalHouse;

    const Layout layout = LayoutOf(kind, code);
    m_window.setVisible(u"Panel1", true);
    m_window.setVisible(u"Panel2", PanelLayouts(2) & In(layout));
    for (const PanelHead &h : PanelHeads) {
        if (h.layouts != PanelLayouts(h.panel))
            m_window.setVisible(h.name, h.layouts & In(layout));
    }
    if (layout == Layout::Building)
        placeCost(CostLeftColumn);
    else if (layout == Layout::FirstHouseLevel)
        placeCost(CostRightColumn);

    // The rows of the panels this layout shows: current values from the
    // entry's slots, the shipped ones on the reference buttons.
    for (int i = 0; i < rows::Count; ++i) {
        const ValueRowDef &d = def(i);
        if (!(PanelLayouts(d.panel) & In(layout)))
            continue;
        const bool shown = d.layouts & In(layout);
        setRowShown(i, shown);
        if (!shown) {
            m_window.setText(d.editName, editor_texts::HiddenValue);
            m_window.setText(d.btnName, editor_texts::HiddenValue);
        } else if (!d.toggle) {
            const bool building = d.source == SlotSource::Building;
            m_window.setText(d.editName, (building ? cb : ch).at(std::size_t(d.slot)));
            m_window.setText(d.btnName, (building ? ob : oh).at(std::size_t(d.slot)));
        }
    }
    // Toggles: every state first, then every caption.
    if (layout != Layout::Building) {
        for (int i = rows::Marktzugang; i < rows::Count; ++i)
            m_window.setDown(def(i).editName, slotIsYes(ch.at(std::size_t(def(i).slot))));
        for (int i = rows::Marktzugang; i < rows::Count; ++i) {
            const std::size_t slot = std::size_t(def(i).slot);
            m_window.setText(def(i).editName, yesNo(slotIsYes(ch.at(slot))));
            m_window.setText(def(i).btnName, yesNo(slotIsYes(oh.at(slot))));
        }
    }
    RefreshMarkers();
}

void RecordEditor::RefreshMarkers()
{
    for (int i = 0; i < rows::Count; ++i) {
        const ValueRowDef &d = def(i);
        // A row some layout hides keeps its marker hidden while it is hidden;
        // its "0" texts mean nothing.
        const bool layoutControlled = d.layouts != PanelLayouts(d.panel);
        if (layoutControlled && !m_window.visible(d.editName))
            continue;
        m_window.setVisible(d.pngName, currentText(i) != m_window.text(d.btnName));
    }
}

std::optional<RecordEditor::RowPartners> RecordEditor::focusedRowPartners(ControlKind partner) const
{
    // The clicked reference button has the focus; its row's edit or toggle is
    // found by name: the button's name without "Btn", plus "Edit", ignoring A-Z case.
    const std::u16string focused = m_window.focusedControl();
    if (focused.size() < 3)
        return std::nullopt;
    const std::u16string stem = focused.substr(0, focused.size() - 3);
    RowPartners names{stem + u"Btn", stem + u"Edit"};
    if (m_window.findControl(names.button) != ControlKind::Button ||
        m_window.findControl(names.partner) != partner)
        return std::nullopt;
    return names;
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

bool RecordEditor::rejectInvalid(int index)
{
    const std::u16string text = m_window.text(def(index).editName);
    if (isWholeNumber(text))
        return false;
    m_window.messageBox(Format(editor_texts::InvalidValue, {def(index).caption, text}),
                        window_texts::ErrorTitle, MB_ICONERROR);
    m_window.setFocus(def(index).editName);
    return true;
}

bool RecordEditor::StoreEntry(std::u16string_view caption, int code)
{
    const RecordKind kind =
        ModelStore::RecordKindOf(ModelStore::FindRecordLine(m_store.WorkingModel, caption));

    // The rows whose edits go into the slots: the numbers the entry's layout shows.
    std::vector<int> copied;
    if (kind != RecordKind::None) {
        const Layout layout = LayoutOf(kind, code);
        for (int i = 0; i < rows::Count; ++i) {
            if (!def(i).toggle && (def(i).layouts & In(layout)))
                copied.push_back(i);
        }
    }
    // Anything but a whole number would shift or break the fields the game
    // reads: check every value before a single slot changes.
    for (int i : copied) {
        if (rejectInvalid(i))
            return false;
    }
    if (kind != RecordKind::None && !agreeOnModelFile(caption, code, kind))
        return false;
    for (int i : copied) {
        const ValueRowDef &d = def(i);
        Slots &target =
            d.source == SlotSource::Building ? m_store.CurrentBuilding : m_store.CurrentHouse;
        target[std::size_t(d.slot)] = m_window.text(d.editName);
    }
    if (kind == RecordKind::House) {
        for (int i = rows::Marktzugang; i < rows::Count; ++i)
            m_store.CurrentHouse[std::size_t(def(i).slot)] =
                m_window.down(def(i).editName) ? u"1" : u"0";
    }

    m_store.StoreEntrySlots(caption, code);
    m_isDirty = false;
    if (kind == RecordKind::House)
        ShowEntry(caption, code);
    return true;
}

bool RecordEditor::ResetEntry(std::u16string_view caption, int code)
{
    const RecordKind kind = m_store.LoadReferenceEntrySlots(caption, code);
    if (kind == RecordKind::None)
        return true;
    fillPanels(kind, code);
    if (StoreEntry(caption, code))
        return true;
    // The shipped values are on screen but not in the file.
    m_isDirty = true;
    return false;
}

bool RecordEditor::agreeOnModelFile(std::u16string_view caption, int code, RecordKind kind)
{
    // Another program may have written the model file since the editor last
    // read or wrote it; writing the whole working model then would undo that.
    for (;;) {
        const ModelFileState state = m_store.CheckModelFile();
        if (state == ModelFileState::AsLastSeen)
            return true;
        const std::u16string question =
            state == ModelFileState::Missing
                ? Format(editor_texts::ModelFileMissing, {caption, m_store.modelFilePath()})
                : Format(editor_texts::ModelFileChanged, {caption});
        if (m_window.messageBox(question, window_texts::QuestionTitle,
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        if (state == ModelFileState::Missing) {
            // Nothing to merge into: the whole working model is written anew,
            // unless a file turned up while the question was open.
            if (m_store.CheckModelFile() == ModelFileState::Missing)
                return true;
            continue;
        }
        // The entry goes into the file as it is now: read it again, in its
        // own encoding, and let the store put the entry's lines into it.
        m_store.LoadWorkingModel();
        const Lines &model = m_store.WorkingModel;
        const bool present =
            ModelStore::RecordKindOf(ModelStore::FindRecordLine(model, caption)) == kind &&
            (kind != RecordKind::House || ModelStore::FindCompanionLine(model, code) >= 0);
        if (present)
            return true;
        m_window.messageBox(Format(editor_texts::EntryMissingAfterChange, {caption}),
                            window_texts::ErrorTitle, MB_ICONERROR);
        return false;
    }
}

} // namespace z7
