// The contract's driver on the window in memory: its own actions are the
// user's input.

#include "tests/contract/window_driver.h"
#include "tests/support/fake_window.h"
#include "ui/window_rules.h"

namespace z7::contract {
namespace {

class FakeDriver final : public WindowDriver
{
public:
    Window &open(const WindowDef &window, std::span<const ControlDef> controls,
                 WindowEvents &events) override
    {
        m_window.create(window, controls, events);
        return m_window;
    }
    void click(std::u16string_view control) override { m_window.click(control); }
    void clickNode(int index) override { m_window.select(index); }
    void typeKeys(std::u16string_view text) override { m_window.typeKeys(text); }
    void press(Key key) override
    {
        using FakeKey = test::FakeWindow::Key;
        static constexpr FakeKey keys[] = {FakeKey::Tab,   FakeKey::ShiftTab, FakeKey::Up,
                                           FakeKey::Down,  FakeKey::Enter,    FakeKey::Space,
                                           FakeKey::Escape};
        m_window.press(keys[int(key)]);
    }
    void clickArrow(std::u16string_view upDown, int direction) override
    {
        m_window.step(upDown, direction);
    }
    void answerNextBox(BoxAction action) override
    {
        if (action.kind == BoxAction::Press)
            m_window.queueButton(action.button);
        else
            m_window.queueEscape();
    }
    std::vector<SeenBox> seenBoxes() const override
    {
        std::vector<SeenBox> seen;
        for (const test::FakeWindow::Shown &shown : m_window.shown()) {
            SeenBox box{shown.title, {}, {}, int(BoxDefaultButton(shown.flags))};
            const std::u16string text = BoxTextLines(shown.text, u"\n");
            for (std::size_t start = 0;;) {
                const std::size_t end = text.find(u'\n', start);
                box.lines.push_back(text.substr(start, end - start));
                if (end == std::u16string::npos)
                    break;
                start = end + 1;
            }
            for (const BoxButton &button : BoxButtons(shown.flags))
                box.buttons.push_back(button.caption);
            seen.push_back(box);
        }
        return seen;
    }

private:
    test::FakeWindow m_window;
};

} // namespace

std::unique_ptr<WindowDriver> MakeDriver()
{
    return std::make_unique<FakeDriver>();
}

} // namespace z7::contract
