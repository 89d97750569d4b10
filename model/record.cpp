#include "record.h"

namespace z7 {

namespace {
// The game cuts a line after the first field to this many characters.
constexpr qsizetype RemainderLimit = 150;

// One step of the split: the text before the first comma of the remainder
// (empty when there is none), and the remainder after that comma, cut short.
QStringView takeSlot(QStringView &remainder)
{
    const qsizetype comma = remainder.indexOf(u',');
    if (comma < 0) {
        remainder = remainder.left(RemainderLimit);
        return {};
    }
    const QStringView slot = remainder.left(comma);
    remainder = remainder.sliced(comma + 1).left(RemainderLimit);
    return slot;
}

} // namespace

QStringList SplitRecord(const QString &line, int slotCount)
{
    QStringList slotTexts;
    slotTexts.reserve(slotCount);
    QStringView remainder(line);
    for (int k = 0; k < slotCount; ++k)
        slotTexts.append(takeSlot(remainder).toString());
    return slotTexts;
}

QStringView RecordSlot(QStringView line, int slot)
{
    QStringView remainder = line;
    for (int k = 0; k < slot; ++k)
        takeSlot(remainder);
    return takeSlot(remainder);
}

QStringView TrimControl(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin);
}

QString TrimControl(const QString &text)
{
    const QStringView trimmed = TrimControl(QStringView(text));
    return trimmed.size() == text.size() ? text : trimmed.toString();
}

QString JoinRecord(const QStringList &slotTexts)
{
    QString line;
    qsizetype size = 0;
    for (const QString &slot : slotTexts)
        size += slot.size() + 1;
    line.reserve(size);
    for (const QString &slot : slotTexts) {
        line += TrimControl(slot);
        line += u',';
    }
    return line;
}

} // namespace z7
