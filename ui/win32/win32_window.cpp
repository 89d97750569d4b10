#include "ui/win32/win32_window.h"

#include "model/text.h"
#include "ui/error_report.h"
#include "ui/win32/win32_message_box.h"
#include "ui/window_rules.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

#include <windowsx.h>

namespace z7 {
namespace {

constexpr wchar_t MainClass[] = L"Z7EditMain";
constexpr wchar_t PanelClass[] = L"Z7EditPanel";
// Control ids start above the dialog manager's IDOK and IDCANCEL, which it
// sends for Enter and Esc.
constexpr int FirstId = 100;
constexpr int TreeIndent = 19;
constexpr COLORREF Maroon = RGB(128, 0, 0);

const wchar_t *Wide(const char16_t *text)
{
    return reinterpret_cast<const wchar_t *>(text);
}

std::u16string Z(std::u16string_view text)
{
    return std::u16string(text);
}

std::u16string WindowText(HWND hwnd)
{
    const int length = ::GetWindowTextLengthW(hwnd);
    if (length <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = ::GetWindowTextW(hwnd, reinterpret_cast<wchar_t *>(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// The per-monitor DPI functions exist from Windows 10 on; older systems and
// Wine without them draw at 96 dpi.
template <class F> F UserFunction(const char *name)
{
    HMODULE user = ::GetModuleHandleW(L"user32.dll");
    FARPROC proc = user ? ::GetProcAddress(user, name) : nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

int DpiOf(HWND hwnd)
{
    using ForWindow = UINT(WINAPI *)(HWND);
    using ForSystem = UINT(WINAPI *)();
    if (auto forWindow = UserFunction<ForWindow>("GetDpiForWindow")) {
        if (const UINT dpi = forWindow(hwnd))
            return static_cast<int>(dpi);
    }
    if (auto forSystem = UserFunction<ForSystem>("GetDpiForSystem")) {
        if (const UINT dpi = forSystem())
            return static_cast<int>(dpi);
    }
    return 96;
}

bool IsPictureLike(ControlKind kind)
{
    return kind == ControlKind::Picture || kind == ControlKind::Line || kind == ControlKind::Label;
}

// Nothing thrown may unwind through a window procedure into the system.
template <class F> LRESULT Shielded(Window &window, F &&f)
{
    try {
        return f();
    } catch (const std::exception &e) {
        try {
            ReportError(window, e.what());
        } catch (...) {
        }
    } catch (...) {
        try {
            ReportError(window, std::u16string_view(window_texts::UnknownError));
        } catch (...) {
        }
    }
    return 0;
}

} // namespace

Win32Window::Win32Window(HINSTANCE instance, const ResourceSource &resources)
    : m_instance(instance)
    , m_resources(resources)
    , m_listPictures(ListPictureCount)
{
}

Win32Window::~Win32Window()
{
    // Destroyed with its owner, the window ends no message loop.
    m_quitOnDestroy = false;
    if (m_hwnd)
        ::DestroyWindow(m_hwnd);
    for (Control &control : m_controls) {
        if (control.font)
            ::DeleteObject(control.font);
    }
    if (m_windowFont)
        ::DeleteObject(m_windowFont);
    if (m_lineBrush)
        ::DeleteObject(m_lineBrush);
    for (HANDLE font : m_fonts)
        ::RemoveFontMemResourceEx(font);
}

// --- creation ---------------------------------------------------------------

void Win32Window::create(const WindowDef &window, std::span<const ControlDef> controls,
                         WindowEvents &events)
{
    if (m_hwnd)
        throw std::logic_error("Das Fenster ist schon erstellt.");
    m_events = &events;

    INITCOMMONCONTROLSEX common{sizeof(common), ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES |
                                                    ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&common);

    WNDCLASSEXW main{};
    main.cbSize = sizeof(main);
    main.lpfnWndProc = windowProc;
    main.hInstance = m_instance;
    main.hIcon = ::LoadIconW(m_instance, L"MAINICON");
    main.hIconSm = static_cast<HICON>(
        ::LoadImageW(m_instance, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                     ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    main.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = MainClass;
    ::RegisterClassExW(&main); // fails harmlessly when a second window registers it again
    WNDCLASSEXW panel = main;
    panel.hIcon = panel.hIconSm = nullptr;
    panel.hbrBackground = nullptr; // painted in WM_ERASEBKGND, white or button face
    panel.lpszClassName = PanelClass;
    ::RegisterClassExW(&panel);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    m_hwnd = ::CreateWindowExW(exStyle, MainClass, Wide(window.caption), style, CW_USEDEFAULT,
                               CW_USEDEFAULT, window.clientWidth, window.clientHeight, nullptr,
                               nullptr, m_instance, this);
    if (!m_hwnd)
        throw std::runtime_error("Das Fenster konnte nicht erstellt werden.");
    m_dpi = DpiOf(m_hwnd);
    m_clientRect = {0, 0, window.clientWidth, window.clientHeight};

    // The frame around a client area of the table's size, centred on the
    // work area of the screen the window opens on.
    RECT frame{0, 0, scaled(window.clientWidth), scaled(window.clientHeight)};
    using AdjustForDpi = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);
    if (auto adjust = UserFunction<AdjustForDpi>("AdjustWindowRectExForDpi"))
        adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(m_dpi));
    else
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &work = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    ::SetWindowPos(m_hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    m_windowFontStyle = {Z(window.fontFamily ? window.fontFamily : u""), window.fontPointSize,
                         false, std::nullopt};
    m_windowFont = makeFont(m_windowFontStyle);
    m_lineBrush = ::CreateSolidBrush(Maroon);

    // The window's own copy of the table: the controls of a hidden panel are
    // made from it later.
    for (const ControlDef &d : controls)
        m_table.addCopy(d);
    m_index = ControlIndex(m_table.controls);
    const std::vector<bool> later = MadeWhenFirstNeeded(m_table.controls);
    m_keyboardOrder = KeyboardOrder(m_table.controls);
    m_controls.reserve(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
        createControl(static_cast<int>(i), m_table.controls[i], later[i]);
    attachUpDowns();
    placeInDrawingOrder({});
}

void Win32Window::makeLaterControls() const
{
    // Making the windows changes nothing that a caller can see through the
    // window: they come up exactly as they would have at the start. Both
    // panels at once: the first entry shown uses nearly all of them.
    auto *self = const_cast<Win32Window *>(this);
    std::vector<int> made;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i].later) {
            self->makeWindow(static_cast<int>(i));
            made.push_back(static_cast<int>(i));
        }
    }
    for (Control &c : self->m_controls)
        c.holdsLater = false;
    if (!made.empty()) {
        self->attachUpDowns();
        self->placeInDrawingOrder(made);
    }
}

void Win32Window::createControl(int index, const ControlDef &def, bool later)
{
    Control control;
    control.name = Z(def.name ? def.name : u"");
    control.kind = def.kind;
    control.rect = def.rect;
    control.look = def.look;
    if (def.parent) {
        const std::optional<std::size_t> parent = m_index.find(def.parent);
        // A panel holds only controls that come after it in the table.
        if (!parent || *parent >= std::size_t(index) ||
            m_controls[*parent].kind != ControlKind::Panel)
            throw std::logic_error(
                ToUtf8(Format(u"Das Steuerelement %1 liegt auf %2, das kein Panel vor ihm ist.",
                              {control.name, def.parent})));
        control.parent = static_cast<int>(*parent);
    }
    // Until the panel it lies on is first shown or one of its controls is
    // first used, nobody sees such a control: creating the ~100 windows of
    // the value panels was most of the start under Wine.
    control.later = later;
    if (later)
        m_controls[control.parent].holdsLater = true;
    m_controls.push_back(std::move(control));
    if (!later)
        makeWindow(index);
}

void Win32Window::makeWindow(int index)
{
    const ControlDef &def = m_table.controls[index];
    Control &c = m_controls[index];
    c.later = false;
    if (IsPictureLike(def.kind)) {
        c.painted = true;
        c.text = def.kind == ControlKind::Label && def.caption ? def.caption : u"";
        c.shown = def.visible;
        c.active = def.enabled;
        if (def.kind == ControlKind::Picture && def.picture)
            c.picture = ownPicture(def.picture);
        invalidate(c);
        return;
    }

    const wchar_t *className = WC_STATICW;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    const char16_t *caption = def.caption ? def.caption : u"";
    switch (def.kind) {
    case ControlKind::Picture:
    case ControlKind::Line:
    case ControlKind::Label:
        break; // painted, see above
    case ControlKind::Panel:
        className = PanelClass;
        style |= WS_CLIPCHILDREN;
        exStyle |= WS_EX_CONTROLPARENT;
        break;
    case ControlKind::Button:
        className = WC_BUTTONW;
        style |= BS_PUSHBUTTON;
        if (def.tabOrder >= 0)
            style |= WS_TABSTOP;
        break;
    case ControlKind::Toggle:
        // Not an auto check box: the skin flips it, so that a click by mouse
        // and by program message run the same way.
        className = WC_BUTTONW;
        style |= BS_CHECKBOX | BS_PUSHLIKE;
        break;
    case ControlKind::Tree:
        className = WC_TREEVIEWW;
        style |= WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                 TVS_TRACKSELECT;
        if (def.tabOrder >= 0)
            style |= WS_TABSTOP;
        caption = u"";
        break;
    case ControlKind::Edit:
        className = WC_EDITW;
        style |= WS_BORDER | ES_AUTOHSCROLL;
        if (def.look & DigitsOnly)
            style |= ES_NUMBER;
        if (def.tabOrder >= 0)
            style |= WS_TABSTOP;
        break;
    case ControlKind::UpDown:
        className = UPDOWN_CLASSW;
        // No UDS_ARROWKEYS: the Up and Down keys reach it from the message loop
        // (preTranslate).
        style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS;
        caption = u"";
        break;
    }
    if (def.visible)
        style |= WS_VISIBLE;
    if (!def.enabled)
        style |= WS_DISABLED;

    const Rect &r = def.rect;
    c.hwnd = ::CreateWindowExW(exStyle, className, Wide(caption), style, scaled(r.left),
                               scaled(r.top), scaled(r.width), scaled(r.height), parentHandle(c),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstId + index)),
                               m_instance, def.kind == ControlKind::Panel ? this : nullptr);
    if (!c.hwnd)
        throw std::runtime_error(
            ToUtf8(Format(u"Das Steuerelement %1 konnte nicht erstellt werden.", {c.name})));
    ::SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_windowFont), FALSE);
    // What a screen reader says of a control that shows no caption.
    if (def.description && def.kind == ControlKind::Panel)
        ::SetWindowTextW(c.hwnd, Wide(def.description));
    // What the value means, for the pointer and for screen readers.
    if (def.tip)
        m_tips.add(m_hwnd, c.hwnd, Wide(def.tip));

