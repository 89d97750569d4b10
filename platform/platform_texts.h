#pragma once

#include <string>

// The platform layer's own texts. The reasons are worded as Windows words
// them (without the final full stop), so that a message reads the same
// whichever system the program runs on.
namespace z7::platform_texts {

inline constexpr const char *FileNotFound = "Das System kann die angegebene Datei nicht finden";
inline constexpr const char *PathNotFound = "Das System kann den angegebenen Pfad nicht finden";
inline constexpr const char *AccessDenied = "Zugriff verweigert";
inline constexpr const char *InvalidName =
    "Die Syntax für den Dateinamen, Verzeichnisnamen oder die Datenträgerbezeichnung ist falsch";
inline constexpr const char *WriteProtected = "Das Medium ist schreibgeschützt";
inline constexpr const char *DiskFull =
    "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden";
inline constexpr const char *NameTooLong = "Der Dateiname oder die Erweiterung ist zu lang";
inline constexpr const char *InUse = "Der Prozess kann nicht auf die Datei zugreifen, da sie von "
                                     "einem anderen Prozess verwendet wird";
inline constexpr const char *TooManyOpenFiles = "Das System kann die Datei nicht öffnen";
inline constexpr const char *DeviceError =
    "Die Anforderung konnte wegen eines E/A-Gerätefehlers nicht ausgeführt werden";

inline std::string CannotOpen(const std::string &path, const std::string &reason)
{
    return "Datei " + path + " kann nicht geöffnet werden. " + reason;
}

inline std::string CannotCreate(const std::string &path, const std::string &reason)
{
    return "Datei \"" + path + "\" kann nicht erstellt werden. " + reason;
}

inline std::string InvalidDataType(const std::string &valueName)
{
    return "Ungültiger Datentyp für '" + valueName + "'";
}

} // namespace z7::platform_texts
