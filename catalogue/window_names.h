#pragma once

// The names of the main window's controls that the program's logic addresses,
// for the catalogue, the record editor and the window itself alike; the window
// table (app/window_table.h) creates the controls under these same names, so
// a misspelt name does not compile. The value rows carry their own names
// (editor/value_rows.h).
namespace z7::names {

// The header strip: the selected node's picture and caption.
inline constexpr char16_t BuildingImage[] = u"BuildingImage";
inline constexpr char16_t ObjektnameLabel[] = u"ObjektnameLabel";
// The value panels, and the picture that stands in their place while no
// entry is shown.
inline constexpr char16_t Panel1[] = u"Panel1";
inline constexpr char16_t Panel2[] = u"Panel2";
inline constexpr char16_t NoSelectImage[] = u"NoSelectImage";
// The commands.
inline constexpr char16_t Speichern[] = u"Speichern";
inline constexpr char16_t SingleElementReset[] = u"SingleElementReset";
inline constexpr char16_t CompleteReset[] = u"CompleteReset";
inline constexpr char16_t Beenden[] = u"Beenden";
// The imprint line, which gets a font of its own.
inline constexpr char16_t ImprintLabel[] = u"ImprintLabel";

} // namespace z7::names
