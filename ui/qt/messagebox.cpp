#include "ui/qt/messagebox.h"

#include "ui/qt/qtext.h"
#include "ui/window_rules.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

#include <vector>

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

// Esc and the frame's Close leave the box without pressing a button, in
// every box: a question left so is not answered No.
class Box : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    // QMessageBox would press its escape button, or refuse to close without one.
    void closeEvent(QCloseEvent *event) override { QDialog::closeEvent(event); }
};

int answerFromSeam(const QString &text, const QString &title, int flags)
{
    Seam &s = seam();
    s.shown.append({text, title, flags});
    if (!s.answers.isEmpty())
        return s.answers.dequeue();
    if ((flags & 0xF) == BoxOk)
        return AnswerOk;
    qFatal("MessageBoxSeam: no answer queued for \"%s\" (%s, flags %d)", qPrintable(text),
           qPrintable(title), flags);
    return AnswerCancel;
}

} // namespace

int ShowMessage(QWidget *parent, const QString &text, const QString &title, int flags)
{
    if (seam().enabled)
        return answerFromSeam(text, title, flags);

    Box box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(BoxTextLines(toU16View(text), u"\n")));
    switch (flags & 0xF0) {
    case BoxIconError:
        box.setIcon(QMessageBox::Critical);
        break;
    case BoxIconQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case BoxIconInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }

    // One role for all buttons: the platform's button order (No before Yes
    // on some desktops) would otherwise rearrange them.
    const std::vector<BoxButton> defs = BoxButtons(flags);
    QList<QAbstractButton *> buttons;
    for (const BoxButton &def : defs)
        buttons.append(box.addButton(QString::fromUtf16(def.caption), QMessageBox::ActionRole));
    box.setDefaultButton(
        static_cast<QPushButton *>(buttons.at(qsizetype(BoxDefaultButton(flags)))));

    box.exec();
    const qsizetype clicked = buttons.indexOf(box.clickedButton());
    return clicked >= 0 ? defs.at(std::size_t(clicked)).result : BoxDismissed;
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
