#include "ui/qt/updown.h"

#include "ui/qt/qtext.h"
#include "ui/window_rules.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace z7 {
namespace {

QToolButton *makeArrow(QWidget *parent, Qt::ArrowType arrow, const QString &name)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    return button;
}

} // namespace

UpDown::UpDown(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    m_up = makeArrow(this, Qt::UpArrow, QStringLiteral("up"));
    m_down = makeArrow(this, Qt::DownArrow, QStringLiteral("down"));
    // Pressed, not clicked: a step happens as the button goes down and again
    // with each auto-repeat while it is held.
    const auto arrow = [this](int direction) {
        return [this, direction] {
            if (m_associate && m_associate->focusPolicy() != Qt::NoFocus)
                m_associate->setFocus(Qt::MouseFocusReason);
            step(direction);
        };
    };
    connect(m_up, &QToolButton::pressed, this, arrow(+1));
    connect(m_down, &QToolButton::pressed, this, arrow(-1));
    resize(17, 22);
}

UpDown::~UpDown()
{
    if (m_associate)
        m_associate->removeEventFilter(this);
}

void UpDown::setAssociate(QLineEdit *edit)
{
    if (m_associate)
        m_associate->removeEventFilter(this);
    m_associate = edit;
    if (m_associate)
        m_associate->installEventFilter(this);
}

void UpDown::setRange(int minimum, int maximum)
{
    m_rule.minimum = minimum;
    m_rule.maximum = maximum;
}

void UpDown::setIncrement(int increment)
{
    m_rule.step = increment;
}

void UpDown::step(int direction)
{
    const UpDownStep next = StepUpDown(
        m_rule, m_associate ? toU16(m_associate->text()) : std::u16string(), m_position, direction);
    if (m_associate)
        m_associate->setText(toQString(next.text));
    m_position = next.position;
    emit stepped();
    if (next.clicked)
        emit clicked();
}

bool UpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_associate && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}

} // namespace z7
