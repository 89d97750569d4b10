// Pictures 20 to 94: one building per catalogue entry. The table below holds
// what tells the buildings apart (footprint, height, roof, colours, emblem,
// props); one drawing routine per kind of building turns a row into a picture.
#include "pictures.h"

#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace z7::art {

using namespace palette;

namespace {

enum class Kind {
    Well,
    Fountain,
    Reservoir,
    Aqueduct,
    Hall,
    Shop,
    Bath,
    Temple,
    Oracle,
    Mission,
    Amphitheatre,
    Theatre,
    Hippodrome,
    Colosseum,
    Yard,
    Forum,
    Arch,
    Statue,
    Plaza,
    Garden,
    Bridge,
    Pontoon,
    Shipyard,
    Dock,
    Quay,
    Wall,
    Tower,
    Fort,
    Farm,
    Quarry,
    Mine,
    Sawmill,
    ClayPit,
    Market,
    Granary,
    Warehouse
};

enum class Roof { Gable, GableX, Hip, Flat, Dome };

enum class Prop {
    None,
    Barrels,
    Amphorae,
    Anvil,
    Chairs,
    Kiln,
    Crates,
    Crane,
    Flag,
    Press,
    Cage,
    Chariot,
    Posts,
    Desks,
    Guard
};

struct BuildingDef
{
    int picture;
    Kind kind;
    double ground;  // side of the ground patch
    double w, d, h; // main block
    Roof roof;
    QColor wall, roof_, accent;
    Emblem emblem;
    int variant; // columns, size step, figure or crop, by kind
    Prop prop;
};

const QColor kNone;
const QColor ceres(214, 168, 64), neptune(70, 130, 160), mercury(120, 110, 170), mars(170, 50, 40),
    venus(220, 130, 150);

// Tree order of the catalogue's building entries.
const std::array<BuildingDef, kLastBuilding - kFirstBuilding + 1> kBuildingDefs{{
    {20, Kind::Well, 2.0, 0.8, 0.8, 0.4, Roof::Gable, stone, wood, water, Emblem::None, 0,
     Prop::None},
    {21, Kind::Fountain, 2.2, 1.3, 1.3, 0.3, Roof::Flat, marble, kNone, water, Emblem::None, 0,
     Prop::None},
    {22, Kind::Reservoir, 3.0, 2.2, 2.2, 0.8, Roof::Flat, stone, kNone, water, Emblem::None, 0,
     Prop::None},
    {23, Kind::Aqueduct, 3.0, 3.0, 0.5, 2.0, Roof::Flat, QColor(200, 184, 152), kNone, water,
     Emblem::None, 3, Prop::None},
    {24, Kind::Hall, 2.4, 1.4, 1.1, 0.8, Roof::Gable, plaster, tile, kNone, Emblem::Snake, 0,
     Prop::None},
    {25, Kind::Hall, 3.2, 2.4, 1.6, 1.3, Roof::Hip, QColor(240, 236, 226), tile, kNone,
     Emblem::Snake, 4, Prop::Flag},
    {26, Kind::Bath, 3.2, 2.0, 1.4, 1.0, Roof::Dome, QColor(230, 214, 186), tile, water,
     Emblem::Drop, 0, Prop::None},
    {27, Kind::Shop, 2.2, 1.3, 1.0, 0.75, Roof::Gable, ochre, tile, QColor(60, 110, 170),
     Emblem::Razor, 0, Prop::None},
    {28, Kind::Temple, 2.6, 1.2, 1.7, 0.9, Roof::Gable, marble, ceres, ceres, Emblem::Wheat, 0,
     Prop::None},
    {29, Kind::Temple, 2.6, 1.2, 1.7, 0.9, Roof::Gable, marble, neptune, neptune, Emblem::Trident,
     0, Prop::None},
    {30, Kind::Temple, 2.6, 1.2, 1.7, 0.9, Roof::Gable, marble, mercury, mercury, Emblem::Caduceus,
     0, Prop::None},
    {31, Kind::Temple, 2.6, 1.2, 1.7, 0.9, Roof::Gable, marble, mars, mars, Emblem::Sword, 0,
     Prop::None},
    {32, Kind::Temple, 2.6, 1.2, 1.7, 0.9, Roof::Gable, marble, venus, venus, Emblem::Rose, 0,
     Prop::None},
    {33, Kind::Temple, 3.6, 2.0, 2.6, 1.3, Roof::Gable, marble, ceres, ceres, Emblem::Wheat, 1,
     Prop::None},
    {34, Kind::Temple, 3.6, 2.0, 2.6, 1.3, Roof::Gable, marble, neptune, neptune, Emblem::Trident,
     1, Prop::None},
    {35, Kind::Temple, 3.6, 2.0, 2.6, 1.3, Roof::Gable, marble, mercury, mercury, Emblem::Caduceus,
     1, Prop::None},
    {36, Kind::Temple, 3.6, 2.0, 2.6, 1.3, Roof::Gable, marble, mars, mars, Emblem::Sword, 1,
     Prop::None},
    {37, Kind::Temple, 3.6, 2.0, 2.6, 1.3, Roof::Gable, marble, venus, venus, Emblem::Rose, 1,
     Prop::None},
    {38, Kind::Oracle, 3.0, 1.0, 1.0, 1.1, Roof::Dome, marble, QColor(196, 150, 80),
     QColor(220, 220, 230), Emblem::Laurel, 0, Prop::None},
    {39, Kind::Hall, 2.6, 1.6, 1.2, 0.8, Roof::Gable, QColor(232, 214, 178), tile, kNone,
     Emblem::Scroll, 0, Prop::Desks},
    {40, Kind::Hall, 3.4, 2.5, 1.6, 1.4, Roof::Hip, marble, QColor(150, 70, 50), kNone, Emblem::Owl,
     6, Prop::None},
    {41, Kind::Hall, 3.2, 2.2, 1.6, 1.3, Roof::Dome, QColor(236, 228, 210), QColor(110, 140, 140),
     kNone, Emblem::Book, 4, Prop::None},
    {42, Kind::Mission, 2.8, 1.2, 1.0, 0.7, Roof::Gable, wood, thatch, QColor(200, 50, 40),
     Emblem::Eagle, 0, Prop::None},
    {43, Kind::Amphitheatre, 3.4, 2.8, 2.2, 0.55, Roof::Flat, QColor(206, 190, 160), kNone,
     QColor(226, 206, 150), Emblem::None, 0, Prop::None},
    {44, Kind::Theatre, 3.6, 3.0, 3.0, 1.0, Roof::Flat, QColor(214, 200, 172), tile,
     QColor(226, 206, 150), Emblem::Masks, 0, Prop::None},
    {45, Kind::Hippodrome, 5.0, 4.6, 2.0, 0.5, Roof::Flat, QColor(200, 184, 150), kNone,
     QColor(214, 188, 130), Emblem::None, 0, Prop::None},
    {46, Kind::Colosseum, 4.2, 3.8, 3.2, 1.6, Roof::Flat, QColor(214, 196, 160), kNone,
     QColor(226, 206, 150), Emblem::None, 0, Prop::None},
    {47, Kind::Yard, 3.2, 2.6, 2.0, 0.8, Roof::Gable, QColor(196, 170, 130), tile,
     QColor(214, 188, 130), Emblem::Helmet, 0, Prop::Posts},
    {48, Kind::Yard, 3.2, 2.6, 2.0, 0.8, Roof::Gable, QColor(190, 160, 120), tile,
     QColor(200, 170, 110), Emblem::Lion, 1, Prop::Cage},
    {49, Kind::Hall, 3.0, 2.0, 1.4, 1.0, Roof::Gable, QColor(222, 150, 120), tile, kNone,
     Emblem::Masks, 2, Prop::Amphorae},
    {50, Kind::Yard, 3.4, 2.8, 2.0, 0.8, Roof::Gable, QColor(206, 176, 130), tile,
     QColor(200, 176, 120), Emblem::Wheel, 2, Prop::Chariot},
    {51, Kind::Forum, 3.6, 3.0, 2.6, 1.0, Roof::Gable, QColor(238, 230, 210), tile, paving,
     Emblem::Coin, 0, Prop::None},
    {52, Kind::Hall, 3.6, 2.6, 1.9, 1.4, Roof::Dome, marble, QColor(160, 140, 100), kNone,
     Emblem::Laurel, 6, Prop::Flag},
    {53, Kind::Hall, 3.0, 1.9, 1.4, 1.3, Roof::Hip, QColor(238, 222, 190), tile, roman,
     Emblem::Eagle, 0, Prop::Flag},
    {54, Kind::Hall, 3.4, 2.4, 1.6, 1.2, Roof::Hip, QColor(244, 236, 218), tile, roman,
     Emblem::Eagle, 4, Prop::Flag},
    {55, Kind::Hall, 3.8, 2.8, 2.0, 1.6, Roof::Dome, marble, gold, roman, Emblem::Eagle, 6,
     Prop::Flag},
    {56, Kind::Arch, 3.0, 2.2, 0.8, 1.9, Roof::Flat, QColor(222, 210, 186), kNone, bronze,
     Emblem::Laurel, 0, Prop::None},
    {57, Kind::Statue, 1.2, 0.5, 0.5, 0.5, Roof::Flat, marble, kNone, marble, Emblem::None, 0,
     Prop::None},
    {58, Kind::Statue, 1.7, 0.8, 0.8, 0.7, Roof::Flat, marble, kNone, bronze, Emblem::None, 1,
     Prop::None},
    {59, Kind::Statue, 2.2, 1.2, 1.2, 0.9, Roof::Flat, marble, kNone, bronze, Emblem::None, 2,
     Prop::None},
    {60, Kind::Plaza, 2.6, 2.4, 2.4, 0.0, Roof::Flat, paving, kNone, QColor(170, 150, 120),
     Emblem::None, 0, Prop::None},
    {61, Kind::Garden, 2.6, 2.4, 2.4, 0.0, Roof::Flat, grass, kNone, QColor(214, 200, 170),
     Emblem::None, 0, Prop::None},
    {62, Kind::Hall, 2.8, 1.5, 1.2, 0.8, Roof::Gable, QColor(210, 190, 150), tile, kNone,
     Emblem::Hammer, 0, Prop::Crane},
    {63, Kind::Bridge, 3.0, 1.0, 3.0, 0.45, Roof::Flat, stone, kNone, water, Emblem::None, 0,
     Prop::None},
    {64, Kind::Pontoon, 3.0, 1.0, 3.0, 0.3, Roof::Flat, wood, kNone, water, Emblem::None, 0,
     Prop::None},
    {65, Kind::Shipyard, 3.2, 1.6, 1.4, 0.9, Roof::Gable, wood, tile, water, Emblem::None, 0,
     Prop::None},
    {66, Kind::Dock, 3.2, 1.6, 1.2, 0.8, Roof::Gable, QColor(210, 190, 150), tile, water,
     Emblem::None, 0, Prop::Crates},
    {67, Kind::Quay, 3.0, 3.0, 1.0, 0.3, Roof::Flat, stone, kNone, water, Emblem::None, 0,
     Prop::Amphorae},
    {68, Kind::Wall, 3.0, 3.0, 0.6, 1.0, Roof::Flat, QColor(176, 164, 140), kNone, kNone,
     Emblem::None, 0, Prop::None},
    {69, Kind::Tower, 2.4, 1.2, 1.2, 2.2, Roof::Flat, QColor(180, 168, 144), kNone, roman,
     Emblem::None, 0, Prop::Flag},
    {70, Kind::Hall, 2.6, 1.4, 1.1, 0.8, Roof::Gable, QColor(206, 186, 150), tile, roman,
     Emblem::Shield, 0, Prop::Guard},
    {71, Kind::Hall, 2.6, 1.5, 1.2, 0.9, Roof::Gable, QColor(226, 196, 150), tile, roman,
     Emblem::Flame, 0, Prop::Barrels},
    {72, Kind::Fort, 3.4, 2.6, 2.6, 0.6, Roof::Flat, QColor(150, 110, 70), kNone, roman,
     Emblem::Eagle, 0, Prop::None},
    {73, Kind::Fort, 3.4, 2.6, 2.6, 0.6, Roof::Flat, QColor(150, 110, 70), kNone,
     QColor(60, 110, 60), Emblem::None, 1, Prop::None},
    {74, Kind::Fort, 3.4, 2.6, 2.6, 0.6, Roof::Flat, QColor(150, 110, 70), kNone,
     QColor(60, 80, 150), Emblem::None, 2, Prop::None},
    {75, Kind::Hall, 3.6, 2.6, 1.8, 1.4, Roof::Hip, QColor(214, 196, 160), darkTile, roman,
     Emblem::Eagle, 4, Prop::Flag},
    {76, Kind::Hall, 3.4, 2.8, 1.2, 1.0, Roof::GableX, QColor(196, 172, 134), tile, roman,
     Emblem::Shield, 0, Prop::Posts},
    {77, Kind::Farm, 3.4, 0.9, 0.8, 0.6, Roof::Gable, QColor(200, 170, 120), tile, kNone,
     Emblem::Wheat, 0, Prop::None},
    {78, Kind::Farm, 3.4, 0.9, 0.8, 0.6, Roof::Gable, QColor(200, 170, 120), tile, kNone,
     Emblem::None, 1, Prop::None},
    {79, Kind::Farm, 3.4, 0.9, 0.8, 0.6, Roof::Gable, QColor(200, 170, 120), tile, kNone,
     Emblem::None, 2, Prop::None},
    {80, Kind::Farm, 3.4, 0.9, 0.8, 0.6, Roof::Gable, QColor(200, 170, 120), tile, kNone,
     Emblem::Olive, 3, Prop::None},
    {81, Kind::Farm, 3.4, 0.9, 0.8, 0.6, Roof::Gable, QColor(200, 170, 120), tile, kNone,
     Emblem::Grapes, 4, Prop::None},
    {82, Kind::Farm, 3.4, 0.9, 0.8, 0.6, Roof::Gable, QColor(200, 170, 120), tile, kNone,
     Emblem::None, 5, Prop::None},
    {83, Kind::Quarry, 3.2, 2.4, 2.4, 0.9, Roof::Flat, QColor(236, 234, 228), kNone, kNone,
     Emblem::None, 0, Prop::Crane},
    {84, Kind::Mine, 3.2, 2.4, 2.2, 1.3, Roof::Flat, QColor(110, 100, 92), kNone,
     QColor(90, 70, 60), Emblem::None, 0, Prop::None},
    {85, Kind::Sawmill, 3.0, 1.8, 1.2, 0.9, Roof::GableX, wood, QColor(150, 110, 70), kNone,
     Emblem::None, 0, Prop::None},
    {86, Kind::ClayPit, 3.0, 2.2, 2.0, 0.4, Roof::Flat, QColor(170, 104, 70), kNone, water,
     Emblem::None, 0, Prop::None},
    {87, Kind::Hall, 2.8, 1.8, 1.3, 0.9, Roof::GableX, QColor(196, 186, 164), tile,
     QColor(110, 50, 120), Emblem::Grapes, 0, Prop::Barrels},
    {88, Kind::Hall, 2.8, 1.6, 1.3, 0.9, Roof::Hip, QColor(222, 214, 168), tile,
     QColor(120, 140, 80), Emblem::Olive, 0, Prop::Press},
    {89, Kind::Hall, 2.8, 1.7, 1.3, 0.9, Roof::Gable, QColor(150, 120, 100), darkTile, kNone,
     Emblem::Sword, 0, Prop::Anvil},
    {90, Kind::Hall, 2.8, 1.7, 1.3, 0.9, Roof::Gable, QColor(200, 168, 120), tile, kNone,
     Emblem::Chair, 0, Prop::Chairs},
    {91, Kind::Hall, 2.8, 1.6, 1.2, 0.85, Roof::Gable, QColor(214, 180, 140), tile, kNone,
     Emblem::Pot, 0, Prop::Kiln},
    {92, Kind::Market, 3.0, 2.6, 2.6, 0.6, Roof::Flat, paving, kNone, kNone, Emblem::Coin, 0,
     Prop::None},
    {93, Kind::Granary, 3.0, 1.0, 1.0, 1.4, Roof::Flat, QColor(226, 206, 166), tile, kNone,
     Emblem::Wheat, 0, Prop::None},
    {94, Kind::Warehouse, 3.4, 2.6, 1.8, 1.2, Roof::GableX, QColor(200, 176, 138), tile, kNone,
     Emblem::Amphora, 0, Prop::Crates},
}};

// ---------------------------------------------------------------- helpers

// Pediment with an emblem at the lit (+y) end of a gable roof along y.
void pediment(Iso &iso, double x, double y1, double w, double z, double h, Emblem e,
              const QColor &ink)
{
    if (e == Emblem::None)
        return;
    const QPointF c = iso.at(x + w / 2, y1, z + h * 0.38);
    const double s = std::min(h * iso.unit() * 0.75, w * iso.unit() * 0.5);
    paintEmblem(iso.painter(), e, QRectF(c.x() - s / 2, c.y() - s / 2, s, s), ink);
}

void roof(Iso &iso, const BuildingDef &s, double x, double y, double z)
{
    const double o = 0.1;
    switch (s.roof) {
    case Roof::Gable:
        iso.gableRoof(x - o, y - o, z, s.w + 2 * o, s.d + 2 * o, std::min(s.w, s.d) * 0.32, s.roof_,
                      false, shade(s.wall, 0.95));
        break;
    case Roof::GableX:
        iso.gableRoof(x - o, y - o, z, s.w + 2 * o, s.d + 2 * o, std::min(s.w, s.d) * 0.32, s.roof_,
                      true, shade(s.wall, 0.9));
        break;
    case Roof::Hip:
        iso.hipRoof(x - o, y - o, z, s.w + 2 * o, s.d + 2 * o, std::min(s.w, s.d) * 0.3, s.roof_);
        break;
    case Roof::Flat:
        iso.box(x - 0.04, y - 0.04, z, s.w + 0.08, s.d + 0.08, 0.08, shade(s.wall, 0.92));
        break;
    case Roof::Dome: {
        iso.hipRoof(x - o, y - o, z, s.w + 2 * o, s.d + 2 * o, 0.2, tile);
        const double r = std::min(s.w, s.d) * 0.34;
        iso.cylinder(x + s.w / 2, y + s.d / 2, z + 0.1, r, 0.25, s.wall);
        iso.dome(x + s.w / 2, y + s.d / 2, z + 0.35, r, s.roof_, 0.95);
        break;
    }
    }
}

void props(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double fx = x + s.w + 0.25, fy = y + s.d + 0.2; // front right corner of the yard
    switch (s.prop) {
    case Prop::None:
    case Prop::Flag:
        break;
    case Prop::Barrels:
        barrel(iso, fx, y + s.d * 0.5, 0, 0.5);
        barrel(iso, fx + 0.1, y + s.d * 0.5 + 0.4, 0, 0.5);
        barrel(iso, fx - 0.3, fy + 0.1, 0, 0.5);
        break;
    case Prop::Amphorae:
        for (int i = 0; i < 4; ++i)
            amphora(iso, fx + (i % 2) * 0.22, y + s.d * 0.4 + i * 0.25, 0, 0.45, QColor());
        break;
    case Prop::Anvil: {
        iso.box(fx - 0.1, fy - 0.3, 0, 0.25, 0.25, 0.22, QColor(110, 80, 50));
        iso.box(fx - 0.18, fy - 0.26, 0.22, 0.4, 0.17, 0.1, QColor(90, 92, 100));
        paintEmblem(p, Emblem::Sword,
                    QRectF(iso.at(fx + 0.25, fy).x() - 3, iso.at(fx + 0.25, fy).y() - 12, 6, 12),
                    QColor());
        const QPointF chimney = iso.at(x + s.w * 0.75, y + s.d * 0.3, s.h + 0.9);
        iso.box(x + s.w * 0.65, y + s.d * 0.2, s.h, 0.25, 0.25, 0.75, QColor(140, 110, 90));
        smoke(p, chimney, iso.unit() * 0.28);
        break;
    }
    case Prop::Chairs:
        for (int i = 0; i < 3; ++i) {
            const QPointF b = iso.at(fx, y + s.d * 0.3 + i * 0.38);
            paintEmblem(p, Emblem::Chair, QRectF(b.x() - 4, b.y() - 9, 8, 9), QColor());
        }
        logs(iso, x - 0.1, fy + 0.05, 0, s.w * 0.6, true);
        break;
    case Prop::Kiln: {
        const double kx = fx + 0.2, ky = y + s.d * 0.55;
        iso.dome(kx, ky, 0, 0.4, QColor(176, 110, 70), 1.1);
        const QPointF m = iso.at(kx + 0.15, ky + 0.3, 0.1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 140, 40));
        p.drawEllipse(m, iso.unit() * 0.1, iso.unit() * 0.08);
        smoke(p, iso.at(kx, ky, 0.8), iso.unit() * 0.2);
        for (int i = 0; i < 3; ++i) {
            const QPointF b = iso.at(x + 0.2 + i * 0.3, fy + 0.2);
            paintEmblem(p, Emblem::Pot, QRectF(b.x() - 3.5, b.y() - 7, 7, 7), QColor());
        }
        break;
    }
    case Prop::Crates:
        crate(iso, fx - 0.05, fy - 0.35, 0, 0.3);
        crate(iso, fx + 0.05, fy, 0, 0.3);
        crate(iso, fx, fy - 0.3, 0.24, 0.28);
        amphora(iso, fx - 0.4, fy + 0.25, 0, 0.4, QColor());
        break;
    case Prop::Crane: {
        // A wooden treadwheel crane.
        const double cx = fx + 0.15, cy = y + 0.2;
        p.setPen(QPen(QColor(110, 76, 44), 1.4));
        const QPointF b0 = iso.at(cx, cy), top = iso.at(cx - 0.1, cy + 0.1, 1.8);
        p.drawLine(b0, top);
        p.drawLine(iso.at(cx + 0.3, cy + 0.2), top);
        p.setPen(QPen(QColor(110, 76, 44), 1.0));
        p.drawLine(top, iso.at(cx + 0.6, cy + 0.6, 1.3));
        p.setPen(QPen(QColor(70, 60, 50), 0.6));
        p.drawLine(iso.at(cx + 0.6, cy + 0.6, 1.3), iso.at(cx + 0.6, cy + 0.6, 0.5));
        iso.box(cx + 0.5, cy + 0.5, 0.3, 0.22, 0.22, 0.2, s.kind == Kind::Quarry ? marble : stone);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(120, 84, 50), 1.0));
        const QPointF wc = iso.at(cx + 0.05, cy + 0.05, 0.35);
        p.drawEllipse(wc, iso.unit() * 0.25, iso.unit() * 0.3);
        break;
    }
    case Prop::Press: {
        const double px = fx + 0.15, py = y + s.d * 0.55;
        iso.cylinder(px, py, 0, 0.35, 0.25, stone);
        iso.ellipse(px, py, 0.25, 0.25, QColor(90, 100, 50));
        iso.cylinder(px - 0.05, py + 0.05, 0.25, 0.14, 0.35, shade(stone, 1.05));
        p.setPen(QPen(QColor(110, 80, 50), 1.2));
        p.drawLine(iso.at(px - 0.3, py + 0.3, 0.5), iso.at(px + 0.3, py - 0.3, 0.5));
        amphora(iso, fx - 0.2, fy + 0.2, 0, 0.45, QColor());
        amphora(iso, fx + 0.05, fy + 0.25, 0, 0.45, QColor());
        break;
    }
    case Prop::Desks:
        for (int i = 0; i < 2; ++i)
            iso.box(fx - 0.1, y + s.d * 0.25 + i * 0.5, 0, 0.35, 0.18, 0.2, wood);
        paintFigure(p, Figure::Citizen, iso.at(fx + 0.1, fy + 0.25), iso.unit() * 0.65);
        break;
    case Prop::Guard:
        paintFigure(p, Figure::Legionary, iso.at(x + s.w * 0.75, y + s.d + 0.35), iso.unit() * 0.9);
        break;
    case Prop::Posts:
    case Prop::Cage:
    case Prop::Chariot:
        break;
    }
    (void)rng;
}

