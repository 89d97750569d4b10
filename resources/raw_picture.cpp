#include "resources/raw_picture.h"

#include <QtEndian>

#include <array>
#include <cstring>
#include <limits>

namespace z7 {

namespace {

constexpr std::array<char, 8> Magic = {'Z', '7', 'P', 'I', 'X', 'E', 'L', 'S'};
constexpr qsizetype HeaderSize = qsizetype(Magic.size()) + 4 * 4;
constexpr quint32 MaxSide = 16384;

quint32 field(const uchar *bytes, int index)
{
    return qFromLittleEndian<quint32>(bytes + Magic.size() + 4 * index);
}

} // namespace

QByteArray RawPictureBytes(const QImage &picture)
{
    QByteArray out(HeaderSize, '\0');
    std::memcpy(out.data(), Magic.data(), Magic.size());
    const quint32 fields[] = {quint32(picture.width()), quint32(picture.height()),
                              quint32(picture.bytesPerLine()), quint32(picture.format())};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian(fields[i], out.data() + Magic.size() + 4 * i);
    out.append(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes());
    return out;
}

QImage RawPicture(const uchar *bytes, qsizetype size)
{
    if (!bytes || size < HeaderSize || std::memcmp(bytes, Magic.data(), Magic.size()) != 0)
        return {};
    const quint32 width = field(bytes, 0), height = field(bytes, 1);
    const quint32 bytesPerLine = field(bytes, 2), format = field(bytes, 3);
    if (width == 0 || height == 0 || width > MaxSide || height > MaxSide ||
        format == QImage::Format_Invalid || format >= QImage::NImageFormats)
        return {};
    const auto imageFormat = QImage::Format(format);
    const qsizetype depth = QImage::toPixelFormat(imageFormat).bitsPerPixel();
    // Rows hold whole 32-bit words, as QImage lays them out.
    if (bytesPerLine % 4 != 0 || qsizetype(bytesPerLine) * 8 < qsizetype(width) * depth ||
        qsizetype(bytesPerLine) * height != size - HeaderSize)
        return {};
    return QImage(bytes + HeaderSize, int(width), int(height), qsizetype(bytesPerLine),
                  imageFormat);
}

} // namespace z7
