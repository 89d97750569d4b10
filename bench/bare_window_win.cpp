// The yardstick for the Windows half of the start-up benchmark: a plain Win32
// window of the editor's size and kind with one label and one edit in the
// editor's window font, and nothing else. What z7edit.exe needs beyond this is
// its own cost; what both need (the Wine session, user32, a font, the first
// text) is the floor.
//
// Started with the argument "controls" it also shows what the editor's first
// screen takes from the common controls and the shell: a tree of 110 nodes,
// three push buttons and a look-up of the Documents folder. Both libraries
// are loaded at run time, so that the plain window does not pay for them.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cwchar>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

template <typename Function> Function Export(HMODULE library, const char *name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void *>(::GetProcAddress(library, name)));
}

// The tree, the buttons and the Documents folder; false when a library or
// one of its functions is missing.
bool AddCommonControls(HWND hwnd, HINSTANCE instance, HFONT font)
{
    HMODULE comctl = ::LoadLibraryW(L"comctl32.dll");
    HMODULE shell = ::LoadLibraryW(L"shell32.dll");
    auto init =
        Export<BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *)>(comctl, "InitCommonControlsEx");
    auto folder =
        Export<HRESULT(WINAPI *)(HWND, int, HANDLE, DWORD, LPWSTR)>(shell, "SHGetFolderPathW");
    if (!init || !folder)
        return false;
    const INITCOMMONCONTROLSEX classes{sizeof(classes),
                                       ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    init(&classes);
    wchar_t documents[MAX_PATH];
    folder(nullptr, CSIDL_PERSONAL, nullptr, 0, documents);

    HWND tree = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS |
                                      TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                  8, 110, 280, 480, hwnd, nullptr, instance, nullptr);
    ::SendMessageW(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (int group = 0; group < 10; ++group) {
        wchar_t caption[32];
        std::swprintf(caption, 32, L"Gruppe %d", group + 1);
        TVINSERTSTRUCTW insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = caption;
        auto parent = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        insert.hParent = parent;
        for (int node = 0; node < 10; ++node) {
            std::swprintf(caption, 32, L"Eintrag %d", node + 1);
            ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
        }
    }
    const wchar_t *captions[] = {L"Speichern", L"Alles zur\u00fccksetzen", L"Beenden"};
    for (int i = 0; i < 3; ++i) {
        HWND button = ::CreateWindowExW(
            0, L"BUTTON", captions[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
            420 + i * 160, 560, 150, 30, hwnd, nullptr, instance, nullptr);
        ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show)
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

    if (std::wcscmp(arguments, L"controls") == 0 && !AddCommonControls(hwnd, instance, font))
        return 1;

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