// ---------------------------------------------------------------- kinds

void drawHall(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const int rows = std::max(1, int(std::lround(s.h / 0.7)));
    if (s.prop == Prop::Flag)
        flag(iso, x - 0.2, y + 0.2, 0, s.h + 1.2, s.accent.isValid() ? s.accent : roman, s.emblem);
    iso.addShadow(x, y, s.w, s.d, s.h + 0.6);
    iso.box(x - 0.05, y - 0.05, 0, s.w + 0.1, s.d + 0.1, 0.1, shade(stone, 0.95));
    iso.box(x, y, 0.1, s.w, s.d, s.h - 0.1, s.wall);
    const bool arched = s.h >= 1.2;
    iso.windows(true, x + s.w, y, y + s.d, 0.1, s.h - 0.1, std::max(2, int(s.d * 1.6)), rows,
                shade(window, 0.85), arched);
    const int perRow = std::max(2, int(s.w * 1.6));
    iso.windows(false, y + s.d, x, x + s.w * 0.4, 0.1, s.h - 0.1, std::max(1, perRow / 2 - 1), rows,
                window, arched);
    iso.windows(false, y + s.d, x + s.w * 0.6, x + s.w, 0.1, s.h - 0.1, std::max(1, perRow / 2 - 1),
                rows, window, arched);
    iso.opening(false, y + s.d, x, x + s.w, 0.1, s.h - 0.1, 0.42, 0.58, 0,
                std::min(0.8, 0.6 / s.h + 0.2), QColor(90, 58, 36), arched);
    roof(iso, s, x, y, s.h);
    if (s.variant > 0) {
        // Portico: columns carrying a pediment with the emblem.
        const double pw = s.w * 0.62, px = x + (s.w - pw) / 2, py = y + s.d, pd = 0.6;
        iso.box(px - 0.08, py, 0, pw + 0.16, pd + 0.1, 0.12, shade(marble, 0.95));
        iso.colonnade(px + 0.06, py + pd - 0.05, px + pw - 0.06, py + pd - 0.05, 0.12, s.h - 0.05,
                      s.variant, 0.05, marble);
        iso.box(px - 0.04, py, s.h + 0.07, pw + 0.08, pd + 0.02, 0.08, shade(marble, 0.92));
        const double ph = pw * 0.28;
        iso.gableRoof(px - 0.06, py - 0.02, s.h + 0.15, pw + 0.12, pd + 0.08, ph,
                      s.roof == Roof::Dome ? tile : s.roof_, false, shade(marble, 0.97));
        pediment(iso, px - 0.06, py + pd + 0.06, pw + 0.12, s.h + 0.15, ph, s.emblem,
                 s.accent.isValid() ? s.accent : QColor(120, 90, 60));
    } else if (s.emblem != Emblem::None) {
        sign(iso, x + s.w * 0.28, y + s.d + 0.02, std::min(s.h * 0.7, 0.62), 0.42, s.emblem,
             QColor(244, 236, 214), QColor(80, 60, 40));
    }
    props(iso, s, x, y, rng);
    (void)p;
}

