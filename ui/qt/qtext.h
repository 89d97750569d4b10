#pragma once

#include "ui/controls.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

// The logic's texts are UTF-16 like QString's: each crossing is one copy.
namespace z7 {

inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

inline std::u16string toU16(const QString &text)
{
    return text.toStdU16String();
}

// A view of the QString's own characters, valid while the QString lives.
inline std::u16string_view toU16View(const QString &text)
{
    return std::u16string_view(QStringView(text).utf16(), std::size_t(text.size()));
}

inline QStringList toQStringList(const std::vector<std::u16string> &lines)
{
    QStringList list;
    list.reserve(qsizetype(lines.size()));
    for (const std::u16string &line : lines)
        list.append(toQString(line));
    return list;
}

inline QRect toQRect(const Rect &rect)
{
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

} // namespace z7
