#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace z7 {

// Flags and results as the program's messages use them: the low nibble picks the
// buttons, the next one the icon, the third the default button.
enum : int {
    MB_OK = 0,
    MB_OKCANCEL = 1,
    MB_YESNO = 4,
    MB_ICONERROR = 16,
    MB_ICONQUESTION = 32,
    MB_ICONINFORMATION = 64,
    MB_DEFBUTTON2 = 256,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// A modal message box with German button captions (ui/window_texts.h) whatever
// the system's language. A CR in the text breaks the line.
// Esc and the title bar's Close answer IDCANCEL where there is a Cancel button,
// IDNO for Yes/No and IDOK for a lone OK.
int ShowMessage(QWidget *parent, const QString &text, const QString &title, int flags);

// Lets a test answer the boxes instead of a person. While enabled, ShowMessage
// opens no window: it records what would have been shown and returns the next
// queued answer. With the queue empty, a box with only an OK button answers
// IDOK; any other box is a question nobody prepared for, and the test process
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