void drawShop(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    iso.addShadow(x, y, s.w, s.d, s.h + 0.5);
    iso.box(x, y, 0, s.w, s.d, s.h, s.wall);
    iso.opening(false, y + s.d, x, x + s.w, 0, s.h, 0.12, 0.7, 0, 0.75, QColor(80, 56, 40));
    iso.windows(true, x + s.w, y, y + s.d, 0, s.h, 1, 1, shade(window, 0.8));
    roof(iso, s, x, y, s.h);
    // Striped awning over the open front.
    QPainter &p = iso.painter();
    const double z0 = s.h * 0.85, z1 = s.h * 0.5, out = 0.45;
    for (int i = 0; i < 6; ++i) {
        const double a = x + s.w * (0.08 + i * 0.11), b = a + s.w * 0.11;
        iso.polygon({iso.at(a, y + s.d, z0), iso.at(b, y + s.d, z0), iso.at(b, y + s.d + out, z1),
                     iso.at(a, y + s.d + out, z1)},
                    i % 2 ? QColor(240, 236, 226) : s.accent);
    }
    // A stool and a customer.
    iso.box(x + s.w * 0.3, y + s.d + 0.15, 0, 0.2, 0.2, 0.2, wood);
    paintFigure(p, Figure::Citizen, iso.at(x + s.w * 0.55, y + s.d + 0.35), iso.unit() * 0.7);
    sign(iso, x + s.w * 0.86, y + s.d + 0.02, s.h * 0.55, 0.4, s.emblem, QColor(244, 236, 214),
         QColor(80, 60, 40));
    (void)rng;
}

void drawBath(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    BuildingDef hall = s;
    hall.variant = 0;
    hall.emblem = Emblem::None;
    drawHall(iso, hall, x, y, rng);
    // Open-air pool with a marble rim and a little steam.
    const double px = x + 0.05, py = y + s.d + 0.2;
    iso.box(px, py, 0, s.w - 0.1, 0.85, 0.1, marble);
    waterPatch(iso, px + 0.08, py + 0.08, s.w - 0.26, 0.69, 0.1);
    QPainter &p = iso.painter();
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.9));
    for (int i = 0; i < 3; ++i) {
        const QPointF a = iso.at(px + 0.4 + i * 0.5, py + 0.4, 0.2);
        QPainterPath w;
        w.moveTo(a);
        w.cubicTo(a + QPointF(-3, -4), a + QPointF(3, -6), a + QPointF(0, -10));
        p.drawPath(w);
    }
    sign(iso, x + s.w * 0.25, y + s.d + 0.02, s.h * 0.6, 0.42, s.emblem, QColor(244, 236, 214),
         water);
}

void drawTemple(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const bool large = s.variant > 0;
    const double podium = large ? 0.3 : 0.22;
    const double colH = s.h;
    const double ph = s.w * 0.26;
    if (large) {
        tree(iso, x - 0.35, y + 0.1, 0.85, Tree::Cypress, rng);
        tree(iso, x + s.w + 0.35, y - 0.1, 0.85, Tree::Cypress, rng);
    }
    iso.addShadow(x, y, s.w, s.d, colH + podium + ph);
    // Podium with steps in front.
    iso.box(x, y, 0, s.w, s.d, podium, shade(marble, 0.9));
    for (int i = 0; i < 3; ++i)
        iso.box(x + 0.1, y + s.d, podium * i / 3, s.w - 0.2, 0.35 - i * 0.1, podium / 3,
                shade(marble, 0.95));
    // Cella walls (coloured band) behind the columns.
    const double inset = large ? 0.3 : 0.18;
    iso.box(x + inset, y + inset, podium, s.w - 2 * inset, s.d - inset - 0.55, colH,
            shade(s.wall, 0.96));
    iso.opening(false, y + s.d - 0.55, x + inset, x + s.w - inset, podium, colH, 0.38, 0.62, 0, 0.7,
                QColor(70, 50, 40));
    // Columns: the lit front and, for large temples, the shaded side too.
    const int front = large ? 6 : 4;
    if (large)
        iso.colonnade(x + s.w - 0.1, y + 0.12, x + s.w - 0.1, y + s.d - 0.12, podium, colH, 7, 0.06,
                      marble);
    iso.colonnade(x + 0.1, y + s.d - 0.1, x + s.w - 0.1, y + s.d - 0.1, podium, colH, front,
                  large ? 0.07 : 0.06, marble);
    // Entablature with a band of the god's colour, then the roof.
    iso.box(x, y, podium + colH, s.w, s.d, 0.14, marble);
    iso.box(x - 0.01, y + s.d - 0.01, podium + colH + 0.04, s.w + 0.02, 0.02, 0.05, s.accent);
    iso.gableRoof(x - 0.04, y - 0.04, podium + colH + 0.14, s.w + 0.08, s.d + 0.08, ph, s.roof_,
                  false, shade(marble, 0.98));
    pediment(iso, x - 0.04, y + s.d + 0.04, s.w + 0.08, podium + colH + 0.14, ph, s.emblem,
             s.accent);
    // Altar with a flame before the steps.
    const double ax = x + s.w / 2 - 0.15, ay = y + s.d + 0.5;
    iso.box(ax, ay, 0, 0.3, 0.25, 0.25, marble);
    const QPointF f = iso.at(ax + 0.15, ay + 0.12, 0.25);
    paintEmblem(p, Emblem::Flame, QRectF(f.x() - 3, f.y() - 8, 6, 8), QColor());
    // A standard with the god's sign beside the steps tells the temples apart.
    const double sx = x + s.w + 0.2, sy = y + s.d + 0.15;
    p.setPen(QPen(QColor(110, 80, 50), 1.2));
    p.drawLine(iso.at(sx, sy), iso.at(sx, sy, colH + 0.2));
    const QPointF top = iso.at(sx, sy, colH + 0.2);
    const double r = iso.unit() * 0.42;
    p.setPen(QPen(shade(s.accent, 0.55), 0.9));
    p.setBrush(QColor(250, 244, 226));
    p.drawEllipse(top, r, r);
    paintEmblem(p, s.emblem, QRectF(top.x() - r * 0.75, top.y() - r * 0.75, r * 1.5, r * 1.5),
                s.accent);
    if (!large)
        paintFigure(p, Figure::Priest, iso.at(x + s.w * 0.25, y + s.d + 0.6), iso.unit() * 0.7);
}

void drawOracle(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double cx = x + 0.5, cy = y + 0.5;
    // Rocky outcrop with a cleft, the round temple on it.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        const double a = i * 0.7, r = 0.85 + 0.15 * std::sin(i * 1.7);
        iso.ellipse(cx + r * std::cos(a) * 0.9, cy + r * std::sin(a) * 0.9, 0.05, 0.35,
                    shade(QColor(150, 140, 126), 0.85 + 0.05 * (i % 3)));
    }
    iso.cylinder(cx, cy, 0, 1.05, 0.22, QColor(150, 140, 126));
    iso.cylinder(cx, cy, 0.22, 0.9, 0.12, shade(marble, 0.9));
    iso.cylinder(cx, cy, 0.34, 0.55, s.h, shade(s.wall, 0.92));
    iso.opening(false, cy + 0.55, cx - 0.55, cx + 0.55, 0.34, s.h, 0.4, 0.6, 0, 0.7,
                QColor(70, 50, 40), true);
    for (int i = 0; i < 8; ++i) {
        const double a = std::numbers::pi * (0.05 + i / 7.0 * 0.9);
        iso.column(cx + 0.78 * std::cos(a) - 0.05, cy + 0.78 * std::sin(a) + 0.05, 0.34, s.h, 0.05,
                   marble);
    }
    iso.cylinder(cx, cy, 0.34 + s.h, 0.85, 0.12, marble);
    iso.dome(cx, cy, 0.46 + s.h, 0.8, s.roof_, 0.7);
    // Vapour rising from the cleft.
    smoke(p, iso.at(cx + 0.95, cy + 0.6, 0.3), iso.unit() * 0.22);
    paintEmblem(
        p, s.emblem,
        QRectF(iso.at(cx, cy, 0.46 + s.h).x() - 5, iso.at(cx, cy, 0.46 + s.h + 0.9).y() - 5, 10, 8),
        QColor());
    (void)rng;
}

void drawWell(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double cx = x + 0.4, cy = y + 0.4;
    iso.flat(cx - 0.8, cy - 0.8, 0.005, 1.6, 1.6, QColor(180, 168, 146));
    iso.addShadow(cx - 0.45, cy - 0.45, 0.9, 0.9, 1.3);
    // Two posts across the shaft carry the windlass and a little tiled roof.
    const QColor post(110, 76, 44);
    const double top = 1.15;
    iso.box(cx - 0.62, cy - 0.05, 0, 0.1, 0.1, top, post);
    iso.cylinder(cx, cy, 0, 0.45, s.h, s.wall);
    iso.ellipse(cx, cy, s.h + 0.001, 0.34, QColor(34, 52, 72));
    p.setPen(QPen(shade(s.wall, 0.7), 0.5));
    p.setBrush(Qt::NoBrush);
    const QPointF c = iso.at(cx, cy, s.h * 0.5);
    const double rx = 0.45 * 1.414 * iso.unit();
    p.drawArc(QRectF(c.x() - rx, c.y() - rx / 2, 2 * rx, rx), 180 * 16, 180 * 16);
    iso.box(cx - 0.55, cy - 0.04, top - 0.35, 1.1, 0.08, 0.08, shade(post, 1.2));
    p.setPen(QPen(QColor(80, 70, 60), 0.7));
    p.drawLine(iso.at(cx, cy, top - 0.3), iso.at(cx, cy, 0.75));
    iso.cylinder(cx, cy, 0.62, 0.1, 0.14, QColor(130, 90, 50));
    iso.box(cx + 0.52, cy - 0.05, 0, 0.1, 0.1, top, post);
    iso.gableRoof(cx - 0.75, cy - 0.35, top, 1.5, 0.7, 0.35, s.roof_, true, shade(post, 1.1));
    bush(iso, cx + 0.85, cy + 0.55, 0.25, leaf);
    amphora(iso, cx - 0.55, cy + 0.75, 0, 0.4, QColor());
    paintFigure(p, Figure::Citizen, iso.at(cx + 0.5, cy + 0.8), iso.unit() * 0.85);
    (void)rng;
}

void drawFountain(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double cx = x + s.w / 2, cy = y + s.d / 2;
    iso.flat(x - 0.2, y - 0.2, 0.005, s.w + 0.4, s.d + 0.4, paving);
    iso.cylinder(cx, cy, 0, s.w / 2, s.h, s.wall);
    iso.ellipse(cx, cy, s.h, s.w / 2 - 0.08, QColor(80, 150, 206));
    iso.cylinder(cx, cy, s.h, 0.1, 0.6, marble);
    iso.cylinder(cx, cy, s.h + 0.6, 0.3, 0.08, marble);
    iso.ellipse(cx, cy, s.h + 0.68, 0.24, QColor(100, 170, 220));
    iso.cylinder(cx, cy, s.h + 0.68, 0.05, 0.25, marble);
    // Jets falling into the basin.
    p.setPen(QPen(QColor(190, 225, 250, 220), 1.0));
    p.setBrush(Qt::NoBrush);
    const QPointF top = iso.at(cx, cy, s.h + 0.95);
    for (int i = 0; i < 6; ++i) {
        const double a = i * std::numbers::pi / 3;
        const QPointF end = iso.at(cx + 0.5 * std::cos(a), cy + 0.5 * std::sin(a), s.h);
        QPainterPath j;
        j.moveTo(top);
        j.quadTo(QPointF((top.x() + end.x()) / 2 + (end.x() - top.x()) * 0.3, top.y() - 4), end);
        p.drawPath(j);
    }
    bush(iso, x - 0.1, y + s.d + 0.1, 0.22, leaf);
    bush(iso, x + s.w + 0.1, y - 0.1, 0.22, leaf);
    (void)rng;
}

void drawReservoir(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    iso.addShadow(x, y, s.w, s.d, s.h + 0.3);
    iso.box(x, y, 0, s.w, s.d, s.h, s.wall);
    // Blind arches along the walls.
    for (int i = 0; i < 4; ++i) {
        const double u0 = 0.06 + i * 0.24;
        iso.opening(false, y + s.d, x, x + s.w, 0, s.h, u0, u0 + 0.16, 0, 0.7, shade(s.wall, 0.7),
                    true);
        iso.opening(true, x + s.w, y, y + s.d, 0, s.h, u0, u0 + 0.16, 0, 0.7, shade(s.wall, 0.5),
                    true);
    }
    iso.box(x, y, s.h, s.w, s.d, 0.1, shade(s.wall, 1.05));
    waterPatch(iso, x + 0.15, y + 0.15, s.w - 0.3, s.d - 0.3, s.h + 0.1);
    // Stub of an aqueduct that feeds it.
    iso.box(x + s.w * 0.4, y - 0.6, 0, 0.3, 0.6, s.h + 0.1, shade(s.wall, 0.95));
    iso.flat(x + s.w * 0.45, y - 0.6, s.h + 0.1, 0.2, 0.6, QColor(80, 150, 206));
    (void)rng;
}

