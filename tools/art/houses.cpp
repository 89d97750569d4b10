// The twenty house levels, from a small tent to a luxury palace. Each level is
// a row of the table below; six drawing routines (tent, hut, house, insula,
// villa, palace) turn a row into a picture, so neighbouring levels differ in
// size, storeys, materials and the extras around them.
#include "pictures.h"

#include <array>

namespace z7::art {

using namespace palette;

namespace {

enum class Style { Tent, Hut, House, Insula, Villa, Palace };

enum Extra : unsigned {
    None = 0,
    Fire = 1 << 0,   // camp fire
    Fence = 1 << 1,  // wattle fence
    Shed = 1 << 2,   // lean-to shed
    Annex = 1 << 3,  // second, smaller block
    Garden = 1 << 4, // trees and shrubs
    Shops = 1 << 5,  // awnings at street level
    Balcony = 1 << 6,
    Portico = 1 << 7, // columns in front
    Pool = 1 << 8,
    Statue = 1 << 9,
    Wings = 1 << 10, // side wings
    Dome = 1 << 11,
    Gold = 1 << 12, // gilded roofs and trim
    Cypress = 1 << 13,
    Court = 1 << 14, // peristyle court
};

struct Level
{
    Style style;
    double ground; // side of the ground patch
    double w, d;   // main block
    int storeys;
    QColor wall, roof;
    unsigned extras;
};

const std::array<Level, kHouseLevels> kLevels{{
    {Style::Tent, 1.9, 0.9, 0.9, 1, cloth, QColor(190, 170, 130), Fire},
    {Style::Tent, 2.3, 1.5, 1.1, 1, QColor(222, 206, 168), QColor(168, 120, 80), Fire | Annex},
    {Style::Hut, 2.1, 1.1, 1.0, 1, QColor(170, 128, 86), thatch, None},
    {Style::Hut, 2.5, 1.5, 1.2, 1, QColor(176, 136, 92), thatch, Fence | Shed},
    {Style::House, 2.3, 1.4, 1.1, 1, plaster, tile, None},
    {Style::House, 2.7, 1.7, 1.3, 1, plaster, tile, Annex},
    {Style::House, 2.7, 1.8, 1.4, 2, ochre, tile, Garden},
    {Style::House, 3.2, 2.1, 1.5, 2, ochre, tile, Annex | Garden | Fence},
    {Style::Insula, 2.6, 1.8, 1.6, 3, QColor(214, 170, 120), tile, Shops},
    {Style::Insula, 2.8, 2.1, 1.7, 3, QColor(226, 186, 134), tile, Shops | Balcony},
    {Style::Insula, 3.0, 2.3, 1.9, 4, QColor(232, 200, 150), darkTile, Shops | Balcony},
    {Style::Insula, 3.3, 2.5, 2.1, 4, QColor(238, 214, 170), tile, Shops | Balcony | Garden},
    {Style::Villa, 3.4, 2.0, 1.3, 1, QColor(242, 234, 214), tile, Portico | Garden},
    {Style::Villa, 3.6, 2.2, 1.4, 1, QColor(244, 236, 218), tile, Portico | Garden | Wings},
    {Style::Villa, 3.8, 2.6, 2.2, 1, QColor(246, 238, 222), tile, Court | Pool | Garden},
    {Style::Villa, 4.0, 2.8, 2.4, 2, QColor(248, 242, 228), tile, Court | Pool | Cypress | Statue},
    {Style::Palace, 3.8, 2.2, 1.6, 2, marble, tile, Portico | Garden},
    {Style::Palace, 4.0, 2.4, 1.7, 2, marble, tile, Portico | Wings | Cypress},
    {Style::Palace, 4.3, 2.6, 1.8, 2, marble, darkTile, Portico | Wings | Dome | Pool | Cypress},
    {Style::Palace, 4.6, 2.8, 1.9, 3, marble, gold,
     Portico | Wings | Dome | Pool | Cypress | Statue | Gold},
}};

const double kStorey = 0.75;
// One scale for the lower levels, so that a tent looks small beside a house;
// the large estates shrink to fit the picture.
const double kHouseUnit = 19.0;

void drawTent(Iso &iso, const Level &l, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    if (l.extras & Annex) {
        // A small second tent at the back.
        iso.pyramid(x - 0.2, y - 0.55, 0, 0.7, 0.7, 0.8, shade(l.wall, 0.92));
    }
    if (l.w > 1.2) {
        // Ridge tent: a gable roof that reaches the ground, with a dark doorway.
        iso.gableRoof(x, y, 0, l.w, l.d, 1.15, l.wall, false, shade(l.wall, 1.02), false);
        const double xm = x + l.w / 2;
        iso.polygon(
            {iso.at(xm - 0.2, y + l.d, 0), iso.at(xm + 0.2, y + l.d, 0), iso.at(xm, y + l.d, 0.6)},
            QColor(70, 52, 40));
        p.setPen(QPen(QColor(110, 80, 50), 1.0));
        p.drawLine(iso.at(xm, y + l.d + 0.05, 0), iso.at(xm, y + l.d + 0.05, 1.3));
        // Stripes on the cloth.
        p.setPen(QPen(shade(l.roof, 0.9), 1.1));
        p.drawLine(iso.at(x + 0.35, y + l.d, 0), iso.at(x + 0.35, y + l.d / 2, 1.15));
        p.drawLine(iso.at(x + l.w - 0.35, y + l.d, 0), iso.at(x + l.w - 0.35, y + l.d / 2, 1.15));
    } else {
        iso.pyramid(x, y, 0, l.w, l.d, 1.1, l.wall);
        iso.polygon({iso.at(x + 0.3, y + l.d, 0), iso.at(x + 0.6, y + l.d, 0),
                     iso.at(x + 0.45, y + l.d * 0.8, 0.45)},
                    QColor(80, 60, 44));
        p.setPen(QPen(QColor(110, 80, 50), 1.0));
        const QPointF apex = iso.at(x + l.w / 2, y + l.d / 2, 1.1);
        p.drawLine(apex, apex + QPointF(0, -iso.unit() * 0.25));
    }
    if (l.extras & Fire) {
        const double fx = x + l.w + 0.35, fy = y + l.d + 0.45;
        for (int i = 0; i < 7; ++i) {
            const double a = i * 0.9;
            iso.ellipse(fx + 0.22 * std::cos(a), fy + 0.22 * std::sin(a), 0, 0.06, stone);
        }
        paintEmblem(p, Emblem::Flame,
                    QRectF(iso.at(fx, fy).x() - iso.unit() * 0.18,
                           iso.at(fx, fy).y() - iso.unit() * 0.42, iso.unit() * 0.36,
                           iso.unit() * 0.42),
                    QColor());
    }
    (void)rng;
}

void fence(Iso &iso, double x0, double y0, double x1, double y1)
{
    QPainter &p = iso.painter();
    p.setPen(QPen(QColor(120, 86, 50), 1.0));
    const int n = int((std::abs(x1 - x0) + std::abs(y1 - y0)) * 4);
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        const QPointF b = iso.at(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t);
        p.drawLine(b, b + QPointF(0, -iso.unit() * 0.32));
    }
    p.setPen(QPen(QColor(150, 110, 66), 0.9));
    p.drawLine(iso.at(x0, y0, 0.2), iso.at(x1, y1, 0.2));
}

void drawHut(Iso &iso, const Level &l, double x, double y, Rng &rng)
{
    const double h = 0.6;
    if (l.extras & Shed) {
        iso.box(x - 0.55, y - 0.1, 0, 0.5, 0.7, 0.4, QColor(130, 96, 60));
        iso.gableRoof(x - 0.62, y - 0.15, 0.4, 0.64, 0.8, 0.2, thatch, false);
    }
    iso.addShadow(x, y, l.w, l.d, h + 0.6);
    iso.box(x, y, 0, l.w, l.d, h, l.wall);
    // Rough wattle: a few darker strokes on the lit wall.
    QPainter &p = iso.painter();
    p.setPen(QPen(shade(l.wall, 0.8), 0.6));
    for (int i = 0; i < 5; ++i) {
        const double px = x + rng.range(0.1, l.w - 0.1);
        p.drawLine(iso.at(px, y + l.d, 0.1), iso.at(px + 0.1, y + l.d, 0.3));
    }
    iso.opening(false, y + l.d, x, x + l.w, 0, h, 0.38, 0.62, 0, 0.8, QColor(60, 44, 32));
    iso.opening(true, x + l.w, y, y + l.d, 0, h, 0.35, 0.6, 0.45, 0.75, QColor(60, 44, 32));
    iso.gableRoof(x - 0.12, y - 0.12, h, l.w + 0.24, l.d + 0.24, 0.6, l.roof, true,
                  QColor(150, 118, 72), false);
    // Thatch texture.
    p.setPen(QPen(shade(l.roof, 0.78), 0.5));
    for (int i = 0; i < int(l.w * 9); ++i) {
        const double px = x - 0.1 + (l.w + 0.2) * (i + 0.5) / int(l.w * 9);
        p.drawLine(iso.at(px, y + l.d + 0.12, h), iso.at(px, y + l.d / 2 + 0.1, h + 0.5));
    }
    if (l.extras & Fence) {
        fence(iso, x + l.w + 0.2, y - 0.3, x + l.w + 0.2, y + l.d + 0.5);
        fence(iso, x - 0.4, y + l.d + 0.5, x + l.w + 0.2, y + l.d + 0.5);
        amphora(iso, x + l.w + 0.05, y + l.d + 0.2, 0, 0.45, QColor());
    }
}

// Ground-floor door and windows for a block of n storeys.
void facade(Iso &iso, double x, double y, double w, double d, int storeys, bool doors)
{
    const double h = storeys * kStorey;
    const int perRowY = std::max(2, int(w * 1.6));
    const int perRowX = std::max(1, int(d * 1.6));
    if (storeys > 1) {
        iso.windows(false, y + d, x, x + w, kStorey, h - kStorey, perRowY, storeys - 1, window);
        iso.windows(true, x + w, y, y + d, kStorey, h - kStorey, perRowX, storeys - 1,
                    shade(window, 0.8));
    }
    iso.windows(true, x + w, y, y + d, 0, kStorey, perRowX, 1, shade(window, 0.8));
    if (doors)
        iso.opening(false, y + d, x, x + w, 0, kStorey, 0.42, 0.58, 0, 0.75, QColor(100, 64, 40));
    iso.windows(false, y + d, x, x + w * 0.38, 0, kStorey, 1, 1, window);
    iso.windows(false, y + d, x + w * 0.62, x + w, 0, kStorey, 1, 1, window);
}

void drawHouse(Iso &iso, const Level &l, double x, double y, Rng &rng)
{
    const double h = l.storeys * kStorey;
    if (l.extras & Garden) {
        tree(iso, x + l.w + 0.4, y - 0.3, 0.9, Tree::Round, rng);
    }
    if (l.extras & Annex) {
        const double ax = x - 0.75, ay = y + 0.15;
        iso.addShadow(ax, ay, 0.8, l.d - 0.3, 0.9);
        iso.box(ax, ay, 0, 0.8, l.d - 0.3, kStorey * 0.9, shade(l.wall, 0.96));
        iso.windows(false, ay + l.d - 0.3, ax, ax + 0.8, 0, kStorey * 0.9, 1, 1, window);
        iso.gableRoof(ax - 0.05, ay - 0.05, kStorey * 0.9, 0.9, l.d - 0.2, 0.35, l.roof, false);
    }
    iso.addShadow(x, y, l.w, l.d, h + 0.5);
    iso.box(x, y, 0, l.w, l.d, h, l.wall);
    iso.band(x, y, l.w, l.d, 0, 0.1, shade(stone, 0.9));
    facade(iso, x, y, l.w, l.d, l.storeys, true);
    if (l.storeys >= 2)
        iso.hipRoof(x - 0.1, y - 0.1, h, l.w + 0.2, l.d + 0.2, 0.55, l.roof);
    else
        iso.gableRoof(x - 0.1, y - 0.1, h, l.w + 0.2, l.d + 0.2, 0.55, l.roof, true,
                      shade(l.wall, 0.9));
    if (l.extras & Fence) {
        iso.box(x + l.w + 0.25, y - 0.4, 0, 0.12, l.d + 1.0, 0.35, stone);
        iso.box(x - 0.6, y + l.d + 0.45, 0, l.w + 0.97, 0.12, 0.35, stone);
    }
    if (l.extras & Garden) {
        bush(iso, x + l.w + 0.55, y + l.d + 0.1, 0.25, leaf);
        bush(iso, x - 0.3, y + l.d + 0.35, 0.22, QColor(90, 140, 60));
    }
}

void drawInsula(Iso &iso, const Level &l, double x, double y, Rng &rng)
{
    const double h = l.storeys * kStorey;
    if (l.extras & Garden)
        tree(iso, x + l.w + 0.45, y - 0.2, 1.0, Tree::Cypress, rng);
    iso.addShadow(x, y, l.w, l.d, h + 0.4);
    iso.box(x, y, 0, l.w, l.d, h, l.wall);
    // Ground floor of shops in brick, the floors above plastered.
    iso.band(x, y, l.w, l.d, 0, kStorey, shade(brick, 1.1));
    const int perY = std::max(3, int(l.w * 1.7)), perX = std::max(2, int(l.d * 1.7));
    iso.windows(false, y + l.d, x, x + l.w, kStorey, h - kStorey, perY, l.storeys - 1, window,
                true);
    iso.windows(true, x + l.w, y, y + l.d, kStorey, h - kStorey, perX, l.storeys - 1,
                shade(window, 0.8), true);
    // Shop openings with awnings.
    QPainter &p = iso.painter();
    const QColor awn[] = {QColor(190, 60, 50), QColor(70, 110, 160), QColor(200, 160, 60)};
    for (int i = 0; i < perY; ++i) {
        const double u0 = (i + 0.15) / perY, u1 = (i + 0.85) / perY;
        iso.opening(false, y + l.d, x, x + l.w, 0, kStorey, u0, u1, 0, 0.7, QColor(70, 50, 36));
        if (l.extras & Shops) {
            const double ax0 = x + l.w * u0, ax1 = x + l.w * u1;
            iso.polygon({iso.at(ax0, y + l.d, kStorey * 0.82), iso.at(ax1, y + l.d, kStorey * 0.82),
                         iso.at(ax1, y + l.d + 0.3, kStorey * 0.55),
                         iso.at(ax0, y + l.d + 0.3, kStorey * 0.55)},
                        awn[i % 3], shade(awn[i % 3], 0.6));
        }
    }
    iso.windows(true, x + l.w, y, y + l.d, 0, kStorey, perX, 1, QColor(70, 50, 36));
    if (l.extras & Balcony) {
        // A wooden balcony along the lit side of the second floor.
        const double bz = kStorey * 2;
        iso.box(x + 0.1, y + l.d, bz, l.w - 0.2, 0.22, 0.05, wood);
        p.setPen(QPen(shade(wood, 0.8), 0.7));
        for (int i = 0; i <= int(l.w * 6); ++i) {
            const double px = x + 0.1 + (l.w - 0.2) * i / int(l.w * 6);
            p.drawLine(iso.at(px, y + l.d + 0.22, bz), iso.at(px, y + l.d + 0.22, bz + 0.25));
        }
        p.drawLine(iso.at(x + 0.1, y + l.d + 0.22, bz + 0.25),
                   iso.at(x + l.w - 0.1, y + l.d + 0.22, bz + 0.25));
    }
    iso.hipRoof(x - 0.08, y - 0.08, h, l.w + 0.16, l.d + 0.16, 0.45, l.roof);
    if (l.extras & Garden) {
        bush(iso, x - 0.25, y + l.d + 0.45, 0.22, leaf);
        amphora(iso, x + l.w + 0.3, y + l.d + 0.3, 0, 0.5, QColor());
    }
}

// A villa: main block with portico, optional wings and a peristyle court
// with a pool, seen over a low garden wall.
void drawVilla(Iso &iso, const Level &l, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double h = l.storeys * kStorey + 0.15;
    if (l.extras & Cypress) {
        tree(iso, x - 0.35, y - 0.2, 0.9, Tree::Cypress, rng);
        tree(iso, x + l.w + 0.35, y - 0.35, 0.95, Tree::Cypress, rng);
    }
    if (l.extras & Court) {
        const double t = 0.6; // wing depth
        // Back wing, left wing, court, right wing.
        iso.addShadow(x, y, l.w, l.d, h + 0.4);
        iso.box(x, y, 0, l.w, t, h, l.wall);
        iso.windows(false, y + t, x + t, x + l.w - t, 0, h, 3, 1, window);
        iso.gableRoof(x - 0.05, y - 0.05, h, l.w + 0.1, t + 0.1, 0.35, l.roof, true);
        iso.box(x, y + t, 0, t, l.d - t, h * 0.8, l.wall);
        iso.gableRoof(x - 0.05, y + t, h * 0.8, t + 0.1, l.d - t + 0.05, 0.3, l.roof, false);
        iso.flat(x + t, y + t, 0.02, l.w - 2 * t, l.d - t, QColor(200, 190, 168));
        if (l.extras & Pool)
            waterPatch(iso, x + t + 0.25, y + t + 0.2, l.w - 2 * t - 0.5, l.d - t - 0.55, 0.04);
        iso.colonnade(x + t + 0.08, y + t + 0.08, x + l.w - t - 0.08, y + t + 0.08, 0, h * 0.7, 5,
                      0.035, marble);
        iso.box(x + l.w - t, y + t, 0, t, l.d - t, h * 0.8, l.wall);
        iso.windows(true, x + l.w, y + t, y + l.d, 0, h * 0.8, 2, 1, shade(window, 0.8));
        iso.gableRoof(x + l.w - t - 0.05, y + t, h * 0.8, t + 0.1, l.d - t + 0.05, 0.3, l.roof,
                      false);
        iso.colonnade(x + t + 0.08, y + l.d - 0.05, x + l.w - t - 0.08, y + l.d - 0.05, 0, h * 0.55,
                      5, 0.035, marble);
        // Low garden wall in front.
        iso.box(x - 0.15, y + l.d + 0.25, 0, l.w + 0.3, 0.1, 0.22, l.wall);
    } else {
        if (l.extras & Wings) {
            iso.addShadow(x - 0.7, y + 0.3, 0.75, l.d, 1.0);
            iso.box(x - 0.7, y + 0.3, 0, 0.75, l.d, kStorey, shade(l.wall, 0.97));
            iso.windows(false, y + 0.3 + l.d, x - 0.7, x + 0.05, 0, kStorey, 1, 1, window);
            iso.gableRoof(x - 0.75, y + 0.25, kStorey, 0.85, l.d + 0.1, 0.32, l.roof, false);
        }
        iso.addShadow(x, y, l.w, l.d, h + 0.5);
        iso.box(x, y, 0, l.w, l.d, h, l.wall);
        iso.windows(true, x + l.w, y, y + l.d, 0, h, 2, l.storeys, shade(window, 0.8));
        iso.windows(false, y + l.d, x, x + l.w, 0, h, 4, l.storeys, window);
        iso.hipRoof(x - 0.1, y - 0.1, h, l.w + 0.2, l.d + 0.2, 0.45, l.roof);
    }
    if (l.extras & Portico) {
        // Porch roof on four columns in front of the lit side.
        const double py = y + l.d, pw = l.w * 0.55, px = x + (l.w - pw) / 2;
        iso.box(px - 0.05, py, 0, pw + 0.1, 0.55, 0.08, marble);
        iso.colonnade(px + 0.05, py + 0.45, px + pw - 0.05, py + 0.45, 0.08, h * 0.9 - 0.08, 4,
                      0.05, marble);
        iso.gableRoof(px - 0.05, py - 0.02, h * 0.9, pw + 0.1, 0.6, 0.3, l.roof, false, marble);
    }
    if (l.extras & Garden) {
        bush(iso, x + l.w + 0.4, y + l.d * 0.5, 0.28, leaf);
        bush(iso, x + l.w + 0.35, y + l.d + 0.35, 0.22, QColor(90, 140, 60));
        tree(iso, x - 0.45, y + l.d + 0.2, 0.7, Tree::Fruit, rng);
        // A few flowers.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 8; ++i) {
            p.setBrush(i % 2 ? QColor(220, 80, 90) : QColor(240, 210, 80));
            const QPointF q =
                iso.at(x + l.w + 0.2 + rng.range(0, 0.5), y + l.d + rng.range(0, 0.5));
            p.drawEllipse(q, 0.9, 0.7);
        }
    }
    if (l.extras & Statue) {
        const QPointF b = iso.at(x + l.w + 0.5, y + l.d + 0.55);
        iso.box(x + l.w + 0.38, y + l.d + 0.43, 0, 0.24, 0.24, 0.25, marble);
        paintFigure(p, Figure::Citizen, iso.at(x + l.w + 0.5, y + l.d + 0.55, 0.25),
                    iso.unit() * 0.8);
        (void)b;
    }
}

