// The yardstick for the Windows half of the start-up benchmark: a plain Win32
// window of the editor's size and kind with one label and one edit in the
// editor's window font, and nothing else. What z7edit.exe needs beyond this is
// its own cost; what both need (the Wine session, user32, a font, the first
// text) is the floor.
#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareWindow";
    ::RegisterClassExW(&wc);

    // The editor's window: a caption with a close box, not resizable, a
    // client area of 901 x 601.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame{0, 0, 901, 601};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"Bare Window", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return 1;

    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    HFONT font = ::CreateFontW(-::MulDiv(10, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    HWND label = ::CreateWindowExW(0, L"STATIC", L"Wohnungen", WS_CHILD | WS_VISIBLE, 8, 8, 200, 26,
                                   hwnd, nullptr, instance, nullptr);
    HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"0",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER, 8, 40, 50, 22,
                                  hwnd, nullptr, instance, nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    ::ShowWindow(hwnd, show);
    ::UpdateWindow(hwnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::DeleteObject(font);
    return 0;
}
