#pragma once

#include "ui/controls.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace z7 {

// The small spin control beside an edit (two arrow buttons, 17 x 22). Its
// arrows, and the Up and Down keys while the associated edit has the focus,
// step the number in the edit as StepUpDown (ui/window_rules.h) says.
//
// Not a tab stop and never focused itself; clicking an arrow puts the focus on
// the associated edit.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);
    ~UpDown() override;

    void setAssociate(QLineEdit *edit);
    QLineEdit *associate() const { return m_associate.data(); }

    void setRange(int minimum, int maximum); // defaults 0, 100
    void setIncrement(int increment);        // default 1

    // The position after the last step (0 before the first).
    int position() const { return m_position; }

    // Steps as one click on the up (+1) or down (-1) arrow would.
    void step(int direction);

signals:
    // After a step has written its text, only when the new position differs
    // from the position after the previous step.
    void clicked();
    // After every step that wrote the edit's text, whether or not clicked()
    // followed.
    void stepped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPointer<QLineEdit> m_associate;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    ControlDef m_rule{}; // only the range and the step count
    int m_position = 0;
};

} // namespace z7