// One run of arches along x: the aqueduct, bridges and the arch share it.
void arcade(Iso &iso, double x, double y, double z, double w, double d, double h, int arches,
            const QColor &c, const QColor &through)
{
    iso.box(x, y, z, w, d, h, c);
    for (int i = 0; i < arches; ++i) {
        const double u0 = (i + 0.18) / arches, u1 = (i + 0.82) / arches;
        iso.opening(false, y + d, x, x + w, z, h, u0, u1, 0, 0.72, through, true);
    }
}

void drawAqueduct(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    iso.addShadow(x, y, s.w, s.d, s.h);
    const QColor through(96, 140, 74);
    arcade(iso, x, y, 0, s.w, s.d, s.h * 0.62, s.variant, s.wall, through);
    arcade(iso, x, y, s.h * 0.62, s.w, s.d, s.h * 0.3, s.variant * 2, shade(s.wall, 1.03),
           QColor(130, 170, 210));
    iso.box(x - 0.02, y - 0.02, s.h * 0.92, s.w + 0.04, s.d + 0.04, 0.1, shade(s.wall, 0.9));
    iso.flat(x, y + 0.12, s.h * 0.92 + 0.1, s.w, s.d - 0.24, QColor(80, 150, 210));
    bush(iso, x + 0.3, y + s.d + 0.5, 0.25, leaf);
    tree(iso, x + s.w - 0.2, y + s.d + 0.7, 0.7, Tree::Cypress, rng);
}

