#pragma once

// The German texts of the model data, in one place, filled with Format
// (model/text.h). The messages of a file that cannot be read or written are
// the platform layer's (platform/platform_texts.h).
namespace z7::texts {

// %1 the index. The catalogue reports a missing line of its own texts with it, too.
inline constexpr char16_t ListIndexOutOfRange[] =
    u"Listenindex außerhalb des gültigen Bereichs (%1)";
// %1 the name as asked for.
inline constexpr char16_t ResourceNotFound[] = u"Ressource %1 nicht gefunden";
// %1 the name of the companion line, e.g. "H100".
inline constexpr char16_t CompanionMissingInModelFile[] =
    u"Die Zeile \"%1\" fehlt in der Modelldatei. Der Eintrag kann nicht bearbeitet werden.";
// %1 the name of the companion line, e.g. "H100".
inline constexpr char16_t CompanionMissingInReference[] =
    u"Die Zeile \"%1\" fehlt im Referenzmodell. Der Eintrag kann nicht bearbeitet werden.";

} // namespace z7::texts
