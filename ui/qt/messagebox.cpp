#include "ui/qt/messagebox.h"

#include "ui/window_texts.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

namespace z7 {
namespace {

struct Seam
{
    bool enabled = false;
    QQueue<int> answers;
    QList<MessageBoxSeam::Shown> shown;
};

Seam &seam()
{
    static Seam s;
    return s;
}

struct ButtonDef
{
    const char16_t *caption;
    QMessageBox::ButtonRole role;
    int result;
};

QList<ButtonDef> buttonsFor(int flags)
{
    switch (flags & 0xF) {
    case MB_OKCANCEL:
        return {{window_texts::Ok, QMessageBox::AcceptRole, IDOK},
                {window_texts::Cancel, QMessageBox::RejectRole, IDCANCEL}};
    case MB_YESNO:
        return {{window_texts::Yes, QMessageBox::YesRole, IDYES},
                {window_texts::No, QMessageBox::NoRole, IDNO}};
    default:
        return {{window_texts::Ok, QMessageBox::AcceptRole, IDOK}};
    }
}

// The messages break lines with a lone CR, which Qt would not honour.
QString withLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

int answerFromSeam(const QString &text, const QString &title, int flags)
{
    Seam &s = seam();
    s.shown.append({text, title, flags});
    if (!s.answers.isEmpty())
        return s.answers.dequeue();
    if ((flags & 0xF) == MB_OK)
        return IDOK;
    qFatal("MessageBoxSeam: no answer queued for \"%s\" (%s, flags %d)", qPrintable(text),
           qPrintable(title), flags);
    return IDCANCEL;
}

} // namespace

int ShowMessage(QWidget *parent, const QString &text, const QString &title, int flags)
{
    if (seam().enabled)
        return answerFromSeam(text, title, flags);

    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(withLineBreaks(text));
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }

    const QList<ButtonDef> defs = buttonsFor(flags);
    QList<QAbstractButton *> buttons;
    for (const ButtonDef &def : defs)
        buttons.append(box.addButton(QString::fromUtf16(def.caption), def.role));
    const int defaultIndex = (flags & MB_DEFBUTTON2) && buttons.size() > 1 ? 1 : 0;
    box.setDefaultButton(static_cast<QPushButton *>(buttons.at(defaultIndex)));
    // Esc and Close answer with the last button: Cancel, No or the lone OK.
    box.setEscapeButton(buttons.constLast());

    box.exec();
    const qsizetype clicked = buttons.indexOf(box.clickedButton());
    return clicked >= 0 ? defs.at(clicked).result : IDCANCEL;
}

void MessageBoxSeam::enable(bool on)
{
    seam().enabled = on;
}

bool MessageBoxSeam::isEnabled()
{
    return seam().enabled;
}

void MessageBoxSeam::queueAnswer(int result)
{
    seam().answers.enqueue(result);
}

QList<MessageBoxSeam::Shown> MessageBoxSeam::shown()
{
    return seam().shown;
}

void MessageBoxSeam::clear()
{
    seam().answers.clear();
    seam().shown.clear();
}

} // namespace z7