void drawMission(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // Palisade around a hut and a standard.
    auto palisade = [&](double x0, double y0, double x1, double y1) {
        const int n = int((std::abs(x1 - x0) + std::abs(y1 - y0)) * 6);
        for (int i = 0; i <= n; ++i) {
            const double t = double(i) / n;
            const QPointF b = iso.at(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t);
            p.setPen(QPen(QColor(120, 84, 50), iso.unit() * 0.1, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(b, b + QPointF(0, -iso.unit() * 0.55));
            p.setPen(QPen(QColor(150, 110, 66), iso.unit() * 0.04));
            p.drawLine(b + QPointF(-iso.unit() * 0.03, -iso.unit() * 0.54),
                       b + QPointF(-iso.unit() * 0.03, -iso.unit() * 0.2));
        }
    };
    const double px = x - 0.35, py = y - 0.35, pw = s.w + 0.9, pd = s.d + 0.9;
    palisade(px, py, px + pw, py);
    palisade(px, py, px, py + pd);
    iso.addShadow(x, y, s.w, s.d, 1.0);
    iso.box(x, y, 0, s.w, s.d, s.h, s.wall);
    iso.opening(false, y + s.d, x, x + s.w, 0, s.h, 0.4, 0.6, 0, 0.75, QColor(60, 44, 32));
    iso.gableRoof(x - 0.1, y - 0.1, s.h, s.w + 0.2, s.d + 0.2, 0.45, s.roof_, true);
    flag(iso, x + s.w + 0.2, y + 0.2, 0, 1.9, s.accent, s.emblem);
    palisade(px + pw, py, px + pw, py + pd);
    palisade(px, py + pd, px + pw * 0.4, py + pd);
    palisade(px + pw * 0.62, py + pd, px + pw, py + pd);
    paintFigure(p, Figure::Legionary, iso.at(px + pw * 0.52, py + pd + 0.25), iso.unit() * 0.85);
    (void)rng;
}

// Points of a horizontal ellipse (or an arc of it) at height z.
QPolygonF arc(const Iso &iso, double cx, double cy, double rx, double ry, double z, double a0,
              double a1, int n = 48)
{
    QPolygonF poly;
    for (int i = 0; i <= n; ++i) {
        const double a = a0 + (a1 - a0) * i / n;
        poly << iso.at(cx + rx * std::cos(a), cy + ry * std::sin(a), z);
    }
    return poly;
}

// The outline of an upright prism over a horizontal outline: the outline at
// the bottom, at the top and every wall between them, united.
QPainterPath prism(const QPolygonF &bottom, const QPolygonF &top)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(bottom);
    path.addPolygon(top);
    for (int i = 0; i + 1 < bottom.size(); ++i)
        path.addPolygon(QPolygonF{bottom[i], bottom[i + 1], top[i + 1], top[i]});
    return path.simplified();
}

// Tiers of seats inside an oval wall: the wall first, then the rows of seats
// stepping down to the sand, seen through the opening at the top.
void ovalBowl(Iso &iso, double cx, double cy, double rx, double ry, double h, int tiers,
              const QColor &stoneC, const QColor &sand, bool arches)
{
    QPainter &p = iso.painter();
    const double u = iso.unit();
    const double tau = 2 * std::numbers::pi;
    const QPolygonF base = arc(iso, cx, cy, rx, ry, 0, 0, tau, 64),
                    top = arc(iso, cx, cy, rx, ry, h, 0, tau, 64);
    const QPointF c = iso.at(cx, cy, 0);
    QLinearGradient g(c.x() - rx * 1.4 * u, 0, c.x() + rx * 1.4 * u, 0);
    g.setColorAt(0, shade(stoneC, 1.05));
    g.setColorAt(0.4, stoneC);
    g.setColorAt(1, shade(stoneC, 0.62));
    p.setPen(QPen(shade(stoneC, 0.5), 0.5));
    p.setBrush(g);
    p.drawPath(prism(base, top));
    // Storeys of the outer wall: a cornice line per tier, arches or piers.
    const double quarter = std::numbers::pi / 4;
    for (int t = 0; t < tiers; ++t) {
        const double z0 = h * t / tiers, z1 = h * (t + 1) / tiers;
        p.setPen(QPen(shade(stoneC, 0.7), 0.6));
        p.setBrush(Qt::NoBrush);
        if (t > 0)
            p.drawPolyline(arc(iso, cx, cy, rx * 1.002, ry * 1.002, z0, -quarter, 3 * quarter));
        const int n = arches ? 26 : 16;
        for (int i = 0; i < n; ++i) {
            const double a = -quarter + std::numbers::pi * (i + 0.5) / n;
            const double facing = std::sin(a + quarter); // 1 straight at the viewer
            const double ex = cx + rx * std::cos(a) * 1.003, ey = cy + ry * std::sin(a) * 1.003;
            const QPointF b = iso.at(ex, ey, z0 + (z1 - z0) * 0.08),
                          tt = iso.at(ex, ey, z0 + (z1 - z0) * 0.78);
            const double half = u * 0.13 * facing;
            if (half < 0.3)
                continue;
            if (arches) {
                QPainterPath ar;
                ar.moveTo(b.x() - half, b.y());
                ar.lineTo(tt.x() - half, tt.y() + half);
                ar.quadTo(tt.x(), tt.y() - half * 0.7, tt.x() + half, tt.y() + half);
                ar.lineTo(b.x() + half, b.y());
                ar.closeSubpath();
                p.setPen(Qt::NoPen);
                p.setBrush(shade(stoneC, 0.42));
                p.drawPath(ar);
            } else {
                p.setPen(QPen(shade(stoneC, 0.65), 0.7));
                p.drawLine(b, tt);
            }
        }
    }
    // Seats, seen through the top opening.
    p.save();
    QPainterPath opening;
    opening.addPolygon(top);
    p.setClipPath(opening);
    const double drop = h * 0.6 / tiers;
    for (int t = 0; t <= tiers; ++t) {
        const double f = 1.0 - 0.11 * t, z = h - drop * t;
        const bool arena = t == tiers;
        p.setBrush(arena ? sand : (t % 2 ? shade(stoneC, 1.12) : shade(stoneC, 1.02)));
        p.setPen(QPen(arena ? shade(sand, 0.7) : shade(stoneC, 0.62), 0.6));
        p.drawPolygon(arc(iso, cx, cy, rx * f, ry * f, z, 0, tau, 64));
    }
    p.restore();
}

void drawAmphitheatre(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    const double cx = x + s.w / 2, cy = y + s.d / 2;
    iso.flat(x - 0.1, y - 0.1, 0.005, s.w + 0.2, s.d + 0.2, shade(paving, 0.95));
    ovalBowl(iso, cx, cy, s.w / 2, s.d / 2, s.h, 2, s.wall, s.accent, false);
    QPainter &p = iso.painter();
    const double floor = s.h - s.h * 0.6;
    paintFigure(p, Figure::Gladiator, iso.at(cx - 0.1, cy + 0.05, floor), iso.unit() * 0.6);
    paintFigure(p, Figure::Gladiator, iso.at(cx + 0.25, cy - 0.1, floor), iso.unit() * 0.6, true);
    flag(iso, x + 0.2, y + s.d * 0.5, s.h, 0.6, roman);
    flag(iso, x + s.w * 0.5, y + 0.1, s.h, 0.6, roman);
    (void)rng;
}

void drawColosseum(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double cx = x + s.w / 2, cy = y + s.d / 2;
    iso.flat(x - 0.15, y - 0.15, 0.005, s.w + 0.3, s.d + 0.3, shade(paving, 0.95));
    ovalBowl(iso, cx, cy, s.w / 2, s.d / 2, s.h, 4, s.wall, s.accent, true);
    // The awning over the back half of the seats, striped red and white.
    const double tau = 2 * std::numbers::pi;
    for (int i = 0; i < 12; ++i) {
        const double a0 = std::numbers::pi * 0.75 + tau * 0.5 * i / 12, a1 = a0 + tau * 0.5 / 12;
        QPolygonF seg = arc(iso, cx, cy, s.w / 2, s.d / 2, s.h + 0.05, a0, a1, 4);
        const QPolygonF inner =
            arc(iso, cx, cy, s.w / 2 * 0.72, s.d / 2 * 0.72, s.h - 0.1, a1, a0, 4);
        for (const QPointF &q : inner)
            seg << q;
        iso.polygon(seg, i % 2 ? QColor(240, 232, 214) : QColor(190, 60, 46),
                    QColor(120, 40, 30, 120));
    }
    p.setPen(QPen(QColor(110, 80, 50), 0.8));
    for (int i = 0; i < 16; ++i) {
        const double a = tau * i / 16;
        const QPointF b = iso.at(cx + s.w / 2 * std::cos(a), cy + s.d / 2 * std::sin(a), s.h);
        p.drawLine(b, b + QPointF(0, -iso.unit() * 0.3));
    }
    paintFigure(p, Figure::Gladiator, iso.at(cx + 0.1, cy + 0.15, s.h * 0.4), iso.unit() * 0.5);
    (void)rng;
}

void drawTheatre(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // A half bowl of seats whose open side faces +x, the stage in front of it.
    const double cx = x + s.w * 0.5, cy = y + s.d * 0.5, r = s.w * 0.5;
    const double a0 = std::numbers::pi / 2, a1 = std::numbers::pi * 1.5;
    const int tiers = 6;
    auto closed = [&](double rr, double z) {
        QPolygonF poly = arc(iso, cx, cy, rr, rr, z, a0, a1, 40);
        poly << iso.at(cx, cy, z);
        poly << poly.first();
        return poly;
    };
    p.setPen(QPen(shade(s.wall, 0.5), 0.5));
    p.setBrush(shade(s.wall, 0.85));
    p.drawPath(prism(closed(r, 0), closed(r, s.h)));
    const double drop = s.h / (tiers + 1);
    for (int t = 0; t < tiers; ++t) {
        const double rr = r * (1.0 - 0.12 * t), z = s.h - drop * t;
        iso.polygon(closed(rr, z), t % 2 ? shade(s.wall, 1.1) : s.wall, shade(s.wall, 0.6));
        // The riser down to the next row.
        const double rn = r * (1.0 - 0.12 * (t + 1));
        QPolygonF riser = arc(iso, cx, cy, rn, rn, z, a0, a1, 40);
        const QPolygonF low = arc(iso, cx, cy, rn, rn, z - drop, a1, a0, 40);
        for (const QPointF &q : low)
            riser << q;
        iso.polygon(riser, shade(s.wall, 0.72));
    }
    // Orchestra, then the end of the rows on the open side (a staircase).
    iso.polygon(closed(r * (1.0 - 0.12 * tiers), s.h - drop * tiers), s.accent,
                shade(s.accent, 0.6));
    // Section through the rows: a staircase down to the orchestra and up again.
    QPolygonF ends;
    ends << iso.at(cx, cy - r, 0);
    for (int t = 0; t < tiers; ++t) {
        const double rr = r * (1.0 - 0.12 * t), rn = r * (1.0 - 0.12 * (t + 1)), z = s.h - drop * t;
        ends << iso.at(cx, cy - rr, z) << iso.at(cx, cy - rn, z);
    }
    for (int t = tiers - 1; t >= 0; --t) {
        const double rr = r * (1.0 - 0.12 * t), rn = r * (1.0 - 0.12 * (t + 1)), z = s.h - drop * t;
        ends << iso.at(cx, cy + rn, z) << iso.at(cx, cy + rr, z);
    }
    ends << iso.at(cx, cy + r, 0);
    iso.polygon(ends, shade(s.wall, 0.62), shade(s.wall, 0.45));
    // Stage: a platform and a columned front with a roof over it.
    const double sx = cx + 0.25;
    iso.box(sx, cy - r * 0.8, 0, 0.5, r * 1.6, 0.22, shade(wood, 1.2));
    iso.box(sx + 0.5, cy - r * 0.9, 0, 0.2, r * 1.8, s.h * 0.75, s.wall);
    iso.windows(true, sx + 0.7, cy - r * 0.9, cy + r * 0.9, 0, s.h * 0.75, 3, 1,
                shade(s.wall, 0.45), true, 0.5);
    iso.gableRoof(sx + 0.45, cy - r * 0.95, s.h * 0.75, 0.3, r * 1.9, 0.18, s.roof_, false);
    iso.colonnade(sx + 0.4, cy - r * 0.75, sx + 0.4, cy + r * 0.75, 0.22, s.h * 0.5, 6, 0.04,
                  marble);
    paintFigure(p, Figure::Citizen, iso.at(sx + 0.25, cy + 0.1, 0.22), iso.unit() * 0.55);
    const QPointF m = iso.at(sx + 0.7, cy + r * 0.95, s.h * 0.55);
    paintEmblem(p, s.emblem, QRectF(m.x() - 8, m.y() - 7, 16, 14), QColor());
    (void)rng;
}

void drawHippodrome(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // Long track along x with stands on both sides and a spina with an obelisk.
    iso.box(x, y, 0, s.w, 0.35, s.h + 0.2, s.wall);
    iso.flat(x, y + 0.35, 0.01, s.w, s.d - 0.7, s.accent);
    const double sy = y + s.d / 2 - 0.08;
    iso.box(x + 0.6, sy, 0, s.w - 1.2, 0.16, 0.12, shade(stone, 1.05));
    iso.cone(x + 0.6, sy + 0.08, 0.12, 0.1, 0.35, shade(stone, 0.9));
    iso.cone(x + s.w - 0.6, sy + 0.08, 0.12, 0.1, 0.35, shade(stone, 0.9));
    iso.box(x + s.w / 2 - 0.07, sy + 0.01, 0.12, 0.14, 0.14, 0.8, QColor(200, 150, 110));
    iso.pyramid(x + s.w / 2 - 0.07, sy + 0.01, 0.92, 0.14, 0.14, 0.12, gold);
    // Two chariots racing.
    for (int i = 0; i < 2; ++i) {
        const QPointF b = iso.at(x + 1.2 + i * 1.5, y + 0.6 + i * 0.8, 0.02);
        paintFigure(p, Figure::Rider, b, iso.unit() * 0.55, false);
    }
    iso.box(x, y + s.d - 0.35, 0, s.w, 0.35, s.h, shade(s.wall, 1.02));
    // Seats on the front stand.
    p.setPen(QPen(shade(s.wall, 0.75), 0.5));
    for (int i = 1; i < 3; ++i)
        p.drawLine(iso.at(x, y + s.d - 0.35 + i * 0.11, s.h),
                   iso.at(x + s.w, y + s.d - 0.35 + i * 0.11, s.h));
    iso.windows(false, y + s.d, x, x + s.w, 0, s.h, 12, 1, shade(s.wall, 0.6), true, 0.6);
    iso.box(x + s.w - 0.5, y, 0, 0.5, s.d, s.h + 0.15, shade(s.wall, 0.97));
    iso.windows(true, x + s.w, y, y + s.d, 0, s.h + 0.15, 4, 1, shade(s.wall, 0.4), true, 0.6);
    (void)rng;
}

void drawYard(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // Building at the back, walled yard in front.
    const double bd = s.d * 0.45;
    iso.addShadow(x, y, s.w, bd, s.h + 0.5);
    iso.box(x, y, 0, s.w, bd, s.h, s.wall);
    iso.windows(false, y + bd, x, x + s.w, 0, s.h, 4, 1, shade(window, 0.9), true);
    iso.windows(true, x + s.w, y, y + bd, 0, s.h, 1, 1, shade(window, 0.8), true);
    iso.gableRoof(x - 0.08, y - 0.08, s.h, s.w + 0.16, bd + 0.16, 0.35, s.roof_, true,
                  shade(s.wall, 0.9));
    sign(iso, x + s.w * 0.5, y + bd + 0.02, s.h * 0.55, 0.45, s.emblem, QColor(244, 236, 214),
         QColor(80, 60, 40));
    iso.flat(x, y + bd, 0.01, s.w, s.d - bd, s.accent);
    iso.box(x + s.w - 0.1, y + bd, 0, 0.1, s.d - bd, 0.35, s.wall);
    const double yy = y + bd;
    switch (s.prop) {
    case Prop::Posts:
        for (int i = 0; i < 3; ++i) {
            const QPointF b = iso.at(x + 0.5 + i * 0.6, yy + 0.35);
            p.setPen(QPen(QColor(110, 76, 44), iso.unit() * 0.08));
            p.drawLine(b, b + QPointF(0, -iso.unit() * 0.55));
            p.drawLine(b + QPointF(-iso.unit() * 0.15, -iso.unit() * 0.4),
                       b + QPointF(iso.unit() * 0.15, -iso.unit() * 0.4));
        }
        paintFigure(p, Figure::Gladiator, iso.at(x + s.w * 0.45, yy + 0.8), iso.unit() * 0.8);
        paintFigure(p, Figure::Gladiator, iso.at(x + s.w * 0.7, yy + 0.65), iso.unit() * 0.8, true);
        break;
    case Prop::Cage: {
        const QPointF b = iso.at(x + s.w * 0.5, yy + 0.55);
        paintEmblem(p, Emblem::Lion,
                    QRectF(b.x() - iso.unit() * 0.35, b.y() - iso.unit() * 0.6, iso.unit() * 0.7,
                           iso.unit() * 0.6),
                    QColor());
        // Bars in front.
        p.setPen(QPen(QColor(70, 70, 76), 0.9));
        for (int i = 0; i <= 12; ++i) {
            const QPointF q = iso.at(x + 0.15 + i * (s.w - 0.3) / 12, y + s.d - 0.05);
            p.drawLine(q, q + QPointF(0, -iso.unit() * 0.75));
        }
        p.drawLine(iso.at(x + 0.15, y + s.d - 0.05, 0.65),
                   iso.at(x + s.w - 0.15, y + s.d - 0.05, 0.65));
        break;
    }
    case Prop::Chariot: {
        const QPointF b = iso.at(x + s.w * 0.5, yy + 0.75);
        paintFigure(p, Figure::Rider, b, iso.unit() * 0.8);
        paintEmblem(p, Emblem::Wheel,
                    QRectF(b.x() - iso.unit() * 0.9, b.y() - iso.unit() * 0.4, iso.unit() * 0.4,
                           iso.unit() * 0.4),
                    QColor());
        break;
    }
    default:
        break;
    }
    iso.box(x, y + s.d - 0.1, 0, s.w, 0.1, 0.3, s.wall);
    (void)rng;
}

void drawForum(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // Paved square framed by colonnades, a basilica at the back.
    iso.flat(x, y, 0.01, s.w, s.d, s.accent);
    p.setPen(QPen(shade(s.accent, 0.85), 0.5));
    for (int i = 1; i < 6; ++i) {
        p.drawLine(iso.at(x + s.w * i / 6, y, 0.01), iso.at(x + s.w * i / 6, y + s.d, 0.01));
        p.drawLine(iso.at(x, y + s.d * i / 6, 0.01), iso.at(x + s.w, y + s.d * i / 6, 0.01));
    }
    iso.addShadow(x, y, s.w, 0.6, s.h + 0.6);
    iso.box(x, y, 0, s.w, 0.6, s.h, s.wall);
    iso.colonnade(x + 0.1, y + 0.65, x + s.w - 0.1, y + 0.65, 0, s.h - 0.05, 7, 0.05, marble);
    iso.box(x, y + 0.55, s.h - 0.05, s.w, 0.2, 0.07, marble);
    iso.gableRoof(x - 0.05, y - 0.05, s.h, s.w + 0.1, 0.8, 0.35, s.roof_, true);
    // Side portico on the left (+y is front), statue in the middle.
    iso.box(x, y + 0.6, 0, 0.35, s.d - 0.6, s.h * 0.8, s.wall);
    iso.colonnade(x + 0.45, y + 0.8, x + 0.45, y + s.d - 0.1, 0, s.h * 0.75, 5, 0.045, marble);
    iso.gableRoof(x - 0.05, y + 0.6, s.h * 0.8, 0.55, s.d - 0.55, 0.22, s.roof_, false);
    const double cx = x + s.w * 0.55, cy = y + s.d * 0.6;
    iso.box(cx - 0.15, cy - 0.15, 0, 0.3, 0.3, 0.35, marble);
    paintFigure(p, Figure::Citizen, iso.at(cx, cy, 0.35), iso.unit() * 0.75);
    paintFigure(p, Figure::Citizen, iso.at(x + s.w * 0.8, y + s.d * 0.85), iso.unit() * 0.6);
    paintFigure(p, Figure::Worker, iso.at(x + s.w * 0.35, y + s.d * 0.9), iso.unit() * 0.6, true);
    (void)rng;
}

void drawArch(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    iso.flat(x - 0.3, y + 0.1, 0.005, s.w + 0.6, s.d - 0.2, paving);
    iso.flat(x + s.w * 0.38, y - 0.8, 0.006, s.w * 0.24, s.d + 1.6, shade(paving, 0.92));
    iso.addShadow(x, y, s.w, s.d, s.h + 0.8);
    iso.box(x, y, 0, s.w, s.d, s.h, s.wall);
    // Central and side passages on the lit face, a passage on the side.
    const QColor through(110, 100, 86);
    iso.opening(false, y + s.d, x, x + s.w, 0, s.h, 0.36, 0.64, 0, 0.78, through, true);
    iso.opening(false, y + s.d, x, x + s.w, 0, s.h, 0.1, 0.24, 0, 0.45, through, true);
    iso.opening(false, y + s.d, x, x + s.w, 0, s.h, 0.76, 0.9, 0, 0.45, through, true);
    iso.opening(true, x + s.w, y, y + s.d, 0, s.h, 0.25, 0.75, 0, 0.45, shade(through, 0.8), true);
    // Engaged columns between the passages.
    for (double u : {0.03, 0.31, 0.69, 0.97})
        iso.column(x + s.w * u, y + s.d + 0.04, 0, s.h * 0.95, 0.05, shade(s.wall, 1.05));
    // Attic with a gilt inscription and the bronze group on top.
    iso.box(x - 0.03, y - 0.03, s.h, s.w + 0.06, s.d + 0.06, 0.1, shade(s.wall, 0.92));
    iso.box(x + 0.05, y + 0.05, s.h + 0.1, s.w - 0.1, s.d - 0.1, 0.6, s.wall);
    p.setPen(QPen(gold, 0.8));
    for (int i = 0; i < 2; ++i) {
        const double v = s.h + 0.25 + i * 0.18;
        p.drawLine(iso.at(x + s.w * 0.22, y + s.d - 0.05, v),
                   iso.at(x + s.w * 0.78, y + s.d - 0.05, v));
    }
    const QPointF top = iso.at(x + s.w / 2, y + s.d / 2, s.h + 0.7);
    paintFigure(p, Figure::Rider, top, iso.unit() * 0.9);
    p.setPen(Qt::NoPen);
    paintEmblem(p, s.emblem,
                QRectF(iso.at(x + s.w * 0.5, y + s.d, s.h * 0.85).x() - 5,
                       iso.at(x + s.w * 0.5, y + s.d, s.h * 0.85).y() - 4, 10, 8),
                QColor());
    (void)rng;
}

void drawStatue(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    iso.flat(x - 0.25, y - 0.25, 0.005, s.w + 0.5, s.d + 0.5, paving);
    iso.addShadow(x, y, s.w, s.d, s.h + 1.0 + s.variant * 0.3);
    iso.box(x, y, 0, s.w, s.d, 0.12, shade(marble, 0.9));
    iso.box(x + 0.08, y + 0.08, 0.12, s.w - 0.16, s.d - 0.16, s.h, s.wall);
    iso.box(x + 0.04, y + 0.04, 0.12 + s.h, s.w - 0.08, s.d - 0.08, 0.07, shade(marble, 0.92));
    const QPointF top = iso.at(x + s.w / 2, y + s.d / 2, 0.19 + s.h);
    const double u = iso.unit();
    if (s.variant == 2) {
        paintFigure(p, Figure::Rider, top, u * 1.9);
    } else {
        p.save();
        // Tint the figure in the statue's material by drawing it in one colour.
        QImage fig(int(u * 3), int(u * 3), QImage::Format_ARGB32_Premultiplied);
        fig.fill(Qt::transparent);
        {
            QPainter fp(&fig);
            fp.setRenderHint(QPainter::Antialiasing);
            paintFigure(fp, Figure::Citizen, QPointF(u * 1.5, u * 2.9),
                        u * (1.1 + 0.6 * s.variant));
            fp.setCompositionMode(QPainter::CompositionMode_SourceIn);
            QLinearGradient g(u * 1.0, 0, u * 2.0, 0);
            g.setColorAt(0, shade(s.accent, 1.15));
            g.setColorAt(1, shade(s.accent, 0.7));
            fp.fillRect(fig.rect(), g);
        }
        p.drawImage(QPointF(top.x() - u * 1.5, top.y() - u * 2.9), fig);
        p.restore();
    }
    if (s.variant >= 1) {
        bush(iso, x - 0.15, y + s.d + 0.1, 0.2, leaf);
        bush(iso, x + s.w + 0.1, y - 0.15, 0.2, leaf);
    }
    (void)rng;
}

void drawPlaza(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    iso.flat(x, y, 0.01, s.w, s.d, s.wall);
    // Pattern of larger slabs with a darker border and a central rosette.
    p.setPen(QPen(shade(s.wall, 0.8), 0.5));
    for (int i = 1; i < 8; ++i) {
        p.drawLine(iso.at(x + s.w * i / 8, y, 0.01), iso.at(x + s.w * i / 8, y + s.d, 0.01));
        p.drawLine(iso.at(x, y + s.d * i / 8, 0.01), iso.at(x + s.w, y + s.d * i / 8, 0.01));
    }
    iso.flat(x + s.w * 0.25, y + s.d * 0.25, 0.012, s.w * 0.5, s.d * 0.5, shade(s.accent, 1.1),
             shade(s.accent, 0.7));
    iso.flat(x + s.w * 0.375, y + s.d * 0.375, 0.014, s.w * 0.25, s.d * 0.25, QColor(180, 80, 60),
             shade(s.accent, 0.6));
    for (auto [bx, by] : {std::pair{0.15, 0.15}, {0.85, 0.15}, {0.15, 0.85}, {0.85, 0.85}}) {
        iso.box(x + s.w * bx - 0.12, y + s.d * by - 0.12, 0, 0.24, 0.24, 0.2, shade(stone, 1.1));
        bush(iso, x + s.w * bx, y + s.d * by, 0.18, leaf);
    }
    paintFigure(p, Figure::Citizen, iso.at(x + s.w * 0.6, y + s.d * 0.7), iso.unit() * 0.7);
    (void)rng;
}

void drawGarden(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // Gravel paths in a cross, hedged beds with flowers, trees at the corners.
    iso.flat(x + s.w * 0.44, y, 0.01, s.w * 0.12, s.d, s.accent);
    iso.flat(x, y + s.d * 0.44, 0.01, s.w, s.d * 0.12, s.accent);
    for (auto [bx, by] : {std::pair{0.05, 0.05}, {0.58, 0.05}, {0.05, 0.58}, {0.58, 0.58}}) {
        const double px = x + s.w * bx, py = y + s.d * by;
        iso.box(px, py, 0, s.w * 0.37, s.d * 0.37, 0.12, QColor(70, 116, 52), QColor(86, 138, 62));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 10; ++i) {
            p.setBrush(i % 3 == 0   ? QColor(230, 80, 100)
                       : i % 3 == 1 ? QColor(250, 220, 90)
                                    : QColor(240, 240, 250));
            p.drawEllipse(
                iso.at(px + rng.range(0.1, s.w * 0.33), py + rng.range(0.1, s.d * 0.33), 0.12), 1.0,
                0.8);
        }
    }
    tree(iso, x + 0.3, y + 0.3, 0.8, Tree::Round, rng);
    tree(iso, x + s.w - 0.25, y + 0.3, 0.8, Tree::Cypress, rng);
    tree(iso, x + 0.3, y + s.d - 0.25, 0.8, Tree::Cypress, rng);
    iso.cylinder(x + s.w / 2, y + s.d / 2, 0, 0.25, 0.15, marble);
    iso.ellipse(x + s.w / 2, y + s.d / 2, 0.15, 0.19, QColor(90, 160, 215));
    tree(iso, x + s.w - 0.25, y + s.d - 0.25, 0.8, Tree::Fruit, rng);
}

