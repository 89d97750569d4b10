#pragma once

// The window's own texts: the captions of the message boxes' buttons, and
// the titles and captions that the catalogue, the editor and the window share.
namespace z7::window_texts {

// The buttons of a message box, German whatever the system's language.
inline constexpr char16_t Ok[] = u"OK";
inline constexpr char16_t Cancel[] = u"Abbrechen";
inline constexpr char16_t Yes[] = u"Ja";
inline constexpr char16_t No[] = u"Nein";

// Titles of the program's message boxes.
inline constexpr char16_t ErrorTitle[] = u"Fehler";
inline constexpr char16_t QuestionTitle[] = u"Sicherheitsabfrage";

// The reset button's caption while no entry is chosen.
inline constexpr char16_t Reset[] = u"Reset";

// What the error report says of an error that carries no message of its own.
inline constexpr char16_t UnknownError[] = u"Unbekannter Fehler";

} // namespace z7::window_texts
