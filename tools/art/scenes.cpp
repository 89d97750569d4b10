// The window's own pictures: the group picture with its twelve tiles, the
// logo, the picture shown while nothing is selected, the row marker and the
// program icon; plus the contact sheet for reviewing the catalogue pictures.
#include "pictures.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <QtEndian>

#include <array>
#include <cmath>
#include <memory>

namespace z7::art {

using namespace palette;

namespace {

// Warm stone with faint mottling and a few joints, deterministic.
void stoneGround(QPainter &p, const QRectF &r, uint32_t seed, const QColor &base)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, shade(base, 1.08));
    g.setColorAt(1, shade(base, 0.9));
    p.fillRect(r, g);
    Rng rng(seed);
    p.setPen(Qt::NoPen);
    const int n = int(r.width() * r.height() / 40);
    for (int i = 0; i < n; ++i) {
        QColor c = rng.next() < 0.5 ? shade(base, 0.86) : shade(base, 1.1);
        c.setAlpha(70);
        p.setBrush(c);
        const double s = rng.range(0.6, 2.2);
        p.drawEllipse(QPointF(r.left() + rng.next() * r.width(), r.top() + rng.next() * r.height()),
                      s, s * 0.8);
    }
}

void bevel(QPainter &p, const QRectF &r, double w, const QColor &base)
{
    p.setPen(Qt::NoPen);
    p.setBrush(shade(base, 1.25));
    p.drawPolygon(QPolygonF{r.topLeft(), r.topRight(), r.topRight() + QPointF(-w, w),
                            r.topLeft() + QPointF(w, w), r.bottomLeft() + QPointF(w, -w),
                            r.bottomLeft()});
    p.setBrush(shade(base, 0.7));
    p.drawPolygon(QPolygonF{r.bottomRight(), r.bottomLeft(), r.bottomLeft() + QPointF(w, -w),
                            r.bottomRight() + QPointF(-w, -w), r.topRight() + QPointF(-w, w),
                            r.topRight()});
}

const std::array<Emblem, 12> kTiles{Emblem::House,  Emblem::Shovel, Emblem::Arch,
                                    Emblem::Waves,  Emblem::Cross,  Emblem::Lightning,
                                    Emblem::Scroll, Emblem::Masks,  Emblem::TempleFront,
                                    Emblem::Hammer, Emblem::Sword,  Emblem::Cart};

QColor tileInk(Emblem e)
{
    switch (e) {
    case Emblem::Waves:
        return QColor(50, 110, 180);
    case Emblem::Cross:
        return QColor(190, 40, 40);
    case Emblem::Lightning:
        return QColor(236, 186, 40);
    default:
        return QColor(90, 70, 50);
    }
}

// The Roman temple front of the logo and of the icon tiles, at any size.
void templeFront(QPainter &p, const QRectF &r)
{
    const QColor m(244, 240, 230);
    auto pen = QPen(QColor(120, 110, 96), std::max(0.5, r.width() / 120));
    p.setPen(pen);
    const double w = r.width(), h = r.height();
    // Steps.
    for (int i = 0; i < 3; ++i) {
        p.setBrush(shade(m, 0.9 + 0.04 * i));
        p.drawRect(QRectF(r.left() + w * 0.02 * i, r.bottom() - h * 0.05 * (i + 1),
                          w - w * 0.04 * i, h * 0.05));
    }
    // Columns with a little shading each.
    const int n = 6;
    const double colTop = r.top() + h * 0.4, colBottom = r.bottom() - h * 0.15;
    const double cw = w * 0.07, span = w * 0.86;
    for (int i = 0; i < n; ++i) {
        const double cx = r.left() + w * 0.07 + span * i / (n - 1);
        QLinearGradient g(cx - cw / 2, 0, cx + cw / 2, 0);
        g.setColorAt(0, shade(m, 0.95));
        g.setColorAt(0.35, QColor(255, 255, 255));
        g.setColorAt(1, shade(m, 0.7));
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(cx - cw / 2, colTop, cw, colBottom - colTop));
        p.setBrush(shade(m, 0.85));
        p.drawRect(QRectF(cx - cw * 0.7, colTop, cw * 1.4, h * 0.025));
        p.drawRect(QRectF(cx - cw * 0.7, colBottom - h * 0.025, cw * 1.4, h * 0.025));
    }
    // Dark cella behind the columns shows between them.
    p.setPen(pen);
    p.setBrush(shade(m, 0.96));
    p.drawRect(QRectF(r.left() + w * 0.02, r.top() + h * 0.3, w * 0.96, h * 0.1));
    QPolygonF ped{QPointF(r.left(), r.top() + h * 0.3), QPointF(r.center().x(), r.top()),
                  QPointF(r.right(), r.top() + h * 0.3)};
    QLinearGradient pg(r.topLeft(), QPointF(r.left(), r.top() + h * 0.3));
    pg.setColorAt(0, QColor(255, 255, 255));
    pg.setColorAt(1, shade(m, 0.88));
    p.setBrush(pg);
    p.drawPolygon(ped);
    QPolygonF inner{QPointF(r.left() + w * 0.12, r.top() + h * 0.27),
                    QPointF(r.center().x(), r.top() + h * 0.06),
                    QPointF(r.right() - w * 0.12, r.top() + h * 0.27)};
    p.setBrush(shade(m, 0.85));
    p.drawPolygon(inner);
}