    switch (def.kind) {
    case ControlKind::Tree:
        m_tree = index;
        ::SendMessageW(c.hwnd, TVM_SETINDENT, static_cast<WPARAM>(scaled(TreeIndent)), 0);
        break;
    case ControlKind::Toggle:
        // A window procedure in front of the button's own rather than a
        // comctl32 subclass (the up-downs go without UDS_ARROWKEYS for the
        // same reason): under Wine, every message to a subclassed window
        // reads the subclass chain, a window property, from the wineserver.
        ::SetWindowLongPtrW(
            c.hwnd, GWLP_USERDATA,
            ::SetWindowLongPtrW(c.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toggleProc)));
        break;
    default:
        break;
    }
}

void Win32Window::attachUpDowns()
{
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        Control &c = m_controls[i];
        if (c.kind != ControlKind::UpDown || !c.hwnd || c.attached)
            continue;
        c.attached = true;
        const ControlDef &def = m_table.controls[i];
        if (def.buddy)
            c.buddy = indexOf(def.buddy);
        if (c.buddy >= 0) {
            ::SendMessageW(c.hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_controls[c.buddy].hwnd),
                           0);
        }
        ::SendMessageW(c.hwnd, UDM_SETRANGE32,
                       static_cast<WPARAM>(std::min(def.minimum, def.maximum)),
                       static_cast<LPARAM>(std::max(def.minimum, def.maximum)));
        UDACCEL accel{0, static_cast<UINT>(std::max(def.step, 1))};
        ::SendMessageW(c.hwnd, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
        ::SendMessageW(c.hwnd, UDM_SETPOS32, 0, 0);
        // UDS_ALIGNRIGHT has moved the arrows onto the edit and narrowed the
        // edit by their width: the table's places hold for both.
        place(c, c.rect);
        if (c.buddy >= 0)
            place(m_controls[c.buddy], m_controls[c.buddy].rect);
    }
}

