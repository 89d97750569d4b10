#pragma once

#include <QString>
#include <QStringList>

namespace z7 {

inline constexpr int BuildingSlotCount = 15;
inline constexpr int HouseSlotCount = 26;

// Exactly slotCount texts: slot k is the k-th comma-terminated field. Only the
// first field and the 150 characters after the first comma take part; text
// after the last comma never lands in a slot. Slots are not trimmed.
QStringList SplitRecord(const QString &line, int slotCount);

// Slot number `slot` of the line as SplitRecord gives it, without copying.
QStringView RecordSlot(QStringView line, int slot);

// Each slot trimmed of characters at or below U+0020, followed by a comma.
QString JoinRecord(const QStringList &slotTexts);

// Removes leading and trailing characters at or below U+0020 (spaces, tabs and
// other control characters); unlike QString::trimmed, no other white space.
QString TrimControl(const QString &text);
QStringView TrimControl(QStringView text);

} // namespace z7