void drawPalace(Iso &iso, const Level &l, double x, double y, Rng &rng)
{
    QPainter &p = iso.painter();
    const double h = l.storeys * kStorey + 0.2;
    const QColor trim = (l.extras & Gold) ? gold : shade(marble, 0.9);
    if (l.extras & Cypress) {
        tree(iso, x - 0.5, y - 0.4, 1.0, Tree::Cypress, rng);
        tree(iso, x + l.w + 0.6, y - 0.5, 1.0, Tree::Cypress, rng);
        tree(iso, x + l.w + 0.65, y + 0.3, 0.9, Tree::Cypress, rng);
    }
    if (l.extras & Wings) {
        // Two lower side wings set back a little.
        const double ww = 0.8;
        iso.addShadow(x - ww, y - 0.3, ww, l.d, h);
        iso.box(x - ww, y - 0.3, 0, ww, l.d, h * 0.7, l.wall);
        iso.windows(false, y - 0.3 + l.d, x - ww, x, 0, h * 0.7, 2, l.storeys, window, true);
        iso.hipRoof(x - ww - 0.05, y - 0.35, h * 0.7, ww + 0.1, l.d + 0.1, 0.3, l.roof);
    }
    if (l.extras & Pool) {
        iso.flat(x + l.w + 0.1, y + 0.2, 0.01, 0.6, l.d - 0.2, shade(marble, 0.92));
        waterPatch(iso, x + l.w + 0.15, y + 0.25, 0.5, l.d - 0.3, 0.02);
    }
    iso.addShadow(x, y, l.w, l.d, h + 0.6);
    // Podium with steps.
    iso.box(x - 0.1, y - 0.1, 0, l.w + 0.2, l.d + 0.2, 0.15, shade(marble, 0.92));
    iso.box(x, y, 0.15, l.w, l.d, h, l.wall);
    iso.windows(true, x + l.w, y, y + l.d, 0.15, h, 3, l.storeys, shade(window, 0.85), true);
    iso.windows(false, y + l.d, x, x + l.w, 0.15, h, 5, l.storeys, window, true);
    // Cornice.
    iso.box(x - 0.04, y - 0.04, h + 0.15, l.w + 0.08, l.d + 0.08, 0.08, trim);
    if (l.extras & Dome) {
        iso.hipRoof(x, y, h + 0.23, l.w, l.d, 0.35, l.roof);
        iso.cylinder(x + l.w / 2, y + l.d / 2, h + 0.35, 0.55, 0.3, l.wall);
        iso.dome(x + l.w / 2, y + l.d / 2, h + 0.65, 0.55,
                 (l.extras & Gold) ? gold : QColor(120, 150, 150), 0.9);
    } else {
        iso.hipRoof(x, y, h + 0.23, l.w, l.d, 0.45, l.roof);
    }
    if (l.extras & Portico) {
        const double pw = l.w * 0.6, px = x + (l.w - pw) / 2, py = y + l.d;
        iso.box(px - 0.1, py, 0, pw + 0.2, 0.7, 0.15, shade(marble, 0.95));
        iso.box(px - 0.1, py + 0.55, 0, pw + 0.2, 0.25, 0.07, shade(marble, 0.9));
        iso.colonnade(px + 0.05, py + 0.55, px + pw - 0.05, py + 0.55, 0.15, h - 0.05, 6, 0.055,
                      marble);
        iso.box(px - 0.05, py, h + 0.1, pw + 0.1, 0.65, 0.1, trim);
        iso.gableRoof(px - 0.05, py, h + 0.2, pw + 0.1, 0.65, 0.4, l.roof, false, marble);
        // Emblem in the pediment.
        const QPointF c = iso.at(px + pw / 2, py + 0.65, h + 0.34);
        p.setPen(Qt::NoPen);
        p.setBrush(trim);
        p.drawEllipse(c, iso.unit() * 0.08, iso.unit() * 0.06);
    }
    if (l.extras & Statue) {
        for (double sx : {x - 0.35, x + l.w + 0.35}) {
            iso.box(sx - 0.12, y + l.d + 0.55, 0, 0.24, 0.24, 0.28, marble);
            paintFigure(p, Figure::Citizen, iso.at(sx, y + l.d + 0.67, 0.28), iso.unit() * 0.75);
        }
    }
    if (l.extras & Garden) {
        bush(iso, x - 0.4, y + l.d + 0.3, 0.25, leaf);
        bush(iso, x + l.w + 0.4, y + l.d + 0.3, 0.25, leaf);
    }
}

} // namespace

