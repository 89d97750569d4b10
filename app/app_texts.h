#pragma once

#include "model/model_store.h"

#include <QString>

// The texts of the window and the start-up, in one place.
namespace z7::app_texts {

inline QString windowCaption() { return QStringLiteral("Z7 Edit"); }
inline QString quit() { return QStringLiteral("Beenden"); }
inline QString save() { return QStringLiteral("Speichern"); }
inline QString completeReset() { return QStringLiteral("Gesamtreset"); }
inline QString reset() { return QStringLiteral("Reset"); }
inline QString firstGroup() { return QStringLiteral("Wohnungen"); }
inline QString imprint() { return QStringLiteral("Z7 Edit 1.0 · Modell-Editor für Ordavia · freie Software"); }

// Names for screen readers.
inline QString noSelectDescription() { return QStringLiteral("Straße einer römischen Stadt"); }
inline QString logoDescription() { return QStringLiteral("Ordavia"); }
inline QString buildingDescription() { return QStringLiteral("Bild des gewählten Eintrags"); }
inline QString shownEntry() { return QStringLiteral("Gewählter Eintrag"); }
inline QString catalogue() { return QStringLiteral("Katalog der Gebäude und Wohnstufen"); }
inline QString buildingValues() { return QStringLiteral("Werte des Gebäudes"); }
inline QString houseValues() { return QStringLiteral("Bedürfnisse der Wohnstufe"); }
inline QString separator() { return QStringLiteral("Trennlinie"); }
inline QString header() { return QStringLiteral("Kopfzeile"); }

inline QString errorTitle() { return QStringLiteral("Fehler"); }
inline QString questionTitle() { return QStringLiteral("Sicherheitsabfrage"); }
inline QString resetModelQuestion() { return QStringLiteral("Die komplette Modelldatei zurücksetzen?"); }
// The question, with what another program did to the model file in front of it.
inline QString resetModelQuestion(ModelFileState file)
{
    switch (file) {
    case ModelFileState::Changed:
        return QStringLiteral("Die Modelldatei wurde seit dem letzten Lesen von einem anderen "
                              "Programm geändert; beim Zurücksetzen gehen auch diese Änderungen "
                              "verloren.\r")
               + resetModelQuestion();
    case ModelFileState::Missing:
        return QStringLiteral("Die Modelldatei ist nicht mehr vorhanden; ein anderes Programm hat "
                              "sie gelöscht oder verschoben. Beim Zurücksetzen wird sie neu "
                              "geschrieben.\r")
               + resetModelQuestion();
    case ModelFileState::AsLastSeen:
        break;
    }
    return resetModelQuestion();
}
inline QString gameRunning()
{
    return QStringLiteral("Das Spiel <Ordavia> wird ausgeführt. Beareitungen der Modelldateien werden "
                          "erst nach einem Neustart des Spiels wirksam.");
}
inline QString noInstallation()
{
    return QStringLiteral("Es konnte keine Installation des Spiels <Ordavia> gefunden werden! Ohne eine "
                          "korrekte Spielinstallation ist der Z7-Editor nicht lauffähig. Der "
                          "Programmstart wird abgebrochen.");
}
inline QString alreadyOpen(const QString &gamePath)
{
    return QStringLiteral("Z7 Edit ist für das Spiel in %1 bereits geöffnet.\rBitte arbeiten Sie "
                          "im offenen Fenster weiter. Ein zweites Fenster öffnet sich nicht, damit "
                          "keine gespeicherte Änderung überschrieben wird.")
        .arg(gamePath);
}
inline QString layoutMismatch(const QString &path, qsizetype lines)
{
    return QStringLiteral("Die Modelldatei %1 hat nicht den erwarteten Aufbau: Sie hat %2 Zeilen, "
                          "erwartet werden 152 Zeilen in der Reihenfolge der ausgelieferten Datei.\r"
                          "Einträge können fehlen oder falsch angezeigt werden. Gespeichert wird nur, "
                          "was Sie selbst speichern; \"Gesamtreset\" stellt die ausgelieferte Datei wieder her.")
        .arg(path)
        .arg(lines);
}

inline QString backupNotMovedBack(const QString &backup, const QString &model)
{
    return QStringLiteral("Die Sicherung %1 konnte nicht zurück nach %2 verschoben werden. "
                          "Benennen Sie sie von Hand in z7_model.txt um, sonst startet das Spiel nicht.")
        .arg(backup, model);
}

// Fixed names of the start-up.
inline constexpr const char *GameProcess = "Z7.exe";
inline constexpr const char *AppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\z7.exe";
inline constexpr const char *AppPathsValue = "Path";
inline QString gameExecutable() { return QStringLiteral("z7.exe"); }
inline QString backupFile() { return QStringLiteral("z7_model.bak"); }
inline QString guideFile() { return QStringLiteral("\\Tellmar Modell Dateien.pdf"); }
inline QString windowFontFamily() { return QStringLiteral("Tahoma"); }
inline QString firstFontFamily() { return QStringLiteral("BacciSmallCaps"); }
inline QString secondFontFamily() { return QStringLiteral("Formal436 BT"); }
inline QString fallbackFontFamily() { return QStringLiteral("Calibri"); }

} // namespace z7::app_texts
