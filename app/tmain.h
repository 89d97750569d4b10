#pragma once

#include "model/model_store.h"
#include "catalogue/navigation.h"
#include "ui/qt/qtext.h"

#include <QWidget>

#include <memory>

class QFrame;
class QLabel;
class QPushButton;

namespace z7 {

class Platform;
class RecordEditor;
class TreeView;

// The one window of the program. Its controls stand at fixed places; the
// value panels are filled by the record editor and the tree by the catalogue.
class TMain : public QWidget, public EntryView
{
    Q_OBJECT
public:
    enum class StartResult { Run, End };

    explicit TMain(Platform &platform, QWidget *parent = nullptr);
    ~TMain() override;

    // The start-up sequence; End means the program ends at once, unshown.
    StartResult FormCreate();

    // Registers a built-in font; the handle is 0 when that failed. Virtual so
    // that tests can play every outcome.
    virtual int RegisterFontResource(const QString &type, const QString &name);
    void ExtractGuide(const QString &path);

    void SpeichernClick();
    void SingleElementResetClick();
    void CompleteResetClick();
    void BeendenClick();
    void ResetModel();

    ModelStore &store() { return m_store; }
    RecordEditor &editor() { return *m_editor; }
    Navigator &navigator() { return *m_navigator; }
    TreeView *tree() const { return m_tree; }
    QString GamePath() const { return toQString(m_store.gamePath()); }

private:
    void createControls();
    void applyFonts();

    // EntryView
    bool isDirty() const override;
    void setDirty(bool dirty) override;
    bool storeEntry(const QString &caption, int code) override;
    RecordKind showEntry(const QString &caption, int code) override;
    void showNoSelection() override;

    Platform &m_platform;
    ModelStore m_store;

    QLabel *m_noSelectImage = nullptr;
    QFrame *m_shape1 = nullptr;
    QFrame *m_shape2 = nullptr;
    QLabel *m_imprintLabel = nullptr;
    QWidget *m_panel1 = nullptr;
    QWidget *m_panel2 = nullptr;
    QWidget *m_panel3 = nullptr;
    QLabel *m_z7MainImage = nullptr;
    QLabel *m_objektnameLabel = nullptr;
    QLabel *m_buildingImage = nullptr;
    QPushButton *m_beenden = nullptr;
    TreeView *m_tree = nullptr;
    QPushButton *m_speichern = nullptr;
    QPushButton *m_completeReset = nullptr;
    QPushButton *m_singleElementReset = nullptr;

    std::unique_ptr<RecordEditor> m_editor;
    std::unique_ptr<Navigator> m_navigator;
};

} // namespace z7
