#pragma once

// What a control's value means: one tooltip control of the window shows the
// text while the pointer rests on a control that has one, and screen readers
// get the same text as the control's accessible description. Both are made
// with the first control that has a tip, which lies on a value panel and is
// made when the panel is first shown, so the start pays for neither.
//
// The window's message loop hands the tooltip the mouse's messages instead of
// the tooltip subclassing every control: under Wine each message through a
// subclass chain asks the wineserver for the chain, and showing an entry
// sends the controls with a tip hundreds of messages.

#include <string>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

namespace z7 {

class ControlTips
{
public:
    ControlTips() = default;
    ControlTips(const ControlTips &) = delete;
    ControlTips &operator=(const ControlTips &) = delete;

    ~ControlTips()
    {
        if (m_properties)
            m_properties->Release();
        if (m_comInitialised)
            ::CoUninitialize();
        // The tooltip control is owned by the window and goes with it.
    }

    void add(HWND owner, HWND control, const wchar_t *tip)
    {
        if (!control || !tip)
            return;
        if (!m_tooltip) {
            m_tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
            // Long texts wrap instead of running across the screen.
            if (m_tooltip)
                ::SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 420);
        }
        if (m_tooltip) {
            TOOLINFOW tool{};
            // The size every version of the common controls takes.
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = ::GetParent(control);
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            tool.lpszText = const_cast<wchar_t *>(tip);
            ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        if (accessibleProperties())
            m_properties->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                         PROPID_ACC_DESCRIPTION, tip);
    }

    // A message of the message loop: the mouse's go to the tooltip, which
    // times and places the tip from them.
    void relay(const MSG &message) const
    {
        if (!m_tooltip)
            return;
        switch (message.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_NCMOUSEMOVE:
            ::SendMessageW(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
            break;
        default:
            break;
        }
    }

    // The tip shown for a control; empty when it has none.
    std::wstring tipOf(HWND control) const
    {
        if (!m_tooltip || !control)
            return {};
        wchar_t text[512] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = ::GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        ::SendMessageW(m_tooltip, TTM_GETTEXTW, sizeof text / sizeof *text,
                       reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    HWND tooltip() const { return m_tooltip; }

private:
    bool accessibleProperties()
    {
        if (!m_properties && !m_propertiesFailed) {
            // S_FALSE (already initialised on this thread) still needs its
            // CoUninitialize; RPC_E_CHANGED_MODE leaves the caller's apartment.
            m_comInitialised = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
            m_propertiesFailed = FAILED(
                ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void **>(&m_properties)));
        }
        return m_properties != nullptr;
    }

    HWND m_tooltip = nullptr;
    IAccPropServices *m_properties = nullptr;
    bool m_comInitialised = false;
    bool m_propertiesFailed = false;
};

} // namespace z7