void Win32Window::placeInDrawingOrder(const std::vector<int> &only)
{
    // Later controls lie above earlier ones; the pictures, labels and lines
    // are painted by the panel or window below every control window. The Tab key goes by the
    // table's keyboard order instead of this z-order (moveFocus).
    std::vector<int> order(m_controls.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return IsPictureLike(m_controls[a].kind) && !IsPictureLike(m_controls[b].kind);
    });
    // Controls made later order only among themselves: they lie on their
    // panels alone.
    for (int index : order) {
        const Control &c = m_controls[index];
        if (!c.hwnd || (!only.empty() && std::find(only.begin(), only.end(), index) == only.end()))
            continue;
        ::SetWindowPos(c.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// --- lookup -----------------------------------------------------------------

int Win32Window::indexOf(std::u16string_view name) const
{
    // While the window is being created, only the rows made so far count.
    const std::optional<std::size_t> row = m_index.find(name);
    return row && *row < m_controls.size() ? static_cast<int>(*row) : -1;
}

int Win32Window::indexOf(HWND hwnd) const
{
    if (!hwnd)
        return -1;
    const int index = ::GetDlgCtrlID(hwnd) - FirstId;
    if (index >= 0 && index < static_cast<int>(m_controls.size()) && m_controls[index].hwnd == hwnd)
        return index;
    return -1;
}

const Win32Window::Control *Win32Window::find(std::u16string_view name) const
{
    const int index = indexOf(name);
    if (index >= 0 && m_controls[index].later)
        makeLaterControls();
    return index >= 0 && (m_controls[index].hwnd || m_controls[index].painted) ? &m_controls[index]
                                                                               : nullptr;
}

Win32Window::Control *Win32Window::find(std::u16string_view name)
{
    const Control *c = std::as_const(*this).find(name);
    return const_cast<Control *>(c);
}

HWND Win32Window::controlHandle(std::u16string_view name) const
{
    const Control *c = find(name);
    return c ? c->hwnd : nullptr;
}

std::u16string Win32Window::tipOf(std::u16string_view name) const
{
    const std::wstring tip = m_tips.tipOf(controlHandle(name));
    return {tip.begin(), tip.end()};
}

HWND Win32Window::surfaceOf(std::u16string_view name, RECT *where) const
{
    const Control *c = find(name);
    if (!c)
        return nullptr;
    if (where) {
        if (c->painted) {
            *where = pixelRect(*c);
        } else {
            ::GetClientRect(c->hwnd, where);
        }
    }
    return c->painted ? parentHandle(*c) : c->hwnd;
}

HFONT Win32Window::paintedFont(std::u16string_view name) const
{
    const Control *c = find(name);
    return c && c->painted && c->kind == ControlKind::Label ? fontOf(*c) : nullptr;
}

HWND Win32Window::parentHandle(const Control &control) const
{
    return control.parent >= 0 ? m_controls[control.parent].hwnd : m_hwnd;
}

int Win32Window::scaled(int value) const
{
    return ::MulDiv(value, m_dpi, 96);
}

COLORREF Win32Window::backgroundOf(int parent) const
{
    if (parent >= 0 && (m_controls[parent].look & WhiteBackground))
        return RGB(255, 255, 255);
    return ::GetSysColor(COLOR_BTNFACE);
}

HBRUSH Win32Window::backgroundBrushOf(int parent) const
{
    if (parent >= 0 && (m_controls[parent].look & WhiteBackground))
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

// --- the logic's requests ---------------------------------------------------

std::optional<ControlKind> Win32Window::findControl(std::u16string_view name) const
{
    const int index = indexOf(name);
    if (index < 0)
        return std::nullopt;
    return m_controls[index].kind;
}

std::u16string Win32Window::text(std::u16string_view control) const
{
    const Control *c = find(control);
    if (!c || c->kind == ControlKind::Picture || c->kind == ControlKind::Line ||
        c->kind == ControlKind::Panel || c->kind == ControlKind::Tree ||
        c->kind == ControlKind::UpDown)
        return {};
    if (!c->painted && !c->textKnown) {
        c->text = WindowText(c->hwnd);
        c->textKnown = true;
    }
    return c->text;
}

void Win32Window::setText(std::u16string_view control, std::u16string_view text)
{
    Control *c = find(control);
    if (!c || c->kind == ControlKind::Picture || c->kind == ControlKind::Line ||
        c->kind == ControlKind::Panel || c->kind == ControlKind::Tree ||
        c->kind == ControlKind::UpDown)
        return;
    // Showing an entry sets many controls to what they already show; each
    // change is a round trip to the window system and a redraw, and a button
    // draws itself at once.
    if (c->painted) {
        if (c->text != text) {
            c->text = text;
            invalidate(*c);
        }
        return;
    }
    if (this->text(control) != text) {
        ::SetWindowTextW(c->hwnd, Wide(Z(text).c_str()));
        // After the edit's EN_CHANGE, which came during the call.
        c->text = text;
        c->textKnown = true;
    }
}

bool Win32Window::visible(std::u16string_view control) const
{
    const Control *c = find(control);
    if (c && c->painted)
        return c->shown;
    return c && (::GetWindowLongPtrW(c->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Window::setVisible(std::u16string_view control, bool visible)
{
    if (const int index = indexOf(control); visible && index >= 0 && m_controls[index].holdsLater)
        makeLaterControls();
    Control *c = find(control);
    if (c && c->painted) {
        if (c->shown != visible) {
            c->shown = visible;
            invalidate(*c);
        }
    } else if (c && ((::GetWindowLongPtrW(c->hwnd, GWL_STYLE) & WS_VISIBLE) != 0) != visible) {
        ::ShowWindow(c->hwnd, visible ? SW_SHOWNA : SW_HIDE);
    }
}

bool Win32Window::enabled(std::u16string_view control) const
{
    const Control *c = find(control);
    if (c && c->painted)
        return c->active;
    return c && ::IsWindowEnabled(c->hwnd);
}

void Win32Window::setEnabled(std::u16string_view control, bool enabled)
{
    Control *c = find(control);
    if (c && c->painted) {
        if (c->active != enabled) {
            c->active = enabled;
            invalidate(*c);
        }
    } else if (c && (::IsWindowEnabled(c->hwnd) != FALSE) != enabled) {
        ::EnableWindow(c->hwnd, enabled);
    }
}

bool Win32Window::down(std::u16string_view toggle) const
{
    const Control *c = find(toggle);
    return c && c->kind == ControlKind::Toggle &&
           ::SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Window::setDown(std::u16string_view toggle, bool down)
{
    Control *c = find(toggle);
    const WPARAM state = down ? BST_CHECKED : BST_UNCHECKED;
    if (c && c->kind == ControlKind::Toggle &&
        static_cast<WPARAM>(::SendMessageW(c->hwnd, BM_GETCHECK, 0, 0)) != state)
        ::SendMessageW(c->hwnd, BM_SETCHECK, state, 0);
}

Rect Win32Window::geometry(std::u16string_view control) const
{
    const Control *c = find(control);
    return c ? c->rect : Rect{};
}

void Win32Window::setGeometry(std::u16string_view control, const Rect &rect)
{
    Control *c = find(control);
    if (c && c->rect != rect)
        place(*c, rect);
}

void Win32Window::place(Control &control, const Rect &rect)
{
    if (control.painted) {
        invalidate(control);
        control.rect = rect;
        invalidate(control);
        return;
    }
    control.rect = rect;
    ::SetWindowPos(control.hwnd, nullptr, scaled(rect.left), scaled(rect.top), scaled(rect.width),
                   scaled(rect.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::u16string Win32Window::focusedControl() const
{
    for (HWND focus = ::GetFocus(); focus && focus != m_hwnd; focus = ::GetParent(focus)) {
        const int index = indexOf(focus);
        if (index >= 0)
            return m_controls[index].name;
    }
    return {};
}

void Win32Window::setFocus(std::u16string_view control)
{
    if (Control *c = find(control); c && c->hwnd)
        ::SetFocus(c->hwnd);
}

std::shared_ptr<const Picture> Win32Window::ownPicture(std::u16string_view name)
{
    std::u16string upper(name);
    for (char16_t &ch : upper) {
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - u'a' + u'A');
    }
    for (const auto &[key, picture] : m_ownPictures) {
        if (key == upper)
            return picture;
    }
    std::shared_ptr<const Picture> picture;
    if (const auto dib = m_resources.bytes(u"DIB", upper))
        picture = PictureFromDib(*dib);
    else if (const auto png = m_resources.bytes(u"PNG", upper))
        picture = m_decoder.decode(*png);
    m_ownPictures.emplace_back(upper, picture);
    return picture;
}

std::shared_ptr<const Picture> Win32Window::listPicture(int index)
{
    if (!InPictureList(index))
        return nullptr;
    if (!m_listPictures[index]) {
        wchar_t name[16];
        ::wsprintfW(name, L"BUILDING%03d", index);
        if (const auto bytes =
                m_resources.bytes(u"PNG", reinterpret_cast<const char16_t *>(name))) {
            if (auto picture = m_decoder.decode(*bytes))
                m_listPictures[index] = OnWhite(*picture, ListPictureWidth, ListPictureHeight);
        }
    }
    return m_listPictures[index];
}

void Win32Window::showListPicture(std::u16string_view picture, int index)
{
    Control *c = find(picture);
    if (!c || c->kind != ControlKind::Picture)
        return;
    std::shared_ptr<const Picture> shown = listPicture(index);
    if (c->listPicture && c->picture == shown)
        return;
    c->picture = std::move(shown);
    c->listPicture = true;
    invalidate(*c);
}

HFONT Win32Window::makeFont(const FontStyle &style) const
{
    std::u16string family = style.family.substr(0, LF_FACESIZE - 1);
    return ::CreateFontW(-::MulDiv(style.pointSize, m_dpi, 72), 0, 0, 0,
                         style.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, Wide(family.c_str()));
}

HFONT Win32Window::fontOf(const Control &control) const
{
    return control.ownFont ? control.font : m_windowFont;
}

void Win32Window::setFont(std::u16string_view control, const FontChange &font)
{
    auto apply = [&font](FontStyle &style) {
        if (!font.family.empty())
            style.family = font.family;
        if (font.pointSize > 0)
            style.pointSize = font.pointSize;
        style.bold = font.bold;
        if (font.colour)
            style.colour = font.colour;
    };
    if (control.empty()) {
        apply(m_windowFontStyle);
        HFONT old = m_windowFont;
        m_windowFont = makeFont(m_windowFontStyle);
        for (Control &c : m_controls) {
            if (!c.ownFont && c.hwnd)
                ::SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_windowFont), TRUE);
            else if (!c.ownFont && c.painted)
                invalidate(c);
        }
        if (old)
            ::DeleteObject(old);
        return;
    }
    Control *c = find(control);
    if (!c)
        return;
    FontStyle style = c->ownFont ? *c->ownFont : m_windowFontStyle;
    apply(style);
    HFONT old = c->font;
    c->ownFont = style;
    c->font = makeFont(style);
    if (c->painted)
        invalidate(*c);
    else
        ::SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c->font), TRUE);
    if (old)
        ::DeleteObject(old);
}

int Win32Window::registerFont(std::string_view fontFileBytes)
{
    // The bytes stay valid for as long as the window shows text, and the
    // system only reads them: no copy of our own.
    DWORD installed = 0;
    HANDLE handle =
        ::AddFontMemResourceEx(const_cast<char *>(fontFileBytes.data()),
                               static_cast<DWORD>(fontFileBytes.size()), nullptr, &installed);
    if (!handle || installed == 0) {
        if (handle)
            ::RemoveFontMemResourceEx(handle);
        return 0;
    }
    m_fonts.push_back(handle);
    return static_cast<int>(m_fonts.size());
}

// --- the tree ---------------------------------------------------------------

void Win32Window::fillTree(const std::vector<TreeNode> &nodes)
{
    if (m_tree < 0 || !m_controls[m_tree].hwnd)
        return;
    HWND tree = m_controls[m_tree].hwnd;
    struct Quiet
    {
        bool &flag;
        bool was;
        ~Quiet() { flag = was; }
    } quiet{m_treeQuiet, m_treeQuiet};
    m_treeQuiet = true;

    ::SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    const std::vector<int> parents = TreeParents(nodes);
    m_nodes = nodes;
    m_items.assign(nodes.size(), nullptr);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const int parent = parents[i];
        // The depth the node has in the tree, which may differ from the one given.
        m_nodes[i].depth = parent < 0 ? 0 : m_nodes[static_cast<std::size_t>(parent)].depth + 1;
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent < 0 ? TVI_ROOT : m_items[static_cast<std::size_t>(parent)];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<wchar_t *>(Wide(nodes[i].caption.c_str()));
        insert.item.lParam = static_cast<LPARAM>(i);
        HTREEITEM item = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        m_items[i] = item;
    }
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    ::SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree, nullptr, TRUE);
}

int Win32Window::treeIndexOf(HTREEITEM item) const
{
    if (!item || m_tree < 0)
        return -1;
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    if (!::SendMessageW(m_controls[m_tree].hwnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data)))
        return -1;
    const auto index = static_cast<std::size_t>(data.lParam);
    return index < m_items.size() && m_items[index] == item ? static_cast<int>(index) : -1;
}

int Win32Window::selectedNode() const
{
    if (m_tree < 0 || !m_controls[m_tree].hwnd)
        return -1;
    auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(m_controls[m_tree].hwnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
    return treeIndexOf(item);
}

TreeNode Win32Window::treeNode(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_nodes.size()))
        return {};
    return m_nodes[static_cast<std::size_t>(index)];
}

void Win32Window::selectNodeQuietly(int index)
{
    if (m_tree < 0 || !m_controls[m_tree].hwnd)
        return;
    HTREEITEM item = index >= 0 && index < static_cast<int>(m_items.size())
                         ? m_items[static_cast<std::size_t>(index)]
                         : nullptr;
    const bool was = m_treeQuiet;
    m_treeQuiet = true;
    ::SendMessageW(m_controls[m_tree].hwnd, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(item));
    m_treeQuiet = was;
}

// The tree view's own bold state: Windows draws it in every state.
void Win32Window::setNodeMarked(int index, bool marked)
{
    if (m_tree < 0 || !m_controls[m_tree].hwnd || index < 0 ||
        index >= static_cast<int>(m_items.size()))
        return;
    TVITEMW item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = m_items[static_cast<std::size_t>(index)];
    item.state = marked ? TVIS_BOLD : 0;
    item.stateMask = TVIS_BOLD;
    ::SendMessageW(m_controls[m_tree].hwnd, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool Win32Window::nodeMarked(int index) const
{
    if (m_tree < 0 || !m_controls[m_tree].hwnd || index < 0 ||
        index >= static_cast<int>(m_items.size()))
        return false;
    const auto state = ::SendMessageW(
        m_controls[m_tree].hwnd, TVM_GETITEMSTATE,
        reinterpret_cast<WPARAM>(m_items[static_cast<std::size_t>(index)]), TVIS_BOLD);
    return (state & TVIS_BOLD) != 0;
}

// --- the rest of the seam -----------------------------------------------------

int Win32Window::messageBox(std::u16string_view text, std::u16string_view title, int flags)
{
    // Modal to the window once the user sees it; a box of the start-up, before
    // that, stands alone on the task bar.
    HWND owner = m_shown && m_hwnd && ::IsWindow(m_hwnd) ? m_hwnd : nullptr;
    return ShowMessageBox(owner, text, title, flags);
}

std::u16string Win32Window::programFileName() const
{
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t *>(path.data()),
                                                  static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void Win32Window::processEvents()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for run(), which ends on it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void Win32Window::close()
{
    if (m_hwnd)
        ::DestroyWindow(m_hwnd);
}

void Win32Window::show()
{
    if (!m_hwnd)
        return;
    ::ShowWindow(m_hwnd, SW_SHOW);
    ::UpdateWindow(m_hwnd);
    m_shown = true;
    ::SetFocus(nullptr);
    moveFocus(true);
}

int Win32Window::run()
{
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

void Win32Window::dispatch(MSG &message)
{
    if (!preTranslate(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // A key released in an edit, after the edit has taken it: seen here
    // rather than in a subclass of every edit, which under Wine would cost
    // each message an edit gets a round trip to the wineserver.
    if (message.message == WM_KEYUP) {
        Shielded(*this, [&]() -> LRESULT {
            const int index = indexOf(message.hwnd);
            if (index >= 0 && m_controls[index].kind == ControlKind::Edit && m_events)
                m_events->keyReleased(std::u16string(m_controls[index].name));
            return 0;
        });
    }
}

// --- the keyboard ------------------------------------------------------------

bool Win32Window::takesFocus(int index) const
{
    for (int i = index; i >= 0; i = m_controls[i].parent) {
        HWND hwnd = m_controls[i].hwnd;
        if (!hwnd || !(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) ||
            !::IsWindowEnabled(hwnd))
            return false;
    }
    return true;
}

void Win32Window::moveFocus(bool forward)
{
    const std::vector<std::size_t> &order = m_keyboardOrder;
    if (order.empty())
        return;
    const int count = static_cast<int>(order.size());
    const int focused = indexOf(Z(focusedControl()));
    const auto current =
        focused < 0 ? order.end()
                    : std::find(order.begin(), order.end(), static_cast<std::size_t>(focused));
    int position =
        current == order.end() ? (forward ? -1 : count) : static_cast<int>(current - order.begin());
    for (int tried = 0; tried < count; ++tried) {
        position = ((forward ? position + 1 : position - 1) % count + count) % count;
        const int index = static_cast<int>(order[static_cast<std::size_t>(position)]);
        if (!takesFocus(index))
            continue;
        HWND hwnd = m_controls[index].hwnd;
        ::SetFocus(hwnd);
        // As the dialog manager does: a Tab into an edit selects its text.
        if (m_controls[index].kind == ControlKind::Edit)
            ::SendMessageW(hwnd, EM_SETSEL, 0, -1);
        return;
    }
}

bool Win32Window::preTranslate(MSG &message)
{
    if (!m_hwnd || !(message.hwnd == m_hwnd || ::IsChild(m_hwnd, message.hwnd)))
        return false;
    m_tips.relay(message);
    if (message.message == WM_KEYDOWN) {
        const bool control = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
        const bool alt = (::GetKeyState(VK_MENU) & 0x8000) != 0;
        // Ctrl+Tab too: the dialog manager would take it in its z-order.
        if (message.wParam == VK_TAB && !alt) {
            moveFocus((::GetKeyState(VK_SHIFT) & 0x8000) == 0);
            return true;
        }
        const int focused = indexOf(Z(focusedControl()));
        const bool onButton = focused >= 0 && (m_controls[focused].kind == ControlKind::Button ||
                                               m_controls[focused].kind == ControlKind::Toggle);
        if (onButton && message.wParam == VK_RETURN && !control && !alt) {
            // Enter presses the button with the focus, as in a dialog.
            if (m_controls[focused].kind == ControlKind::Button)
                ::SendMessageW(m_controls[focused].hwnd, BM_CLICK, 0, 0);
            return true;
        }
        // Up and Down step the up-down of the edit with the focus. The
        // up-down would do it itself with UDS_ARROWKEYS, through a subclass
        // of the edit that costs a wineserver round trip for every message
        // the edit gets under Wine.
        if (message.wParam == VK_UP || message.wParam == VK_DOWN) {
            if (const int upDown = upDownOf(indexOf(message.hwnd)); upDown >= 0) {
                if (::IsWindowEnabled(m_controls[upDown].hwnd))
                    stepUpDown(upDown, message.wParam == VK_UP ? 1 : -1);
                return true;
            }
        }
        // The dialog manager would move the focus among the buttons with the
        // arrow keys in its own z-order, which is not the keyboard order here.
        if (onButton && (message.wParam == VK_LEFT || message.wParam == VK_RIGHT ||
                         message.wParam == VK_UP || message.wParam == VK_DOWN))
            return true;
    }
    return ::IsDialogMessageW(m_hwnd, &message) != FALSE;
}

// --- messages -----------------------------------------------------------------

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto *self = reinterpret_cast<Win32Window *>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return Shielded(*self, [&] { return self->handleMessage(hwnd, message, wParam, lParam); });
}

LRESULT Win32Window::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && lParam) {
            if (const int index = indexOf(reinterpret_cast<HWND>(lParam)); index >= 0)
                m_controls[index].textKnown = false;
            break;
        }
        if (HIWORD(wParam) == BN_CLICKED && lParam) {
            const int index = indexOf(reinterpret_cast<HWND>(lParam));
            if (index >= 0 && m_controls[index].kind == ControlKind::Button && m_events)
                m_events->clicked(m_controls[index].name);
            else if (index >= 0 && m_controls[index].kind == ControlKind::Toggle)
                onToggleClicked(index); // by keyboard; the mouse comes through toggleProc
            return 0;
        }
        break;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR *>(lParam));
    case WM_VSCROLL:
        // The up-downs' steps are handled in UDN_DELTAPOS.
        if (indexOf(reinterpret_cast<HWND>(lParam)) >= 0)
            return 0;
        break;
    case WM_PAINT:
        if (hwnd == m_hwnd || indexOf(hwnd) >= 0) {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd, &paint);
            paintControls(dc, hwnd == m_hwnd ? -1 : indexOf(hwnd));
            ::EndPaint(hwnd, &paint);
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (hwnd == m_hwnd || indexOf(hwnd) >= 0) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            const int parent = hwnd == m_hwnd ? -1 : indexOf(hwnd);
            RECT client;
            ::GetClientRect(hwnd, &client);
            ::FillRect(dc, &client, backgroundBrushOf(parent));
            paintControls(dc, parent);
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (const LRESULT brush =
                onColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return brush;
        break;
    case WM_ERASEBKGND:
        if (hwnd != m_hwnd) {
            RECT client;
            ::GetClientRect(hwnd, &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, backgroundBrushOf(indexOf(hwnd)));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // A window that is no dialog does not keep its focus over a message
        // box or a switch to another program: put it back where it was.
        if (hwnd == m_hwnd) {
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(m_hwnd, focus))
                    m_lastFocus = focus;
            } else if (m_lastFocus && ::IsWindow(m_lastFocus) && ::IsChild(m_hwnd, m_lastFocus)) {
                ::SetFocus(m_lastFocus);
                return 0;
            }
        }
        break;
    case WM_SETFOCUS:
        if (hwnd == m_hwnd && m_lastFocus && ::IsWindow(m_lastFocus) &&
            ::IsChild(m_hwnd, m_lastFocus)) {
            ::SetFocus(m_lastFocus);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (hwnd == m_hwnd) {
            // The tree tells of the nodes it drops as it goes: nobody listens.
            m_treeQuiet = true;
            m_events = nullptr;
            if (m_quitOnDestroy)
                ::PostQuitMessage(0);
        }
        break;
    case WM_NCDESTROY:
        if (hwnd == m_hwnd) {
            m_hwnd = nullptr;
            m_shown = false;
            for (Control &c : m_controls)
                c.hwnd = nullptr;
            m_tree = -1;
            m_lastFocus = nullptr;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::onColour(UINT message, HDC dc, HWND hwnd)
{
    const int index = indexOf(hwnd);
    if (index < 0)
        return 0;
    const Control &c = m_controls[index];
    if (c.kind == ControlKind::Edit) {
        if (!(c.look & Highlighted) || message != WM_CTLCOLOREDIT)
            return 0;
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        if (c.ownFont && c.ownFont->colour) {
            const Colour &colour = *c.ownFont->colour;
            ::SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
        }
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
    // Buttons stand on their parent's colour, white in the header strip.
    const std::optional<Colour> &colour = c.ownFont ? c.ownFont->colour : m_windowFontStyle.colour;
    ::SetTextColor(dc, colour ? RGB(colour->red, colour->green, colour->blue)
                              : ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, backgroundOf(c.parent));
    return reinterpret_cast<LRESULT>(backgroundBrushOf(c.parent));
}

RECT Win32Window::pixelRect(const Control &control) const
{
    // As a window of the control would stand: its place and its size, each
    // scaled.
    const Rect &r = control.rect;
    const int left = scaled(r.left);
    const int top = scaled(r.top);
    return RECT{left, top, left + scaled(r.width), top + scaled(r.height)};
}

void Win32Window::invalidate(const Control &control) const
{
    if (HWND parent = parentHandle(control)) {
        const RECT where = pixelRect(control);
        ::InvalidateRect(parent, &where, TRUE);
    }
}

void Win32Window::paintControls(HDC dc, int parent) const
{
    // Only what lies in the part to be painted: a button on a panel has the
    // panel paint the few pixels below it, and drawing every label of the
    // panel into those, clipped away, was most of showing an entry.
    RECT area;
    const int clip = ::GetClipBox(dc, &area);
    if (clip == NULLREGION)
        return;
    // In table order: a later control lies above an earlier one.
    for (const Control &c : m_controls) {
        if (!c.painted || !c.shown || c.parent != parent)
            continue;
        const RECT frame = pixelRect(c);
        RECT common;
        if (clip == ERROR || ::IntersectRect(&common, &frame, &area))
            drawPainted(dc, c);
    }
}

void Win32Window::drawPainted(HDC dc, const Control &c) const
{
    const RECT frame = pixelRect(c);
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
    if (c.kind == ControlKind::Line) {
        ::FillRect(dc, &frame, m_lineBrush);
    } else {
        // On the parent's colour, white in the header strip, covering what
        // lies below, as a static control would.
        ::FillRect(dc, &frame, backgroundBrushOf(c.parent));
    }
    if (c.kind == ControlKind::Picture && c.picture) {
        const Picture &picture = *c.picture;
        RECT dest = frame;
        if (!c.listPicture && !(c.look & Stretched)) {
            const int width = scaled(picture.width);
            const int height = scaled(picture.height);
            if (c.look & Centred) {
                dest.left = frame.left + (frame.right - frame.left - width) / 2;
                dest.top = frame.top + (frame.bottom - frame.top - height) / 2;
            }
            dest.right = dest.left + width;
            dest.bottom = dest.top + height;
        }
        DrawPicture(dc, picture, dest);
    } else if (c.kind == ControlKind::Label && !c.text.empty()) {
        // What the system's static control draws for SS_LEFT or SS_CENTER,
        // with SS_CENTERIMAGE for one line centred in its height.
        UINT format = DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX;
        if (c.look & Centred)
            format |= DT_CENTER | DT_SINGLELINE | DT_VCENTER;
        else if (c.look & LeftAligned)
            format |= DT_LEFT | DT_SINGLELINE | DT_VCENTER;
        const std::optional<Colour> &colour =
            c.ownFont ? c.ownFont->colour : m_windowFontStyle.colour;
        ::SetTextColor(dc, !c.active ? ::GetSysColor(COLOR_GRAYTEXT)
                           : colour  ? RGB(colour->red, colour->green, colour->blue)
                                     : ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkMode(dc, TRANSPARENT);
        ::SelectObject(dc, fontOf(c));
        RECT text = frame;
        ::DrawTextW(dc, Wide(c.text.c_str()), -1, &text, format);
    }
    ::RestoreDC(dc, saved);
}

LRESULT Win32Window::onNotify(const NMHDR &header)
{
    const int index = indexOf(header.hwndFrom);
    if (index < 0)
        return 0;
    const Control &c = m_controls[index];
    if (c.kind == ControlKind::Tree)
        return onTreeNotify(header);
    if (c.kind == ControlKind::UpDown && header.code == UDN_DELTAPOS) {
        const auto &change = reinterpret_cast<const NMUPDOWN &>(header);
        stepUpDown(index, change.iDelta > 0 ? 1 : change.iDelta < 0 ? -1 : 0);
        // The step is done: the control must not write its own.
        return TRUE;
    }
    return 0;
}

LRESULT Win32Window::onTreeNotify(const NMHDR &header)
{
    switch (header.code) {
    case TVN_SELCHANGINGW:
        if (!m_treeQuiet && m_events) {
            const auto &change = reinterpret_cast<const NMTREEVIEWW &>(header);
            m_events->treeChanging(treeIndexOf(change.itemNew.hItem));
        }
        return FALSE;
    case TVN_SELCHANGEDW:
        if (!m_treeQuiet && m_events) {
            const auto &change = reinterpret_cast<const NMTREEVIEWW &>(header);
            m_events->treeChanged(treeIndexOf(change.itemNew.hItem));
        }
        return 0;
    case NM_CUSTOMDRAW: {
        auto &draw = const_cast<NMTVCUSTOMDRAW &>(reinterpret_cast<const NMTVCUSTOMDRAW &>(header));
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && m_events) {
            const auto node = static_cast<std::size_t>(draw.nmcd.lItemlParam);
            if (node < m_nodes.size()) {
                if (const auto colour = m_events->treeNodeColour(static_cast<int>(node))) {
                    draw.clrText = RGB(colour->red, colour->green, colour->blue);
                    return CDRF_NEWFONT;
                }
            }
        }
        return CDRF_DODEFAULT;
    }
    default:
        return 0;
    }
}

void Win32Window::stepUpDown(int index, int direction)
{
    Control &c = m_controls[index];
    if (direction == 0 || c.buddy < 0)
        return;
    const HWND edit = m_controls[c.buddy].hwnd;
    const UpDownStep step = StepUpDown(m_table.controls[static_cast<std::size_t>(index)],
                                       WindowText(edit), c.position, direction);
    ::SetWindowTextW(edit, Wide(step.text.c_str()));
    ::SendMessageW(c.hwnd, UDM_SETPOS32, 0, step.position);
    c.position = step.position;
    const std::u16string name = c.name;
    if (m_events) {
        m_events->stepped(name);
        if (step.clicked)
            m_events->clicked(name);
    }
}

int Win32Window::upDownOf(int edit) const
{
    if (edit < 0 || m_controls[edit].kind != ControlKind::Edit)
        return -1;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i].kind == ControlKind::UpDown && m_controls[i].buddy == edit)
            return static_cast<int>(i);
    }
    return -1;
}

void Win32Window::onToggleClicked(int index)
{
    HWND hwnd = m_controls[index].hwnd;
    const bool down = ::SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    ::SendMessageW(hwnd, BM_SETCHECK, down ? BST_UNCHECKED : BST_CHECKED, 0);
    if (m_events)
        m_events->clicked(std::u16string(m_controls[index].name));
}

// A toggle never takes the focus: the button's own mouse handling would, so
// the press is tracked here and the button only shows it.
LRESULT CALLBACK Win32Window::toggleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto inside = [hwnd, lParam] {
        RECT client;
        ::GetClientRect(hwnd, &client);
        return ::PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
    };
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ::SetCapture(hwnd);
        ::SendMessageW(hwnd, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (::GetCapture() == hwnd)
            ::SendMessageW(hwnd, BM_SETSTATE, inside(), 0);
        return 0;
    case WM_LBUTTONUP:
        if (::GetCapture() == hwnd) {
            const bool click = inside();
            ::ReleaseCapture();
            ::SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
            if (click) {
                // The panel or window the toggle lies on knows the window.
                auto *self = reinterpret_cast<Win32Window *>(
                    ::GetWindowLongPtrW(::GetParent(hwnd), GWLP_USERDATA));
                if (self)
                    Shielded(*self, [&]() -> LRESULT {
                        const int index = self->indexOf(hwnd);
                        if (index >= 0)
                            self->onToggleClicked(index);
                        return 0;
                    });
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        ::SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
        return 0;
    default:
        break;
    }
    const auto button = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return ::CallWindowProcW(button, hwnd, message, wParam, lParam);
}

} // namespace z7
