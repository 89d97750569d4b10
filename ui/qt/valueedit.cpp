#include "ui/qt/valueedit.h"

#include <QKeyEvent>
#include <QPainter>

namespace z7 {

ValueEdit::ValueEdit(QWidget *parent)
    : QLineEdit(parent)
{
    // The frame is drawn in paintEvent: one thin line instead of the style's
    // sunken panel.
    setFrame(false);
    setTextMargins(2, 1, 2, 1);
}

void ValueEdit::setDigitsOnly(bool on)
{
    m_digitsOnly = on;
}

void ValueEdit::keyPressEvent(QKeyEvent *event)
{
    if (m_digitsOnly) {
        const QString typed = event->text();
        const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
        if (printable && !shortcut) {
            for (QChar c : typed) {
                if (c < u'0' || c > u'9') {
                    event->accept();
                    return;
                }
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void ValueEdit::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased();
}

void ValueEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace z7
