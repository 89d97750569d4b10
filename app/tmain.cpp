#include "app/tmain.h"

#include "app/app_texts.h"
#include "app/window_table.h"
#include "catalogue/catalogue.h"
#include "catalogue/node_codes.h"
#include "catalogue/window_names.h"
#include "model/text.h"
#include "ui/window_texts.h"

namespace z7 {

namespace {

// The question of the whole reset, with what another program did to the model
// file in front of it.
std::u16string resetModelQuestion(ModelFileState file)
{
    switch (file) {
    case ModelFileState::Changed:
        return Format(app_texts::ResetChangedModelQuestion, {app_texts::ResetModelQuestion});
    case ModelFileState::Missing:
        return Format(app_texts::ResetMissingModelQuestion, {app_texts::ResetModelQuestion});
    case ModelFileState::AsLastSeen:
        break;
    }
    return app_texts::ResetModelQuestion;
}

} // namespace

// Whatever a command of the window does, the tree's marks follow the model
// file: a store, an entry's or the whole reset, a file read again because
// another program changed it. Also when the command then fails.
class TMain::MarksFollowFile
{
public:
    explicit MarksFollowFile(TMain &main)
        : m_main(main)
        , m_generation(main.m_store.fileGeneration())
    {
    }
    ~MarksFollowFile()
    {
        if (m_main.m_store.fileGeneration() == m_generation)
            return;
        try {
            m_main.MarkChangedEntries();
        } catch (...) {
            // The marks are a guide; the command's own error is what counts.
        }
    }
    MarksFollowFile(const MarksFollowFile &) = delete;
    MarksFollowFile &operator=(const MarksFollowFile &) = delete;

private:
    TMain &m_main;
    unsigned m_generation;
};

const WindowDef TMain::Definition{app_texts::WindowCaption, ClientWidth, ClientHeight,
                                  app_texts::WindowFontFamily, 10};

ControlTable TMain::Controls()
{
    ControlTable table;
    table.controls.assign(MainWindowControls.begin(), MainWindowControls.end());
    RecordEditor::AddControls(table);
    return table;
}

TMain::TMain(Platform &platform, Window &window, const ResourceSource &resources)
    : m_platform(platform)
    , m_window(window)
    , m_resources(resources)
    , m_store(platform, resources)
    , m_controls(Controls())
    , m_guard(*this, window)
    , m_editor(m_store, window)
    , m_navigator(window, *this)
{
    m_window.create(Definition, m_controls.controls, m_guard);
}

TMain::~TMain() = default;

void TMain::clicked(std::u16string_view control)
{
    const MarksFollowFile marks(*this);
    if (control == names::Beenden)
        BeendenClick();
    else if (control == names::Speichern)
        SpeichernClick();
    else if (control == names::CompleteReset)
        CompleteResetClick();
    else if (control == names::SingleElementReset)
        SingleElementResetClick();
    else
        m_editor.clicked(control);
}

void TMain::stepped(std::u16string_view upDown)
{
    m_editor.stepped(upDown);
}

void TMain::keyReleased(std::u16string_view edit)
{
    m_editor.keyReleased(edit);
}

void TMain::treeChanging(int next)
{
    const MarksFollowFile marks(*this);
    m_navigator.ModellTreeChanging(next);
}

void TMain::treeChanged(int node)
{
    m_navigator.ModellTreeChange(node);
}

std::optional<Colour> TMain::treeNodeColour(int node)
{
    return ModellTreeCustomDrawItem(m_window.treeNode(node));
}

void TMain::SpeichernClick()
{
    const int node = m_window.selectedNode();
    if (node < 0)
        return;
    const TreeNode selected = m_window.treeNode(node);
    if (SaveActsOn(selected.selectCode))
        m_editor.StoreEntry(selected.caption, selected.selectCode);
}

void TMain::SingleElementResetClick()
{
    const int node = m_window.selectedNode();
    if (node < 0)
        return;
    const TreeNode selected = m_window.treeNode(node);
    m_editor.ResetEntry(selected.caption, selected.selectCode);
}

void TMain::CompleteResetClick()
{
    ResetModel();
}

void TMain::ResetModel()
{
    // A file that another program changed or removed is named in the question;
    // should that happen while the question is open, the question comes again.
    ModelFileState asked = m_store.CheckModelFile();
    for (;;) {
        const int answer =
            m_window.messageBox(resetModelQuestion(asked), window_texts::QuestionTitle,
                                BoxOkCancel | BoxIconQuestion | BoxDefaultButton2);
        if (answer == AnswerCancel)
            return;
        const ModelFileState now = m_store.CheckModelFile();
        if (now == ModelFileState::AsLastSeen || now == asked)
            break;
        asked = now;
    }
    m_store.ResetWholeModel();
    m_nodes = BuildCatalogue(m_window, m_resources);
    // No node is selected any more: nothing is shown, and nothing is left to
    // store or reset. With no node there is no caption for the header either.
    m_navigator.ShowNoSelectionState();
    m_window.setText(names::ObjektnameLabel, u"");
    m_editor.setDirty(false);
}

void TMain::MarkChangedEntries()
{
    MarkCatalogue(m_window, m_nodes, [this](const TreeNode &entry) {
        return m_editor.EntryShowsMarker(entry.caption, entry.recordCode);
    });
}

void TMain::BeendenClick()
{
    m_window.close();
}

bool TMain::isDirty() const
{
    return m_editor.IsDirty();
}

void TMain::setDirty(bool dirty)
{
    m_editor.setDirty(dirty);
}

bool TMain::storeEntry(std::u16string_view caption, int code)
{
    return m_editor.StoreEntry(caption, code);
}

RecordKind TMain::showEntry(std::u16string_view caption, int code)
{
    return m_editor.ShowEntry(caption, code);
}

void TMain::showNoSelection()
{
    m_editor.ShowNoSelection();
}

} // namespace z7
