#pragma once

#include "iso.h"
#include "props.h"
#include "resources/picture_list.h"

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

namespace z7::art {

inline constexpr int kPictureWidth = BuildingPictureWidth;
inline constexpr int kPictureHeight = BuildingPictureHeight;
inline constexpr int kHouseLevels = 20;
inline constexpr int kFirstBuilding = 20;
inline constexpr int kLastBuilding = 94;
inline constexpr int kPictureCount = BuildingPictureCount;

// Draws one catalogue picture: a ground of `ground` x `ground` units plus
// whatever stands on it up to `height` units, scaled to fit 135 x 96.
// maxUnit caps the scale, so that small things stay small beside large ones.
QImage framedPicture(double groundW, double groundD, double height, uint32_t seed,
                     const std::function<void(Iso &, Rng &)> &draw, double maxUnit = 1e9);

QImage housePicture(int level);             // 0 .. 19
QImage buildingPicture(int picture);        // 20 .. 94
QImage groupPicture(int width, int height); // the twelve tiles
QImage logoPicture(const QString &titleFamily);
QImage noSelectPicture();
QImage markerPicture();
QImage iconPicture(int size);
QImage contactSheet(const QList<QImage> &pictures, const QString &family);

// Windows icon file: the 256 image as PNG, the smaller ones as 32-bit DIBs
// with an AND mask, as the shell expects.
QByteArray icoFile(const QList<QImage> &images);

} // namespace z7::art
