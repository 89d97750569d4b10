#pragma once

// The window of the Windows program on the Win32 common controls: it creates
// the controls from the table the logic gives, turns their messages into the
// logic's events and answers the logic's requests with SendMessage and
// SetWindowText. Everything the logic sees is at 96 dpi; only this class knows
// the pixels of the screen.

#include "platform/resource_source.h"
#include "ui/win32/win32_pictures.h"
#include "ui/win32/win32_tips.h"
#include "ui/window.h"
#include "ui/window_rules.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

namespace z7 {

class Win32Window final : public Window
{
public:
    Win32Window(HINSTANCE instance, const ResourceSource &resources);
    ~Win32Window() override;
    Win32Window(const Win32Window &) = delete;
    Win32Window &operator=(const Win32Window &) = delete;

    void create(const WindowDef &window, std::span<const ControlDef> controls,
                WindowEvents &events) override;
    std::optional<ControlKind> findControl(std::u16string_view name) const override;
    std::u16string text(std::u16string_view control) const override;
    void setText(std::u16string_view control, std::u16string_view text) override;
    bool visible(std::u16string_view control) const override;
    void setVisible(std::u16string_view control, bool visible) override;
    bool enabled(std::u16string_view control) const override;
    void setEnabled(std::u16string_view control, bool enabled) override;
    bool down(std::u16string_view toggle) const override;
    void setDown(std::u16string_view toggle, bool down) override;
    Rect geometry(std::u16string_view control) const override;
    void setGeometry(std::u16string_view control, const Rect &rect) override;
    std::u16string focusedControl() const override;
    void setFocus(std::u16string_view control) override;
    void showListPicture(std::u16string_view picture, int index) override;
    void setFont(std::u16string_view control, const FontChange &font) override;
    int registerFont(std::string_view fontFileBytes) override;
    void fillTree(const std::vector<TreeNode> &nodes) override;
    int selectedNode() const override;
    TreeNode treeNode(int index) const override;
    void selectNodeQuietly(int index) override;
    void setNodeMarked(int index, bool marked) override;
    bool nodeMarked(int index) const override;
    int messageBox(std::u16string_view text, std::u16string_view title, int flags) override;
    std::u16string programFileName() const override;
    void processEvents() override;
    void close() override;

    // Shows the window with the focus on the first control of the keyboard
    // order.
    void show();
    // Runs the message loop until the window is closed; the exit code.
    int run();

    // The window's and a control's handles (nullptr for an unknown name), for
    // the tests that drive the real controls.
    HWND handle() const { return m_hwnd; }
    HWND controlHandle(std::u16string_view name) const;
    // The tip the pointer shows on a control; empty for none.
    std::u16string tipOf(std::u16string_view name) const;
    // Where a control shows: its own window, or for a label, picture or line
    // the panel or window that paints it, and the control's place in it in
    // pixels (nullptr for an unknown name).
    HWND surfaceOf(std::u16string_view name, RECT *where) const;
    // The font a label without a window is painted in (nullptr for others).
    HFONT paintedFont(std::u16string_view name) const;
    // The pixels per inch the window was created for.
    int dpi() const { return m_dpi; }

private:
    struct FontStyle
    {
        std::u16string family;
        int pointSize = 0;
        bool bold = false;
        std::optional<Colour> colour;
    };

    struct Control
    {
        std::u16string name;
        ControlKind kind = ControlKind::Label;
        int parent = -1; // index of the panel, -1 for the window
        Rect rect;       // at 96 dpi
        unsigned look = PlainLook;
        HWND hwnd = nullptr;
        // Labels, pictures and lines have no window of their own: the panel
        // or window they lie on paints them from these. Every window costs
        // the start under Wine a few milliseconds to make and to paint.
        bool painted = false;
        mutable std::u16string text;
        // A window's text as last set or read, while textKnown: reading it
        // back is a message through the subclass chain, and under Wine each
        // of those asks the wineserver for the chain. An edit's change
        // forgets it (EN_CHANGE).
        mutable bool textKnown = false;
        bool shown = true;
        bool active = true;
        // A font of its own, or nothing while it follows the window's.
        std::optional<FontStyle> ownFont;
        HFONT font = nullptr;
        std::shared_ptr<const Picture> picture;
        bool listPicture = false;
        // Up-down controls: the edit, the position after the last step.
        int buddy = -1;
        int position = 0;
        bool attached = false;
        // Lies on a hidden panel and has no window yet: the panel's first
        // showing or the first use of such a control makes them all.
        bool later = false;
        bool holdsLater = false; // a hidden panel whose controls are made later
    };

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK toggleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(const NMHDR &header);
    LRESULT onTreeNotify(const NMHDR &header);
    LRESULT onColour(UINT message, HDC dc, HWND control);
    void paintControls(HDC dc, int parent) const;
    void drawPainted(HDC dc, const Control &control) const;
    void invalidate(const Control &control) const;
    RECT pixelRect(const Control &control) const;
    // Moves a control to rect even where its record already says so.
    void place(Control &control, const Rect &rect);
    void onToggleClicked(int index);
    void stepUpDown(int index, int direction);
    // The up-down stepping the edit at index, or -1.
    int upDownOf(int edit) const;
    // One message of the message loop, to its control or the dialog keys.
    void dispatch(MSG &message);
    bool preTranslate(MSG &message);
    void moveFocus(bool forward);
    bool takesFocus(int index) const;

    void createControl(int index, const ControlDef &def, bool later);
    void makeWindow(int index);
    void makeLaterControls() const;
    void placeInDrawingOrder(const std::vector<int> &only);
    void attachUpDowns();
    int indexOf(std::u16string_view name) const;
    int indexOf(HWND hwnd) const;
    const Control *find(std::u16string_view name) const;
    Control *find(std::u16string_view name);
    HWND parentHandle(const Control &control) const;
    COLORREF backgroundOf(int parent) const;
    HBRUSH backgroundBrushOf(int parent) const;
    int scaled(int value) const;
    HFONT makeFont(const FontStyle &style) const;
    HFONT fontOf(const Control &control) const;
    std::shared_ptr<const Picture> ownPicture(std::u16string_view name);
    std::shared_ptr<const Picture> listPicture(int index);
    int treeIndexOf(HTREEITEM item) const;

    HINSTANCE m_instance;
    const ResourceSource &m_resources;
    WindowEvents *m_events = nullptr;
    HWND m_hwnd = nullptr;
    bool m_shown = false;
    bool m_quitOnDestroy = true;
    HWND m_lastFocus = nullptr; // the control to give the focus back to
    int m_dpi = 96;
    Rect m_clientRect;

    ControlTable m_table; // every control, with its own texts
    ControlIndex m_index;
    std::vector<std::size_t> m_keyboardOrder;
    std::vector<Control> m_controls;
    FontStyle m_windowFontStyle;
    HFONT m_windowFont = nullptr;
    HBRUSH m_lineBrush = nullptr;

    int m_tree = -1;
    std::vector<TreeNode> m_nodes;
    std::vector<HTREEITEM> m_items;
    bool m_treeQuiet = false;

    PictureDecoder m_decoder;
    std::vector<std::pair<std::u16string, std::shared_ptr<const Picture>>> m_ownPictures;
    std::vector<std::shared_ptr<const Picture>> m_listPictures;

    std::vector<HANDLE> m_fonts; // AddFontMemResourceEx's, removed with the window
    ControlTips m_tips;
};

} // namespace z7
