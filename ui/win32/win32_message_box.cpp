#include "ui/win32/win32_message_box.h"

#include "ui/window_texts.h"

#include <string>

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
    int flags = 0;
};
thread_local BoxHook *t_pending = nullptr;

constexpr UINT_PTR YesNoSubclass = 1;

// Windows ignores Esc in a Yes/No box; the program's questions take it as No.
LRESULT CALLBACK YesNoProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(box, IDNO);
        return 0;
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(box, YesNoProc, id);
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
            ::SetDlgItemTextW(box, IDOK, Wide(window_texts::Ok));
            ::SetDlgItemTextW(box, IDCANCEL, Wide(window_texts::Cancel));
            ::SetDlgItemTextW(box, IDYES, Wide(window_texts::Yes));
            ::SetDlgItemTextW(box, IDNO, Wide(window_texts::No));
            if ((pending->flags & 0xF) == MB_YESNO)
                ::SetWindowSubclass(box, YesNoProc, YesNoSubclass, 0);
            ::UnhookWindowsHookEx(hook);
            pending->hook = nullptr;
            t_pending = nullptr;
        }
    }
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

} // namespace

int ShowMessageBox(HWND owner, std::u16string_view text, std::u16string_view title, int flags)
{
    const std::u16string textZ(text);
    const std::u16string titleZ(title);
    BoxHook hook;
    hook.flags = flags;
    hook.hook = ::SetWindowsHookExW(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
    // A box asked for from inside another box's hook time replaces it.
    BoxHook *outer = t_pending;
    t_pending = hook.hook ? &hook : nullptr;
    const int result =
        ::MessageBoxW(owner, Wide(textZ.c_str()), Wide(titleZ.c_str()), static_cast<UINT>(flags));
    if (hook.hook)
        ::UnhookWindowsHookEx(hook.hook);
    t_pending = outer;
    if (result == IDCANCEL && (flags & 0xF) == MB_YESNO)
        return IDNO;
    if (result == IDCANCEL && (flags & 0xF) == MB_OK)
        return IDOK;
    return result;
}

} // namespace z7
