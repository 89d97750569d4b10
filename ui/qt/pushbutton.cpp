#include "ui/qt/pushbutton.h"

#include <QKeyEvent>

namespace z7 {

PushButton::PushButton(QWidget *parent)
    : PushButton(QString(), parent)
{
}

PushButton::PushButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setAutoDefault(false);
}

void PushButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace z7
