#pragma once

#include "app/app_texts.h"
#include "catalogue/window_names.h"
#include "ui/controls.h"
#include "ui/window_texts.h"

#include <array>

namespace z7 {

// The controls that only this table places: nothing addresses them by name.
namespace names {
inline constexpr char16_t Shape1[] = u"Shape1";
inline constexpr char16_t Shape2[] = u"Shape2";
inline constexpr char16_t Panel3[] = u"Panel3";
inline constexpr char16_t Z7MainImage[] = u"Z7MainImage";
inline constexpr char16_t ModellTree[] = u"ModellTree";
} // namespace names

inline constexpr int ClientWidth = 901;
inline constexpr int ClientHeight = 601;

// The controls of the window outside the value panels, in the order of
// creation: what comes later lies above. The last number is the place in the
// keyboard order; the Tab key enters a panel's edits at the panel's place. The
// panels' rows come from the value-row table (editor/value_rows.h).
// clang-format off
inline constexpr std::array<ControlDef, 15> MainWindowControls = {{
    {names::NoSelectImage, ControlKind::Picture, nullptr, {305, 212, 520, 235}, nullptr, app_texts::NoSelectDescription, true, true, PlainLook, u"noselect"},
    {names::Shape1, ControlKind::Line, nullptr, {0, 559, 909, 2}, nullptr, app_texts::Separator, true, true, PlainLook, nullptr},
    {names::Shape2, ControlKind::Line, nullptr, {0, 130, 910, 2}, nullptr, app_texts::Separator, true, true, PlainLook, nullptr},
    {names::ImprintLabel, ControlKind::Label, nullptr, {8, 567, 417, 25}, app_texts::Imprint, app_texts::Imprint, true, true, LeftAligned, nullptr},
    {names::Panel1, ControlKind::Panel, nullptr, {239, 135, 668, 134}, nullptr, app_texts::BuildingValues, false, true, PlainLook, nullptr, 6},
    {names::Panel2, ControlKind::Panel, nullptr, {239, 269, 668, 251}, nullptr, app_texts::HouseValues, false, true, PlainLook, nullptr, 2},
    {names::Panel3, ControlKind::Panel, nullptr, {0, 0, ClientWidth, 127}, nullptr, app_texts::Header, true, true, WhiteBackground, nullptr, 7},
    {names::Z7MainImage, ControlKind::Picture, names::Panel3, {8, 3, 274, 100}, nullptr, app_texts::LogoDescription, true, true, Centred, u"logo"},
    {names::ObjektnameLabel, ControlKind::Label, names::Panel3, {556, 78, 338, 33}, app_texts::FirstGroup, app_texts::ShownEntry, true, true, Centred, nullptr},
    {names::BuildingImage, ControlKind::Picture, names::Panel3, {401, 3, 160, 119}, nullptr, app_texts::BuildingDescription, true, true, Stretched, u"start"},
    {names::Beenden, ControlKind::Button, nullptr, {588, 563, 306, 33}, app_texts::Quit, app_texts::Quit, true, true, PlainLook, nullptr, 0},
    {names::ModellTree, ControlKind::Tree, nullptr, {8, 135, 226, 385}, nullptr, app_texts::Catalogue, true, true, PlainLook, nullptr, 1},
    {names::Speichern, ControlKind::Button, nullptr, {245, 523, 649, 33}, app_texts::Save, app_texts::Save, true, false, PlainLook, nullptr, 3},
    {names::CompleteReset, ControlKind::Button, nullptr, {8, 523, 225, 33}, app_texts::CompleteReset, app_texts::CompleteReset, true, true, PlainLook, nullptr, 4},
    {names::SingleElementReset, ControlKind::Button, nullptr, {589, 482, 305, 33}, window_texts::Reset, window_texts::Reset, false, false, PlainLook, nullptr, 5},
}};
// clang-format on

} // namespace z7
