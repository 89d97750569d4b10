#include "ui/qt/updown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <optional>

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

// A whole decimal number, optionally signed and surrounded by spaces.
std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
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
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
}

void UpDown::setIncrement(int increment)
{
    m_increment = increment;
}

void UpDown::step(int direction)
{
    int start = m_position;
    if (m_associate) {
        if (const auto typed = wholeNumber(m_associate->text()))
            start = *typed;
    }
    start = std::clamp(start, m_min, m_max);
    const qint64 wanted = qint64(start) + qint64(direction) * m_increment;
    const int next = int(std::clamp<qint64>(wanted, m_min, m_max));

    if (m_associate)
        m_associate->setText(QString::number(next));

    const int previous = m_position;
    m_position = next;
    emit stepped();
    if (next != previous)
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
