#include "editor/record_editor.h"

#include "editor/editor_texts.h"
#include "model/text.h"
#include "ui/qt/errorreport.h"
#include "ui/qt/findcontrol.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/pushbutton.h"
#include "ui/qt/qtext.h"
#include "ui/qt/speedbutton.h"
#include "ui/window_texts.h"
#include "ui/qt/updown.h"
#include "ui/qt/valueedit.h"

#include <QLabel>
#include <QRegularExpression>

namespace z7 {

namespace {

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// A yes/no slot reads as yes unless it is exactly "0".
bool slotIsYes(const QString &slotText)
{
    return slotText != QLatin1String("0");
}

QString yesNo(bool yes)
{
    return toQString(yes ? editor_texts::Yes : editor_texts::No);
}

const ValueRowDef &def(int index)
{
    return ValueRows[static_cast<size_t>(index)];
}

} // namespace

RecordEditor::RecordEditor(ModelStore &store, const Controls &controls, const QPixmap &marker,
                           QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_controls(controls)
{
    buildRows(marker);
}

void RecordEditor::buildRows(const QPixmap &marker)
{
    for (const PanelHead &h : PanelHeads) {
        const QString text = toQString(h.caption);
        auto *head = new QLabel(text, h.panel == 1 ? m_controls.panel1 : m_controls.panel2);
        head->setObjectName(str(h.name));
        head->setAlignment(Qt::AlignCenter);
        head->setGeometry(toQRect(h.rect));
        head->setAccessibleName(text);
        // A head that only some layouts show starts hidden; fillPanels shows it.
        if (h.layouts != PanelLayouts(h.panel)) {
            head->hide();
            (h.caption == editor_texts::Current ? m_aktuell3 : m_original3) = head;
        }
    }

    for (int i = 0; i < rows::Count; ++i) {
        const ValueRowDef &d = def(i);
        RowControls &r = m_rows[static_cast<size_t>(i)];
        QWidget *panel = d.panel == 1 ? m_controls.panel1 : m_controls.panel2;

        r.label = new QLabel(str(d.caption), panel);
        r.label->setObjectName(str(d.labelName));
        r.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        r.label->setGeometry(toQRect(d.label));

        if (d.toggle) {
            r.toggle = new SpeedButton(panel);
            r.toggle->setObjectName(str(d.editName));
            r.toggle->setText(toQString(editor_texts::No));
            r.toggle->setGeometry(toQRect(d.edit));
            connect(r.toggle, &SpeedButton::clicked, this, [this, i] { Guarded([&] { ToggleClick(i); }); });
        } else {
            r.edit = new ValueEdit(panel);
            r.edit->setObjectName(str(d.editName));
            r.edit->setText(toQString(editor_texts::HiddenValue));
            r.edit->setGeometry(toQRect(d.edit));
            // Only the cost may be typed with a sign; the others take digits only.
            r.edit->setDigitsOnly(i != rows::Baukosten);
            if (i == rows::Baukosten) {
                QPalette pal = r.edit->palette();
                pal.setColor(QPalette::Base, pal.color(QPalette::Light));
                r.edit->setPalette(pal);
            }
            connect(r.edit, &ValueEdit::keyReleased, this, [this] { Guarded([&] { SetIsDirtyOnKeyUp(); }); });

            r.upd = new UpDown(panel);
            r.upd->setObjectName(str(d.updName));
            r.upd->setGeometry(toQRect(d.upd));
            r.upd->setAssociate(r.edit);
            r.upd->setRange(d.minimum, d.maximum);
            r.upd->setIncrement(d.step);
            // Every step that writes the edit marks the entry edited. The control's
            // click alone stays silent when the new position equals the last one
            // (after switching entries), and that edit would then be lost unasked.
            connect(r.upd, &UpDown::stepped, this, [this] { Guarded([&] { UpDClick(); }); });
        }

        r.btn = new PushButton(panel);
        r.btn->setObjectName(str(d.btnName));
        r.btn->setText(toQString(d.toggle ? editor_texts::No : editor_texts::HiddenValue));
        r.btn->setGeometry(toQRect(d.btn));
        if (d.toggle)
            connect(r.btn, &PushButton::clicked, this, [this] { Guarded([&] { ResetSingleSpeedButtonValue(); }); });
        else
            connect(r.btn, &PushButton::clicked, this, [this] { Guarded([&] { ResetSingleValue(); }); });

        // Screen readers name every control of the row after its caption.
        const QString caption = str(d.caption);
        r.label->setAccessibleName(caption);
        (d.toggle ? static_cast<QWidget *>(r.toggle) : r.edit)->setAccessibleName(caption);
        if (r.upd)
            r.upd->setAccessibleName(toQString(Format(editor_texts::Stepper, {d.caption})));
        r.btn->setAccessibleName(toQString(Format(editor_texts::ShippedValue, {d.caption})));

        r.png = new QLabel(panel);
        r.png->setAccessibleName(toQString(Format(editor_texts::ChangedMarker, {d.caption})));
        r.png->setObjectName(str(d.pngName));
        r.png->setPixmap(marker);
        r.png->setGeometry(toQRect(d.png));
        r.png->hide();
    }

}

QString RecordEditor::currentText(int index) const
{
    const RowControls &r = row(index);
    return r.toggle ? r.toggle->text() : r.edit->text();
}

void RecordEditor::setCurrent(int index, const QString &slotText)
{
    m_rows[static_cast<size_t>(index)].edit->setText(slotText);
}

void RecordEditor::setReference(int index, const QString &slotText)
{
    m_rows[static_cast<size_t>(index)].btn->setText(slotText);
}

void RecordEditor::setRowShown(int index, bool shown)
{
    RowControls &r = m_rows[static_cast<size_t>(index)];
    r.label->setVisible(shown);
    if (r.edit)
        r.edit->setVisible(shown);
    if (r.toggle)
        r.toggle->setVisible(shown);
    if (r.upd)
        r.upd->setVisible(shown);
    r.btn->setVisible(shown);
    if (!shown)
        r.png->hide();
}

void RecordEditor::placeCost(const CostPlacement &p)
{
    RowControls &r = m_rows[rows::Baukosten];
    r.label->move(p.labelLeft, r.label->y());
    r.edit->setGeometry(p.editLeft, r.edit->y(), p.editWidth, r.edit->height());
    r.upd->move(p.updLeft, r.upd->y());
    r.png->move(p.pngLeft, r.png->y());
    r.btn->move(p.btnLeft, r.btn->y());
}

RecordKind RecordEditor::ShowEntry(const QString &caption, int code)
{
    m_controls.noSelectImage->hide();
    const RecordKind kind = m_store.LoadEntrySlots(toU16(caption), code);
    if (kind == RecordKind::None) {
        ShowNoSelection();
        ShowMessage(m_controls.window,
                    toQString(Format(editor_texts::EntryMissing, {toU16(caption)})),
                    toQString(window_texts::ErrorTitle), MB_ICONERROR);
        return kind;
    }
    fillPanels(kind, code);
    return kind;
}

void RecordEditor::ShowNoSelection()
{
    m_controls.panel1->hide();
    m_controls.panel2->hide();
    m_controls.noSelectImage->show();
}

void RecordEditor::fillPanels(RecordKind kind, int code)
{
    const QStringList cb = toQStringList(m_store.CurrentBuilding);
    const QStringList ob = toQStringList(m_store.OriginalBuilding);
    const QStringList ch = toQStringList(m_store.CurrentHouse);
    const QStringList oh = toQStringList(m_store.OriginalHouse);
    const QString zero = toQString(editor_texts::HiddenValue);

    const Layout layout = LayoutOf(kind, code);
    m_controls.panel1->show();
    m_controls.panel2->setVisible(PanelLayouts(2) & In(layout));
    m_aktuell3->setVisible(layout == Layout::FirstHouseLevel);
    m_original3->setVisible(layout == Layout::FirstHouseLevel);
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
            setCurrent(i, zero);
            setReference(i, zero);
        } else if (!d.toggle) {
            const bool building = d.source == SlotSource::Building;
            setCurrent(i, (building ? cb : ch).at(d.slot));
            setReference(i, (building ? ob : oh).at(d.slot));
        }
    }
    // Toggles: every state first, then every caption.
    if (layout != Layout::Building) {
        for (int i = rows::Marktzugang; i < rows::Count; ++i)
            m_rows[static_cast<size_t>(i)].toggle->setDown(slotIsYes(ch.at(def(i).slot)));
        for (int i = rows::Marktzugang; i < rows::Count; ++i) {
            m_rows[static_cast<size_t>(i)].toggle->setText(yesNo(slotIsYes(ch.at(def(i).slot))));
            setReference(i, yesNo(slotIsYes(oh.at(def(i).slot))));
        }
    }
    RefreshMarkers();
}