QImage housePicture(int level)
{
    const Level &l = kLevels.at(level);
    const double height = l.style == Style::Tent     ? 1.4
                          : l.style == Style::Hut    ? 1.3
                          : l.style == Style::Palace ? l.storeys * kStorey + 1.6
                                                     : l.storeys * kStorey + 0.9;
    return framedPicture(
        l.ground, l.ground, height, 1000 + level,
        [&](Iso &iso, Rng &rng) {
            const QColor ground =
                level < 4 ? dryGrass : (level < 12 ? grass : QColor(104, 150, 70));
            groundPatch(iso, 0, 0, l.ground, l.ground, ground, rng);
            const double x =
                (l.ground - l.w) / 2 + (l.style == Style::Palace || (l.extras & Annex) ? 0.25 : 0);
            const double y = (l.ground - l.d) / 2 - (l.extras & (Portico | Fence) ? 0.35 : 0.1);
            // A path to the door for the better houses.
            if (level >= 4)
                iso.flat(x + l.w * 0.4, y + l.d, 0.005, l.w * 0.2, l.ground - y - l.d, paving);
            switch (l.style) {
            case Style::Tent:
                drawTent(iso, l, x, y, rng);
                break;
            case Style::Hut:
                drawHut(iso, l, x, y, rng);
                break;
            case Style::House:
                drawHouse(iso, l, x, y, rng);
                break;
            case Style::Insula:
                drawInsula(iso, l, x, y, rng);
                break;
            case Style::Villa:
                drawVilla(iso, l, x, y, rng);
                break;
            case Style::Palace:
                drawPalace(iso, l, x, y, rng);
                break;
            }
        },
        kHouseUnit);
}

} // namespace z7::art