void paintTiles(QPainter &p, const QRectF &area)
{
    const int cols = 3, rows = 4;
    const double gap = std::max(3.0, area.width() * 0.03);
    const double tw = (area.width() - gap * (cols + 1)) / cols;
    const double th = (area.height() - gap * (rows + 1)) / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const QRectF t(area.left() + gap + c * (tw + gap), area.top() + gap + r * (th + gap),
                           tw, th);
            // Drop shadow, face, bevel.
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 50, 40, 90));
            p.drawRoundedRect(t.translated(1.2, 1.4), 2.5, 2.5);
            QLinearGradient g(t.topLeft(), t.bottomLeft());
            g.setColorAt(0, QColor(248, 240, 220));
            g.setColorAt(1, QColor(226, 212, 184));
            p.setBrush(g);
            p.setPen(QPen(QColor(150, 130, 100), 0.8));
            p.drawRoundedRect(t, 2.5, 2.5);
            const Emblem e = kTiles[r * cols + c];
            const double s = std::min(t.height() - 3, t.width() - 3);
            const QRectF box(t.center().x() - s / 2, t.center().y() - s / 2, s, s);
            if (e == Emblem::TempleFront)
                templeFront(p, box.adjusted(s * 0.04, s * 0.08, -s * 0.04, -s * 0.06));
            else
                paintEmblem(p, e, box, tileInk(e));
        }
}

} // namespace

QImage groupPicture(int width, int height)
{
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base(178, 166, 146);
    stoneGround(p, img.rect(), 95, base);
    bevel(p, QRectF(img.rect()), 2, base);
    paintTiles(p, QRectF(2, 2, width - 4, height - 4));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage logoPicture(const QString &titleFamily)
{
    QImage img(274, 100, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor base(176, 164, 142);
    stoneGround(p, img.rect(), 7, base);
    // Joints of large ashlar blocks.
    p.setPen(QPen(QColor(140, 128, 108, 120), 0.8));
    for (int r = 0; r < 3; ++r) {
        const double y = 3 + r * 32;
        p.drawLine(QPointF(3, y), QPointF(271, y));
        for (int i = 0; i < 5; ++i) {
            const double x = 30 + i * 60 + (r % 2) * 30;
            p.drawLine(QPointF(x, y), QPointF(x, y + 32));
        }
    }
    bevel(p, QRectF(img.rect()), 3, base);
    // Title in gold capitals: dark cut shadow, gradient fill, thin light edge.
    QFont f(titleFamily);
    f.setPixelSize(46);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    f.setWeight(QFont::Bold);
    const QString title = QStringLiteral("ORDAVIA");
    QPainterPath text;
    text.addText(0, 0, f, title);
    // Fit the title into the space left of the temple, whatever the font.
    const double room = 168;
    if (text.boundingRect().width() > room) {
        QTransform shrink;
        shrink.scale(room / text.boundingRect().width(), room / text.boundingRect().width());
        text = shrink.map(text);
    }
    const QRectF tb = text.boundingRect();
    const double tx = 14 + (room - tb.width()) / 2 - tb.left();
    const double ty = 46 + tb.height() / 2 - tb.bottom();
    text.translate(tx, ty);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 46, 30, 150));
    p.drawPath(text.translated(1.6, 1.8));
    QLinearGradient g(0, text.boundingRect().top(), 0, text.boundingRect().bottom());
    g.setColorAt(0, QColor(255, 236, 150));
    g.setColorAt(0.45, QColor(228, 180, 60));
    g.setColorAt(0.55, QColor(196, 140, 36));
    g.setColorAt(1, QColor(240, 200, 90));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 80, 20), 0.9));
    p.drawPath(text);
    // A thin rule under the title.
    p.setPen(QPen(QColor(196, 150, 50), 1.2));
    p.drawLine(QPointF(30, 78), QPointF(166, 78));
    p.setBrush(QColor(214, 170, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(98, 78), 2.2, 2.2);
    // The temple front at the right end, on its own shadow.
    p.setBrush(QColor(60, 50, 40, 60));
    p.drawRect(QRectF(196, 84, 70, 3));
    templeFront(p, QRectF(194, 14, 70, 72));
    p.end();
    return img;
}

