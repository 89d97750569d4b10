#pragma once

#include <QString>

// The editor's own texts, in one place.
namespace z7::editor_texts {

inline QString yes() { return QStringLiteral("ja"); }
inline QString no() { return QStringLiteral("nein"); }
inline QString current() { return QStringLiteral("aktuell"); }
inline QString original() { return QStringLiteral("original"); }
inline QString hiddenValue() { return QStringLiteral("0"); }
inline QString errorTitle() { return QStringLiteral("Fehler"); }

inline QString stepper(const QString &caption) { return caption + QStringLiteral(" schrittweise ändern"); }
inline QString shippedValue(const QString &caption) { return caption + QStringLiteral(": ausgelieferter Wert"); }
inline QString changedMarker(const QString &caption) { return caption + QStringLiteral(": geändert"); }

inline QString invalidValue(const QString &caption, const QString &value)
{
    return QStringLiteral("Ungültiger Wert für %1: \"%2\"\rErlaubt ist nur eine ganze Zahl, "
                          "zum Beispiel 12 oder -3. Es wurde nichts gespeichert.")
        .arg(caption, value);
}

inline QString entryMissing(const QString &caption)
{
    return QStringLiteral("Der Eintrag \"%1\" fehlt in der Modelldatei.\rDie Modelldatei wurde "
                          "von Hand verändert; mit \"Gesamtreset\" lässt sie sich wiederherstellen.")
        .arg(caption);
}

inline QString questionTitle() { return QStringLiteral("Sicherheitsabfrage"); }

inline QString modelFileChanged(const QString &caption)
{
    return QStringLiteral("Die Modelldatei wurde seit dem letzten Lesen von einem anderen Programm "
                          "geändert.\rSoll der Eintrag \"%1\" in die geänderte Datei übernommen "
                          "werden? Alle anderen Änderungen in der Datei bleiben erhalten; hat das "
                          "andere Programm auch \"%1\" geändert, gelten dafür die hier angezeigten "
                          "Werte.\rMit \"Nein\" wird nichts gespeichert, Ihre Eingaben bleiben "
                          "stehen.")
        .arg(caption);
}

inline QString modelFileMissing(const QString &caption, const QString &path)
{
    return QStringLiteral("Die Modelldatei %2 ist nicht mehr vorhanden; ein anderes Programm hat "
                          "sie gelöscht oder verschoben.\rSoll sie mit dem Eintrag \"%1\" und "
                          "allen Werten, die Z7 Edit zuletzt gelesen oder gespeichert hat, neu "
                          "geschrieben werden?\rMit \"Nein\" wird nichts gespeichert, Ihre "
                          "Eingaben bleiben stehen.")
        .arg(caption, path);
}

inline QString entryMissingAfterChange(const QString &caption)
{
    return QStringLiteral("Der Eintrag \"%1\" fehlt in der geänderten Modelldatei und wurde nicht "
                          "gespeichert.\rIhre Eingaben bleiben stehen; mit \"Gesamtreset\" lässt "
                          "sich die ausgelieferte Modelldatei wiederherstellen.")
        .arg(caption);
}

} // namespace z7::editor_texts
