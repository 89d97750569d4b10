#pragma once

// The platform layer's own texts, UTF-8, filled with Format (text_format.h).
// The reasons are worded as Windows words them (without the final full stop),
// so that a message reads the same whichever system the program runs on.
namespace z7::platform_texts {

inline constexpr char FileNotFound[] = "Das System kann die angegebene Datei nicht finden";
inline constexpr char PathNotFound[] = "Das System kann den angegebenen Pfad nicht finden";
inline constexpr char AccessDenied[] = "Zugriff verweigert";
inline constexpr char InvalidName[] =
    "Die Syntax für den Dateinamen, Verzeichnisnamen oder die Datenträgerbezeichnung ist falsch";
inline constexpr char WriteProtected[] = "Das Medium ist schreibgeschützt";
inline constexpr char DiskFull[] = "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden";
inline constexpr char NameTooLong[] = "Der Dateiname oder die Erweiterung ist zu lang";
inline constexpr char InUse[] = "Der Prozess kann nicht auf die Datei zugreifen, da sie von "
                                "einem anderen Prozess verwendet wird";
inline constexpr char TooManyOpenFiles[] = "Das System kann die Datei nicht öffnen";
inline constexpr char DeviceError[] =
    "Die Anforderung konnte wegen eines E/A-Gerätefehlers nicht ausgeführt werden";
// %1 the error number, for a code the system has no text for.
inline constexpr char SystemError[] = "Systemfehler %1";
// %1 the error number, %2 the C library's description of it.
inline constexpr char SystemErrorWithCause[] = "Systemfehler %1 (%2)";

// %1 the Windows path, %2 one of the reasons above or the system's own.
inline constexpr char CannotOpen[] = "Datei %1 kann nicht geöffnet werden. %2";
// %1 the Windows path, %2 one of the reasons above or the system's own.
inline constexpr char CannotCreate[] = "Datei \"%1\" kann nicht erstellt werden. %2";
// %1 the name of the registry value.
inline constexpr char InvalidDataType[] = "Ungültiger Datentyp für '%1'";

// The game's registration, where the start-up and the search through the
// launchers' prefixes find the game folder.
inline constexpr char AppPathsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";
inline constexpr char AppPathsValue[] = "Path";

} // namespace z7::platform_texts
