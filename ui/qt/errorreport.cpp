#include "ui/qt/errorreport.h"

#include "ui/qt/messagebox.h"

#include <QFileInfo>

namespace z7 {

QString ErrorReportTitle()
{
    return ErrorReportTitle(QCoreApplication::applicationFilePath());
}

QString ErrorReportTitle(const QString &programFile)
{
    QString name = QFileInfo(programFile).fileName();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

void ReportError(const QString &message)
{
    QString text = message;
    if (!text.isEmpty() && text.back().unicode() > u'.')
        text += u'.';
    ShowMessage(QApplication::activeWindow(), text, ErrorReportTitle(), MB_OK | MB_ICONERROR);
}

} // namespace z7
