#include "record.h"

namespace z7 {

namespace {
// The game cuts a line after the first field to this many characters.
constexpr qsizetype RemainderLimit = 150;
} // namespace

QStringList SplitRecord(const QString &line, int slotCount)
{
    QStringList slotTexts;
    slotTexts.reserve(slotCount);
    QStringView remainder(line);
    for (int k = 0; k < slotCount; ++k) {
        const qsizetype comma = remainder.indexOf(u',');
        if (comma < 0) {
            slotTexts.append(QString());
            remainder = remainder.left(RemainderLimit);
            continue;
        }
        slotTexts.append(remainder.left(comma).toString());
        remainder = remainder.mid(comma + 1).left(RemainderLimit);
    }
    return slotTexts;
}

QString TrimControl(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return (begin == 0 && end == text.size()) ? text : text.mid(begin, end - begin);
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
