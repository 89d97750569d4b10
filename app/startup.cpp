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
        ShowMessage(nullptr, app_texts::gameRunning(), app_texts::errorTitle(), MB_ICONERROR);

    QString gamePath;
    // A registry value that is not text is reported; the path then stays empty
    // and the window opens without a model, as nothing can be edited.
    const bool registryRead = Guarded([&] {
        gamePath = QString::fromStdString(
            m_platform.readRegistryText(app_texts::AppPathsKey, app_texts::AppPathsValue));
    });
    if (!registryRead)
        return StartResult::Run;
    if (gamePath.isEmpty()) {
        ShowMessage(nullptr, app_texts::noInstallation(), app_texts::errorTitle(), MB_ICONERROR);
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
        if (!m_platform.fileExists(utf8(gamePath + app_texts::gameExecutable()))) {
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
        const QString backup = gamePath + app_texts::backupFile();
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
                            + utf8(app_texts::backupNotMovedBack(backup, model)));
            }
        }
        m_store.LoadWorkingModel();
        if (!m_store.LayoutMatchesReference())
            ShowMessage(nullptr,
                        app_texts::layoutMismatch(toQString(m_store.modelFilePath()),
                                                  qsizetype(m_store.WorkingModel.size())),
                        app_texts::errorTitle(), MB_ICONERROR);
    });
    if (!gameFound) {
        ShowMessage(nullptr, app_texts::noInstallation(), app_texts::errorTitle(), MB_ICONERROR);
        return StartResult::End;
    }
    if (alreadyOpen) {
        ShowMessage(nullptr, app_texts::alreadyOpen(gamePath), app_texts::windowCaption(),
                    MB_ICONINFORMATION);
        m_platform.showOtherEditor(utf8(app_texts::windowCaption()));
        return StartResult::End;
    }
    if (!modelsReady)
        return StartResult::Run;

    // A guide that cannot be written is reported, but the editor still gets
    // its fonts and its catalogue.
    Guarded([&] {
        const std::string documents = SpecialFolderPath(m_platform, DocumentsFolderNumber);
        m_platform.removeStaleTemporaries(documents);
        const QString guide = QString::fromStdString(documents) + app_texts::guideFile();
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
        f.setFamilies({app_texts::firstFontFamily()});
        f.setPointSize(10);
        setFont(f);
    } else if (first == 0) {
        QFont f = font();
        f.setFamilies({app_texts::fallbackFontFamily()});
        setFont(f);
    }

    const qint32 second = RegisterFontResource(QStringLiteral("ZOLT"), QStringLiteral("TTF"));
    if (second > 0) {
        QFont f = m_imprintLabel->font();
        f.setFamilies({app_texts::secondFontFamily()});
        f.setPointSize(13);
        m_imprintLabel->setFont(f);
        QPalette pal = m_imprintLabel->palette();
        pal.setColor(QPalette::WindowText, QColor(114, 0, 0));
        m_imprintLabel->setPalette(pal);
    } else if (second == 0) {
        QFont f = font();
        f.setFamilies({app_texts::fallbackFontFamily()});
        setFont(f);
    }

    QFont header = m_objektnameLabel->font();
    header.setPointSize(13);
    header.setBold(true);
    m_objektnameLabel->setFont(header);
}

} // namespace z7
