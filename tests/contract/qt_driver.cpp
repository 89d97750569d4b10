// The contract's driver on the Linux program's window: real mouse and key
// events through the window system (offscreen), and real message boxes,
// read and answered from a timer while they run modal.

#include "model/text.h"
#include "tests/contract/window_driver.h"
#include "tests/support/test_main.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/qtext.h"
#include "ui/qt/treeview.h"
#include "ui/window_rules.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace z7::contract {
namespace {

// Real boxes: the seam would answer them without a window.
[[maybe_unused]] const bool options = test::SetTestMainOptions({.messageBoxSeam = false});

// A press and release of the left button at point of widget, delivered as
// the window system delivers them: to whatever lies there in its window.
void ClickAt(QWidget *widget, QPoint point)
{
    QWidget *top = widget->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(top, point));
}

class QtDriver final : public WindowDriver
{
public:
    QtDriver()
    {
        m_boxTimer.setInterval(10);
        QObject::connect(&m_boxTimer, &QTimer::timeout, [this] { answerBox(); });
    }

    Window &open(const WindowDef &window, std::span<const ControlDef> controls,
                 WindowEvents &events) override
    {
        m_window.create(window, controls, events);
        m_window.show();
        m_window.widget()->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.widget()))
            ADD_FAILURE() << "the window did not become active";
        return m_window;
    }

    void click(std::u16string_view control) override
    {
        if (QWidget *widget = widgetOf(control))
            ClickAt(widget, widget->rect().center());
        settle();
    }

    void clickNode(int index) override
    {
        // The nodes in the order they were given are the tree's order from the top.
        TreeView *tree = m_window.tree();
        QTreeWidgetItem *item = nullptr;
        int passed = 0;
        for (QTreeWidgetItemIterator it(tree); *it && passed <= index; ++it, ++passed)
            item = *it;
        if (index < 0 || passed <= index) {
            ADD_FAILURE() << "the tree has no node " << index;
            return;
        }
        tree->scrollToItem(item); // opens the groups above it, as the player would
        const QRect row = tree->visualItemRect(item);
        // The caption starts at the row's left; the rest of the row is empty.
        const int captionWidth = tree->fontMetrics().horizontalAdvance(item->text(0));
        ClickAt(tree->viewport(), QPoint(row.left() + captionWidth / 2 + 2, row.center().y()));
        settle();
    }

    void typeKeys(std::u16string_view text) override
    {
        for (char16_t c : text) {
            if (c < 128)
                QTest::keyClick(focusWindow(), char(c));
            else
                QTest::sendKeyEvent(QTest::Click, focusWindow(), Qt::Key_unknown,
                                    toQString(std::u16string_view(&c, 1)), Qt::NoModifier);
            settle();
        }
    }

    void press(Key key) override
    {
        static constexpr Qt::Key keys[] = {Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Up,
                                           Qt::Key_Down,  Qt::Key_Return,  Qt::Key_Space,
                                           Qt::Key_Escape};
        QWindow *window = focusWindow();
        if (key == Key::ShiftTab) {
            // One key with Shift held in the keyboard's state, as the Win32
            // driver sends it: the Shift key's own release would also reach
            // the control the focus went to.
            QTest::simulateEvent(window, true, Qt::Key_Backtab, Qt::ShiftModifier, QString(),
                                 false);
            QTest::simulateEvent(window, false, Qt::Key_Backtab, Qt::ShiftModifier, QString(),
                                 false);
        } else {
            QTest::keyClick(window, keys[int(key)]);
        }
        settle();
    }

    void clickArrow(std::u16string_view upDown, int direction) override
    {
        QWidget *widget = widgetOf(upDown);
        auto *arrow = widget ? widget->findChild<QToolButton *>(
                                   direction > 0 ? QStringLiteral("up") : QStringLiteral("down"))
                             : nullptr;
        if (!arrow) {
            ADD_FAILURE() << "no arrow on the up-down";
            return;
        }
        ClickAt(arrow, arrow->rect().center());
        settle();
    }

    void answerNextBox(BoxAction action) override
    {
        m_actions.push_back(action);
        m_boxTimer.start();
    }

    std::vector<SeenBox> seenBoxes() const override { return m_seen; }

private:
    // The widget of a control, made first if the window makes it when needed.
    QWidget *widgetOf(std::u16string_view name)
    {
        if (!m_window.findControl(name)) {
            ADD_FAILURE() << "the window has no control " << ToUtf8(name);
            return nullptr;
        }
        const std::u16string folded = FoldName(name);
        for (QWidget *w : m_window.widget()->findChildren<QWidget *>()) {
            if (FoldName(toU16View(w->objectName())) == folded)
                return w;
        }
        ADD_FAILURE() << "no widget named " << ToUtf8(name);
        return nullptr;
    }

    QWindow *focusWindow() const
    {
        QWidget *focus = QApplication::focusWidget();
        return (focus ? focus->window() : m_window.widget())->windowHandle();
    }

    // What the event loop would do before the player's next action.
    static void settle() { QCoreApplication::processEvents(); }

    void answerBox()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        // Read the box once it has the keyboard, as the player sees it.
        if (!box || box == m_answered || !box->isActiveWindow() || m_actions.empty())
            return;
        m_answered = box;
        const BoxAction action = m_actions.front();
        m_actions.pop_front();
        if (m_actions.empty())
            m_boxTimer.stop();

        QList<QAbstractButton *> buttons = box->buttons();
        std::sort(buttons.begin(), buttons.end(), [box](QAbstractButton *a, QAbstractButton *b) {
            return a->mapTo(box, QPoint()).x() < b->mapTo(box, QPoint()).x();
        });
        SeenBox seen;
        seen.title = toU16(box->windowTitle());
        for (const QString &line : box->text().split(u'\n'))
            seen.lines.push_back(toU16(line));
        for (QAbstractButton *button : buttons)
            seen.buttons.push_back(toU16(button->text()));
        seen.defaultButton = int(buttons.indexOf(box->focusWidget()));
        m_seen.push_back(seen);

        switch (action.kind) {
        case BoxAction::Press:
            if (action.button >= 0 && action.button < buttons.size()) {
                QAbstractButton *button = buttons.at(action.button);
                ClickAt(button, button->rect().center());
            } else {
                ADD_FAILURE() << "the box has no button " << action.button;
                box->reject();
            }
            break;
        case BoxAction::Escape:
            QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
            break;
        case BoxAction::Close:
            // As the window manager asks when the frame's Close is clicked.
            box->windowHandle()->close();
            break;
        }
    }

    QtWindow m_window;
    QTimer m_boxTimer;
    std::deque<BoxAction> m_actions;
    QPointer<QMessageBox> m_answered;
    std::vector<SeenBox> m_seen;
};

} // namespace

std::unique_ptr<WindowDriver> MakeDriver()
{
    return std::make_unique<QtDriver>();
}

} // namespace z7::contract
