// The road every model file takes: bytes decoded into lines, each line split
// into slotTexts and joined back, the lines encoded again. Whatever the bytes, the
// rules the store relies on must hold.

#include "fuzz/check.h"
#include "model/record.h"
#include "model/textcodec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace z7;

bool contains(std::u16string_view text, char16_t c)
{
    return text.find(c) != std::u16string_view::npos;
}

void CheckRecordRoundTrip(const std::u16string &line, int slotCount)
{
    const Slots slotTexts = SplitRecord(line, slotCount);
    Z7_CHECK(slotTexts.size() == std::size_t(slotCount));
    for (int k = 0; k < slotCount; ++k) {
        Z7_CHECK(!contains(slotTexts[std::size_t(k)], u','));
        Z7_CHECK(RecordSlot(line, k) == slotTexts[std::size_t(k)]);
    }

    // A stored line holds exactly one comma per slot, and splitting it gives
    // the slotTexts back trimmed: the cut after the first field never reaches a
    // slot that still has text.
    const std::u16string joined = JoinRecord(slotTexts);
    Z7_CHECK(std::count(joined.begin(), joined.end(), u',') == slotCount);
    const Slots again = SplitRecord(joined, slotCount);
    for (std::size_t k = 0; k < std::size_t(slotCount); ++k)
        Z7_CHECK(again[k] == TrimControl(slotTexts[k]));

    // After one store a line is stable.
    Z7_CHECK(JoinRecord(again) == joined);
}

std::string_view LineEnd(TextEncoding encoding)
{
    using namespace std::string_view_literals;
    switch (encoding) {
    case TextEncoding::Utf16LE:
        return "\r\0\n\0"sv;
    case TextEncoding::Utf16BE:
        return "\0\r\0\n"sv;
    default:
        return "\r\n"sv;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const DecodedText decoded = DecodeLines(bytes);
    for (const std::u16string &line : decoded.lines) {
        Z7_CHECK(!contains(line, u'\r') && !contains(line, u'\n') && !contains(line, u'\0'));
        CheckRecordRoundTrip(line, BuildingSlotCount);
        CheckRecordRoundTrip(line, HouseSlotCount);
    }

    // Written in the encoding it was read with, the file reads back as the
    // same lines in the same encoding, and writing those gives the same bytes.
    const std::string encoded = EncodeLines(decoded.lines, decoded.encoding);
    Z7_CHECK(decoded.lines.empty() || encoded.ends_with(LineEnd(decoded.encoding)));
    const DecodedText reread = DecodeLines(encoded);
    Z7_CHECK(reread.encoding == decoded.encoding);
    Z7_CHECK(reread.lines == decoded.lines);
    Z7_CHECK(EncodeLines(reread.lines, reread.encoding) == encoded);
    return 0;
}
