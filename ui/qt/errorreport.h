#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <utility>

namespace z7 {

// The program file's name up to its first dot, every letter after the first
// in lower case ("Z7Edit.exe" -> "Z7edit").
QString ErrorReportTitle();
// The same for any program file path.
QString ErrorReportTitle(const QString &programFile);

// The default error report: an error box (flags 16) titled ErrorReportTitle().
// A "." is appended unless the message ends in a character of code 46 or lower.
void ReportError(const QString &message);

// Runs f; an exception that leaves it is reported and the caller goes on.
// Returns false when it caught one. Every signal that reaches the program's
// handlers goes through here: Qt's event delivery is not exception safe, so
// nothing may unwind into it.
template <class F> bool Guarded(F &&f)
{
    try {
        std::forward<F>(f)();
        return true;
    } catch (const std::exception &e) {
        ReportError(QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace z7
