#include "pictures.h"

#include <QPainter>

#include <algorithm>

namespace z7::art {

QImage framedPicture(double groundW, double groundD, double height, uint32_t seed,
                     const std::function<void(Iso &, Rng &)> &draw, double maxUnit)
{
    QImage img(kPictureWidth, kPictureHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // Screen extent of the ground diamond plus the tallest part on it.
    const double spanX = groundW + groundD; // in units, times unit
    const double spanY = (groundW + groundD) / 2 + 1.15 * height + 0.2;
    const double unit =
        std::min({(kPictureWidth - 6) / spanX, (kPictureHeight - 5) / spanY, maxUnit});
    const double left = (kPictureWidth - spanX * unit) / 2;
    // Pictures drawn at a fixed scale stand on the bottom, as in the game.
    const double top =
        (maxUnit < 1e6 ? kPictureHeight - 3 - spanY * unit : (kPictureHeight - spanY * unit) / 2) +
        1.15 * height * unit;
    // at(0, 0) is the diamond's back corner, groundD units right of its left corner.
    Iso iso(p, QPointF(left + groundD * unit, top), unit);
    Rng rng(seed);
    draw(iso, rng);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

} // namespace z7::art