void RecordEditor::RefreshMarkers()
{
    for (int i = 0; i < rows::Count; ++i) {
        RowControls &r = m_rows[static_cast<size_t>(i)];
        // A row some layout hides keeps its marker hidden while it is hidden;
        // its "0" texts mean nothing.
        const bool layoutControlled = def(i).layouts != PanelLayouts(def(i).panel);
        if (layoutControlled && r.edit->isHidden())
            continue;
        r.png->setVisible(currentText(i) != r.btn->text());
    }
}

std::pair<QAbstractButton *, QWidget *> RecordEditor::focusedRowPartners() const
{
    // The clicked reference button has the focus; its row's edit is found by
    // name: the button's name without "Btn", plus "Edit", ignoring A-Z case.
    QWidget *focused = m_controls.window->focusWidget();
    if (!focused)
        return {};
    const QString stem = focused->objectName().chopped(3);
    return {qobject_cast<QAbstractButton *>(FindControl(m_controls.window, stem + u"Btn")),
            FindControl(m_controls.window, stem + u"Edit")};
}

void RecordEditor::RestoreValue()
{
    m_isDirty = true;
    const auto [btn, partner] = focusedRowPartners();
    if (auto *edit = qobject_cast<QLineEdit *>(partner); btn && edit)
        edit->setText(btn->text());
}

