#pragma once

#include <QString>

// The texts of the catalogue navigation, in one place.
namespace z7::navigation_texts {

inline QString storeQuestion() { return QStringLiteral("Die Einheit wurde bearbeitet. Speichern?"); }
inline QString questionTitle() { return QStringLiteral("Sicherheitsabfrage"); }
inline QString resetCaption() { return QStringLiteral("Reset"); }
inline QString resetEntryCaption(const QString &caption) { return QStringLiteral("Reset : ") + caption; }

} // namespace z7::navigation_texts
