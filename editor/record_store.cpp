// Storing and resetting the shown entry, with the questions a store may need
// first: a value that is no number, a model file that another program changed.
#include "editor/record_editor.h"

#include "editor/editor_texts.h"
#include "model/text.h"
#include "ui/window.h"
#include "ui/window_texts.h"

#include <vector>

namespace z7 {

namespace {

// What a stored toggle writes: down is yes.
constexpr char16_t StoredYes[] = u"1";
constexpr char16_t StoredNo[] = u"0";

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

} // namespace

bool RecordEditor::holdsEntry(std::u16string_view caption, int code, RecordKind kind) const
{
    // A building is found by its caption alone; a house level's code also
    // finds its companion line.
    return m_loaded && m_loaded->caption == caption && m_loaded->kind == kind &&
           (kind != RecordKind::House || m_loaded->code == code);
}

bool RecordEditor::rejectInvalid(const ValueRowDef &row)
{
    const std::u16string text = m_window.text(row.editName);
    if (isWholeNumber(text))
        return false;
    m_window.messageBox(Format(editor_texts::InvalidValue, {row.caption, text}),
                        window_texts::ErrorTitle, BoxIconError);
    m_window.setFocus(row.editName);
    return true;
}

bool RecordEditor::StoreEntry(std::u16string_view caption, int code)
{
    const RecordKind kind =
        ModelStore::RecordKindOf(ModelStore::FindRecordLine(m_store.WorkingModel, caption));
    // Slot arrays loaded for another entry, or for none (a missing entry, a
    // show that failed), would write foreign values into this entry's lines;
    // nothing of this entry is on screen to keep either.
    if (!holdsEntry(caption, code, kind)) {
        m_isDirty = false;
        return true;
    }

    // The rows whose controls go into the slots: those the entry's layout shows.
    const Layout layout = LayoutOf(kind, code);
    std::vector<const ValueRowDef *> copied;
    for (const ValueRowDef &row : ValueRows) {
        if (row.layouts & In(layout))
            copied.push_back(&row);
    }
    // Anything but a whole number would shift or break the fields the game
    // reads: check every value before a single slot changes.
    for (const ValueRowDef *row : copied) {
        if (!row->toggle && rejectInvalid(*row))
            return false;
    }
    if (!agreeOnModelFile(caption, code, kind))
        return false;
    for (const ValueRowDef *row : copied) {
        Slots &target =
            row->source == SlotSource::Building ? m_store.CurrentBuilding : m_store.CurrentHouse;
        target[std::size_t(row->slot)] = row->toggle
                                             ? (m_window.down(row->editName) ? StoredYes : StoredNo)
                                             : m_window.text(row->editName);
    }

    m_store.StoreEntrySlots(caption, code);
    m_isDirty = false;
    if (kind == RecordKind::House)
        ShowEntry(caption, code);
    return true;
}

bool RecordEditor::ResetEntry(std::u16string_view caption, int code)
{
    const RecordKind kind =
        ModelStore::RecordKindOf(ModelStore::FindRecordLine(m_store.WorkingModel, caption));
    // Only the entry on screen is reset, and only from a shipped line of its
    // own kind: a building's line would fill a house's slots, or the reverse.
    const RecordKind shipped =
        ModelStore::RecordKindOf(ModelStore::FindRecordLine(m_store.ReferenceModel, caption));
    if (!holdsEntry(caption, code, kind) || shipped != kind)
        return true;
    m_store.LoadReferenceEntrySlots(caption, code);
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
                                BoxYesNo | BoxIconQuestion) != AnswerYes)
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
                            window_texts::ErrorTitle, BoxIconError);
        return false;
    }
}

} // namespace z7
