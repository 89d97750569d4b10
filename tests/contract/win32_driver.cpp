// The contract's driver on the Windows program's window, under Wine: the
// user's input as the system delivers it, mouse and key messages posted to
// the window under the pointer or with the focus and the message loop
// pumped; message boxes read and left from a timer that runs in their own
// modal loop.

#include "tests/contract/window_driver.h"
#include "ui/win32/win32_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>

namespace z7::contract {
namespace {

class NoResources final : public ResourceSource
{
public:
    std::optional<std::string> bytes(std::u16string_view, std::u16string_view) const override
    {
        return std::nullopt;
    }
};

std::u16string WindowText(HWND hwnd)
{
    std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, reinterpret_cast<wchar_t *>(text.data()), int(text.size()))));
    return text;
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND> *>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// The lines a box's text shows: CR LF, a lone CR and a lone LF each break.
std::vector<std::u16string> Lines(std::u16string_view text)
{
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

// A key message's lParam as the system fills it: one press, the key's scan
// code, and for a release the bits of a key that was down.
LPARAM KeyData(WPARAM key, bool up)
{
    const LPARAM scan = LPARAM(::MapVirtualKeyW(UINT(key), MAPVK_VK_TO_VSC)) << 16;
    return scan | 1 | (up ? LPARAM(0xC0000000) : 0);
}

class Win32Driver;
Win32Driver *g_driver = nullptr; // the timer of a box has no room for its owner

class Win32Driver final : public WindowDriver
{
public:
    Win32Driver()
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        g_driver = this;
    }
    ~Win32Driver() override
    {
        if (m_timer)
            ::KillTimer(nullptr, m_timer);
        m_window.reset();
        g_driver = nullptr;
        ::CoUninitialize();
    }

    Window &open(const WindowDef &window, std::span<const ControlDef> controls,
                 WindowEvents &events) override
    {
        m_window = std::make_unique<Win32Window>(::GetModuleHandleW(nullptr), m_resources);
        m_window->create(window, controls, events);
        for (const ControlDef &d : controls) {
            if (d.kind == ControlKind::Tree)
                m_tree = d.name;
        }
        m_window->show();
        pump();
        EXPECT_TRUE(::IsWindowVisible(m_window->handle()));
        return *m_window;
    }

    void click(std::u16string_view control) override
    {
        RECT where{};
        HWND surface = m_window->surfaceOf(control, &where);
        ASSERT_NE(surface, nullptr) << "no control " << std::string(control.begin(), control.end());
        clickAt(surface, {(where.left + where.right) / 2, (where.top + where.bottom) / 2});
    }

    void clickNode(int index) override
    {
        HWND tree = m_window->controlHandle(m_tree);
        ASSERT_NE(tree, nullptr);
        HTREEITEM item = nodeItem(tree, index);
        ASSERT_NE(item, nullptr) << "no node " << index;
        RECT rect{};
        ASSERT_TRUE(TreeView_GetItemRect(tree, item, &rect, TRUE)) << "node " << index;
        clickAt(tree, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }

    void typeKeys(std::u16string_view text) override
    {
        // A key for each character as the keyboard layout has it, Shift held
        // in the key state where it needs it: the message loop's
        // TranslateMessage makes the character, as from a real keyboard.
        for (char16_t c : text) {
            const SHORT scan = ::VkKeyScanW(wchar_t(c));
            ASSERT_NE(scan, -1) << "no key for character " << int(c);
            key(LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
        }
    }

    void press(Key which) override
    {
        static constexpr WPARAM keys[] = {VK_TAB,    VK_TAB,   VK_UP,    VK_DOWN,
                                          VK_RETURN, VK_SPACE, VK_ESCAPE};
        key(keys[int(which)], which == Key::ShiftTab);
    }

    void clickArrow(std::u16string_view upDown, int direction) override
    {
        HWND arrows = m_window->controlHandle(upDown);
        ASSERT_NE(arrows, nullptr);
        RECT client;
        ::GetClientRect(arrows, &client);
        const int y = direction > 0 ? client.bottom / 4 : client.bottom * 3 / 4;
        clickAt(arrows, {client.right / 2, y});
    }

    void answerNextBox(BoxAction action) override
    {
        m_pending.push_back(action);
        if (!m_timer)
            m_timer = ::SetTimer(nullptr, 0, 10, &Win32Driver::onTimer);
    }

    std::vector<SeenBox> seenBoxes() const override { return m_seen; }

private:
    void pump()
    {
        // Twice: what the first round posts (a button's click after its
        // release, say) is handled in the second.
        m_window->processEvents();
        m_window->processEvents();
    }

    // The key down and up at the control with the focus as each arrives:
    // the release goes where the press has moved the focus.
    void key(WPARAM virtualKey, bool shift)
    {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        ::PostMessageW(::GetFocus(), WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
        pump();
        ::PostMessageW(::GetFocus(), WM_KEYUP, virtualKey, KeyData(virtualKey, true));
        pump();
        state[VK_SHIFT] = 0;
        ::SetKeyboardState(state);
    }

    // The left button pressed and released at a point of a window, sent to
    // the window the system would find under it: the deepest visible and
    // enabled child. A disabled control's click reaches its parent.
    void clickAt(HWND window, POINT point)
    {
        ::ClientToScreen(window, &point);
        HWND target = m_window->handle();
        for (;;) {
            POINT inside = point;
            ::ScreenToClient(target, &inside);
            HWND child = ::ChildWindowFromPointEx(
                target, inside, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
            if (!child || child == target)
                break;
            target = child;
        }
        ::ScreenToClient(target, &point);
        const LPARAM at = MAKELPARAM(point.x, point.y);
        ::PostMessageW(target, WM_MOUSEMOVE, 0, at);
        ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(target, WM_LBUTTONUP, 0, at);
        pump();
    }

    // The item of node index: the window keeps each node's index as the
    // item's data.
    static HTREEITEM nodeItem(HWND tree, int index)
    {
        std::function<HTREEITEM(HTREEITEM)> walk = [&](HTREEITEM item) -> HTREEITEM {
            for (; item; item = TreeView_GetNextSibling(tree, item)) {
                TVITEMW data{};
                data.mask = TVIF_PARAM | TVIF_HANDLE;
                data.hItem = item;
                if (TreeView_GetItem(tree, &data) && data.lParam == index)
                    return item;
                if (HTREEITEM found = walk(TreeView_GetChild(tree, item)))
                    return found;
            }
            return nullptr;
        };
        return walk(TreeView_GetRoot(tree));
    }

    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (g_driver)
            g_driver->answerBox();
    }

    // Runs in the box's own message loop: reads the box as the user sees it
    // and leaves it as asked.
    void answerBox()
    {
        HWND box = nullptr;
        for (HWND candidate : threadWindows()) {
            if (ClassOf(candidate) == L"#32770" && ::IsWindowVisible(candidate))
                box = candidate;
        }
        if (!box || m_pending.empty())
            return;
        const BoxAction action = m_pending.front();
        m_pending.pop_front();
        if (m_pending.empty()) {
            ::KillTimer(nullptr, m_timer);
            m_timer = 0;
        }

        SeenBox seen;
        seen.title = WindowText(box);
        std::vector<HWND> buttons;
        for (HWND child : Children(box)) {
            if (!::IsWindowVisible(child))
                continue;
            const std::wstring kind = ClassOf(child);
            if (_wcsicmp(kind.c_str(), L"Button") == 0)
                buttons.push_back(child);
            else if (_wcsicmp(kind.c_str(), L"Static") == 0 && ::GetWindowTextLengthW(child) > 0)
                seen.lines = Lines(WindowText(child));
        }
        std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) {
            RECT ra, rb;
            ::GetWindowRect(a, &ra);
            ::GetWindowRect(b, &rb);
            return ra.left < rb.left;
        });
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            seen.buttons.push_back(WindowText(buttons[i]));
            if (buttons[i] == ::GetFocus())
                seen.defaultButton = int(i);
        }
        m_seen.push_back(seen);

        switch (action.kind) {
        case BoxAction::Press:
            if (action.button >= 0 && std::size_t(action.button) < buttons.size()) {
                HWND button = buttons[std::size_t(action.button)];
                RECT client;
                ::GetClientRect(button, &client);
                const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
                ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
                ::PostMessageW(button, WM_LBUTTONUP, 0, at);
            } else {
                ADD_FAILURE() << "the box has no button " << action.button;
                ::EndDialog(box, NoAnswer);
            }
            break;
        case BoxAction::Escape:
            ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, KeyData(VK_ESCAPE, false));
            ::PostMessageW(::GetFocus(), WM_KEYUP, VK_ESCAPE, KeyData(VK_ESCAPE, true));
            break;
        case BoxAction::Close: {
            // The frame's Close button does nothing while the box greys it.
            const UINT state = ::GetMenuState(::GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
            if (state == UINT(-1) || (state & (MF_GRAYED | MF_DISABLED))) {
                ADD_FAILURE() << "the box cannot be closed from its frame";
                ::EndDialog(box, NoAnswer);
            } else {
                ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            break;
        }
        }
    }

    static std::vector<HWND> threadWindows()
    {
        std::vector<HWND> windows;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM list) -> BOOL {
                reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&windows));
        return windows;
    }

    // What a box answers that the driver had to end itself.
    static constexpr int NoAnswer = 0x7A7A;

    NoResources m_resources;
    std::unique_ptr<Win32Window> m_window;
    std::u16string m_tree;
    std::deque<BoxAction> m_pending;
    UINT_PTR m_timer = 0;
    std::vector<SeenBox> m_seen;
};

} // namespace

std::unique_ptr<WindowDriver> MakeDriver()
{
    return std::make_unique<Win32Driver>();
}

} // namespace z7::contract
