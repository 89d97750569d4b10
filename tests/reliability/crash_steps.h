#pragma once

// What the crash test's store loop writes, shared by the loop and the test
// that checks every file it finds against all the files the loop can write.

#include "model/model_store.h"
#include "model/record.h"

#include <optional>
#include <string>

namespace z7::crash {

inline constexpr int ValueCount = 6;
inline constexpr std::u16string_view Building = u"Theater";
inline constexpr std::u16string_view House = u"Kleines Zelt";
inline constexpr int HouseCode = 100;

// Values of different lengths, so that files of different sizes follow each other.
inline std::u16string StoredValue(long n)
{
    const int k = int(n % ValueCount);
    return std::u16string(std::size_t(k + 1), char16_t(u'1' + k));
}

// One step of the loop: two stores, as the store command makes them.
inline void StoreStep(ModelStore &store, long n)
{
    store.LoadEntrySlots(Building, 0);
    store.CurrentBuilding[3] = StoredValue(n);
    store.StoreEntrySlots(Building, 0);
    store.LoadEntrySlots(House, HouseCode);
    store.CurrentHouse[20] = StoredValue(n);
    store.CurrentBuilding[3] = StoredValue(n);
    store.StoreEntrySlots(House, HouseCode);
}

inline void SetSlot(Lines &lines, int index, int slotCount, int slot, const std::u16string &value)
{
    Slots slotTexts = SplitRecord(lines[std::size_t(index)], slotCount);
    slotTexts[std::size_t(slot)] = value;
    lines[std::size_t(index)] = JoinRecord(slotTexts);
}

// The model after the loop stored the building with one value and the house
// with another; nullopt for an entry the loop has not stored yet.
inline Lines ModelAfter(Lines lines, std::optional<int> building, std::optional<int> house)
{
    if (building)
        SetSlot(lines, ModelStore::FindRecordLine(lines, Building), BuildingSlotCount, 3,
                StoredValue(*building));
    if (house) {
        const int companion = ModelStore::FindCompanionLine(lines, HouseCode);
        SetSlot(lines, ModelStore::FindRecordLine(lines, House), HouseSlotCount, 20,
                StoredValue(*house));
        SetSlot(lines, companion, BuildingSlotCount, 3, StoredValue(*house));
    }
    return lines;
}

} // namespace z7::crash
