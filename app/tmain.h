#pragma once

#include "catalogue/navigation.h"
#include "editor/record_editor.h"
#include "model/model_store.h"
#include "ui/controls.h"
#include "ui/error_report.h"
#include "ui/window.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace z7 {

class Platform;
class ResourceSource;

// The one window of the program: the handlers of its controls and its
// start-up, on whichever window the program entry gives it. Its controls
// stand at fixed places; the value panels are the record editor's and the
// tree is filled by the catalogue.
class TMain : public WindowEvents, public EntryView
{
public:
    enum class StartResult { Run, End };
    // What the start-up found of the game: the editor opens on it, or it is
    // not installed, or another editor has it open already, or its models
    // could not be made ready (reported; the window opens without them).
    enum class StartOutcome { Ready, NotInstalled, AlreadyOpen, ModelsNotReady };

    // Creates the window's controls from the window table.
    TMain(Platform &platform, Window &window, const ResourceSource &resources);
    ~TMain() override;

    // Every control of the window and its panels, in the order of creation.
    static ControlTable Controls();
    static const WindowDef Definition;

    // The start-up sequence; End means the program ends at once, unshown.
    StartResult FormCreate();
    // The part of it that finds the game and makes its models ready, with
    // the messages that belong to each outcome.
    StartOutcome StartUp();

    // Registers a built-in font; the handle is 0 when that failed. Virtual so
    // that tests can play every outcome.
    virtual int RegisterFontResource(std::u16string_view type, std::u16string_view name);
    void ExtractGuide(const std::u16string &path);

    void SpeichernClick();
    void SingleElementResetClick();
    void CompleteResetClick();
    void BeendenClick();
    void ResetModel();

    // Marks the tree's entries that differ from the shipped model in the
    // model file, and the groups above them.
    void MarkChangedEntries();

    ModelStore &store() { return m_store; }
    RecordEditor &editor() { return m_editor; }
    Navigator &navigator() { return m_navigator; }
    const std::u16string &GamePath() const { return m_store.gamePath(); }

    // WindowEvents
    void clicked(std::u16string_view control) override;
    void stepped(std::u16string_view upDown) override;
    void keyReleased(std::u16string_view edit) override;
    void treeChanging(int next) override;
    void treeChanged(int node) override;
    std::optional<Colour> treeNodeColour(int node) override;

private:
    class MarksFollowFile;
    void applyFonts();
    std::u16string registeredGamePath();
    StartOutcome prepareGameFolder(const std::u16string &gamePath);
    void installModels(const std::u16string &gamePath);

    // EntryView
    bool isDirty() const override;
    void setDirty(bool dirty) override;
    bool storeEntry(std::u16string_view caption, int code) override;
    RecordKind showEntry(std::u16string_view caption, int code) override;
    void showNoSelection() override;

    Platform &m_platform;
    Window &m_window;
    const ResourceSource &m_resources;
    // The fonts of a resource source that holds none in place, registered
    // from here.
    std::deque<std::string> m_fontBytes;
    ModelStore m_store;
    ControlTable m_controls;
    GuardedEvents m_guard;
    RecordEditor m_editor;
    Navigator m_navigator;
    // The nodes the tree was last filled with.
    std::vector<TreeNode> m_nodes;
};

} // namespace z7
