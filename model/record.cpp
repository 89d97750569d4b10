#include "model/record.h"

namespace z7 {

namespace {
// The game cuts a line after the first field to this many characters.
constexpr std::size_t RemainderLimit = 150;

// One step of the split: the text before the first comma of the remainder
// (empty when there is none), and the remainder after that comma, cut short.
std::u16string_view takeSlot(std::u16string_view &remainder)
{
    const std::size_t comma = remainder.find(u',');
    if (comma == remainder.npos) {
        remainder = remainder.substr(0, RemainderLimit);
        return {};
    }
    const std::u16string_view slot = remainder.substr(0, comma);
    remainder = remainder.substr(comma + 1).substr(0, RemainderLimit);
    return slot;
}

} // namespace

Slots SplitRecord(std::u16string_view line, int slotCount)
{
    Slots slotTexts;
    slotTexts.reserve(std::size_t(slotCount));
    std::u16string_view remainder = line;
    for (int k = 0; k < slotCount; ++k)
        slotTexts.emplace_back(takeSlot(remainder));
    return slotTexts;
}

std::u16string_view RecordSlot(std::u16string_view line, int slot)
{
    std::u16string_view remainder = line;
    for (int k = 0; k < slot; ++k)
        takeSlot(remainder);
    return takeSlot(remainder);
}

std::u16string JoinRecord(const Slots &slotTexts)
{
    std::u16string line;
    std::size_t size = 0;
    for (const std::u16string &slot : slotTexts)
        size += slot.size() + 1;
    line.reserve(size);
    for (const std::u16string &slot : slotTexts) {
        line += TrimControl(slot);
        line += u',';
    }
    return line;
}

} // namespace z7