void RecordEditor::RestoreToggle()
{
    m_isDirty = true;
    const auto [btn, partner] = focusedRowPartners();
    auto *toggle = qobject_cast<SpeedButton *>(partner);
    if (!btn || !toggle)
        return;
    const bool yes = btn->text() == toQString(editor_texts::Yes);
    toggle->setText(yesNo(yes));
    toggle->setDown(yes);
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
    SpeedButton *toggle = m_rows[static_cast<size_t>(index)].toggle;
    toggle->setText(yesNo(toggle->isDown()));
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

bool RecordEditor::rejectInvalid(int index)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]+$"));
    const QString text = row(index).edit->text();
    if (wholeNumber.match(text.trimmed()).hasMatch())
        return false;
    ShowMessage(m_controls.window,
                toQString(Format(editor_texts::InvalidValue, {def(index).caption, toU16(text)})),
                toQString(window_texts::ErrorTitle), MB_ICONERROR);
    row(index).edit->setFocus(Qt::OtherFocusReason);
    return true;
}

bool RecordEditor::StoreEntry(const QString &caption, int code)
{
    const RecordKind kind =
        ModelStore::RecordKindOf(ModelStore::FindRecordLine(m_store.WorkingModel, toU16(caption)));

    // The rows whose edits go into the slots: the numbers the entry's layout shows.
    QList<int> copied;
    if (kind != RecordKind::None) {
        const Layout layout = LayoutOf(kind, code);
        for (int i = 0; i < rows::Count; ++i) {
            if (!def(i).toggle && (def(i).layouts & In(layout)))
                copied << i;
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
        Slots &target = d.source == SlotSource::Building ? m_store.CurrentBuilding
                                                          : m_store.CurrentHouse;
        target[std::size_t(d.slot)] = toU16(row(i).edit->text());
    }
    if (kind == RecordKind::House) {
        for (int i = rows::Marktzugang; i < rows::Count; ++i)
            m_store.CurrentHouse[std::size_t(def(i).slot)] = row(i).toggle->isDown() ? u"1" : u"0";
    }

    m_store.StoreEntrySlots(toU16(caption), code);
    m_isDirty = false;
    if (kind == RecordKind::House)
        ShowEntry(caption, code);
    return true;
}

bool RecordEditor::ResetEntry(const QString &caption, int code)
{
    const RecordKind kind = m_store.LoadReferenceEntrySlots(toU16(caption), code);
    if (kind == RecordKind::None)
        return true;
    fillPanels(kind, code);
    if (StoreEntry(caption, code))
        return true;
    // The shipped values are on screen but not in the file.
    m_isDirty = true;
    return false;
}

bool RecordEditor::agreeOnModelFile(const QString &caption, int code, RecordKind kind)
{
    // Another program may have written the model file since the editor last
    // read or wrote it; writing the whole working model then would undo that.
    for (;;) {
        const ModelFileState state = m_store.CheckModelFile();
        if (state == ModelFileState::AsLastSeen)
            return true;
        const QString question =
            state == ModelFileState::Missing
                ? toQString(Format(editor_texts::ModelFileMissing,
                                   {toU16(caption), m_store.modelFilePath()}))
                : toQString(Format(editor_texts::ModelFileChanged, {toU16(caption)}));
        if (ShowMessage(m_controls.window, question, toQString(window_texts::QuestionTitle),
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
            ModelStore::RecordKindOf(ModelStore::FindRecordLine(model, toU16(caption))) == kind &&
            (kind != RecordKind::House || ModelStore::FindCompanionLine(model, code) >= 0);
        if (present)
            return true;
        ShowMessage(m_controls.window,
                    toQString(Format(editor_texts::EntryMissingAfterChange, {toU16(caption)})),
                    toQString(window_texts::ErrorTitle), MB_ICONERROR);
        return false;
    }
}

} // namespace z7
