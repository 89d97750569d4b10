#pragma once

#include "iso.h"

#include <QImage>
#include <QRectF>

#include <cstdint>

namespace z7::art {

// Small deterministic random source: every picture seeds its own, so the
// same source always yields the same pixels.
class Rng
{
public:
    explicit Rng(uint32_t seed)
        : m_state(seed * 2654435761u + 12345u)
    {
    }
    double next(); // [0, 1)
    double range(double a, double b) { return a + (b - a) * next(); }

private:
    uint32_t m_state;
};

namespace palette {
inline const QColor grass{112, 150, 72};
inline const QColor dryGrass{150, 160, 88};
inline const QColor dirt{168, 140, 98};
inline const QColor paving{196, 186, 164};
inline const QColor plaster{236, 224, 196};
inline const QColor ochre{222, 190, 132};
inline const QColor marble{240, 238, 230};
inline const QColor stone{186, 176, 156};
inline const QColor darkStone{128, 120, 108};
inline const QColor brick{176, 92, 62};
inline const QColor tile{186, 82, 52};
inline const QColor darkTile{150, 64, 44};
inline const QColor wood{132, 92, 56};
inline const QColor thatch{196, 164, 92};
inline const QColor cloth{214, 200, 170};
inline const QColor water{74, 136, 196};
inline const QColor gold{222, 176, 60};
inline const QColor bronze{176, 120, 60};
inline const QColor window{58, 44, 36};
inline const QColor leaf{74, 118, 50};
inline const QColor darkLeaf{46, 88, 40};
inline const QColor roman{168, 28, 28};
} // namespace palette

enum class Emblem {
    None,
    Snake,
    Razor,
    Scroll,
    Owl,
    Wheat,
    Trident,
    Caduceus,
    Sword,
    Rose,
    Flame,
    Shield,
    Eagle,
    Amphora,
    Hammer,
    Chair,
    Pot,
    Coin,
    Laurel,
    Masks,
    Grapes,
    Olive,
    Helmet,
    Lion,
    Wheel,
    Cross,
    Lightning,
    Waves,
    House,
    Shovel,
    Arch,
    TempleFront,
    Cart,
    Drop,
    Book
};

// Draws an emblem filling `box`, in `ink` on whatever lies below.
void paintEmblem(QPainter &p, Emblem e, const QRectF &box, const QColor &ink);

enum class Figure { Citizen, Legionary, Javelin, Rider, Gladiator, Worker, Priest };
// A person about `height` pixels tall standing with the feet at `feet`.
void paintFigure(QPainter &p, Figure f, QPointF feet, double height, bool facingLeft = false);

enum class Tree { Round, Cypress, Olive, Fruit, Pine, Palm };
void tree(Iso &iso, double x, double y, double size, Tree kind, Rng &rng, double z = 0);
void bush(Iso &iso, double x, double y, double size, const QColor &c);

// Textured ground of grass, dirt or paving, with a darker rim.
void groundPatch(Iso &iso, double x, double y, double w, double d, const QColor &c, Rng &rng,
                 double specks = 1.0);
void waterPatch(Iso &iso, double x, double y, double w, double d, double z = 0);
void crops(Iso &iso, double x, double y, double w, double d, Emblem crop, Rng &rng);

void amphora(Iso &iso, double x, double y, double z, double size, const QColor &c);
void barrel(Iso &iso, double x, double y, double z, double size);
void crate(Iso &iso, double x, double y, double z, double size);
void logs(Iso &iso, double x, double y, double z, double len, bool alongX);
void flag(Iso &iso, double x, double y, double z, double h, const QColor &c,
          Emblem e = Emblem::None);
void smoke(QPainter &p, QPointF from, double size);
// A hanging sign with an emblem on the lit wall (+y face).
void sign(Iso &iso, double x, double y, double z, double size, Emblem e, const QColor &plate,
          const QColor &ink);

} // namespace z7::art
