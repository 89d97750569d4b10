#pragma once

#include <QPushButton>

namespace z7 {

// A push button that the Tab key skips but a mouse click focuses, so that
// clicked() handlers can ask which control has the focus. Enter and Return
// click it while it has the focus, as Space does. A button that must be a tab
// stop gets setFocusPolicy(Qt::StrongFocus).
class PushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit PushButton(QWidget *parent = nullptr);
    explicit PushButton(const QString &text, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace z7
