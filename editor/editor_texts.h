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

} // namespace z7::editor_texts
