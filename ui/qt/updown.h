#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace z7 {

// The small spin control beside an edit (two arrow buttons, 17 x 22). Its
// arrows, and the Up and Down keys while the associated edit has the focus,
// step the number in the edit and write it back as plain decimal text.
//
// Where a step starts: the edit's text as a whole decimal number (surrounding
// spaces allowed), first clamped into the range; a text that is no whole number
// ("", "abc", "1.5") starts from position(), the result of the previous step.
// The result is clamped to the range; it never wraps.
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
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setIncrement(int increment); // default 1
    int increment() const { return m_increment; }

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
    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
    int m_position = 0;
};

} // namespace z7