QImage markerPicture()
{
    QImage img(25, 25, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(12.5, 12.5);
    QRadialGradient g(c + QPointF(-2, -2.2), 7.5);
    g.setColorAt(0, QColor(255, 150, 140));
    g.setColorAt(0.45, QColor(226, 30, 30));
    g.setColorAt(1, QColor(150, 0, 0));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 0, 0), 0.8));
    p.drawEllipse(c, 6, 6);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

namespace {

// The stone triumphal arch of the icon, drawn into a square of `size`.
void paintIconArch(QPainter &p, double size)
{
    p.save();
    p.scale(size / 256.0, size / 256.0);
    // Sized so that the arch with its attic fills the square.
    const double w = 3.6, d = 1.3, h = 2.6, u = 34;
    Iso iso(p, QPointF(128 - (w - d) / 2 * u, 20 + (h + 0.95) * 1.15 * u), u);
    const QColor stoneC(214, 200, 172);
    // Soft shadow on the ground under the arch.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawPolygon(
        QPolygonF{iso.at(0, 0), iso.at(w + 0.9, -0.5), iso.at(w + 0.9, d - 0.5), iso.at(0, d)});
    iso.box(0, 0, 0, w, d, h, stoneC);
    // Ashlar courses on both walls.
    p.setPen(QPen(shade(stoneC, 0.72), 1.2));
    for (int r = 1; r < 6; ++r) {
        const double z = h * r / 6;
        p.drawLine(iso.at(0, d, z), iso.at(w, d, z));
        p.drawLine(iso.at(w, 0, z), iso.at(w, d, z));
    }
    const QColor through(92, 82, 70);
    iso.opening(false, d, 0, w, 0, h, 0.32, 0.68, 0, 0.74, through, true);
    iso.opening(true, w, 0, d, 0, h, 0.28, 0.72, 0, 0.5, shade(through, 0.8), true);
    // Light seen through the central passage.
    iso.opening(false, d, 0, w, 0, h, 0.4, 0.6, 0, 0.2, QColor(150, 170, 120), false);
    for (double u : {0.06, 0.27, 0.73, 0.94})
        iso.column(w * u, d + 0.08, 0, h * 0.92, 0.11, shade(stoneC, 1.08));
    iso.box(-0.06, -0.06, h, w + 0.12, d + 0.12, 0.18, shade(stoneC, 0.95));
    iso.box(0.1, 0.1, h + 0.18, w - 0.2, d - 0.2, 0.65, stoneC);
    p.setPen(QPen(QColor(190, 140, 40), 3.0));
    p.drawLine(iso.at(w * 0.22, d - 0.1, h + 0.5), iso.at(w * 0.78, d - 0.1, h + 0.5));
    iso.box(0.05, 0.05, h + 0.83, w - 0.1, d - 0.1, 0.12, shade(stoneC, 0.92));
    p.restore();
}

} // namespace