// Water across the ground from back left to front right, with banks.
void river(Iso &iso, double g)
{
    iso.flat(0, g * 0.3, 0.012, g, g * 0.4, QColor(160, 140, 100));
    waterPatch(iso, 0, g * 0.34, g, g * 0.32, 0.015);
}

void drawBridge(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    const double g = s.ground;
    river(iso, g);
    (void)x;
    (void)y;
    const double bx = g / 2 - s.w / 2;
    // Road up to the bridge, the bridge on two low arches.
    iso.flat(bx + 0.05, 0, 0.02, s.w - 0.1, g * 0.32, paving);
    iso.flat(bx + 0.05, g * 0.68, 0.02, s.w - 0.1, g * 0.32, paving);
    iso.box(bx, g * 0.27, 0, s.w, g * 0.46, s.h, s.wall);
    iso.opening(true, bx + s.w, g * 0.27, g * 0.73, 0, s.h, 0.12, 0.46, 0, 0.65,
                QColor(50, 100, 150), true);
    iso.opening(true, bx + s.w, g * 0.27, g * 0.73, 0, s.h, 0.54, 0.88, 0, 0.65,
                QColor(50, 100, 150), true);
    iso.flat(bx + 0.08, g * 0.27, s.h + 0.001, s.w - 0.16, g * 0.46, paving);
    iso.box(bx, g * 0.27, s.h, 0.08, g * 0.46, 0.15, shade(s.wall, 1.05));
    iso.box(bx + s.w - 0.08, g * 0.27, s.h, 0.08, g * 0.46, 0.15, shade(s.wall, 1.05));
    paintFigure(iso.painter(), Figure::Citizen, iso.at(bx + s.w / 2, g * 0.5, s.h),
                iso.unit() * 0.6);
    (void)rng;
}

void drawPontoon(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    const double g = s.ground;
    river(iso, g);
    (void)x;
    (void)y;
    const double bx = g / 2 - s.w / 2;
    iso.flat(bx + 0.05, 0, 0.02, s.w - 0.1, g * 0.32, paving);
    iso.flat(bx + 0.05, g * 0.68, 0.02, s.w - 0.1, g * 0.32, paving);
    // Boats side by side, planks across them.
    for (int i = 0; i < 4; ++i) {
        const double by = g * 0.33 + i * 0.26;
        iso.box(bx - 0.15, by, 0.0, s.w + 0.3, 0.2, 0.14, QColor(110, 74, 44));
    }
    iso.box(bx, g * 0.3, 0.14, s.w, g * 0.4, 0.06, s.wall, QColor(176, 132, 84));
    QPainter &p = iso.painter();
    p.setPen(QPen(QColor(120, 86, 50), 0.5));
    for (int i = 1; i < 10; ++i)
        p.drawLine(iso.at(bx, g * 0.3 + g * 0.4 * i / 10, 0.2),
                   iso.at(bx + s.w, g * 0.3 + g * 0.4 * i / 10, 0.2));
    (void)rng;
}

void drawShipyard(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double g = s.ground;
    // Water along the front right, slipway running into it.
    iso.flat(g * 0.62, 0, 0.012, g * 0.38, g, QColor(150, 130, 96));
    waterPatch(iso, g * 0.68, 0, g * 0.32, g, 0.015);
    iso.addShadow(x - 0.3, y - 0.3, s.w, s.d, s.h + 0.5);
    iso.box(x - 0.3, y - 0.3, 0, s.w * 0.7, s.d, s.h, s.wall);
    iso.opening(false, y - 0.3 + s.d, x - 0.3, x - 0.3 + s.w * 0.7, 0, s.h, 0.2, 0.8, 0, 0.8,
                QColor(60, 44, 32));
    iso.gableRoof(x - 0.4, y - 0.4, s.h, s.w * 0.7 + 0.2, s.d + 0.2, 0.4, s.roof_, false);
    // Ship hull under construction: ribs over a keel.
    const double kx = g * 0.45, ky = g * 0.72;
    iso.box(kx - 0.2, ky - 0.2, 0, 1.6, 0.5, 0.08, QColor(150, 120, 80));
    QPolygonF hull{iso.at(kx - 0.1, ky, 0.45), iso.at(kx + 1.3, ky, 0.45),
                   iso.at(kx + 1.1, ky, 0.1), iso.at(kx + 0.1, ky, 0.1)};
    iso.polygon(hull, QColor(140, 96, 56), QColor(80, 56, 34));
    p.setPen(QPen(QColor(100, 70, 40), 0.8));
    for (int i = 0; i < 6; ++i) {
        const double xx = kx + 0.05 + i * 0.22;
        p.drawLine(iso.at(xx, ky - 0.1, 0.1), iso.at(xx, ky - 0.25, 0.55));
    }
    p.drawLine(iso.at(kx + 0.6, ky, 0.45), iso.at(kx + 0.6, ky, 1.3));
    logs(iso, x + 0.2, y + s.d + 0.3, 0, 0.8, true);
    paintFigure(p, Figure::Worker, iso.at(kx + 0.2, ky + 0.45), iso.unit() * 0.65);
    (void)rng;
}

void drawDock(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double g = s.ground;
    iso.flat(g * 0.6, 0, 0.012, g * 0.4, g, QColor(150, 130, 96));
    waterPatch(iso, g * 0.64, 0, g * 0.36, g, 0.015);
    // Wooden pier out into the water with a moored boat.
    iso.box(g * 0.55, g * 0.35, 0, g * 0.4, 0.6, 0.18, QColor(130, 92, 56), QColor(170, 128, 80));
    const double bx = g * 0.7, by = g * 0.62;
    QPolygonF boat{iso.at(bx - 0.1, by, 0.2), iso.at(bx + 0.9, by, 0.2),
                   iso.at(bx + 0.75, by + 0.3, 0.02), iso.at(bx + 0.05, by + 0.3, 0.02)};
    iso.polygon(boat, QColor(120, 80, 50), QColor(70, 46, 28));
    p.setPen(QPen(QColor(90, 66, 44), 0.8));
    const QPointF mast = iso.at(bx + 0.4, by + 0.12, 0.2);
    p.drawLine(mast, mast + QPointF(0, -iso.unit() * 1.1));
    iso.polygon({mast + QPointF(1, -iso.unit() * 1.0),
                 mast + QPointF(iso.unit() * 0.5, -iso.unit() * 0.5),
                 mast + QPointF(1, -iso.unit() * 0.3)},
                QColor(240, 234, 220), QColor(160, 150, 130));
    iso.addShadow(x - 0.4, y - 0.3, s.w, s.d, s.h + 0.5);
    iso.box(x - 0.4, y - 0.3, 0, s.w, s.d, s.h, s.wall);
    iso.opening(false, y - 0.3 + s.d, x - 0.4, x - 0.4 + s.w, 0, s.h, 0.3, 0.7, 0, 0.75,
                QColor(70, 50, 36), true);
    iso.windows(true, x - 0.4 + s.w, y - 0.3, y - 0.3 + s.d, 0, s.h, 2, 1, shade(window, 0.8));
    iso.gableRoof(x - 0.5, y - 0.4, s.h, s.w + 0.2, s.d + 0.2, 0.35, s.roof_, true);
    props(iso, s, x - 0.4, y - 0.3, rng);
}

void drawQuay(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double g = s.ground;
    (void)x;
    (void)y;
    // Stone quay along the front edge of the water.
    waterPatch(iso, g * 0.5, 0, g * 0.5, g, 0.0);
    iso.box(0, 0, 0, g * 0.5, g, s.h, s.wall, paving);
    p.setPen(QPen(shade(s.wall, 0.7), 0.5));
    for (int i = 1; i < 8; ++i)
        p.drawLine(iso.at(g * 0.5, g * i / 8, 0), iso.at(g * 0.5, g * i / 8, s.h));
    for (int i = 0; i < 3; ++i) {
        iso.cylinder(g * 0.45, 0.5 + i * 0.9, s.h, 0.07, 0.2, QColor(90, 86, 80));
    }
    for (int i = 0; i < 4; ++i)
        amphora(iso, g * 0.15 + (i % 2) * 0.22, 0.8 + i * 0.25, s.h, 0.3, QColor());
    crate(iso, g * 0.1, g * 0.7, s.h, 0.35);
    paintFigure(p, Figure::Worker, iso.at(g * 0.3, g * 0.6, s.h), iso.unit() * 0.7);
    (void)rng;
}

void crenellated(Iso &iso, double x, double y, double z, double w, double d, const QColor &c,
                 bool alongX)
{
    const int n = int((alongX ? w : d) * 4);
    for (int i = 0; i < n; i += 2) {
        const double t = (alongX ? w : d) * i / n, len = (alongX ? w : d) / n;
        if (alongX)
            iso.box(x + t, y, z, len, d, 0.18, c);
        else
            iso.box(x, y + t, z, w, len, 0.18, c);
    }
}

void drawWall(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double g = s.ground;
    // Wall running along x across the ground, with stone courses.
    (void)x;
    iso.addShadow(0.1, y, g - 0.2, s.d, s.h + 0.3);
    iso.box(0.1, y, 0, g - 0.2, s.d, s.h, s.wall);
    p.setPen(QPen(shade(s.wall, 0.75), 0.5));
    for (int r = 1; r < 5; ++r) {
        const double z = s.h * r / 5;
        p.drawLine(iso.at(0.1, y + s.d, z), iso.at(g - 0.1, y + s.d, z));
        for (int i = 0; i < 9; ++i) {
            const double xx = 0.1 + (g - 0.2) * (i + (r % 2) * 0.5) / 9;
            p.drawLine(iso.at(xx, y + s.d, z), iso.at(xx, y + s.d, z - s.h / 5));
        }
    }
    iso.box(0.1, y, s.h, g - 0.2, s.d, 0.05, shade(s.wall, 1.05));
    crenellated(iso, 0.1, y, s.h + 0.05, g - 0.2, 0.18, s.wall, true);
    crenellated(iso, 0.1, y + s.d - 0.18, s.h + 0.05, g - 0.2, 0.18, s.wall, true);
    paintFigure(p, Figure::Legionary, iso.at(g * 0.55, y + s.d * 0.5, s.h + 0.05),
                iso.unit() * 0.55);
    (void)rng;
}

