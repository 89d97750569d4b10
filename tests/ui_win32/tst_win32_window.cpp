// What only the Win32 skin has, on real common controls under Wine: its
// pixels at 96 and 144 dpi, the painted labels and pictures, fonts, the
// frame, the message loop and the system's own styles. What every window
// must do for the logic is the window contract's (tests/contract), which
// runs on this skin with the driver in win32_driver.cpp.

#include "ui/win32/win32_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <oleacc.h>
#include <wincodec.h>

namespace z7 {
namespace {

std::string Narrow(std::u16string_view text)
{
    std::string ascii;
    for (char16_t c : text)
        ascii += c < 128 ? static_cast<char>(c) : '?';
    return ascii;
}

// A window of this thread of the given class (visible ones only, if asked);
// nullptr for none.
HWND ThreadWindowOfClass(const wchar_t *className, bool visibleOnly)
{
    struct Search
    {
        const wchar_t *className;
        bool visibleOnly;
        HWND found = nullptr;
    } search{className, visibleOnly};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND candidate, LPARAM data) -> BOOL {
            auto &search = *reinterpret_cast<Search *>(data);
            wchar_t name[64] = {};
            ::GetClassNameW(candidate, name, 64);
            if (::lstrcmpiW(name, search.className) != 0 ||
                (search.visibleOnly && !::IsWindowVisible(candidate)))
                return TRUE;
            search.found = candidate;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A PNG made by WIC's own encoder from a pixel function (0xAARRGGBB, not
// premultiplied).
std::string EncodePng(int width, int height, const std::function<std::uint32_t(int, int)> &pixel)
{
    IWICImagingFactory *factory = nullptr;
    IWICBitmap *bitmap = nullptr;
    IWICBitmapLock *lock = nullptr;
    IStream *stream = nullptr;
    IWICBitmapEncoder *encoder = nullptr;
    IWICBitmapFrameEncode *frame = nullptr;
    IPropertyBag2 *properties = nullptr;
    std::string bytes;
    const WICRect all{0, 0, width, height};
    UINT size = 0, stride = 0;
    BYTE *data = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IWICImagingFactory,
                                     reinterpret_cast<void **>(&factory))) &&
        SUCCEEDED(factory->CreateBitmap(width, height, GUID_WICPixelFormat32bppBGRA,
                                        WICBitmapCacheOnLoad, &bitmap)) &&
        SUCCEEDED(bitmap->Lock(&all, WICBitmapLockWrite, &lock)) &&
        SUCCEEDED(lock->GetDataPointer(&size, &data)) && SUCCEEDED(lock->GetStride(&stride))) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t argb = pixel(x, y);
                BYTE *p = data + y * stride + x * 4;
                p[0] = static_cast<BYTE>(argb);
                p[1] = static_cast<BYTE>(argb >> 8);
                p[2] = static_cast<BYTE>(argb >> 16);
                p[3] = static_cast<BYTE>(argb >> 24);
            }
        }
        lock->Release();
        lock = nullptr;
        LARGE_INTEGER zero{};
        ULARGE_INTEGER end{};
        if (SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, &properties)) &&
            SUCCEEDED(frame->Initialize(properties)) && SUCCEEDED(frame->SetSize(width, height)) &&
            SUCCEEDED(frame->SetPixelFormat(&format)) &&
            SUCCEEDED(frame->WriteSource(bitmap, nullptr)) && SUCCEEDED(frame->Commit()) &&
            SUCCEEDED(encoder->Commit()) && SUCCEEDED(stream->Seek(zero, STREAM_SEEK_CUR, &end))) {
            HGLOBAL global = nullptr;
            ::GetHGlobalFromStream(stream, &global);
            const char *memory = static_cast<const char *>(::GlobalLock(global));
            bytes.assign(memory, static_cast<std::size_t>(end.QuadPart));
            ::GlobalUnlock(global);
        }
    }
    for (IUnknown *object : std::initializer_list<IUnknown *>{properties, frame, encoder, stream,
                                                              lock, bitmap, factory}) {
        if (object)
            object->Release();
    }
    return bytes;
}

// A packed DIB as the bitmap resources hold one: the header, then the rows
// bottom-up, 32 bits a pixel, premultiplied (0xAARRGGBB).
std::string EncodeDib(int width, int height, const std::function<std::uint32_t(int, int)> &pixel)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char *>(&header), sizeof(header));
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t argb = pixel(x, y);
            bytes.append(reinterpret_cast<const char *>(&argb), 4);
        }
    }
    return bytes;
}

constexpr std::uint32_t Red = 0xFFFF0000;
constexpr std::uint32_t Blue = 0xFF0000FF;
constexpr std::uint32_t Clear = 0x00000000;
constexpr std::uint32_t Green = 0xFF00FF00;

