// The start-up sequence of the window, in its fixed order.
#include "app/tmain.h"

#include "app/app_texts.h"
#include "catalogue/catalogue.h"
#include "platform/error.h"
#include "ui/qt/errorreport.h"
#include "ui/qt/messagebox.h"
#include "platform/platform.h"
#include "model/resource.h"
#include "ui/qt/qtext.h"
#include "resources/qt_resource_source.h"
#include "platform/services.h"
#include "platform/platform_texts.h"
#include "model/text.h"
#include "ui/window_texts.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>

namespace z7 {

namespace {

std::string utf8(const QString &s)
{
    return s.toStdString();
}

} // namespace

int TMain::RegisterFontResource(const QString &type, const QString &name)
{
    const QByteArray bytes =
        QByteArray::fromStdString(ReadResource(ProgramResources(), toU16(type), toU16(name)));
    // Font ids start at 0; the handle keeps 0 for "not registered".
    return QFontDatabase::addApplicationFontFromData(bytes) + 1;
}

void TMain::ExtractGuide(const QString &path)
{
    m_platform.writeFile(utf8(path), ReadResource(ProgramResources(), TextResourceType, u"PDF"));
}

TMain::StartResult TMain::FormCreate()
{
    if (IsProcessRunning(m_platform, app_texts::GameProcess))
        ShowMessage(nullptr, toQString(app_texts::GameRunning),
                    toQString(window_texts::ErrorTitle), MB_ICONERROR);

    QString gamePath;
    // A registry value that is not text is reported; the path then stays empty
    // and the window opens without a model, as nothing can be edited.
    const bool registryRead = Guarded([&] {
        gamePath = QString::fromStdString(m_platform.readRegistryText(
            platform_texts::AppPathsKey, platform_texts::AppPathsValue));
    });
    if (!registryRead)
        return StartResult::Run;
    if (gamePath.isEmpty()) {
        ShowMessage(nullptr, toQString(app_texts::NoInstallation),
                    toQString(window_texts::ErrorTitle), MB_ICONERROR);
        return StartResult::End;
    }
    if (!gamePath.endsWith(u'\\'))
        gamePath += u'\\';
    m_store.setGamePath(toU16(gamePath));

    bool gameFound = true;
    bool alreadyOpen = false;
    const bool modelsReady = Guarded([&] {
        m_store.LoadReferenceModel();
        QCoreApplication::processEvents();
        if (!m_platform.fileExists(utf8(gamePath + toQString(app_texts::GameExecutable)))) {
            gameFound = false;
            return;
        }
        // A second editor of the same game would write over what the first
        // stores; it must not even clear the first one's temporary files.
        if (!m_platform.claimGameFolder(utf8(gamePath))) {
            alreadyOpen = true;
            return;
        }
        // What a save cut off by a crash or a kill left behind.
        m_platform.removeStaleTemporaries(utf8(gamePath));
        const QString model = gamePath + toQString(ModelFileName);
        const QString backup = gamePath + toQString(app_texts::BackupFile);
        bool movedAside = false;
        if (!m_platform.fileExists(utf8(backup))) {
            m_platform.moveFile(utf8(model), utf8(backup));
            movedAside = !m_platform.fileExists(utf8(model)) && m_platform.fileExists(utf8(backup));
        }
        if (!m_platform.fileExists(utf8(model))) {
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
                throw Error(error.what() + std::string("\r")
                            + ToUtf8(Format(app_texts::BackupNotMovedBack,
                                            {toU16(backup), toU16(model), ModelFileName})));
            }
        }
        m_store.LoadWorkingModel();
        if (!m_store.LayoutMatchesReference())
            ShowMessage(nullptr,
                        toQString(Format(app_texts::LayoutMismatch,
                                         {m_store.modelFilePath(),
                                          Number(qsizetype(m_store.WorkingModel.size()))})),
                        toQString(window_texts::ErrorTitle), MB_ICONERROR);
    });
    if (!gameFound) {
        ShowMessage(nullptr, toQString(app_texts::NoInstallation),
                    toQString(window_texts::ErrorTitle), MB_ICONERROR);
        return StartResult::End;
    }
    if (alreadyOpen) {
        ShowMessage(nullptr, toQString(Format(app_texts::AlreadyOpen, {toU16(gamePath)})),
                    toQString(app_texts::WindowCaption), MB_ICONINFORMATION);
        m_platform.showOtherEditor(ToUtf8(app_texts::WindowCaption));
        return StartResult::End;
    }
    if (!modelsReady)
        return StartResult::Run;

    // A guide that cannot be written is reported, but the editor still gets
    // its fonts and its catalogue.
    Guarded([&] {
        const std::string documents = SpecialFolderPath(m_platform, DocumentsFolderNumber);
        m_platform.removeStaleTemporaries(documents);
        const QString guide = QString::fromStdString(documents) + toQString(app_texts::GuideFile);
        if (!m_platform.fileExists(utf8(guide)))
            ExtractGuide(guide);
    });

    const bool rest = Guarded([&] {
        applyFonts();
        BuildCatalogue(m_tree);
    });
    Q_UNUSED(rest);
    return StartResult::Run;
}

void TMain::applyFonts()
{
    const qint32 first = RegisterFontResource(QStringLiteral("Z7"), QStringLiteral("TTF"));
    if (first > 0) {
        QFont f = font();
        f.setFamilies({toQString(app_texts::FirstFontFamily)});
        f.setPointSize(10);
        setFont(f);
    } else if (first == 0) {
        QFont f = font();
        f.setFamilies({toQString(app_texts::FallbackFontFamily)});
        setFont(f);
    }

    const qint32 second = RegisterFontResource(QStringLiteral("ZOLT"), QStringLiteral("TTF"));
    if (second > 0) {
        QFont f = m_imprintLabel->font();
        f.setFamilies({toQString(app_texts::SecondFontFamily)});
        f.setPointSize(13);
        m_imprintLabel->setFont(f);
        QPalette pal = m_imprintLabel->palette();
        pal.setColor(QPalette::WindowText, QColor(114, 0, 0));
        m_imprintLabel->setPalette(pal);
    } else if (second == 0) {
        QFont f = font();
        f.setFamilies({toQString(app_texts::FallbackFontFamily)});
        setFont(f);
    }

    QFont header = m_objektnameLabel->font();
    header.setPointSize(13);
    header.setBold(true);
    m_objektnameLabel->setFont(header);
}

} // namespace z7
