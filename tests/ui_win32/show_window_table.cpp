// Opens the program's real window table (the main window's controls and the
// value panels' rows) on the Win32 skin, for a look at it under Wine:
//   show_window_table.exe <folder of the PNG pictures> [house]
// The folder holds logo.png, start.png, noselect.png, marker.png and
// buildings/000.png ... 107.png, as the main build draws them. With "house"
// both panels show, as for the first house level.

#include "ui/window.h"

#include "app/window_table.h"
#include "editor/value_rows.h"
#include "ui/win32/win32_window.h"

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class FolderResources final : public z7::ResourceSource
{
public:
    explicit FolderResources(std::filesystem::path folder)
        : m_folder(std::move(folder))
    {
    }

    std::optional<std::string> bytes(std::u16string_view type,
                                     std::u16string_view name) const override
    {
        if (type != u"PNG")
            return std::nullopt;
        std::wstring file(name.begin(), name.end());
        for (wchar_t &c : file)
            c = static_cast<wchar_t>(std::towlower(c));
        std::filesystem::path path = m_folder / (file + L".png");
        if (file.starts_with(L"building"))
            path = m_folder / L"buildings" / (file.substr(8) + L".png");
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return std::nullopt;
        std::ostringstream data;
        data << in.rdbuf();
        return data.str();
    }

private:
    std::filesystem::path m_folder;
};

class NoEvents final : public z7::WindowEvents
{
public:
    void clicked(std::u16string_view) override {}
    void stepped(std::u16string_view) override {}
    void keyReleased(std::u16string_view) override {}
    void treeChanging(int) override {}
    void treeChanged(int) override {}
    std::optional<z7::Colour> treeNodeColour(int node) override
    {
        if (node == 2)
            return z7::Colour{255, 0, 0};
        return std::nullopt;
    }
};

int TabPlace(int row)
{
    for (std::size_t i = 0; i < z7::Panel1TabOrder.size(); ++i) {
        if (z7::Panel1TabOrder[i] == row)
            return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < z7::Panel2TabOrder.size(); ++i) {
        if (z7::Panel2TabOrder[i] == row)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    using namespace z7;
    int count = 0;
    wchar_t **arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const std::wstring folder = count > 1 ? arguments[1] : L".";
    const bool house = count > 2 && std::wstring_view(arguments[2]) == L"house";
    ::LocalFree(arguments);
    FolderResources resources(folder);

    // The keyboard order of the window's controls.
    const std::pair<const char16_t *, int> windowOrder[] = {
        {u"Beenden", 0},       {u"ModellTree", 1},         {u"Panel2", 2}, {u"Speichern", 3},
        {u"CompleteReset", 4}, {u"SingleElementReset", 5}, {u"Panel1", 6}, {u"Panel3", 7}};
    std::vector<ControlDef> controls(MainWindowControls.begin(), MainWindowControls.end());
    for (ControlDef &def : controls) {
        for (const auto &[name, place] : windowOrder) {
            if (std::u16string_view(def.name) == name)
                def.tabOrder = place;
        }
    }
    for (const PanelHead &head : PanelHeads) {
        controls.push_back({head.name, ControlKind::Label, PanelName(head.panel), head.rect,
                            head.caption, head.caption, true, true, Centred, nullptr});
    }
    for (std::size_t i = 0; i < ValueRows.size(); ++i) {
        const ValueRowDef &row = ValueRows[i];
        const char16_t *panel = PanelName(row.panel);
        controls.push_back({row.labelName, ControlKind::Label, panel, row.label, row.caption,
                            row.caption, true, true, LeftAligned, nullptr});
        if (row.toggle) {
            controls.push_back({row.editName, ControlKind::Toggle, panel, row.edit, u"nein",
                                row.caption, true, true, PlainLook, nullptr});
        } else {
            const unsigned look =
                row.stem == std::u16string_view(u"Baukosten") ? Highlighted : DigitsOnly;
            controls.push_back({row.editName, ControlKind::Edit, panel, row.edit, u"0", row.caption,
                                true, true, look, nullptr, TabPlace(static_cast<int>(i))});
            controls.push_back({row.updName, ControlKind::UpDown, panel, row.upd, nullptr,
                                row.caption, true, true, PlainLook, nullptr, -1, row.editName,
                                row.minimum, row.maximum, row.step});
        }
        controls.push_back({row.btnName, ControlKind::Button, panel, row.btn,
                            row.toggle ? u"nein" : u"0", row.caption, true, true, PlainLook,
                            nullptr});
        controls.push_back({row.pngName, ControlKind::Picture, panel, row.png, nullptr, row.caption,
                            i % 4 == 0, true, PlainLook, u"marker"});
    }

    NoEvents events;
    Win32Window window(instance, resources);
    window.create({u"Z7 Edit", ClientWidth, ClientHeight, u"Tahoma", 10}, controls, events);
    window.fillTree({{u"Wohnungen", 0, 12, -1, 0},
                     {u"Zelt", 1, 100, 5, 1},
                     {u"H\u00fctte", 1, 101, 6, 2},
                     {u"Industrie", 0, 300, 7, 3},
                     {u"Weinberg", 1, 301, 8, 4}});
    window.setFont(u"ObjektnameLabel", {u"Tahoma", 16, true, Colour{128, 0, 0}});
    if (house) {
        window.setVisible(u"Panel1", true);
        window.setVisible(u"Panel2", true);
        window.setVisible(u"NoSelectImage", false);
        window.showListPicture(u"BuildingImage", 5);
        window.setText(u"ObjektnameLabel", u"Zelt");
    }
    window.show();
    return window.run();
}
