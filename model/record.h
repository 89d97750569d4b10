#pragma once

#include "model/text.h"

#include <string>
#include <string_view>
#include <vector>

namespace z7 {

inline constexpr int BuildingSlotCount = 15;
inline constexpr int HouseSlotCount = 26;

using Slots = std::vector<std::u16string>;

// Exactly slotCount texts: slot k is the k-th comma-terminated field. Only the
// first field and the 150 characters after the first comma take part; text
// after the last comma never lands in a slot. Slots are not trimmed.
Slots SplitRecord(std::u16string_view line, int slotCount);

// Slot number `slot` of the line as SplitRecord gives it, without copying.
std::u16string_view RecordSlot(std::u16string_view line, int slot);

// Each slot trimmed of characters at or below U+0020, followed by a comma.
std::u16string JoinRecord(const Slots &slotTexts);

} // namespace z7
