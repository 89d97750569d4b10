#pragma once

#include <QByteArray>
#include <QImage>

namespace z7 {

// The window's own pictures as the Linux program carries them: the pixels
// exactly as a QPixmap holds them after loading the PNG, behind a short header
// (magic, width, height, bytes per line and QImage format, each 32 bits, little
// endian). Decoding the window's PNGs took a fifth of the start-up; these are
// shown straight from the program's memory. Made at build time from the PNGs
// by z7rawpicture, with Qt itself, so the pixels are the PNG decoder's.
QByteArray RawPictureBytes(const QImage &picture);

// The picture the bytes hold, pointing into them without a copy (they must
// outlive it, as a resource's do); a null image when they hold none.
QImage RawPicture(const uchar *bytes, qsizetype size);

} // namespace z7
