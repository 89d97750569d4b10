#pragma once

#include "model/model_store.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>

#include <functional>


class QAbstractButton;
class QLabel;
class QTreeWidgetItem;
class QWidget;

namespace z7 {

class TreeView;

// What the navigation needs of the record editor, so that the catalogue does
// not depend on it.
class EntryView
{
public:
    virtual ~EntryView() = default;
    virtual bool isDirty() const = 0;
    virtual void setDirty(bool dirty) = 0;
    // False when the entry could not be stored because a value was rejected.
    virtual bool storeEntry(const QString &caption, int code) = 0;
    virtual RecordKind showEntry(const QString &caption, int code) = 0;
    virtual void showNoSelection() = 0;
};

// What happens when the selection in the catalogue tree moves: the offer to
// store an edited entry before it is left, then the header picture and
// caption, the entry commands, and the entry's values or the no-selection state.
class Navigator : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QWidget *window = nullptr;
        TreeView *tree = nullptr;
        QLabel *buildingImage = nullptr;
        QLabel *objektnameLabel = nullptr;
        QAbstractButton *speichern = nullptr;
        QAbstractButton *singleElementReset = nullptr;
    };

    // The picture list, read one picture at a time when a node first needs it.
    struct PictureList
    {
        int count = 0;
        std::function<QImage(int)> load;
    };

    Navigator(const Controls &controls, EntryView &entries, PictureList pictures,
              QObject *parent = nullptr);

    void ModellTreeChanging(QTreeWidgetItem *next);
    void ModellTreeChange(QTreeWidgetItem *node);
    void SetEntryCommands(bool enabled);

    // The header picture of a node: its picture drawn on white, or nothing
    // for a number outside the list.
    QImage HeaderPicture(int pictureIndex) const;

private:
    Controls m_controls;
    EntryView &m_entries;
    PictureList m_pictureList;
    mutable QHash<int, QImage> m_loaded;
    // Set when leaving an entry was refused because a value could not be stored.
    QTreeWidgetItem *m_stayOn = nullptr;
};

} // namespace z7
