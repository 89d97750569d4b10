#include "ui/win32/win32_message_box.h"

#include "ui/window_rules.h"

#include <string>
#include <vector>

#include <commctrl.h>

namespace z7 {
namespace {

const wchar_t *Wide(const char16_t *text)
{
    return reinterpret_cast<const wchar_t *>(text);
}

// MessageBoxW has no way to name its buttons: the captions follow the
// system's language. A CBT hook sees the box as it is activated, before it is
// drawn, and puts the program's own captions on the buttons.
struct BoxHook
{
    HHOOK hook = nullptr;
    std::vector<BoxButton> buttons;
};
thread_local BoxHook *t_pending = nullptr;

constexpr UINT_PTR DismissSubclass = 1;

// Leaving a box with Esc or from its frame answers Cancel in every box.
// Windows ignores both in a Yes/No box and answers OK in a lone-OK one; a
// question left so must not read as No, which throws the edits away.
LRESULT CALLBACK DismissProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR)
{
    const bool dismissed = (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ||
                           message == WM_CLOSE ||
                           (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
    if (dismissed) {
        ::EndDialog(box, BoxDismissed);
        return 0;
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(box, DismissProc, id);
    return ::DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    BoxHook *pending = t_pending;
    if (!pending)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    const HHOOK hook = pending->hook;
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        ::GetClassNameW(box, className, 16);
        if (std::wstring_view(className) == L"#32770") {
            for (const BoxButton &button : pending->buttons)
                ::SetDlgItemTextW(box, button.result, Wide(button.caption));
            // The box greys its Close where it has no Cancel button.
            ::EnableMenuItem(::GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
            ::SetWindowSubclass(box, DismissProc, DismissSubclass, 0);
            ::UnhookWindowsHookEx(hook);
            pending->hook = nullptr;
            t_pending = nullptr;
        }
    }
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

// The MessageBoxW style that shows these buttons, with this one as default.
UINT BoxStyle(const std::vector<BoxButton> &buttons, std::size_t defaultButton)
{
    UINT style = MB_OK;
    if (buttons.size() == 2)
        style = buttons[0].result == IDYES ? MB_YESNO : MB_OKCANCEL;
    return style | (defaultButton == 1 ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
}

} // namespace

int ShowMessageBox(HWND owner, std::u16string_view text, std::u16string_view title, int flags)
{
    const std::u16string textZ = BoxTextLines(text, u"\r\n");
    const std::u16string titleZ(title);
    BoxHook hook;
    hook.buttons = BoxButtons(flags);
    const UINT style =
        BoxStyle(hook.buttons, BoxDefaultButton(flags)) | (static_cast<UINT>(flags) & MB_ICONMASK);
    hook.hook = ::SetWindowsHookExW(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
    // A box asked for from inside another box's hook time replaces it.
    BoxHook *outer = t_pending;
    t_pending = hook.hook ? &hook : nullptr;
    const int result = ::MessageBoxW(owner, Wide(textZ.c_str()), Wide(titleZ.c_str()), style);
    if (hook.hook)
        ::UnhookWindowsHookEx(hook.hook);
    t_pending = outer;
    return result;
}

} // namespace z7