QImage iconPicture(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (size >= 32) {
        paintIconArch(p, size);
    } else {
        // At the smallest sizes a frontal arch reads better than the oblique one.
        p.scale(size / 16.0, size / 16.0);
        p.setPen(Qt::NoPen);
        QPainterPath body;
        body.addRect(QRectF(1.5, 4, 13, 11));
        QPainterPath hole;
        hole.moveTo(5.5, 15);
        hole.lineTo(5.5, 9.5);
        hole.arcTo(QRectF(5.5, 7, 5, 5), 180, -180);
        hole.lineTo(10.5, 15);
        hole.closeSubpath();
        p.setBrush(QColor(200, 186, 156));
        p.drawPath(body.subtracted(hole));
        p.setBrush(QColor(230, 218, 192));
        p.drawRect(QRectF(1, 1.5, 14, 2.5));
        p.setBrush(QColor(150, 136, 110));
        p.drawRect(QRectF(12.5, 4, 2, 11));
        p.setBrush(QColor(200, 150, 50));
        p.drawRect(QRectF(4, 2.3, 8, 1));
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

namespace {

// The street picture uses a cabinet view instead of the catalogue's 2:1 one:
// house fronts face the viewer, depth recedes up and to the right, so that a
// street can run across the whole width of the wide picture.
struct Cabinet
{
    QPointF origin;
    double unit;
    QPointF at(double x, double y, double z) const
    {
        return origin + QPointF((x + y * 0.42) * unit, -(z + y * 0.5) * unit);
    }
};

void cabBox(QPainter &p, const Cabinet &c, double x, double y, double z, double w, double d,
            double h, const QColor &wall)
{
    QColor e = shade(wall, 0.5);
    e.setAlpha(140);
    p.setPen(QPen(e, 0.6));
    p.setBrush(shade(wall, 0.72));
    p.drawPolygon(QPolygonF{c.at(x + w, y, z), c.at(x + w, y + d, z), c.at(x + w, y + d, z + h),
                            c.at(x + w, y, z + h)});
    p.setBrush(shade(wall, 1.1));
    p.drawPolygon(QPolygonF{c.at(x, y, z + h), c.at(x + w, y, z + h), c.at(x + w, y + d, z + h),
                            c.at(x, y + d, z + h)});
    QLinearGradient g(c.at(x, y, z + h), c.at(x, y, z));
    g.setColorAt(0, shade(wall, 1.06));
    g.setColorAt(1, shade(wall, 0.9));
    p.setBrush(g);
    p.drawPolygon(
        QPolygonF{c.at(x, y, z), c.at(x + w, y, z), c.at(x + w, y, z + h), c.at(x, y, z + h)});
}

// Gable roof with its ridge along the street; the front slope shows its tiles.
void cabRoof(QPainter &p, const Cabinet &c, double x, double y, double z, double w, double d,
             double rh, const QColor &roof, const QColor &wall)
{
    const double o = 0.12, ym = y + d / 2;
    QColor e = shade(roof, 0.45);
    e.setAlpha(170);
    p.setPen(QPen(e, 0.6));
    p.setBrush(shade(wall, 0.8));
    p.drawPolygon(QPolygonF{c.at(x + w, y, z), c.at(x + w, y + d, z), c.at(x + w, ym, z + rh)});
    p.setBrush(shade(roof, 0.8));
    p.drawPolygon(QPolygonF{c.at(x + w + o, ym, z + rh), c.at(x + w + o, y + d, z),
                            c.at(x + w + o * 0.5, y + d + o, z - 0.05),
                            c.at(x + w + o, ym, z + rh)});
    QPolygonF front{c.at(x - o, y - o, z - 0.05), c.at(x + w + o, y - o, z - 0.05),
                    c.at(x + w + o, ym, z + rh), c.at(x - o, ym, z + rh)};
    QLinearGradient g(front[3], front[0]);
    g.setColorAt(0, shade(roof, 0.92));
    g.setColorAt(1, shade(roof, 1.08));
    p.setBrush(g);
    p.drawPolygon(front);
    QColor lc = shade(roof, 0.68);
    lc.setAlpha(180);
    p.setPen(QPen(lc, 0.7));
    const int n = int(w * 5);
    for (int i = 1; i < n; ++i) {
        const double xx = x - o + (w + 2 * o) * i / n;
        p.drawLine(c.at(xx, y - o, z - 0.05), c.at(xx, ym, z + rh));
    }
    for (int k = 1; k < 4; ++k) {
        const double t = k / 4.0;
        p.drawLine(c.at(x - o, y - o + (ym - y + o) * t, z - 0.05 + (rh + 0.05) * t),
                   c.at(x + w + o, y - o + (ym - y + o) * t, z - 0.05 + (rh + 0.05) * t));
    }
    p.setPen(QPen(shade(roof, 0.5), 1.2));
    p.drawLine(c.at(x - o, ym, z + rh), c.at(x + w + o, ym, z + rh));
}

void cabWindow(QPainter &p, const Cabinet &c, double x, double z, double w, double h, bool arched,
               const QColor &glass, bool shutters)
{
    const QPointF a = c.at(x, 0, z + h), b = c.at(x + w, 0, z);
    QRectF r(a, b);
    QPainterPath path;
    if (arched) {
        path.moveTo(r.bottomLeft());
        path.lineTo(r.left(), r.top() + r.width() / 2);
        path.arcTo(QRectF(r.left(), r.top(), r.width(), r.width()), 180, -180);
        path.lineTo(r.bottomRight());
        path.closeSubpath();
    } else {
        path.addRect(r);
    }
    p.setPen(QPen(QColor(120, 100, 80), 0.8));
    p.setBrush(glass);
    p.drawPath(path);
    if (shutters) {
        p.setBrush(QColor(86, 120, 80));
        p.drawRect(QRectF(r.left() - r.width() * 0.45, r.top(), r.width() * 0.42, r.height()));
        p.drawRect(QRectF(r.right() + r.width() * 0.03, r.top(), r.width() * 0.42, r.height()));
    }
    p.setPen(QPen(QColor(230, 220, 200), 1.0));
    p.drawLine(QPointF(r.left() - 1, r.bottom() + 0.5), QPointF(r.right() + 1, r.bottom() + 0.5));
}

} // namespace

QImage noSelectPicture()
{
    const int W = 520, H = 235;
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(240, 234, 220));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRect(3, 3, W - 6, H - 6));
    Rng rng(4242);
    // Sky and the hills beyond the town.
    QLinearGradient sky(0, 0, 0, 110);
    sky.setColorAt(0, QColor(118, 168, 222));
    sky.setColorAt(1, QColor(214, 230, 240));
    p.fillRect(QRectF(0, 0, W, 120), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const QPointF c(40 + i * 115 + rng.range(-20, 20), 18 + rng.range(0, 14));
        p.setBrush(QColor(255, 255, 255, 200));
        for (int k = 0; k < 4; ++k)
            p.drawEllipse(c + QPointF(k * 11 - 16, (k % 2) * -4), 14 - (k % 2) * 3,
                          7 + (k % 2) * 2);
    }
    QPainterPath hills;
    hills.moveTo(0, 80);
    hills.cubicTo(90, 40, 170, 62, 250, 58);
    hills.cubicTo(330, 54, 400, 30, 520, 60);
    hills.lineTo(520, 130);
    hills.lineTo(0, 130);
    hills.closeSubpath();
    p.setBrush(QColor(138, 160, 120));
    p.drawPath(hills);
    // A small temple on the hill.
    templeFront(p, QRectF(356, 31, 30, 18));
    QPainterPath nearHills;
    nearHills.moveTo(0, 92);
    nearHills.cubicTo(120, 72, 260, 90, 380, 76);
    nearHills.cubicTo(440, 70, 490, 78, 520, 84);
    nearHills.lineTo(520, 140);
    nearHills.lineTo(0, 140);
    nearHills.closeSubpath();
    p.setBrush(QColor(112, 146, 86));
    p.drawPath(nearHills);

    const Cabinet cab{QPointF(0, 163), 22};
    const QColor walls[] = {QColor(240, 226, 196), QColor(230, 196, 150), QColor(246, 238, 222),
                            QColor(220, 178, 130), QColor(238, 214, 176), QColor(234, 206, 168)};
    // Back row: roofs and upper floors seen over the houses on the street.
    for (int i = 0; i < 11; ++i) {
        const double x = -3 + i * 2.2, y = 3.9, w = 2.0, d = 1.4, h = 2.5 + ((i * 3) % 4) * 0.3;
        cabBox(p, cab, x, y, 0, w, d, h, shade(walls[(i + 3) % 6], 0.95));
        for (int k = 0; k < 2; ++k)
            cabWindow(p, Cabinet{cab.at(0, y, 0), 22}, x + 0.35 + k * 0.9, h - 0.9, 0.32, 0.5,
                      false, QColor(80, 60, 46), false);
        cabRoof(p, cab, x, y, h, w, d, 0.55, i % 3 ? palette::tile : palette::darkTile,
                walls[(i + 3) % 6]);
        if (i == 3 || i == 8)
            tree(*std::make_unique<Iso>(p, cab.at(x + w + 0.1, y + 0.5, 0), 22).get(), 0, 0, 1.6,
                 Tree::Cypress, rng);
    }
    // The houses on the street.
    double x = -0.6;
    int i = 0;
    while (x < 24) {
        const double w = 2.4 + ((i * 5) % 3) * 0.6, d = 2.2, h = 2.0 + ((i * 7) % 3) * 0.45;
        const double y = 1.2;
        const QColor wall = walls[i % 6];
        cabBox(p, cab, x, y, 0, w, d, h, wall);
        const Cabinet front{cab.at(0, y, 0), 22};
        // Stone footing.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(176, 166, 146));
        p.drawRect(QRectF(front.at(x, 0, 0.22), front.at(x + w, 0, 0)));
        // Door or shop front below, windows above.
        const bool shop = i % 3 == 1;
        const double dw = shop ? w * 0.5 : 0.55;
        cabWindow(p, front, x + (w - dw) / 2, 0.0, dw, shop ? 1.0 : 1.1, !shop,
                  shop ? QColor(70, 50, 36) : QColor(110, 70, 42), false);
        const int n = std::max(2, int(w / 1.0));
        for (int k = 0; k < n; ++k)
            cabWindow(p, front, x + w * (k + 0.5) / n - 0.16, h - 0.85, 0.32, 0.55, i % 2 == 0,
                      QColor(70, 54, 42), i % 4 == 3);
        if (shop) {
            const QColor awn = i % 2 ? QColor(188, 62, 46) : QColor(66, 108, 160);
            for (int k = 0; k < 6; ++k) {
                const double ax = x + (w - dw) / 2 - 0.2 + (dw + 0.4) * k / 6,
                             bx = ax + (dw + 0.4) / 6;
                p.setPen(QPen(shade(awn, 0.6), 0.5));
                p.setBrush(k % 2 ? QColor(244, 238, 226) : awn);
                p.drawPolygon(QPolygonF{cab.at(ax, y, 1.25), cab.at(bx, y, 1.25),
                                        cab.at(bx, y - 0.7, 0.95), cab.at(ax, y - 0.7, 0.95)});
            }
            amphora(*std::make_unique<Iso>(p, cab.at(x + w - 0.3, y - 0.3, 0), 22).get(), 0, 0, 0,
                    0.55, QColor());
        }
        cabRoof(p, cab, x, y, h, w, d, 0.6, i % 4 == 2 ? palette::darkTile : palette::tile, wall);
        x += w;
        ++i;
    }
    // Pavement and the paved street.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(204, 194, 172));
    p.drawPolygon(QPolygonF{cab.at(-4, 0.45, 0), cab.at(30, 0.45, 0), cab.at(30, 1.2, 0),
                            cab.at(-4, 1.2, 0)});
    QLinearGradient street(cab.at(0, 0.45, 0), cab.at(0, -3.0, 0));
    street.setColorAt(0, QColor(182, 172, 150));
    street.setColorAt(1, QColor(198, 188, 166));
    p.setBrush(street);
    p.drawPolygon(QPolygonF{cab.at(-6, -3.0, 0), cab.at(30, -3.0, 0), cab.at(30, 0.45, 0),
                            cab.at(-6, 0.45, 0)});
    p.setBrush(QColor(168, 158, 138));
    p.drawPolygon(QPolygonF{cab.at(-4, 0.45, 0), cab.at(30, 0.45, 0), cab.at(30, 0.45, 0.1),
                            cab.at(-4, 0.45, 0.1)});
    p.setPen(QPen(QColor(160, 150, 128), 0.7));
    for (int r = 0; r < 7; ++r) {
        const double yy = -3.0 + r * 0.49;
        p.drawLine(cab.at(-4, yy, 0), cab.at(30, yy, 0));
        for (int k = -4; k < 60; ++k) {
            const double xx = k * 0.55 + (r % 2) * 0.27;
            p.drawLine(cab.at(xx, yy, 0), cab.at(xx, yy + 0.49, 0));
        }
    }
    // Grass between the street and the foreground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(112, 150, 72));
    p.drawPolygon(
        QPolygonF{cab.at(-4, -9, 0), cab.at(30, -9, 0), cab.at(30, -3.0, 0), cab.at(-4, -3.0, 0)});
    // People in the sunny street, with their shadows.
    const struct
    {
        double x, y;
        Figure f;
        bool left;
    } people[] = {{3.2, -0.4, Figure::Citizen, false},   {7.4, -1.2, Figure::Worker, true},
                  {10.5, 0.1, Figure::Citizen, true},    {12.2, -0.9, Figure::Priest, false},
                  {15.8, -1.6, Figure::Legionary, true}, {0.8, -1.7, Figure::Worker, false}};
    for (const auto &who : people)
        paintFigure(p, who.f, cab.at(who.x, who.y, 0), 21, who.left);
    // Rough stone wall across the foreground.
    const QColor wallStone(166, 156, 136);
    const double wz = 0.95, wy = -3.6;
    p.setPen(Qt::NoPen);
    p.setBrush(shade(wallStone, 0.9));
    p.drawPolygon(
        QPolygonF{cab.at(-2, wy, 0), cab.at(16, wy, 0), cab.at(16, wy, wz), cab.at(-2, wy, wz)});
    p.setBrush(shade(wallStone, 0.72));
    p.drawPolygon(QPolygonF{cab.at(16, wy, 0), cab.at(16, wy + 0.5, 0), cab.at(16, wy + 0.5, wz),
                            cab.at(16, wy, wz)});
    for (int k = 0; k < 260; ++k) {
        const double sx = rng.range(-1.8, 15.8), sz = rng.range(0.05, wz - 0.08);
        const QPointF c = cab.at(sx, wy, sz);
        p.setPen(QPen(shade(wallStone, 0.58), 0.7));
        p.setBrush(shade(wallStone, rng.range(0.8, 1.18)));
        p.drawEllipse(c, rng.range(5, 10), rng.range(3, 6));
    }
    p.setPen(QPen(shade(wallStone, 0.6), 0.6));
    p.setBrush(shade(wallStone, 1.15));
    p.drawPolygon(QPolygonF{cab.at(-2, wy - 0.1, wz), cab.at(16.1, wy - 0.1, wz),
                            cab.at(16.1, wy + 0.55, wz), cab.at(-2, wy + 0.55, wz)});
    // Stones of the wall's broken end lie in the grass.
    for (int k = 0; k < 6; ++k) {
        p.setPen(QPen(shade(wallStone, 0.58), 0.7));
        p.setBrush(shade(wallStone, rng.range(0.85, 1.1)));
        p.drawEllipse(cab.at(16.6 + k * 0.35, wy - 0.2 - (k % 3) * 0.3, 0), rng.range(4, 7),
                      rng.range(2.5, 4));
    }
    for (int k = 0; k < 5; ++k)
        bush(
            *std::make_unique<Iso>(p, cab.at(1.5 + k * 3.3, wy - 0.8 - (k % 2) * 0.6, 0), 22).get(),
            0, 0, 0.45 + (k % 2) * 0.15, k % 2 ? palette::leaf : QColor(96, 140, 62));
    // The tree in the foreground, to the right, its shadow on the street.
    const QPointF trunk = cab.at(19.2, -4.6, 0);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawEllipse(trunk + QPointF(30, -10), 70, 12);
    QPainterPath t;
    t.moveTo(trunk + QPointF(-9, 0));
    t.cubicTo(trunk + QPointF(-6, -40), trunk + QPointF(-14, -70), trunk + QPointF(-30, -112));
    t.lineTo(trunk + QPointF(-15, -116));
    t.cubicTo(trunk + QPointF(2, -72), trunk + QPointF(9, -40), trunk + QPointF(10, 0));
    t.closeSubpath();
    QLinearGradient tg(trunk + QPointF(-10, 0), trunk + QPointF(10, 0));
    tg.setColorAt(0, QColor(146, 108, 74));
    tg.setColorAt(1, QColor(72, 52, 36));
    p.setBrush(tg);
    p.drawPath(t);
    p.setPen(QPen(QColor(86, 62, 40), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(trunk + QPointF(-6, -64), trunk + QPointF(34, -104));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 40; ++k) {
        const QPointF c = trunk + QPointF(rng.range(-80, 70), rng.range(-190, -105));
        const double r = rng.range(15, 27);
        QRadialGradient g(c + QPointF(-r * 0.45, -r * 0.45), r * 1.35);
        g.setColorAt(0, QColor(160, 200, 96));
        g.setColorAt(0.55, QColor(88, 138, 56));
        g.setColorAt(1, QColor(42, 82, 38));
        p.setBrush(g);
        p.drawEllipse(c, r, r * 0.85);
    }
    p.setClipping(false);
    // Thin light border.
    p.setPen(QPen(QColor(250, 246, 236), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, W - 3, H - 3));
    p.setPen(QPen(QColor(190, 180, 160), 1));
    p.drawRect(QRectF(3.5, 3.5, W - 7, H - 7));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage contactSheet(const QList<QImage> &pictures, const QString &family)
{
    const int cols = 12, cellW = 145, cellH = 120;
    const int rows = int((pictures.size() + cols - 1) / cols);
    QImage img(cols * cellW + 10, rows * cellH + 10, QImage::Format_RGB32);
    img.fill(QColor(250, 250, 250));
    QPainter p(&img);
    QFont f(family);
    f.setPixelSize(13);
    p.setFont(f);
    for (int i = 0; i < pictures.size(); ++i) {
        const int cx = 5 + (i % cols) * cellW, cy = 5 + (i / cols) * cellH;
        p.fillRect(QRect(cx + 5, cy + 20, kPictureWidth, kPictureHeight), Qt::white);
        p.setPen(QColor(220, 220, 220));
        p.drawRect(QRect(cx + 4, cy + 19, kPictureWidth + 1, kPictureHeight + 1));
        p.drawImage(cx + 5, cy + 20, pictures[i]);
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRect(cx + 5, cy + 2, kPictureWidth, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(i).rightJustified(3, QLatin1Char('0')));
    }
    p.end();
    return img;
}

QByteArray icoFile(const QList<QImage> &images)
{
    // ICONDIR, then one ICONDIRENTRY per image, then the image data.
    QList<QByteArray> blobs;
    for (const QImage &src : images) {
        const QImage im = src.convertToFormat(QImage::Format_ARGB32);
        QByteArray blob;
        if (im.width() >= 256) {
            QBuffer buf(&blob);
            buf.open(QIODevice::WriteOnly);
            im.save(&buf, "PNG");
        } else {
            const int w = im.width(), h = im.height();
            const int maskStride = ((w + 31) / 32) * 4;
            auto put32 = [&blob](quint32 v) {
                char b[4];
                qToLittleEndian(v, b);
                blob.append(b, 4);
            };
            auto put16 = [&blob](quint16 v) {
                char b[2];
                qToLittleEndian(v, b);
                blob.append(b, 2);
            };
            put32(40);
            put32(quint32(w));
            put32(quint32(h * 2));
            put16(1);
            put16(32);
            put32(0);
            put32(quint32(w * h * 4 + maskStride * h));
            put32(0);
            put32(0);
            put32(0);
            put32(0);
            for (int y = h - 1; y >= 0; --y) {
                const QRgb *line = reinterpret_cast<const QRgb *>(im.constScanLine(y));
                for (int x = 0; x < w; ++x) {
                    const char px[4] = {char(qBlue(line[x])), char(qGreen(line[x])),
                                        char(qRed(line[x])), char(qAlpha(line[x]))};
                    blob.append(px, 4);
                }
            }
            for (int y = h - 1; y >= 0; --y) {
                const QRgb *line = reinterpret_cast<const QRgb *>(im.constScanLine(y));
                QByteArray row(maskStride, '\0');
                for (int x = 0; x < w; ++x)
                    if (qAlpha(line[x]) == 0)
                        row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
                blob.append(row);
            }
        }
        blobs.append(blob);
    }
    QByteArray out;
    auto put32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto put16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    put16(0);
    put16(1);
    put16(quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const int w = images[i].width(), h = images[i].height();
        out.append(char(w >= 256 ? 0 : w));
        out.append(char(h >= 256 ? 0 : h));
        out.append('\0');
        out.append('\0');
        put16(1);
        put16(32);
        put32(quint32(blobs[i].size()));
        put32(offset);
        offset += quint32(blobs[i].size());
    }
    for (const QByteArray &b : blobs)
        out.append(b);
    return out;
}

} // namespace z7::art
