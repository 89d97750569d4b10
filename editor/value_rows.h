#pragma once

#include "catalogue/node_codes.h"
#include "catalogue/window_names.h"
#include "editor/editor_texts.h"
#include "model/model_store.h"
#include "ui/controls.h"

#include <array>
#include <string_view>

namespace z7 {

namespace captions = editor_texts::captions;
namespace tips = editor_texts::tips;

// Where a row's value lives: a slot of the building line (for a house level its
// companion line "H<code>") or a slot of the house line.
enum class SlotSource { Building, House };

// The three layouts of the panels: a building, the first house level (its
// cost shown too), and every other house level.
enum class Layout { Building, FirstHouseLevel, UpperHouseLevel };

constexpr unsigned In(Layout layout)
{
    return 1u << unsigned(layout);
}
inline constexpr unsigned EveryLayout =
    In(Layout::Building) | In(Layout::FirstHouseLevel) | In(Layout::UpperHouseLevel);
inline constexpr unsigned HouseLayouts = In(Layout::FirstHouseLevel) | In(Layout::UpperHouseLevel);

constexpr Layout LayoutOf(RecordKind kind, int code)
{
    if (kind == RecordKind::Building)
        return Layout::Building;
    return IsFirstHouseLevel(code) ? Layout::FirstHouseLevel : Layout::UpperHouseLevel;
}

// Panel 1 is shown in every layout, panel 2 for the house levels.
constexpr unsigned PanelLayouts(int panel)
{
    return panel == 1 ? EveryLayout : HouseLayouts;
}

constexpr const char16_t *PanelName(int panel)
{
    return panel == 1 ? names::Panel1 : names::Panel2;
}

// The endings of a row's reference button and of its edit or toggle: the
// button's name less its ending, plus the edit's, names its partner.
inline constexpr std::u16string_view ButtonSuffix = u"Btn";
inline constexpr std::u16string_view EditSuffix = u"Edit";

// One edited value on a panel: a caption, the current value (an edit with a
// spin box, or a yes/no toggle), the shipped value on a button and a marker
// shown while the two differ. The control names carry behaviour: a reference
// button finds its edit by name, ignoring the case of A-Z, so the odd letter
// cases below are deliberate and must stay.
struct ValueRowDef
{
    const char16_t *stem;
    const char16_t *labelName;
    const char16_t *editName;
    const char16_t *updName; // empty for a toggle row
    const char16_t *btnName;
    const char16_t *pngName;
    const char16_t *caption;
    // What the value means, on the edit or toggle and on the reference button.
    const char16_t *tip;
    int panel; // 1 or 2
    SlotSource source;
    int slot;
    bool toggle;
    // The layouts that show the row; a store copies exactly the rows its
    // layout shows, in table order. Where a shown panel hides a row, its
    // edit and button read "0".
    unsigned layouts;
    int minimum, maximum, step;
    Rect label, edit, upd, png, btn;
};

namespace rows {
// Indexes into ValueRows, for the code that addresses single rows.
enum : int {
    Baukosten,
    Steuern,
    Arbeiter,
    Bewohner,
    Attraktivitaet,
    Reichweite,
    Rueckentwicklung,
    Weiterentwicklung,
    Unterhaltungslevel,
    Wasserqualitaet,
    Religionszugang,
    Ausbildungszugang,
    MedizinischeVersorgung,
    Lebensmittelqualitaet,
    Weinqualitaet,
    Marktzugang,
    Barbierzugang,
    Badehauszugang,
    Geschirrzugang,
    Olivenoelzugang,
    Moebelzugang,
    Count
};
} // namespace rows

// Panel 1 rows: label at 7 (160 wide), edit at 174, spin box at 224, marker at 248,
// button at 276; panel 2 numbers alike; toggles in panel 2's right column.
constexpr Rect p1Label(int top, int h = 26)
{
    return {7, top, 160, h};
}
constexpr Rect numEdit(int top)
{
    return {174, top, 50, 22};
}
constexpr Rect numUpd(int top)
{
    return {224, top, 17, 22};
}
constexpr Rect numPng(int top)
{
    return {248, top, 25, 25};
}
constexpr Rect numBtn(int top)
{
    return {276, top, 65, 25};
}
constexpr Rect p2Label(int top, int left = 6)
{
    return {left, top, 160, 26};
}
constexpr Rect tgLabel(int top)
{
    return {350, top, 155, 26};
}
constexpr Rect tgEdit(int top)
{
    return {505, top, 50, 25};
}
constexpr Rect tgPng(int top)
{
    return {569, top, 25, 25};
}
constexpr Rect tgBtn(int top)
{
    return {605, top, 50, 25};
}

inline constexpr std::array<ValueRowDef, rows::Count> ValueRows = {{
    {u"Baukosten",
     u"BaukostenLabel",
     u"BaukostenEdit",
     u"BaukostenUpD",
     u"BaukostenBtn",
     u"BaukostenPng",
     captions::Baukosten,
     tips::Baukosten,
     1,
     SlotSource::Building,
     3,
     false,
     In(Layout::Building) | In(Layout::FirstHouseLevel),
     -5000,
     5000,
     10,
     p1Label(23),
     numEdit(25),
     {228, 25, 17, 22},
     {250, 23, 25, 25},
     numBtn(23)},
    {u"Steuern",
     u"SteuernLabel",
     u"SteuernEdit",
     u"SteuernUpD",
     u"SteuernBtn",
     u"SteuernPng",
     captions::Steuern,
     tips::Steuern,
     1,
     SlotSource::House,
     24,
     false,
     HouseLayouts,
     -5000,
     5000,
     25,
     p1Label(23),
     numEdit(25),
     numUpd(25),
     numPng(23),
     numBtn(23)},
    {u"Arbeiter",
     u"ArbeiterLabel",
     u"ArbeiterEdit",
     u"ArbeiterUpD",
     u"ArbeiterBtn",
     u"ArbeiterPng",
     captions::Arbeiter,
     tips::Arbeiter,
     1,
     SlotSource::Building,
     8,
     false,
     In(Layout::Building),
     0,
     500,
     1,
     p1Label(47, 33),
     numEdit(53),
     numUpd(53),
     numPng(51),
     numBtn(51)},
    {u"Bewohner",
     u"BewohnerLabel",
     u"BewohnerEdit",
     u"BewohnerUpD",
     u"BewohnerBtn",
     u"BewohnerPng",
     captions::Bewohner,
     tips::Bewohner,
     1,
     SlotSource::House,
     20,
     false,
     HouseLayouts,
     0,
     500,
     1,
     p1Label(50),
     numEdit(53),
     numUpd(53),
     numPng(51),
     numBtn(51)},
    {u"Attraktivität",
     u"AttraktivitätLabel",
     u"AttraktivitätEdit",
     u"AttraktivitätUpD",
     u"AttraktivitätBtn",
     u"AttraktivitätPng",
     captions::Attraktivitaet,
     tips::Attraktivitaet,
     1,
     SlotSource::Building,
     4,
     false,
     EveryLayout,
     -100,
     100,
     1,
     p1Label(82),
     numEdit(81),
     numUpd(81),
     numPng(79),
     numBtn(79)},
    {u"Reichweite",
     u"ReichweiteLabel",
     u"ReichweiteEdit",
     u"ReichweiteUpD",
     u"ReichweiteBtn",
     u"ReichweitePng",
     captions::Reichweite,
     tips::Reichweite,
     1,
     SlotSource::Building,
     7,
     false,
     EveryLayout,
     0,
     10,
     1,
     p1Label(109),
     numEdit(108),
     numUpd(108),
     numPng(106),
     numBtn(106)},
    {u"Rückentwicklung",
     u"RückentwicklungLabel",
     u"RückentwicklungEdit",
     u"RückentwicklungUpD",
     u"RückentwicklungBtn",
     u"RückentwicklungPng",
     captions::Rueckentwicklung,
     tips::Rueckentwicklung,
     2,
     SlotSource::House,
     2,
     false,
     HouseLayouts,
     -99,
     100,
     1,
     p2Label(2, 7),
     numEdit(2),
     numUpd(2),
     numPng(2),
     numBtn(2)},
    {u"Weiterentwicklung",
     u"WeiterentwicklungLabel",
     u"WeiterentwicklungEdit",
     u"WeiterentwicklungUpD",
     u"WeiterentwicklungBtn",
     u"WeiterentwicklungPng",
     captions::Weiterentwicklung,
     tips::Weiterentwicklung,
     2,
     SlotSource::House,
     3,
     false,
     HouseLayouts,
     -99,
     85,
     1,
     p2Label(30),
     numEdit(29),
     numUpd(29),
     numPng(29),
     numBtn(29)},
    {u"Unterhaltungslevel",
     u"UnterhaltungslevelLabel",
     u"UnterhaltungsLevelEdit",
     u"UnterhaltungsLevelUpD",
     u"UnterhaltungslevelBtn",
     u"UnterhaltungslevelPng",
     captions::Unterhaltungslevel,
     tips::Unterhaltungslevel,
     2,
     SlotSource::House,
     4,
     false,
     HouseLayouts,
     0,
     80,
     5,
     p2Label(58),
     numEdit(56),
     numUpd(56),
     numPng(56),
     numBtn(56)},
    {u"Wasserqualität",
     u"WasserqualitätLabel",
     u"WasserQualitätEdit",
     u"WasserqualitätUpD",
     u"WasserqualitätBtn",
     u"WasserqualitätPng",
     captions::Wasserqualitaet,
     tips::Wasserqualitaet,
     2,
     SlotSource::House,
     5,
     false,
     HouseLayouts,
     0,
     2,
     1,
     p2Label(86),
     numEdit(84),
     numUpd(84),
     numPng(84),
     numBtn(84)},
    {u"Religionszugang",
     u"ReligionszugangLabel",
     u"ReligionszugangEdit",
     u"ReligionszugangUpD",
     u"ReligionszugangBtn",
     u"ReligionszugangPng",
     captions::Religionszugang,
     tips::Religionszugang,
     2,
     SlotSource::House,
     6,
     false,
     HouseLayouts,
     0,
     4,
     1,
     p2Label(112),
     numEdit(112),
     numUpd(112),
     numPng(112),
     numBtn(112)},
    {u"Ausbildungszugang",
     u"AusbildungszugangLabel",
     u"AusbildungszugangEdit",
     u"AusbildungszugangUpD",
     u"AusbildungszugangBtn",
     u"AusbildungsZugangPng",
     captions::Ausbildungszugang,
     tips::Ausbildungszugang,
     2,
     SlotSource::House,
     7,
     false,
     HouseLayouts,
     0,
     3,
     1,
     p2Label(139),
     numEdit(139),
     numUpd(139),
     numPng(139),
     numBtn(139)},
    {u"MedizinischeVersorgung",
     u"MedizinischeVersorgungLabel",
     u"MedizinischeVersorgungEdit",
     u"MedizinischeVersorungUpD",
     u"MedizinischeVersorgungBtn",
     u"MedizinischeVersorgungPng",
     captions::MedizinischeVersorgung,
     tips::MedizinischeVersorgung,
     2,
     SlotSource::House,
     11,
     false,
     HouseLayouts,
     0,
     2,
     1,
     p2Label(166),
     numEdit(166),
     numUpd(166),
     numPng(166),
     numBtn(166)},
    {u"Lebensmittelqualität",
     u"LebenmittelqualitätLabel",
     u"LebensmittelQualitätEdit",
     u"LebensmittelQualitätUpD",
     u"LebensmittelqualitätBtn",
     u"LebensmittelqualitätPng",
     captions::Lebensmittelqualitaet,
     tips::Lebensmittelqualitaet,
     2,
     SlotSource::House,
     12,
     false,
     HouseLayouts,
     0,
     3,
     1,
     p2Label(193),
     numEdit(193),
     numUpd(193),
     numPng(193),
     numBtn(193)},
    {u"Weinqualität",
     u"WeinqualitätLabel",
     u"WeinqualitätEdit",
     u"WeinqualitätUpD",
     u"WeinqualitätBtn",
     u"WeinQualitätPng",
     captions::Weinqualitaet,
     tips::Weinqualitaet,
     2,
     SlotSource::House,
     16,
     false,
     HouseLayouts,
     0,
     2,
     1,
     p2Label(220),
     numEdit(220),
     numUpd(220),
     numPng(220),
     numBtn(220)},
    {u"Marktzugang",
     u"MarktzugangLabel",
     u"MarktzugangEdit",
     u"",
     u"MarktzugangBtn",
     u"MarktzugangPng",
     captions::Marktzugang,
     tips::Marktzugang,
     2,
     SlotSource::House,
     8,
     true,
     HouseLayouts,
     0,
     0,
     0,
     tgLabel(31),
     tgEdit(29),
     {},
     tgPng(29),
     tgBtn(29)},
    {u"Barbierzugang",
     u"BarbierzugangLabel",
     u"BarbierzugangEdit",
     u"",
     u"BarbierzugangBtn",
     u"BarbierzugangPng",
     captions::Barbierzugang,
     tips::Barbierzugang,
     2,
     SlotSource::House,
     9,
     true,
     HouseLayouts,
     0,
     0,
     0,
     tgLabel(57),
     tgEdit(57),
     {},
     tgPng(57),
     tgBtn(57)},
    {u"Badehauszugang",
     u"BadehauszugangLabel",
     u"BadehauszugangEdit",
     u"",
     u"BadehauszugangBtn",
     u"BadehauszugangPng",
     captions::Badehauszugang,
     tips::Badehauszugang,
     2,
     SlotSource::House,
     10,
     true,
     HouseLayouts,
     0,
     0,
     0,
     tgLabel(84),
     tgEdit(84),
     {},
     tgPng(84),
     tgBtn(84)},
    {u"Geschirrzugang",
     u"GeschirrzugangLabel",
     u"GeschirrzugangEdit",
     u"",
     u"GeschirrzugangBtn",
     u"GeschirrzugangPng",
     captions::Geschirrzugang,
     tips::Geschirrzugang,
     2,
     SlotSource::House,
     13,
     true,
     HouseLayouts,
     0,
     0,
     0,
     tgLabel(111),
     tgEdit(111),
     {},
     tgPng(111),
     tgBtn(111)},
    {u"Olivenölzugang",
     u"OlivenölzugangLabel",
     u"OlivenölzugangEdit",
     u"",
     u"OlivenölzugangBtn",
     u"OlivenölzugangPng",
     captions::Olivenoelzugang,
     tips::Olivenoelzugang,
     2,
     SlotSource::House,
     14,
     true,
     HouseLayouts,
     0,
     0,
     0,
     tgLabel(138),
     tgEdit(138),
     {},
     tgPng(138),
     tgBtn(138)},
    {u"Möbelzugang",
     u"MöbelzugangLabel",
     u"MöbelzugangEdit",
     u"",
     u"MöbelzugangBtn",
     u"MöbelzugangPng",
     captions::Moebelzugang,
     tips::Moebelzugang,
     2,
     SlotSource::House,
     15,
     true,
     HouseLayouts,
     0,
     0,
     0,
     tgLabel(165),
     tgEdit(165),
     {},
     tgPng(165),
     tgBtn(165)},
}};

// The column heads of the panels, and the layouts that show them: the
// first house level has its cost in a column of its own.
struct PanelHead
{
    const char16_t *name;
    int panel;
    const char16_t *caption;
    Rect rect;
    unsigned layouts;
};

inline constexpr std::array<PanelHead, 6> PanelHeads = {{
    {u"AktuellLabel1", 1, editor_texts::Current, {164, 1, 65, 26}, EveryLayout},
    {u"OriginalLabel1", 1, editor_texts::Original, {278, 1, 65, 26}, EveryLayout},
    {u"AktuellLabel3", 1, editor_texts::Current, {492, 1, 65, 26}, In(Layout::FirstHouseLevel)},
    {u"OriginalLabel3", 1, editor_texts::Original, {590, 1, 65, 26}, In(Layout::FirstHouseLevel)},
    {u"AktuellLabel2", 2, editor_texts::Current, {492, 4, 65, 25}, HouseLayouts},
    {u"OriginalLabel2", 2, editor_texts::Original, {590, 4, 65, 25}, HouseLayouts},
}};

// The two placements of the Baukosten row: a building shows it in the left
// column, the first house level in the right column of the first line.
struct CostPlacement
{
    int labelLeft, editLeft, editWidth, updLeft, pngLeft, btnLeft;
};
inline constexpr CostPlacement CostLeftColumn{7, 174, 50, 228, 250, 276};
inline constexpr CostPlacement CostRightColumn{349, 492, 65, 570, 565, 590};

// Keyboard order of the numeric edits within each panel.
inline constexpr std::array<int, 6> Panel1TabOrder = {rows::Baukosten,      rows::Steuern,
                                                      rows::Arbeiter,       rows::Bewohner,
                                                      rows::Attraktivitaet, rows::Reichweite};
inline constexpr std::array<int, 9> Panel2TabOrder = {
    rows::Rueckentwicklung,      rows::Weiterentwicklung,      rows::Unterhaltungslevel,
    rows::Wasserqualitaet,       rows::Religionszugang,        rows::Ausbildungszugang,
    rows::Lebensmittelqualitaet, rows::MedizinischeVersorgung, rows::Weinqualitaet};

} // namespace z7