// The program's pictures, made for the tests; it counts what the window asks
// for.
class FakeResources final : public ResourceSource
{
public:
    FakeResources()
    {
        m_pictures[u"MARKER"] = EncodePng(10, 10, [](int, int) { return Red; });
        // Clear on top, green below: the white header strip shows through.
        m_bitmaps[u"LOGO"] = EncodeDib(20, 20, [](int, int y) { return y < 10 ? Clear : Green; });
        // One byte short of its rows.
        m_bitmaps[u"BROKEN"] = EncodeDib(20, 20, [](int, int) { return Green; }).substr(1);
        // Transparent on the left half, blue on the right: the list picture
        // must show white through the left half.
        m_building = EncodePng(135, 96, [](int x, int) { return x < 67 ? Clear : Blue; });
    }

    std::optional<std::string> bytes(std::u16string_view type,
                                     std::u16string_view name) const override
    {
        ++m_asked[std::u16string(name)];
        if (type == u"DIB") {
            const auto found = m_bitmaps.find(std::u16string(name));
            return found == m_bitmaps.end() ? std::nullopt : std::optional(found->second);
        }
        if (type != u"PNG")
            return std::nullopt;
        if (const auto found = m_pictures.find(std::u16string(name)); found != m_pictures.end())
            return found->second;
        if (name.starts_with(u"BUILDING") && name.size() == 11)
            return m_building;
        return std::nullopt;
    }

    int asked(std::u16string_view name) const
    {
        const auto found = m_asked.find(std::u16string(name));
        return found == m_asked.end() ? 0 : found->second;
    }

private:
    std::map<std::u16string, std::string> m_pictures;
    std::map<std::u16string, std::string> m_bitmaps;
    std::string m_building;
    mutable std::map<std::u16string, int> m_asked;
};

// What the logic would have seen, in order.
class Recorder final : public WindowEvents
{
public:
    Win32Window *window = nullptr;
    std::vector<std::string> log;
    std::vector<int> colourAsked;
    std::string focusAtClick;
    bool closeOnQuit = false;

    void clicked(std::u16string_view control) override
    {
        log.push_back("clicked " + Narrow(control));
        focusAtClick = Narrow(window->focusedControl());
        if (closeOnQuit && control == u"Beenden")
            window->close();
    }
    void stepped(std::u16string_view upDown) override
    {
        log.push_back("stepped " + Narrow(upDown));
    }
    void keyReleased(std::u16string_view edit) override
    {
        log.push_back("keyReleased " + Narrow(edit));
    }
    void treeChanging(int next) override
    {
        log.push_back("changing " + std::to_string(next) + " from " +
                      std::to_string(window->selectedNode()));
    }
    void treeChanged(int node) override
    {
        log.push_back("changed " + std::to_string(node) + " at " +
                      std::to_string(window->selectedNode()));
    }
    std::optional<Colour> treeNodeColour(int node) override
    {
        colourAsked.push_back(node);
        if (node == 0)
            return Colour{255, 0, 0};
        return std::nullopt;
    }
};

const WindowDef TestWindow{u"Z7 Edit", 901, 601, u"Tahoma", 10};

// clang-format off
const std::array<ControlDef, 21> TestControls = {{
    {u"Liste", ControlKind::Picture, nullptr, {305, 212, 160, 119}, nullptr, u"Liste", true, true, Stretched, nullptr},
    {u"Linie", ControlKind::Line, nullptr, {0, 130, 910, 2}, nullptr, u"Trennlinie", true, true, PlainLook, nullptr},
    {u"Werte", ControlKind::Panel, nullptr, {239, 135, 668, 200}, nullptr, u"Werte", true, true, PlainLook, nullptr, 2},
    {u"ZahlEdit", ControlKind::Edit, u"Werte", {174, 25, 50, 22}, u"0", u"Zahl", true, true, DigitsOnly, nullptr, 0},
    {u"ZahlUpD", ControlKind::UpDown, u"Werte", {224, 25, 17, 22}, nullptr, u"Zahl", true, true, PlainLook, nullptr, -1, u"zahledit", -5, 20, 5},
    {u"KostenEdit", ControlKind::Edit, u"Werte", {174, 53, 65, 22}, u"0", u"Kosten", true, true, Highlighted, nullptr, 1},
    {u"KostenUpD", ControlKind::UpDown, u"Werte", {239, 53, 17, 22}, nullptr, u"Kosten", true, true, PlainLook, nullptr, -1, u"KostenEdit", -5000, 5000, 10},
    {u"MarktEdit", ControlKind::Toggle, u"Werte", {505, 29, 50, 25}, u"nein", u"Markt", true, true, PlainLook, nullptr},
    {u"MarktBtn", ControlKind::Button, u"Werte", {605, 29, 50, 25}, u"nein", u"Markt original", true, true, PlainLook, nullptr},
    {u"\u00d6lLabel", ControlKind::Label, u"Werte", {7, 82, 160, 26}, u"\u00d6l", u"\u00d6l", true, true, LeftAligned, nullptr},
    {u"Kopf", ControlKind::Panel, nullptr, {0, 0, 901, 127}, nullptr, u"Kopf", true, true, WhiteBackground, nullptr, 3},
    {u"Bild", ControlKind::Picture, u"Kopf", {8, 3, 40, 40}, nullptr, u"Bild", true, true, Centred, u"marker"},
    {u"Gross", ControlKind::Picture, u"Kopf", {60, 3, 40, 40}, nullptr, u"Gross", true, true, Stretched, u"Marker"},
    {u"Oben", ControlKind::Picture, u"Kopf", {110, 3, 40, 40}, nullptr, u"Oben", true, true, PlainLook, u"marker"},
    {u"Fertig", ControlKind::Picture, u"Kopf", {160, 3, 40, 40}, nullptr, u"Fertig", true, true, PlainLook, u"logo"},
    {u"Kaputt", ControlKind::Picture, u"Kopf", {210, 3, 40, 40}, nullptr, u"Kaputt", true, true, PlainLook, u"broken"},
    {u"Titel", ControlKind::Label, u"Kopf", {556, 78, 338, 33}, u"Wohnungen", u"Titel", true, true, Centred, nullptr},
    {u"Beenden", ControlKind::Button, nullptr, {588, 563, 306, 33}, u"Beenden", u"Beenden", true, true, PlainLook, nullptr, 0},
    {u"Baum", ControlKind::Tree, nullptr, {8, 135, 226, 385}, nullptr, u"Katalog", true, true, PlainLook, nullptr, 1},
    {u"Aus", ControlKind::Button, nullptr, {245, 523, 649, 33}, u"Speichern", u"Speichern", true, false, PlainLook, nullptr, 4},
    {u"Nirgends", ControlKind::Button, nullptr, {8, 523, 225, 33}, u"Reset", u"Reset", false, true, PlainLook, nullptr, 5},
}};
// clang-format on