void drawTower(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    iso.addShadow(x, y, s.w, s.d, s.h + 0.3);
    iso.box(x, y, 0, s.w, s.d, s.h, s.wall);
    p.setPen(QPen(shade(s.wall, 0.78), 0.5));
    for (int r = 1; r < 8; ++r) {
        const double z = s.h * r / 8;
        p.drawLine(iso.at(x, y + s.d, z), iso.at(x + s.w, y + s.d, z));
        p.drawLine(iso.at(x + s.w, y, z), iso.at(x + s.w, y + s.d, z));
    }
    iso.opening(false, y + s.d, x, x + s.w, 0, s.h, 0.35, 0.65, 0, 0.25, QColor(70, 56, 44), true);
    for (double v : {0.45, 0.7}) {
        iso.opening(false, y + s.d, x, x + s.w, 0, s.h, 0.46, 0.54, v, v + 0.1, QColor(40, 34, 30));
        iso.opening(true, x + s.w, y, y + s.d, 0, s.h, 0.46, 0.54, v, v + 0.1, QColor(30, 26, 24));
    }
    iso.box(x - 0.08, y - 0.08, s.h, s.w + 0.16, s.d + 0.16, 0.1, shade(s.wall, 1.05));
    crenellated(iso, x - 0.08, y - 0.08, s.h + 0.1, s.w + 0.16, 0.16, s.wall, true);
    crenellated(iso, x - 0.08, y - 0.08, s.h + 0.1, 0.16, s.d + 0.16, s.wall, false);
    flag(iso, x + s.w / 2, y + s.d / 2, s.h + 0.1, 0.7, s.accent, Emblem::None);
    crenellated(iso, x + s.w - 0.08, y - 0.08, s.h + 0.1, 0.16, s.d + 0.16, s.wall, false);
    crenellated(iso, x - 0.08, y + s.d - 0.08, s.h + 0.1, s.w + 0.16, 0.16, s.wall, true);
    paintFigure(p, Figure::Legionary, iso.at(x + s.w * 0.6, y + s.d + 0.3), iso.unit() * 0.7);
    (void)rng;
}

void drawFort(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // Timber and earth camp: walls on four sides, corner towers, tents inside.
    const QColor wall = s.wall;
    const double t = 0.16;
    auto tower = [&](double tx, double ty) {
        iso.box(tx - 0.2, ty - 0.2, 0, 0.4, 0.4, s.h + 0.35, shade(wall, 0.95));
        iso.pyramid(tx - 0.25, ty - 0.25, s.h + 0.35, 0.5, 0.5, 0.25, tile);
    };
    iso.addShadow(x, y, s.w, s.d, s.h);
    tower(x, y);
    iso.box(x, y, 0, s.w, t, s.h, wall);
    iso.box(x, y, 0, t, s.d, s.h, wall);
    tower(x + s.w, y);
    tower(x, y + s.d);
    iso.flat(x + t, y + t, 0.01, s.w - t, s.d - t, QColor(176, 156, 116));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            iso.gableRoof(x + 0.45 + i * 0.9, y + 0.45 + j * 0.8, 0, 0.55, 0.45, 0.35,
                          QColor(226, 212, 180), true, QColor(200, 186, 150), false);
    flag(iso, x + s.w * 0.6, y + s.d * 0.45, 0, 1.3, s.accent, s.emblem);
    iso.box(x + s.w - t, y, 0, t, s.d, s.h, wall);
    // Front wall with the gate.
    iso.box(x, y + s.d - t, 0, s.w * 0.4, t, s.h, wall);
    iso.box(x + s.w * 0.6, y + s.d - t, 0, s.w * 0.4, t, s.h, wall);
    iso.box(x + s.w * 0.4, y + s.d - t, s.h * 0.8, s.w * 0.2, t, s.h * 0.4, shade(wall, 0.95));
    tower(x + s.w, y + s.d);
    // Palisade stakes on the walls' tops.
    p.setPen(QPen(shade(wall, 0.7), 0.6));
    for (int i = 0; i <= 20; ++i) {
        const QPointF a = iso.at(x + s.w * i / 20, y + s.d, s.h);
        p.drawLine(a, a + QPointF(0, -iso.unit() * 0.12));
    }
    // The soldier in front, large enough to tell the three forts apart.
    const QPointF feet = iso.at(x + s.w * 0.85, y + s.d + 0.75);
    const Figure f = s.variant == 0   ? Figure::Legionary
                     : s.variant == 1 ? Figure::Javelin
                                      : Figure::Rider;
    paintFigure(p, f, feet, iso.unit() * (s.variant == 2 ? 1.35 : 1.45));
    (void)rng;
}

void drawFarm(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double g = s.ground;
    (void)x;
    (void)y;
    // Farmhouse at the back left, the crop across the rest.
    const double hx = 0.25, hy = 0.25;
    if (s.variant == 2 || s.variant == 3)
        iso.flat(0.2, 0.2, 0.01, g - 0.4, g - 0.4, QColor(150, 140, 90));
    iso.addShadow(hx, hy, s.w, s.d, s.h + 0.5);
    iso.box(hx, hy, 0, s.w, s.d, s.h, s.wall);
    iso.opening(false, hy + s.d, hx, hx + s.w, 0, s.h, 0.4, 0.62, 0, 0.75, QColor(80, 56, 40));
    iso.gableRoof(hx - 0.08, hy - 0.08, s.h, s.w + 0.16, s.d + 0.16, 0.35, s.roof_, true);
    const double fx = 0.2, fy = 1.35, fw = g - 0.4, fd = g - fy - 0.2;
    const double fx2 = 1.4, fw2 = g - fx2 - 0.2;
    switch (s.variant) {
    case 0: // wheat
        crops(iso, fx2, 0.2, fw2, 1.0, Emblem::Wheat, rng);
        crops(iso, fx, fy, fw, fd, Emblem::Wheat, rng);
        break;
    case 1: // vegetables
        crops(iso, fx2, 0.2, fw2, 1.0, Emblem::None, rng);
        crops(iso, fx, fy, fw, fd, Emblem::None, rng);
        break;
    case 2: // fruit orchard
    case 3: // olive grove
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                if (r + c < 2)
                    continue; // the farmhouse stands there
                tree(iso, 0.6 + c * 0.95, 0.6 + r * 0.95, 0.7,
                     s.variant == 2 ? Tree::Fruit : Tree::Olive, rng);
            }
        break;
    case 4: // vineyard
        crops(iso, fx2, 0.2, fw2, 1.0, Emblem::Grapes, rng);
        crops(iso, fx, fy, fw, fd, Emblem::Grapes, rng);
        break;
    case 5: { // pigs in a pen
        iso.flat(fx, fy - 0.2, 0.01, fw, fd + 0.2, QColor(136, 104, 70));
        for (int i = 0; i < 6; ++i) {
            const QPointF b =
                iso.at(fx + 0.4 + (i % 3) * 0.8 + rng.range(0, 0.2), fy + 0.2 + (i / 3) * 0.7);
            const double u = iso.unit();
            p.setPen(QPen(QColor(170, 100, 100), 0.5));
            p.setBrush(QColor(232, 160, 160));
            p.drawEllipse(QRectF(b.x() - u * 0.3, b.y() - u * 0.3, u * 0.6, u * 0.3));
            p.drawEllipse(QPointF(b.x() + u * 0.3, b.y() - u * 0.17), u * 0.12, u * 0.1);
            p.setPen(QPen(QColor(170, 100, 100), 1.0));
            p.drawLine(QPointF(b.x() - u * 0.15, b.y() - u * 0.05),
                       QPointF(b.x() - u * 0.15, b.y()));
            p.drawLine(QPointF(b.x() + u * 0.15, b.y() - u * 0.05),
                       QPointF(b.x() + u * 0.15, b.y()));
        }
        // Fence around the pen.
        p.setPen(QPen(QColor(120, 86, 50), 0.9));
        p.drawLine(iso.at(fx, fy + fd, 0.25), iso.at(fx + fw, fy + fd, 0.25));
        p.drawLine(iso.at(fx + fw, fy - 0.2, 0.25), iso.at(fx + fw, fy + fd, 0.25));
        for (int i = 0; i <= 10; ++i) {
            const QPointF a = iso.at(fx + fw * i / 10, fy + fd),
                          b = iso.at(fx + fw, fy - 0.2 + (fd + 0.2) * i / 10);
            p.drawLine(a, a + QPointF(0, -iso.unit() * 0.3));
            p.drawLine(b, b + QPointF(0, -iso.unit() * 0.3));
        }
        iso.box(fx2 + 0.3, 0.3, 0, 0.8, 0.6, 0.4, wood);
        iso.gableRoof(fx2 + 0.25, 0.25, 0.4, 0.9, 0.7, 0.25, thatch, true);
        break;
    }
    }
    if (s.emblem == Emblem::Wheat)
        paintFigure(p, Figure::Worker, iso.at(g * 0.6, g * 0.75, 0), iso.unit() * 0.8);
}

void drawQuarry(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    // Stepped pit cut into white rock, blocks ready to go.
    const QColor rock = s.wall;
    iso.box(x, y, 0, s.w, s.d, s.h, shade(rock, 0.95));
    for (int i = 0; i < 3; ++i) {
        const double in = 0.25 + i * 0.3;
        iso.flat(x + in, y + in, s.h - i * 0.3 - 0.001, s.w - in - 0.1, s.d - in - 0.1,
                 shade(rock, 0.82 - i * 0.08));
        iso.box(x + in, y + in, s.h - (i + 1) * 0.3, s.w - in - 0.1, 0.06, 0.3, shade(rock, 0.9));
        iso.box(x + in, y + in, s.h - (i + 1) * 0.3, 0.06, s.d - in - 0.1, 0.3, shade(rock, 0.95));
    }
    for (int i = 0; i < 3; ++i)
        iso.box(x + s.w + 0.1 + (i % 2) * 0.2, y + 0.6 + i * 0.45, 0, 0.32, 0.32, 0.25, marble);
    iso.box(x + s.w + 0.15, y + 0.9, 0.25, 0.3, 0.3, 0.22, shade(marble, 0.97));
    props(iso, s, x - 0.2, y + 0.5, rng);
    paintFigure(iso.painter(), Figure::Worker, iso.at(x + s.w * 0.7, y + s.d * 0.7, s.h - 0.9),
                iso.unit() * 0.6);
}

void drawMine(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // A rocky hill with a timbered entrance, a cart of ore in front.
    QPolygonF hill;
    const QPointF c = iso.at(x + s.w / 2, y + s.d / 2);
    const double u = iso.unit();
    for (int i = 0; i <= 24; ++i) {
        const double a = std::numbers::pi * i / 24;
        const double r = 1.0 + 0.05 * std::sin(i * 1.1) + 0.03 * std::cos(i * 2.7);
        hill << QPointF(c.x() - std::cos(a) * u * s.w * 1.2 * r,
                        c.y() + u * 0.5 - std::sin(a) * u * s.h * 1.7 * r);
    }
    QLinearGradient g(c.x() - u * 2, 0, c.x() + u * 2, 0);
    g.setColorAt(0, shade(s.wall, 1.25));
    g.setColorAt(1, shade(s.wall, 0.7));
    p.setBrush(g);
    p.setPen(QPen(shade(s.wall, 0.5), 0.6));
    p.drawPolygon(hill);
    // Rock seams.
    p.setPen(QPen(shade(s.wall, 0.75), 0.6));
    for (int i = 0; i < 8; ++i) {
        const QPointF a = c + QPointF(rng.range(-1.8, 1.8) * u, -rng.range(0.3, 1.6) * u);
        p.drawLine(a, a + QPointF(rng.range(2, 6), rng.range(-2, 2)));
    }
    // Entrance.
    const QPointF e = c + QPointF(0, u * 0.4);
    QPainterPath door;
    door.moveTo(e + QPointF(-u * 0.4, 0));
    door.lineTo(e + QPointF(-u * 0.4, -u * 0.55));
    door.quadTo(e + QPointF(0, -u * 0.85), e + QPointF(u * 0.4, -u * 0.55));
    door.lineTo(e + QPointF(u * 0.4, 0));
    door.closeSubpath();
    p.setBrush(QColor(30, 24, 20));
    p.setPen(Qt::NoPen);
    p.drawPath(door);
    p.setPen(QPen(QColor(120, 84, 50), u * 0.12));
    p.drawLine(e + QPointF(-u * 0.42, 0), e + QPointF(-u * 0.42, -u * 0.65));
    p.drawLine(e + QPointF(u * 0.42, 0), e + QPointF(u * 0.42, -u * 0.65));
    p.drawLine(e + QPointF(-u * 0.52, -u * 0.65), e + QPointF(u * 0.52, -u * 0.65));
    // Rails and a cart with ore.
    p.setPen(QPen(QColor(90, 80, 70), 0.7));
    p.drawLine(e + QPointF(-u * 0.2, 0), e + QPointF(u * 0.6, u * 0.9));
    p.drawLine(e + QPointF(u * 0.2, 0), e + QPointF(u * 1.0, u * 0.9));
    const QPointF cart = e + QPointF(u * 0.75, u * 0.75);
    paintEmblem(p, Emblem::Cart, QRectF(cart.x() - u * 0.4, cart.y() - u * 0.5, u * 0.8, u * 0.55),
                QColor());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 60, 66));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(cart + QPointF(-u * 0.2 + i * u * 0.08, -u * 0.33 - (i % 2) * 2), u * 0.07,
                      u * 0.06);
    paintFigure(p, Figure::Worker, e + QPointF(-u * 0.9, u * 0.6), u * 0.75);
}

