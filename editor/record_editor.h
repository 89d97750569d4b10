#pragma once

#include "model/model_store.h"
#include "editor/value_rows.h"

#include <QObject>
#include <QPixmap>

#include <array>
#include <utility>

class QAbstractButton;
class QLabel;
class QWidget;

namespace z7 {

class PushButton;
class SpeedButton;
class UpDown;
class ValueEdit;

// The two value panels: builds the 21 value rows from their table, shows an
// entry's current and shipped values, tracks edits (IsDirty and the markers)
// and stores or resets the shown entry through the model store.
class RecordEditor : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QWidget *window = nullptr; // where controls are looked up by name and focus is read
        QWidget *panel1 = nullptr;
        QWidget *panel2 = nullptr;
        QWidget *noSelectImage = nullptr;
    };

    RecordEditor(ModelStore &store, const Controls &controls, const QPixmap &marker,
                 QObject *parent = nullptr);

    bool IsDirty() const { return m_isDirty; }
    void setDirty(bool dirty) { m_isDirty = dirty; }

    // Shows the entry's values; returns the kind of line its caption found.
    // Kind none (a model file edited by hand) shows the no-selection state and
    // tells the user the entry is missing.
    RecordKind ShowEntry(const QString &caption, int code);
    // Stores the shown entry. False when a value was rejected, or when the user
    // declined to store into a model file that another program changed: nothing
    // is written, the controls keep their values and IsDirty stays set.
    bool StoreEntry(const QString &caption, int code);
    // Puts the shipped values of the entry on screen and stores them. When that
    // store is declined, the entry counts as edited.
    bool ResetEntry(const QString &caption, int code);
    void ShowNoSelection();

    void RefreshMarkers();
    void RestoreValue();
    void RestoreToggle();

    // Handlers wired to the rows' controls.
    void SetIsDirtyOnKeyUp();
    void UpDClick();
    void ToggleClick(int row);
    void ResetSingleValue();
    void ResetSingleSpeedButtonValue();

    struct RowControls
    {
        QLabel *label = nullptr;
        ValueEdit *edit = nullptr;      // numeric rows
        SpeedButton *toggle = nullptr;  // toggle rows
        UpDown *upd = nullptr;
        PushButton *btn = nullptr;
        QLabel *png = nullptr;
    };
    const RowControls &row(int index) const { return m_rows[static_cast<size_t>(index)]; }
    QWidget *AktuellLabel3() const { return m_aktuell3; }
    QWidget *OriginalLabel3() const { return m_original3; }

private:
    void buildRows(const QPixmap &marker);
    void fillPanels(RecordKind kind, int code);
    void setRowShown(int index, bool shown);
    void placeCost(const CostPlacement &placement);
    QString currentText(int index) const;
    void setCurrent(int index, const QString &slotText);
    void setReference(int index, const QString &slotText);
    bool rejectInvalid(int index);
    bool agreeOnModelFile(const QString &caption, int code, RecordKind kind);
    std::pair<QAbstractButton *, QWidget *> focusedRowPartners() const;

    ModelStore &m_store;
    Controls m_controls;
    std::array<RowControls, rows::Count> m_rows{};
    QWidget *m_aktuell3 = nullptr;
    QWidget *m_original3 = nullptr;
    bool m_isDirty = false;
};

} // namespace z7
