#pragma once

#include "ui/window.h"

#include <QList>
#include <QString>

class QWidget;

namespace z7 {

// Flags and results: MB_* and ID* of ui/window.h.

// A modal message box with the buttons, captions and line breaks of
// ui/window_rules.h, whatever the system's language and desktop. Esc and the
// title bar's Close answer BoxDismissed in every box.
int ShowMessage(QWidget *parent, const QString &text, const QString &title, int flags);

// Lets a test answer the boxes instead of a person. While enabled, ShowMessage
// opens no window: it records what would have been shown and returns the next
// queued answer. With the queue empty, a box with only an OK button answers
// AnswerOk; any other box is a question nobody prepared for, and the test process
// stops with qFatal naming the text.
class MessageBoxSeam
{
public:
    struct Shown
    {
        QString text;
        QString title;
        int flags = 0;
    };

    static void enable(bool on = true);
    static bool isEnabled();
    static void queueAnswer(int result);
    static QList<Shown> shown();
    // Forgets the shown boxes and the answers not yet used.
    static void clear();
};

} // namespace z7
