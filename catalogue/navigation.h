#pragma once

#include "model/model_store.h"

#include <string_view>

namespace z7 {

class Window;

// What the navigation needs of the record editor, so that the catalogue does
// not depend on it.
class EntryView
{
public:
    virtual ~EntryView() = default;
    virtual bool isDirty() const = 0;
    virtual void setDirty(bool dirty) = 0;
    // False when the entry could not be stored because a value was rejected.
    virtual bool storeEntry(std::u16string_view caption, int code) = 0;
    virtual RecordKind showEntry(std::u16string_view caption, int code) = 0;
    virtual void showNoSelection() = 0;
};

// What happens when the selection in the catalogue tree moves: the offer to
// store an edited entry before it is left, then the header picture and
// caption, the entry commands, and the entry's values or the no-selection state.
class Navigator
{
public:
    Navigator(Window &window, EntryView &entries);

    void ModellTreeChanging(int next);
    void ModellTreeChange(int node);
    void SetEntryCommands(bool enabled);
    // The entry commands off, the reset button's caption "Reset" and the
    // no-selection picture in place of the panels; the header keeps the
    // selected node's caption.
    void ShowNoSelectionState();

private:
    Window &m_window;
    EntryView &m_entries;
    // Set when leaving an entry was refused because a value could not be stored.
    int m_stayOn = -1;
};

} // namespace z7
