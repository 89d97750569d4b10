#pragma once

#include <QLineEdit>

namespace z7 {

// A single-line edit with a thin flat border that reports every key release.
class ValueEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit ValueEdit(QWidget *parent = nullptr);

    // When on, typed characters other than 0-9 are refused. It filters keys
    // only: setText("-3") still works, paste is not filtered, and editing keys
    // and shortcuts pass.
    void setDigitsOnly(bool on);
    bool digitsOnly() const { return m_digitsOnly; }

signals:
    // A key was released while the edit had the focus; also the release of the
    // Tab key that moved the focus into it. Auto-repeat releases do not count.
    void keyReleased();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_digitsOnly = false;
};

} // namespace z7