const std::vector<TreeNode> TestNodes = {
    {u"Wohnungen", 0, 12, -1, 0},
    {u"Zelt", 1, 100, 5, 1},
    {u"H\u00fctte", 1, 101, 6, 2},
    {u"Lager", 0, 300, 7, 3},
};

class Win32WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        m_resources = std::make_unique<FakeResources>();
        window = std::make_unique<Win32Window>(::GetModuleHandleW(nullptr), *m_resources);
        events.window = window.get();
        window->create(TestWindow, TestControls, events);
    }

    void TearDown() override
    {
        window.reset();
        m_resources.reset();
        ::CoUninitialize();
    }

    HWND hwnd(std::u16string_view name) const
    {
        HWND handle = window->controlHandle(name);
        EXPECT_NE(handle, nullptr) << Narrow(name);
        return handle;
    }

    void pump() { window->processEvents(); }

    // A click as the mouse makes it, at a point of the control.
    void click(HWND control, int x, int y)
    {
        ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        pump();
    }

    void click(std::u16string_view name)
    {
        RECT client;
        ::GetClientRect(hwnd(name), &client);
        click(hwnd(name), client.right / 2, client.bottom / 2);
    }

    void key(HWND target, WPARAM virtualKey)
    {
        ::PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
        pump();
    }

    // The dialog manager's Tab, with Shift held in the thread's key state.
    void tab(bool shift = false)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        key(::GetFocus(), VK_TAB);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    }

    std::vector<std::string> takeLog()
    {
        std::vector<std::string> log;
        log.swap(events.log);
        return log;
    }

    // The colour of a control's pixel as the control draws itself.
    // The font a control shows its text in: the one its window was given, or
    // for a painted label the one it is painted in.
    LOGFONTW FontOf(std::u16string_view name)
    {
        HWND control = window->controlHandle(name);
        HFONT handle = control ? reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0))
                               : window->paintedFont(name);
        EXPECT_NE(handle, nullptr) << Narrow(name);
        LOGFONTW font{};
        ::GetObjectW(handle, sizeof(font), &font);
        return font;
    }

    // How many pixels of the control have this colour.
    int countPixels(std::u16string_view name, COLORREF colour)
    {
        int count = 0;
        withPicture(name, [&](HDC memory, const RECT &where) {
            for (int y = where.top; y < where.bottom; ++y) {
                for (int x = where.left; x < where.right; ++x)
                    count += ::GetPixel(memory, x, y) == colour;
            }
        });
        return count;
    }

    // A pixel of what the control shows, at a point of the control.
    COLORREF pixel(std::u16string_view name, int x, int y)
    {
        COLORREF colour = CLR_INVALID;
        withPicture(name, [&](HDC memory, const RECT &where) {
            colour = ::GetPixel(memory, where.left + x, where.top + y);
        });
        return colour;
    }

    // What the control shows, drawn into memory by the window that shows it
    // (labels, pictures and lines are painted by their panel or the window),
    // and where the control lies in it.
    template <class F> void withPicture(std::u16string_view name, F &&look)
    {
        RECT where{};
        HWND surface = window->surfaceOf(name, &where);
        ASSERT_NE(surface, nullptr) << Narrow(name);
        RECT client;
        ::GetClientRect(surface, &client);
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::SendMessageW(surface, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        look(memory, where);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
    }

    HTREEITEM treeItem(int index)
    {
        // Walks the tree in the order the nodes were given.
        HWND tree = hwnd(u"Baum");
        std::vector<HTREEITEM> order;
        std::function<void(HTREEITEM)> walk = [&](HTREEITEM item) {
            for (; item; item = TreeView_GetNextSibling(tree, item)) {
                order.push_back(item);
                walk(TreeView_GetChild(tree, item));
            }
        };
        walk(TreeView_GetRoot(tree));
        return index < static_cast<int>(order.size()) ? order[index] : nullptr;
    }

    void clickNode(int index)
    {
        RECT rect{};
        ASSERT_TRUE(TreeView_GetItemRect(hwnd(u"Baum"), treeItem(index), &rect, TRUE));
        click(hwnd(u"Baum"), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    Recorder events;
    std::unique_ptr<Win32Window> window;

private:
    std::unique_ptr<FakeResources> m_resources;

protected:
    const FakeResources &resources() const { return *m_resources; }
};

// --- the window ------------------------------------------------------------

TEST_F(Win32WindowTest, WindowHasTheTablesClientAreaAFixedFrameAndOpensCentred)
{
    // The stage runs the tests at 96 and at 144 dpi and says which.
    if (const char *expected = std::getenv("Z7_EXPECTED_DPI")) {
        EXPECT_EQ(window->dpi(), std::atoi(expected));
    }
    window->show();
    HWND main = window->handle();
    RECT client;
    ::GetClientRect(main, &client);
    EXPECT_EQ(client.right, ::MulDiv(901, window->dpi(), 96));
    EXPECT_EQ(client.bottom, ::MulDiv(601, window->dpi(), 96));
    const LONG_PTR style = ::GetWindowLongPtrW(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
    wchar_t caption[32] = {};
    ::GetWindowTextW(main, caption, 32);
    EXPECT_STREQ(caption, L"Z7 Edit");

    RECT outer, work;
    ::GetWindowRect(main, &outer);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (outer.right - outer.left <= work.right - work.left) {
        EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
        EXPECT_NEAR((outer.top + outer.bottom) / 2, (work.top + work.bottom) / 2, 1);
    }
}

TEST_F(Win32WindowTest, EveryControlStandsAtItsTableRectUpDownsAndTheirEditsIncluded)
{
    // UDS_ALIGNRIGHT moves the arrows and narrows the edit when they are
    // attached; the window must still look as the table says.
    for (const ControlDef &def : TestControls) {
        SCOPED_TRACE(Narrow(def.name));
        EXPECT_EQ(window->geometry(def.name), def.rect);
        RECT rect;
        if (HWND control = window->controlHandle(def.name)) {
            ::GetWindowRect(control, &rect);
            ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
        } else {
            // Painted where its window would have stood, by the one it lies on.
            HWND surface = window->surfaceOf(def.name, &rect);
            EXPECT_EQ(surface, def.parent ? window->controlHandle(def.parent) : window->handle());
        }
        auto s = [this](int v) { return ::MulDiv(v, window->dpi(), 96); };
        EXPECT_EQ(rect.left, s(def.rect.left));
        EXPECT_EQ(rect.top, s(def.rect.top));
        EXPECT_EQ(rect.right - rect.left, s(def.rect.width));
        EXPECT_EQ(rect.bottom - rect.top, s(def.rect.height));
    }
    const Rect moved{349, 25, 65, 22};
    window->setGeometry(u"kostenedit", moved);
    EXPECT_EQ(window->geometry(u"KostenEdit"), moved);
}

TEST_F(Win32WindowTest, AnUnknownNameAnswersEmptyValuesAndChangesNothing)
{
    EXPECT_EQ(window->findControl(u"Zahl"), std::nullopt);
    EXPECT_EQ(window->text(u"Zahl"), u"");
    EXPECT_EQ(window->geometry(u"Zahl"), Rect{});
    EXPECT_FALSE(window->visible(u"Zahl"));
    window->setText(u"Zahl", u"5");
    window->setVisible(u"Zahl", false);
    EXPECT_EQ(window->controlHandle(u"Zahl"), nullptr);
}

TEST_F(Win32WindowTest, ProgramFileNameIsTheRunningProgram)
{
    std::u16string name = window->programFileName();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; });
    EXPECT_TRUE(name.ends_with(u"\\ui_win32_tests.exe")) << Narrow(name);
}

TEST_F(Win32WindowTest, RunEndsWhenTheQuitButtonClosesTheWindow)
{
    window->show();
    EXPECT_EQ(window->focusedControl(), u"Beenden");
    events.closeOnQuit = true;
    ::PostMessageW(hwnd(u"Beenden"), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(window->run(), 0);
    EXPECT_EQ(window->handle(), nullptr);
    EXPECT_EQ(events.log, std::vector<std::string>{"clicked Beenden"});
    EXPECT_EQ(window->text(u"Beenden"), u""); // gone with the window
}

TEST_F(Win32WindowTest, RunEndsWhenTheWindowIsClosedFromItsFrame)
{
    window->show();
    ::PostMessageW(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window->run(), 0);
    EXPECT_EQ(window->handle(), nullptr);
}

// --- the keyboard ------------------------------------------------------------

TEST_F(Win32WindowTest, TabSkipsWhatIsHiddenOrDisabledAtTheTimeOfTheKey)
{
    window->show();
    window->setFocus(u"Baum");
    window->setVisible(u"ZahlEdit", false);
    tab();
    EXPECT_EQ(window->focusedControl(), u"KostenEdit");
    window->setFocus(u"Baum");
    window->setVisible(u"Werte", false);
    tab();
    EXPECT_EQ(window->focusedControl(), u"Beenden");
    window->setEnabled(u"Aus", true);
    window->setFocus(u"Baum");
    tab();
    EXPECT_EQ(window->focusedControl(), u"Aus");
}

TEST_F(Win32WindowTest, EnterInAnEditPressesNoButton)
{
    // The dialog manager would send it to a default button.
    window->show();
    window->setFocus(u"ZahlEdit");
    key(hwnd(u"ZahlEdit"), VK_RETURN);
    EXPECT_EQ(takeLog(), std::vector<std::string>{});
}

// --- buttons and toggles -------------------------------------------------------

TEST_F(Win32WindowTest, ToggleTracksItsOwnPressAndIsNoTabStop)
{
    window->show();
    // A press that leaves the button before the release is no click.
    HWND toggle = hwnd(u"MarktEdit");
    ::PostMessageW(toggle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(toggle, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 5));
    ::PostMessageW(toggle, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    pump();
    EXPECT_TRUE(takeLog().empty());
    EXPECT_FALSE(window->down(u"MarktEdit"));
    EXPECT_FALSE(::GetWindowLongPtrW(toggle, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(window->down(u"MarktBtn")); // not a toggle
}

// --- edits and up-downs --------------------------------------------------------

TEST_F(Win32WindowTest, UpDownWritesPlainDecimalsWithTheTablesStep)
{
    // Wine writes "1,000" without UDS_NOTHOUSANDS where Windows would write
    // "1.000": only the style bit shows the fault under Wine.
    for (const char16_t *name : {u"ZahlUpD", u"KostenUpD"}) {
        const LONG_PTR style = ::GetWindowLongPtrW(hwnd(name), GWL_STYLE);
        EXPECT_TRUE(style & UDS_NOTHOUSANDS) << Narrow(name);
        EXPECT_TRUE(style & UDS_SETBUDDYINT) << Narrow(name);
        int minimum = 0, maximum = 0;
        ::SendMessageW(hwnd(name), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&minimum),
                       reinterpret_cast<LPARAM>(&maximum));
        EXPECT_LT(minimum, maximum);
    }
    window->show();
    window->setFocus(u"KostenEdit");
    window->setText(u"KostenEdit", u"990");
    key(hwnd(u"KostenEdit"), VK_UP);
    EXPECT_EQ(window->text(u"KostenEdit"), u"1000");
    window->setText(u"KostenEdit", u"-4995");
    key(hwnd(u"KostenEdit"), VK_DOWN);
    EXPECT_EQ(window->text(u"KostenEdit"), u"-5000");
}

TEST_F(Win32WindowTest, EditsAreFlatAndDigitsOnlyIsTheSystemsNumberStyle)
{
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd(u"ZahlEdit"), GWL_STYLE) & ES_NUMBER);
    EXPECT_FALSE(::GetWindowLongPtrW(hwnd(u"KostenEdit"), GWL_STYLE) & ES_NUMBER);
    // Flat: the edit draws the thin border of WS_BORDER itself, no sunken one.
    for (const char16_t *name : {u"ZahlEdit", u"KostenEdit"})
        EXPECT_FALSE(::GetWindowLongPtrW(hwnd(name), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(Win32WindowTest, HighlightedEditStandsOnTheButtonHighlightColour)
{
    struct Row
    {
        const char16_t *name;
        bool highlighted;
    };
    for (const Row &row : {Row{u"KostenEdit", true}, Row{u"ZahlEdit", false}}) {
        HWND edit = hwnd(row.name);
        HDC dc = ::GetDC(edit);
        const auto brush = reinterpret_cast<HBRUSH>(
            ::SendMessageW(::GetParent(edit), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(edit)));
        EXPECT_EQ(brush == ::GetSysColorBrush(COLOR_BTNHIGHLIGHT), row.highlighted)
            << Narrow(row.name);
        if (row.highlighted) {
            EXPECT_EQ(::GetBkColor(dc), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        ::ReleaseDC(edit, dc);
    }
}

TEST_F(Win32WindowTest, TreeControlHoldsTheNodesUnderTheirParentsCollapsed)
{
    window->fillTree(TestNodes);
    HWND tree = hwnd(u"Baum");
    EXPECT_EQ(TreeView_GetCount(tree), 4u);
    EXPECT_EQ(TreeView_GetParent(tree, treeItem(1)), treeItem(0));
    EXPECT_EQ(TreeView_GetParent(tree, treeItem(2)), treeItem(0));
    EXPECT_EQ(TreeView_GetParent(tree, treeItem(3)), nullptr);
    EXPECT_FALSE(TreeView_GetItemState(tree, treeItem(0), TVIS_EXPANDED) & TVIS_EXPANDED);
    const LONG_PTR style = ::GetWindowLongPtrW(tree, GWL_STYLE);
    EXPECT_FALSE(style & (TVS_EDITLABELS | TVS_NOTOOLTIPS));
    EXPECT_TRUE(style & TVS_SHOWSELALWAYS);
    EXPECT_EQ(TreeView_GetIndent(tree), static_cast<UINT>(::MulDiv(19, window->dpi(), 96)));
}

TEST_F(Win32WindowTest, TreeAsksTheColourOfEveryNodeItDraws)
{
    window->fillTree(TestNodes);
    window->show();
    events.colourAsked.clear();
    ::RedrawWindow(hwnd(u"Baum"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::vector<int> asked = events.colourAsked;
    std::sort(asked.begin(), asked.end());
    asked.erase(std::unique(asked.begin(), asked.end()), asked.end());
    EXPECT_EQ(asked, (std::vector<int>{0, 3})); // the collapsed children are not drawn

    // Node 0's colour reaches its text.
    RECT rect{};
    ASSERT_TRUE(TreeView_GetItemRect(hwnd(u"Baum"), treeItem(0), &rect, TRUE));
    bool red = false;
    for (int y = rect.top; y < rect.bottom && !red; ++y) {
        for (int x = rect.left; x < rect.right && !red; ++x)
            red = pixel(u"Baum", x, y) == RGB(255, 0, 0);
    }
    EXPECT_TRUE(red);
}

// --- message boxes -------------------------------------------------------------

// The buttons, captions and answers of the boxes are the window contract's
// (tests/contract); here only what a box is to the window around it.
struct BoxAnswer
{
    HWND owner = nullptr;
    bool seen = false;
};
BoxAnswer g_answer;

// Notes the box's owner and presses OK.
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = ThreadWindowOfClass(L"#32770", true);
    if (!box)
        return;
    ::KillTimer(nullptr, timer);
    g_answer.seen = true;
    g_answer.owner = ::GetWindow(box, GW_OWNER);
    ::PostMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

TEST_F(Win32WindowTest, MessageBoxIsModalToTheWindowWhichGetsItsFocusBack)
{
    window->show();
    window->setFocus(u"KostenEdit");
    g_answer = BoxAnswer{};
    ::SetTimer(nullptr, 0, 20, AnswerBox);
    EXPECT_EQ(window->messageBox(u"Gespeichert", u"Z7edit", 64), IDOK);
    EXPECT_TRUE(g_answer.seen);
    EXPECT_EQ(g_answer.owner, window->handle());
    EXPECT_EQ(window->focusedControl(), u"KostenEdit");
}

TEST_F(Win32WindowTest, MessageBoxBeforeTheWindowIsShownHasNoOwner)
{
    g_answer = BoxAnswer{};
    ::SetTimer(nullptr, 0, 20, AnswerBox);
    EXPECT_EQ(window->messageBox(u"Start", u"Fehler", 16), IDOK);
    EXPECT_TRUE(g_answer.seen);
    EXPECT_EQ(g_answer.owner, nullptr);
}

// --- pictures, lines and fonts -------------------------------------------------

TEST_F(Win32WindowTest, PicturesAreDrawnCentredStretchedOrAtTheTopLeft)
{
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    struct Row
    {
        const char16_t *name;
        int x, y;
        COLORREF colour;
    };
    // The marker is 10 x 10 in frames of 40 x 40 on the white header strip.
    const Row rows[] = {
        {u"Bild", 20, 20, red},
        {u"Bild", 2, 2, white},
        {u"Bild", 37, 37, white},
        {u"Gross", 2, 2, red},
        {u"Gross", 37, 37, red},
        {u"Oben", 2, 2, red},
        {u"Oben", 20, 20, white},
        {u"Linie", 100, 1, RGB(128, 0, 0)},
        // A bitmap, drawn as it is: white through its clear top half.
        {u"Fertig", 5, 5, white},
        {u"Fertig", 5, 15, RGB(0, 255, 0)},
        {u"Fertig", 25, 15, white},
        // A damaged bitmap shows nothing.
        {u"Kaputt", 5, 15, white},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(Narrow(row.name) + " " + std::to_string(row.x) + "," + std::to_string(row.y));
        const auto s = [this](int v) { return ::MulDiv(v, window->dpi(), 96); };
        EXPECT_EQ(pixel(row.name, s(row.x), s(row.y)), row.colour);
    }
    EXPECT_EQ(resources().asked(u"MARKER"), 2); // asked as a bitmap, then decoded, once for three
    EXPECT_EQ(resources().asked(u"LOGO"), 1);   // a bitmap: no PNG asked for
}

TEST_F(Win32WindowTest, ListPicturesAreDecodedWhenFirstShownOnWhiteAndStretched)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(pixel(u"Liste", 80, 60), face); // nothing shown yet
    window->showListPicture(u"Liste", 3);
    EXPECT_EQ(pixel(u"Liste", 5, 60), RGB(255, 255, 255));
    EXPECT_EQ(pixel(u"Liste", 155, 60), RGB(0, 0, 255));
    EXPECT_EQ(pixel(u"Liste", 155, 115), RGB(0, 0, 255)); // stretched to 160 x 119
    window->showListPicture(u"liste", 5);
    window->showListPicture(u"Liste", 3);
    EXPECT_EQ(resources().asked(u"BUILDING003"), 1);
    EXPECT_EQ(resources().asked(u"BUILDING005"), 1);

    for (int outside : {-1, 108}) {
        window->showListPicture(u"Liste", outside);
        EXPECT_EQ(pixel(u"Liste", 155, 60), face) << outside;
    }
    EXPECT_EQ(resources().asked(u"BUILDING108"), 0);
    window->showListPicture(u"Liste", 107);
    EXPECT_EQ(resources().asked(u"BUILDING107"), 1);
}

TEST_F(Win32WindowTest, ControlsFollowTheWindowFontUntilTheyGetTheirOwn)
{
    const int dpi = window->dpi();
    EXPECT_STREQ(FontOf(u"ZahlEdit").lfFaceName, L"Tahoma");
    EXPECT_EQ(FontOf(u"ZahlEdit").lfHeight, -::MulDiv(10, dpi, 72));

    window->setFont(u"Titel", FontChange{u"Courier New", 14, true, Colour{255, 0, 0}});
    window->setFont(u"", FontChange{u"Arial", 12, false, std::nullopt});
    struct Row
    {
        const char16_t *name;
        const wchar_t *face;
        int points;
        LONG weight;
    };
    const Row rows[] = {
        {u"ZahlEdit", L"Arial", 12, FW_NORMAL},
        {u"\u00d6lLabel", L"Arial", 12, FW_NORMAL},
        {u"Beenden", L"Arial", 12, FW_NORMAL},
        {u"Titel", L"Courier New", 14, FW_BOLD},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(Narrow(row.name));
        const LOGFONTW font = FontOf(row.name);
        EXPECT_STREQ(font.lfFaceName, row.face);
        EXPECT_EQ(font.lfHeight, -::MulDiv(row.points, dpi, 72));
        EXPECT_EQ(font.lfWeight, row.weight);
    }
    // What is not given stays: a size alone keeps the control's family.
    window->setFont(u"Titel", FontChange{u"", 9, false, std::nullopt});
    EXPECT_STREQ(FontOf(u"Titel").lfFaceName, L"Courier New");
    EXPECT_EQ(FontOf(u"Titel").lfHeight, -::MulDiv(9, dpi, 72));

    // The text colour, on the header strip's white; greyed when disabled.
    EXPECT_EQ(pixel(u"Titel", 1, 1), RGB(255, 255, 255));
    EXPECT_GT(countPixels(u"Titel", RGB(255, 0, 0)), 20);
    window->setEnabled(u"Titel", false);
    EXPECT_EQ(countPixels(u"Titel", RGB(255, 0, 0)), 0);
    EXPECT_GT(countPixels(u"Titel", ::GetSysColor(COLOR_GRAYTEXT)), 20);
}

std::string ReadFile(const std::wstring &path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST_F(Win32WindowTest, RegisteredFontsGetAHandleAndBadBytesNone)
{
    EXPECT_EQ(window->registerFont("no font at all"), 0);
    EXPECT_EQ(window->registerFont(""), 0);
    wchar_t folder[MAX_PATH] = {};
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    const std::string tahoma = ReadFile(std::wstring(folder) + L"\\Fonts\\tahoma.ttf");
    ASSERT_FALSE(tahoma.empty()) << "the test prefix carries Tahoma in its Fonts folder";
    const std::string before = tahoma;
    const int first = window->registerFont(tahoma);
    const int second = window->registerFont(tahoma);
    EXPECT_NE(first, 0);
    EXPECT_NE(second, 0);
    EXPECT_NE(first, second);
    // Registered in place and only read: the bytes are as they were.
    EXPECT_TRUE(tahoma == before);
}

} // namespace
} // namespace z7

namespace z7 {
namespace {

TEST(Win32WindowTable, AControlOnAPanelThatIsNotBeforeItInTheTableIsRefused)
{
    // clang-format off
    const ControlDef lateParent[] = {
        {u"Zahl", ControlKind::Edit, u"Werte", {0, 0, 50, 22}, u"0", u"Zahl", true, true, PlainLook, nullptr},
        {u"Werte", ControlKind::Panel, nullptr, {0, 0, 100, 100}, nullptr, u"Werte", true, true, PlainLook, nullptr},
    };
    const ControlDef notAPanel[] = {
        {u"Bild", ControlKind::Picture, nullptr, {0, 0, 50, 22}, nullptr, u"Bild", true, true, PlainLook, nullptr},
        {u"Zahl", ControlKind::Edit, u"Bild", {0, 0, 50, 22}, u"0", u"Zahl", true, true, PlainLook, nullptr},
    };
    // clang-format on
    for (std::span<const ControlDef> table :
         {std::span<const ControlDef>(lateParent), std::span<const ControlDef>(notAPanel)}) {
        FakeResources resources;
        Recorder events;
        Win32Window window(::GetModuleHandleW(nullptr), resources);
        try {
            window.create(TestWindow, table, events);
            ADD_FAILURE() << "created";
        } catch (const std::logic_error &e) {
            const std::string parent = table[0].kind == ControlKind::Edit ? "Werte" : "Bild";
            EXPECT_EQ(std::string(e.what()), "Das Steuerelement Zahl liegt auf " + parent +
                                                 ", das kein Panel vor ihm ist.");
        }
    }
}

// --- tips ----------------------------------------------------------------------

// A tip is on the control that has one, also on a control of a hidden panel,
// which is made when first needed; the pointer's tip and the screen reader's
// description are the same text.
TEST(Win32WindowTips, ControlsThatHaveATipShowItAndGiveItToScreenReaders)
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        FakeResources resources;
        Win32Window window(::GetModuleHandleW(nullptr), resources);
        // clang-format off
        const std::array<ControlDef, 4> controls = {{
            {u"OhneEdit", ControlKind::Edit, nullptr, {8, 8, 50, 22}, u"0", u"Ohne", true, true, DigitsOnly, nullptr, 0},
            {u"Werte", ControlKind::Panel, nullptr, {239, 135, 668, 200}, nullptr, u"Werte", false, true, PlainLook, nullptr, 1},
            {u"WasserEdit", ControlKind::Edit, u"Werte", {174, 25, 50, 22}, u"0", u"Wasser", true, true, DigitsOnly, nullptr, 0, nullptr, 0, 100, 1, u"0 kein Wasser, 1 Ziehbrunnen"},
            {u"WasserBtn", ControlKind::Button, u"Werte", {276, 25, 65, 25}, u"2", u"Wasser original", true, true, PlainLook, nullptr, -1, nullptr, 0, 100, 1, u"0 kein Wasser, 1 Ziehbrunnen"},
        }};
        // clang-format on
        struct : WindowEvents
        {
            void clicked(std::u16string_view) override {}
            void stepped(std::u16string_view) override {}
            void keyReleased(std::u16string_view) override {}
            void treeChanging(int) override {}
            void treeChanged(int) override {}
            std::optional<Colour> treeNodeColour(int) override { return std::nullopt; }
        } events;
        window.create(TestWindow, controls, events);
        window.setVisible(u"Werte", true);
        using FromWindow = HRESULT(WINAPI *)(HWND, DWORD, REFIID, void **);
        using FreeString = void(WINAPI *)(BSTR);
        const auto fromWindow = reinterpret_cast<FromWindow>(reinterpret_cast<void *>(
            ::GetProcAddress(::LoadLibraryW(L"oleacc.dll"), "AccessibleObjectFromWindow")));
        const auto freeString = reinterpret_cast<FreeString>(reinterpret_cast<void *>(
            ::GetProcAddress(::LoadLibraryW(L"oleaut32.dll"), "SysFreeString")));
        for (const char16_t *name : {u"WasserEdit", u"WasserBtn"}) {
            EXPECT_EQ(window.tipOf(name), u"0 kein Wasser, 1 Ziehbrunnen") << Narrow(name);
            // Through oleacc as a screen reader reaches it, loaded as one loads it.
            IAccessible *accessible = nullptr;
            ASSERT_TRUE(fromWindow);
            ASSERT_TRUE(
                SUCCEEDED(fromWindow(window.controlHandle(name), static_cast<DWORD>(OBJID_CLIENT),
                                     IID_IAccessible, reinterpret_cast<void **>(&accessible))));
            VARIANT self{};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            BSTR description = nullptr;
            // Wine's oleacc keeps no annotations and answers S_FALSE; Windows
            // answers with the text.
            if (accessible->get_accDescription(self, &description) == S_OK) {
                EXPECT_EQ(description
                              ? std::u16string(reinterpret_cast<const char16_t *>(description))
                              : u"",
                          u"0 kein Wasser, 1 Ziehbrunnen")
                    << Narrow(name);
            }
            if (description && freeString)
                freeString(description);
            accessible->Release();
        }
        EXPECT_EQ(window.tipOf(u"OhneEdit"), u"");

        // The pointer resting on the edit shows its tip: the mouse's messages
        // reach the tooltip through the window's message loop.
        window.show();
        HWND edit = window.controlHandle(u"WasserEdit");
        RECT where;
        ::GetWindowRect(edit, &where);
        const POINT centre{(where.left + where.right) / 2, (where.top + where.bottom) / 2};
        ::SetCursorPos(centre.x, centre.y);
        POINT inside = centre;
        ::ScreenToClient(edit, &inside);
        ::PostMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
        HWND tooltip = ThreadWindowOfClass(TOOLTIPS_CLASSW, false);
        ASSERT_NE(tooltip, nullptr);
        for (int waited = 0; waited < 5000 && !::IsWindowVisible(tooltip); waited += 20) {
            window.processEvents();
            ::Sleep(20);
        }
        EXPECT_TRUE(::IsWindowVisible(tooltip));
        wchar_t shown[512] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.lpszText = shown;
        ::SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(tool.uId, reinterpret_cast<UINT_PTR>(edit));
        EXPECT_STREQ(shown, L"0 kein Wasser, 1 Ziehbrunnen");
    }
    ::CoUninitialize();
}

} // namespace
} // namespace z7
