#include "ui/qt/speedbutton.h"

#include <QSignalBlocker>

namespace z7 {

SpeedButton::SpeedButton(QWidget *parent)
    : QToolButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setAutoRaise(false);
}

void SpeedButton::setDown(bool down)
{
    const QSignalBlocker quiet(this);
    setChecked(down);
}

} // namespace z7
