#pragma once

// The catalogue's own texts: its question when the selection moves, the reset
// button's caption and the messages of a broken built-in node text. The titles
// and "Reset" are the window's (ui/window_texts.h), the message of a
// missing line the model's (model/texts.h).
namespace z7::catalogue_texts {

// Below the entry's name, when the selection leaves an edited entry.
inline constexpr char16_t StoreQuestion[] = u"Die Einheit wurde bearbeitet. Speichern?";
// %1 the entry's name.
inline constexpr char16_t ResetEntry[] = u"Reset : %1";
// %1 the level (leading TABs and spaces), %2 the node's caption.
inline constexpr char16_t InvalidLevel[] = u"Ungültige Ebene (%1) für Eintrag \"%2\"";
// %1 the line as read.
inline constexpr char16_t InvalidInteger[] = u"'%1' ist kein gültiger Integerwert";

} // namespace z7::catalogue_texts
