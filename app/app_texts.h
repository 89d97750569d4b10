#pragma once

// The texts of the window and the start-up, in one place, filled with Format
// (model/text.h). The titles of the message boxes and "Reset" are the
// toolkit's (ui/window_texts.h), the game's registration the platform's
// (platform/platform_texts.h).
namespace z7::app_texts {

inline constexpr char16_t WindowCaption[] = u"Z7 Edit";
inline constexpr char16_t Quit[] = u"Beenden";
inline constexpr char16_t Save[] = u"Speichern";
inline constexpr char16_t CompleteReset[] = u"Gesamtreset";
inline constexpr char16_t FirstGroup[] = u"Wohnungen";
inline constexpr char16_t Imprint[] = u"Z7 Edit 1.0 · Modell-Editor für Ordavia · freie Software";

// Names for screen readers.
inline constexpr char16_t NoSelectDescription[] = u"Straße einer römischen Stadt";
inline constexpr char16_t LogoDescription[] = u"Ordavia";
inline constexpr char16_t BuildingDescription[] = u"Bild des gewählten Eintrags";
inline constexpr char16_t ShownEntry[] = u"Gewählter Eintrag";
inline constexpr char16_t Catalogue[] = u"Katalog der Gebäude und Wohnstufen";
inline constexpr char16_t BuildingValues[] = u"Werte des Gebäudes";
inline constexpr char16_t HouseValues[] = u"Bedürfnisse der Wohnstufe";
inline constexpr char16_t Separator[] = u"Trennlinie";
inline constexpr char16_t Header[] = u"Kopfzeile";

inline constexpr char16_t ResetModelQuestion[] = u"Die komplette Modelldatei zurücksetzen?";
// What another program did to the model file, in front of the question;
// %1 is ResetModelQuestion.
inline constexpr char16_t ResetChangedModelQuestion[] =
    u"Die Modelldatei wurde seit dem letzten Lesen von einem anderen Programm geändert; beim "
    u"Zurücksetzen gehen auch diese Änderungen verloren.\r%1";
// %1 is ResetModelQuestion.
inline constexpr char16_t ResetMissingModelQuestion[] =
    u"Die Modelldatei ist nicht mehr vorhanden; ein anderes Programm hat sie gelöscht oder "
    u"verschoben. Beim Zurücksetzen wird sie neu geschrieben.\r%1";

// "Beareitungen" is how the program has always spelled it; it stays so.
inline constexpr char16_t GameRunning[] =
    u"Das Spiel <Ordavia> wird ausgeführt. Beareitungen der Modelldateien werden erst nach einem "
    u"Neustart des Spiels wirksam.";
inline constexpr char16_t NoInstallation[] =
    u"Es konnte keine Installation des Spiels <Ordavia> gefunden werden! Ohne eine korrekte "
    u"Spielinstallation ist der Z7-Editor nicht lauffähig. Der Programmstart wird abgebrochen.";
// %1 the game folder.
inline constexpr char16_t AlreadyOpen[] =
    u"Z7 Edit ist für das Spiel in %1 bereits geöffnet.\rBitte arbeiten Sie im offenen Fenster "
    u"weiter. Ein zweites Fenster öffnet sich nicht, damit keine gespeicherte Änderung "
    u"überschrieben wird.";
// %1 the model file's full path, %2 its number of lines.
inline constexpr char16_t LayoutMismatch[] =
    u"Die Modelldatei %1 hat nicht den erwarteten Aufbau: Sie hat %2 Zeilen, erwartet werden 152 "
    u"Zeilen in der Reihenfolge der ausgelieferten Datei.\rEinträge können fehlen oder falsch "
    u"angezeigt werden. Gespeichert wird nur, was Sie selbst speichern; \"Gesamtreset\" stellt "
    u"die ausgelieferte Datei wieder her.";
// %1 the backup's full path, %2 the model file's, %3 the model file's name.
inline constexpr char16_t BackupNotMovedBack[] =
    u"Die Sicherung %1 konnte nicht zurück nach %2 verschoben werden. Benennen Sie sie von Hand "
    u"in %3 um, sonst startet das Spiel nicht.";

// Fixed names of the start-up. The process name goes to the platform as it is.
inline constexpr char GameProcess[] = "Z7.exe";
inline constexpr char16_t GameExecutable[] = u"z7.exe";
inline constexpr char16_t BackupFile[] = u"z7_model.bak";
inline constexpr char16_t GuideFile[] = u"\\Tellmar Modell Dateien.pdf";
inline constexpr char16_t WindowFontFamily[] = u"Tahoma";
inline constexpr char16_t FirstFontFamily[] = u"BacciSmallCaps";
inline constexpr char16_t SecondFontFamily[] = u"Formal436 BT";
inline constexpr char16_t FallbackFontFamily[] = u"Calibri";

} // namespace z7::app_texts
