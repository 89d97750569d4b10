// The start-up sequence of the window, in its fixed order.
#include "app/app_texts.h"
#include "app/tmain.h"
#include "catalogue/catalogue.h"
#include "catalogue/window_names.h"
#include "model/resource.h"
#include "model/text.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "platform/platform_texts.h"
#include "platform/resource_source.h"
#include "platform/services.h"
#include "ui/window_texts.h"

namespace z7 {

namespace {

std::string utf8(std::u16string_view s)
{
    return ToUtf8(s);
}

} // namespace

int TMain::RegisterFontResource(std::u16string_view type, std::u16string_view name)
{
    // The window may register the font in place: the bytes must stay for as
    // long as it lives, and a copy of the font is a quarter of a megabyte.
    if (const std::optional<std::string_view> inPlace = m_resources.view(type, name))
        return m_window.registerFont(*inPlace);
    return m_window.registerFont(m_fontBytes.emplace_back(ReadResource(m_resources, type, name)));
}

void TMain::ExtractGuide(const std::u16string &path)
{
    m_platform.writeFile(utf8(path), ReadResource(m_resources, TextResourceType, u"PDF"));
}

TMain::StartResult TMain::FormCreate()
{
    switch (StartUp()) {
    case StartOutcome::NotInstalled:
    case StartOutcome::AlreadyOpen:
        return StartResult::End;
    case StartOutcome::ModelsNotReady:
        return StartResult::Run;
    case StartOutcome::Ready:
        break;
    }

    // A guide that cannot be written is reported, but the editor still gets
    // its fonts and its catalogue.
    Guarded(m_window, [&] {
        const std::string documents = SpecialFolderPath(m_platform, DocumentsFolderNumber);
        m_platform.removeStaleTemporaries(documents);
        const std::u16string guide = FromUtf8(documents) + app_texts::GuideFile;
        if (!m_platform.fileExists(utf8(guide)))
            ExtractGuide(guide);
    });

    Guarded(m_window, [&] {
        applyFonts();
        m_nodes = BuildCatalogue(m_window, m_resources);
        MarkChangedEntries();
    });
    return StartResult::Run;
}

TMain::StartOutcome TMain::StartUp()
{
    if (IsProcessRunning(m_platform, app_texts::GameProcess))
        m_window.messageBox(app_texts::GameRunning, window_texts::ErrorTitle, BoxIconError);

    std::u16string gamePath = registeredGamePath();
    if (gamePath.empty()) {
        m_window.messageBox(app_texts::NoInstallation, window_texts::ErrorTitle, BoxIconError);
        return StartOutcome::NotInstalled;
    }
    if (gamePath.back() != u'\\')
        gamePath += u'\\';
    m_store.setGamePath(gamePath);

    const StartOutcome outcome = GuardedResult(m_window, [&] {
                                     return prepareGameFolder(gamePath);
                                 }).value_or(StartOutcome::ModelsNotReady);
    if (outcome == StartOutcome::NotInstalled)
        m_window.messageBox(app_texts::NoInstallation, window_texts::ErrorTitle, BoxIconError);
    if (outcome == StartOutcome::AlreadyOpen) {
        m_window.messageBox(Format(app_texts::AlreadyOpen, {gamePath}), app_texts::WindowCaption,
                            BoxIconInformation);
        m_platform.showOtherEditor(ToUtf8(app_texts::WindowCaption));
    }
    return outcome;
}

std::u16string TMain::registeredGamePath()
{
    try {
        return FromUtf8(m_platform.readRegistryText(platform_texts::AppPathsKey,
                                                    platform_texts::AppPathsValue));
    } catch (const Error &) {
        // A value that is not text names no folder: as good as none. Opening
        // the window without a game folder would let the commands write the
        // model file wherever the process happens to stand.
        return {};
    }
}

TMain::StartOutcome TMain::prepareGameFolder(const std::u16string &gamePath)
{
    m_store.LoadReferenceModel();
    m_window.processEvents();
    if (!m_platform.fileExists(utf8(gamePath + std::u16string(app_texts::GameExecutable))))
        return StartOutcome::NotInstalled;
    // A second editor of the same game would write over what the first
    // stores; it must not even clear the first one's temporary files.
    if (!m_platform.claimGameFolder(utf8(gamePath)))
        return StartOutcome::AlreadyOpen;
    // What a save cut off by a crash or a kill left behind.
    m_platform.removeStaleTemporaries(utf8(gamePath));
    installModels(gamePath);
    m_store.LoadWorkingModel();
    if (!m_store.LayoutMatchesReference())
        m_window.messageBox(Format(app_texts::LayoutMismatch,
                                   {m_store.modelFilePath(),
                                    Number(static_cast<long long>(m_store.WorkingModel.size()))}),
                            window_texts::ErrorTitle, BoxIconError);
    return StartOutcome::Ready;
}

void TMain::installModels(const std::u16string &gamePath)
{
    const std::u16string model = gamePath + std::u16string(ModelFileName);
    const std::u16string backup = gamePath + app_texts::BackupFile;
    bool movedAside = false;
    if (!m_platform.fileExists(utf8(backup))) {
        m_platform.moveFile(utf8(model), utf8(backup));
        movedAside = !m_platform.fileExists(utf8(model)) && m_platform.fileExists(utf8(backup));
    }
    if (m_platform.fileExists(utf8(model)))
        return;
    try {
        m_store.InstallDefaultModel();
    } catch (const Error &error) {
        // The game must never be left without a model file: put its own
        // file back, so the backup is made again at the next start.
        if (!movedAside)
            throw;
        m_platform.moveFile(utf8(backup), utf8(model));
        if (m_platform.fileExists(utf8(model)))
            throw;
        // Then the player has to know where the game's file is now.
        throw Error(error.what() + std::string("\r") +
                    ToUtf8(Format(app_texts::BackupNotMovedBack, {backup, model, ModelFileName})));
    }
}

void TMain::applyFonts()
{
    const int first = RegisterFontResource(u"Z7", u"TTF");
    if (first > 0)
        m_window.setFont(u"", {app_texts::FirstFontFamily, 10});
    else if (first == 0)
        m_window.setFont(u"", {app_texts::FallbackFontFamily});

    const int second = RegisterFontResource(u"ZOLT", u"TTF");
    if (second > 0)
        m_window.setFont(names::ImprintLabel,
                         {app_texts::SecondFontFamily, 13, false, Colour{114, 0, 0}});
    else if (second == 0)
        m_window.setFont(u"", {app_texts::FallbackFontFamily});

    m_window.setFont(names::ObjektnameLabel, {u"", 13, true});
}

} // namespace z7
