#pragma once

#include <QToolButton>

namespace z7 {

// A two-state button that stays down when clicked and comes up on the next
// click. A click flips the state and then emits clicked(); setDown() from the
// program changes the state only, emitting nothing. It never takes the focus
// and looks pressed while down.
class SpeedButton : public QToolButton
{
    Q_OBJECT
public:
    explicit SpeedButton(QWidget *parent = nullptr);

    // These hide QAbstractButton's momentary "pressed" state on purpose: for
    // this button, down is the lasting toggle state.
    bool isDown() const { return isChecked(); }
    void setDown(bool down);
};

} // namespace z7
