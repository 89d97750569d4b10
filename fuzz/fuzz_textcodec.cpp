// The road every model file takes: bytes decoded into lines, each line split
// into slotTexts and joined back, the lines encoded again. Whatever the bytes, the
// rules the store relies on must hold.

#include "check.h"
#include "record.h"
#include "textcodec.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace z7;

void CheckRecordRoundTrip(const QString &line, int slotCount)
{
    const QStringList slotTexts = SplitRecord(line, slotCount);
    Z7_CHECK(slotTexts.size() == slotCount);
    for (int k = 0; k < slotCount; ++k) {
        Z7_CHECK(!slotTexts.at(k).contains(u','));
        Z7_CHECK(RecordSlot(line, k) == slotTexts.at(k));
    }

    // A stored line holds exactly one comma per slot, and splitting it gives
    // the slotTexts back trimmed: the cut after the first field never reaches a
    // slot that still has text.
    const QString joined = JoinRecord(slotTexts);
    Z7_CHECK(joined.count(u',') == slotCount);
    const QStringList again = SplitRecord(joined, slotCount);
    for (int k = 0; k < slotCount; ++k)
        Z7_CHECK(again.at(k) == TrimControl(slotTexts.at(k)));

    // After one store a line is stable.
    Z7_CHECK(JoinRecord(again) == joined);
}

QByteArray LineEnd(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16LE:
        return QByteArray("\r\0\n\0", 4);
    case TextEncoding::Utf16BE:
        return QByteArray("\0\r\0\n", 4);
    default:
        return QByteArray("\r\n");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const DecodedText decoded = DecodeLines(bytes);
    for (const QString &line : decoded.lines) {
        Z7_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(0)));
        CheckRecordRoundTrip(line, BuildingSlotCount);
        CheckRecordRoundTrip(line, HouseSlotCount);
    }

    // Written in the encoding it was read with, the file reads back as the
    // same lines in the same encoding, and writing those gives the same bytes.
    const QByteArray encoded = EncodeLines(decoded.lines, decoded.encoding);
    Z7_CHECK(decoded.lines.isEmpty() || encoded.endsWith(LineEnd(decoded.encoding)));
    const DecodedText reread = DecodeLines(encoded);
    Z7_CHECK(reread.encoding == decoded.encoding);
    Z7_CHECK(reread.lines == decoded.lines);
    Z7_CHECK(EncodeLines(reread.lines, reread.encoding) == encoded);
    return 0;
}
