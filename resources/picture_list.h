#pragma once

// The header pictures of the catalogue entries, drawn at build time by
// tools/art and carried as ":/images/buildings/000.png" to "107.png". The
// build reads the count from here too (resources/generated.cmake).
namespace z7 {

inline constexpr int BuildingPictureCount = 108;
inline constexpr int BuildingPictureWidth = 135;
inline constexpr int BuildingPictureHeight = 96;

} // namespace z7
