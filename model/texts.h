#pragma once

// The German texts of the model data, in one place. Placeholders are %1, %2.
namespace z7::texts {

// %1 full path, %2 the system's reason.
inline constexpr char16_t FileCannotBeOpened[] = u"Datei %1 kann nicht geöffnet werden. %2";
// %1 full path, %2 the system's reason.
inline constexpr char16_t FileCannotBeCreated[] = u"Datei \"%1\" kann nicht erstellt werden. %2";
// %1 the index.
inline constexpr char16_t ListIndexOutOfRange[] =
    u"Listenindex außerhalb des gültigen Bereichs (%1)";
// %1 the name as asked for.
inline constexpr char16_t ResourceNotFound[] = u"Ressource %1 nicht gefunden";
// %1 the name of the companion line, e.g. "H100".
inline constexpr char16_t CompanionMissingInModelFile[] =
    u"Die Zeile \"%1\" fehlt in der Modelldatei. Der Eintrag kann nicht bearbeitet werden.";
inline constexpr char16_t CompanionMissingInReference[] =
    u"Die Zeile \"%1\" fehlt im Referenzmodell. Der Eintrag kann nicht bearbeitet werden.";

} // namespace z7::texts