void drawSawmill(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    iso.addShadow(x, y, s.w, s.d, s.h + 0.5);
    // Open shed on posts: back wall, roof, saw bench inside.
    iso.box(x, y, 0, s.w, 0.1, s.h, s.wall);
    iso.box(x, y, 0, 0.1, s.d, s.h, s.wall);
    iso.box(x + 0.4, y + 0.4, 0, s.w - 0.8, 0.3, 0.3, QColor(150, 110, 70));
    p.setPen(QPen(QColor(200, 205, 215), 1.0));
    p.drawLine(iso.at(x + s.w / 2, y + 0.55, 0.3), iso.at(x + s.w / 2, y + 0.55, 0.75));
    for (double px : {x + s.w - 0.05, x + 0.05})
        for (double py : {y + s.d - 0.05}) {
            p.setPen(QPen(QColor(110, 76, 44), iso.unit() * 0.08));
            p.drawLine(iso.at(px, py), iso.at(px, py, s.h));
        }
    p.setPen(QPen(QColor(110, 76, 44), iso.unit() * 0.08));
    p.drawLine(iso.at(x + s.w - 0.05, y + 0.05), iso.at(x + s.w - 0.05, y + 0.05, s.h));
    iso.gableRoof(x - 0.1, y - 0.1, s.h, s.w + 0.2, s.d + 0.2, 0.35, s.roof_, true);
    logs(iso, x + s.w + 0.15, y + 0.1, 0, 1.0, false);
    logs(iso, x + 0.1, y + s.d + 0.3, 0, 1.2, true);
    // Planks stacked.
    for (int i = 0; i < 4; ++i)
        iso.box(x + s.w + 0.2, y + s.d + 0.25, i * 0.05, 0.3, 0.6, 0.05, QColor(214, 180, 130));
    tree(iso, x - 0.3, y + s.d + 0.2, 0.7, Tree::Pine, rng);
}

void drawClayPit(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    // A shallow pit of red clay with a puddle, bricks drying beside it.
    iso.flat(x, y, 0.01, s.w, s.d, shade(s.wall, 1.05));
    iso.flat(x + 0.2, y + 0.2, 0.012, s.w - 0.4, s.d - 0.4, shade(s.wall, 0.85));
    iso.flat(x + 0.4, y + 0.4, 0.014, s.w - 0.8, s.d - 0.8, shade(s.wall, 0.72));
    waterPatch(iso, x + 0.6, y + 0.7, 0.6, 0.5, 0.016);
    for (int r = 0; r < 2; ++r)
        for (int i = 0; i < 5; ++i)
            iso.box(x + s.w + 0.1 + r * 0.25, y + 0.1 + i * 0.35, 0, 0.18, 0.28, 0.08,
                    QColor(190, 110, 76));
    p.setPen(QPen(QColor(120, 86, 50), 1.0));
    p.drawLine(iso.at(x + 0.4, y + s.d + 0.1), iso.at(x + 0.7, y + s.d - 0.3, 0.7));
    paintEmblem(p, Emblem::Shovel,
                QRectF(iso.at(x + 0.5, y + s.d).x() - 5, iso.at(x + 0.5, y + s.d).y() - 12, 10, 12),
                QColor());
    paintFigure(p, Figure::Worker, iso.at(x + s.w * 0.55, y + s.d * 0.6, 0.01), iso.unit() * 0.7);
    (void)rng;
}

void drawMarket(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    iso.flat(x, y, 0.01, s.w, s.d, s.wall);
    const QColor awn[] = {QColor(200, 60, 50), QColor(60, 110, 170), QColor(220, 170, 60),
                          QColor(70, 140, 80)};
    const Emblem goods[] = {Emblem::Amphora, Emblem::Pot, Emblem::Grapes, Emblem::Wheat};
    int k = 0;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c, ++k) {
            const double sx = x + 0.2 + c * 1.25, sy = y + 0.2 + r * 1.25, sw = 0.9, sd = 0.7;
            iso.box(sx, sy + sd * 0.5, 0, sw, sd * 0.5, 0.3, QColor(160, 116, 70));
            p.setPen(QPen(QColor(110, 76, 44), 0.8));
            for (double px : {sx + 0.05, sx + sw - 0.05})
                p.drawLine(iso.at(px, sy + sd, 0), iso.at(px, sy + sd, 0.8));
            // Goods on the counter.
            for (int i = 0; i < 3; ++i) {
                const QPointF b = iso.at(sx + 0.2 + i * 0.25, sy + sd * 0.75, 0.3);
                paintEmblem(p, goods[k], QRectF(b.x() - 3, b.y() - 6, 6, 6), QColor());
            }
            // Striped awning.
            for (int i = 0; i < 4; ++i) {
                const double a = sx - 0.05 + i * (sw + 0.1) / 4, b = a + (sw + 0.1) / 4;
                iso.polygon({iso.at(a, sy, 0.95), iso.at(b, sy, 0.95),
                             iso.at(b, sy + sd + 0.1, 0.75), iso.at(a, sy + sd + 0.1, 0.75)},
                            i % 2 ? QColor(244, 238, 226) : awn[k], shade(awn[k], 0.6));
            }
        }
    paintFigure(p, Figure::Citizen, iso.at(x + 1.2, y + 1.15), iso.unit() * 0.7);
    paintFigure(p, Figure::Worker, iso.at(x + 2.3, y + 2.4), iso.unit() * 0.7, true);
    (void)rng;
}

void drawGranary(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double cx = x + 0.5, cy = y + 0.5;
    iso.flat(cx - 1.1, cy - 1.1, 0.005, 2.2, 2.2, QColor(190, 176, 146));
    iso.addShadow(cx - 0.9, cy - 0.9, 1.8, 1.8, s.h + 0.6);
    // The round granary: stone drum, plastered upper part, conical tiled roof.
    iso.cylinder(cx, cy, 0, 0.95, 0.25, shade(stone, 0.95));
    iso.cylinder(cx, cy, 0.25, 0.9, s.h - 0.25, s.wall);
    p.setPen(QPen(shade(s.wall, 0.75), 0.5));
    const QPointF band = iso.at(cx, cy, s.h * 0.62);
    const double rx = 0.9 * 1.414 * iso.unit();
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(band.x() - rx, band.y() - rx / 2, 2 * rx, rx), 180 * 16, 180 * 16);
    iso.opening(false, cy + 0.9, cx - 0.9, cx + 0.9, 0, s.h, 0.42, 0.58, 0.02, 0.45,
                QColor(100, 66, 40), true);
    for (double u : {0.25, 0.75})
        iso.opening(false, cy + 0.85, cx - 0.9, cx + 0.9, 0, s.h, u - 0.03, u + 0.03, 0.7, 0.85,
                    QColor(60, 44, 34));
    iso.cone(cx, cy, s.h, 1.05, 0.9, s.roof_);
    // Tile courses on the cone.
    p.setPen(QPen(shade(s.roof_, 0.7), 0.5));
    for (int i = 1; i < 4; ++i) {
        const double f = 1.0 - i * 0.25;
        const QPointF c = iso.at(cx, cy, s.h + 0.9 * (1 - f));
        const double r = 1.05 * f * 1.414 * iso.unit();
        p.drawArc(QRectF(c.x() - r, c.y() - r / 2, 2 * r, r), 190 * 16, 160 * 16);
    }
    iso.cylinder(cx, cy, s.h + 0.85, 0.08, 0.12, shade(stone, 1.1));
    // Sacks at the door.
    p.setPen(QPen(QColor(150, 120, 80), 0.5));
    p.setBrush(QColor(214, 190, 140));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(iso.at(cx + 0.9 + i * 0.2, cy + 0.7 + (i % 2) * 0.2, 0.12), iso.unit() * 0.16,
                      iso.unit() * 0.13);
    paintFigure(p, Figure::Worker, iso.at(cx + 0.35, cy + 1.25), iso.unit() * 0.7);
    (void)rng;
}

void drawWarehouse(Iso &iso, const BuildingDef &s, double x, double y, Rng &rng)
{
    iso.addShadow(x, y, s.w, s.d, s.h + 0.6);
    iso.box(x, y, 0, s.w, s.d, s.h, s.wall);
    // Big double doors and high slit windows.
    for (int i = 0; i < 3; ++i) {
        const double u0 = 0.08 + i * 0.32;
        iso.opening(false, y + s.d, x, x + s.w, 0, s.h, u0, u0 + 0.2, 0, 0.62, QColor(110, 72, 42),
                    true);
        iso.opening(false, y + s.d, x, x + s.w, 0, s.h, u0 + 0.09, u0 + 0.11, 0, 0.62,
                    QColor(80, 52, 30));
    }
    iso.windows(true, x + s.w, y, y + s.d, 0, s.h, 3, 1, shade(window, 0.8), false, 0.2);
    roof(iso, s, x, y, s.h);
    sign(iso, x + s.w * 0.5, y + s.d + 0.02, s.h * 0.85, 0.38, s.emblem, QColor(244, 236, 214),
         QColor(80, 60, 40));
    props(iso, s, x, y, rng);
    paintEmblem(iso.painter(), Emblem::Cart,
                QRectF(iso.at(x + 0.3, y + s.d + 0.5).x() - 10,
                       iso.at(x + 0.3, y + s.d + 0.5).y() - 9, 20, 12),
                QColor());
}

} // namespace

QImage buildingPicture(int picture)
{
    if (picture < kFirstBuilding || picture > kLastBuilding)
        throw std::out_of_range("building picture");
    const BuildingDef &s = kBuildingDefs.at(picture - kFirstBuilding);
    if (s.picture != picture)
        throw std::logic_error("building table out of order");
    double height = s.h + 1.0;
    switch (s.kind) {
    case Kind::Temple:
        height = s.h + 0.9 + s.w * 0.26;
        break;
    case Kind::Fort:
        height = 2.0;
        break;
    case Kind::Statue:
        height = s.h + (s.variant == 2 ? 2.0 : 1.4 + s.variant * 0.4);
        break;
    case Kind::Well:
        height = 1.7;
        break;
    case Kind::Aqueduct:
        height = s.h + 0.2;
        break;
    case Kind::Arch:
        height = s.h + 1.6;
        break;
    case Kind::Hall:
        height = s.h + (s.prop == Prop::Flag ? 1.5 : 0.8);
        break;
    case Kind::Plaza:
    case Kind::Garden:
        height = 1.0;
        break;
    case Kind::Farm:
        height = 1.0;
        break;
    case Kind::Tower:
        height = s.h + 0.9;
        break;
    case Kind::Oracle:
        height = s.h + 1.5;
        break;
    case Kind::Mine:
        height = s.h * 1.7;
        break;
    case Kind::Shipyard:
    case Kind::Dock:
        height = 1.4;
        break;
    default:
        break;
    }
    return framedPicture(s.ground, s.ground, height, 2000 + picture, [&](Iso &iso, Rng &rng) {
        const bool paved = s.kind == Kind::Forum || s.kind == Kind::Market || s.kind == Kind::Plaza;
        const QColor ground =
            paved ? QColor(180, 170, 146)
            : (s.kind == Kind::Quarry || s.kind == Kind::Mine || s.kind == Kind::ClayPit)
                ? QColor(150, 146, 104)
                : grass;
        groundPatch(iso, 0, 0, s.ground, s.ground, ground, rng, paved ? 0.4 : 1.0);
        const double x = (s.ground - s.w) / 2, y = (s.ground - s.d) / 2 - 0.25;
        switch (s.kind) {
        case Kind::Well:
            drawWell(iso, s, x, y, rng);
            break;
        case Kind::Fountain:
            drawFountain(iso, s, x, y, rng);
            break;
        case Kind::Reservoir:
            drawReservoir(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Aqueduct:
            drawAqueduct(iso, s, x, y, rng);
            break;
        case Kind::Hall:
            drawHall(iso, s, x, y, rng);
            break;
        case Kind::Shop:
            drawShop(iso, s, x, y, rng);
            break;
        case Kind::Bath:
            drawBath(iso, s, x, y - 0.3, rng);
            break;
        case Kind::Temple:
            drawTemple(iso, s, x, y, rng);
            break;
        case Kind::Oracle:
            drawOracle(iso, s, x, y + 0.2, rng);
            break;
        case Kind::Mission:
            drawMission(iso, s, x, y, rng);
            break;
        case Kind::Amphitheatre:
            drawAmphitheatre(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Theatre:
            drawTheatre(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Hippodrome:
            drawHippodrome(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Colosseum:
            drawColosseum(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Yard:
            drawYard(iso, s, x, y + 0.2, rng);
            break;
        case Kind::Forum:
            drawForum(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Arch:
            drawArch(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Statue:
            drawStatue(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Plaza:
            drawPlaza(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Garden:
            drawGarden(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Bridge:
            drawBridge(iso, s, x, y, rng);
            break;
        case Kind::Pontoon:
            drawPontoon(iso, s, x, y, rng);
            break;
        case Kind::Shipyard:
            drawShipyard(iso, s, x, y, rng);
            break;
        case Kind::Dock:
            drawDock(iso, s, x, y, rng);
            break;
        case Kind::Quay:
            drawQuay(iso, s, x, y, rng);
            break;
        case Kind::Wall:
            drawWall(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Tower:
            drawTower(iso, s, x, y, rng);
            break;
        case Kind::Fort:
            drawFort(iso, s, x, y, rng);
            break;
        case Kind::Farm:
            drawFarm(iso, s, x, y, rng);
            break;
        case Kind::Quarry:
            drawQuarry(iso, s, x, y + 0.2, rng);
            break;
        case Kind::Mine:
            drawMine(iso, s, x, y + 0.2, rng);
            break;
        case Kind::Sawmill:
            drawSawmill(iso, s, x, y, rng);
            break;
        case Kind::ClayPit:
            drawClayPit(iso, s, x, y + 0.2, rng);
            break;
        case Kind::Market:
            drawMarket(iso, s, x, y + 0.25, rng);
            break;
        case Kind::Granary:
            drawGranary(iso, s, x, y, rng);
            break;
        case Kind::Warehouse:
            drawWarehouse(iso, s, x, y, rng);
            break;
        }
    });
}

} // namespace z7::art
