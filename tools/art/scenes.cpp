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
#include <QtEndian>

#include <array>
#include <cmath>

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
        p.drawEllipse(QPointF(r.left() + rng.next() * r.width(), r.top() + rng.next() * r.height()), s, s * 0.8);
    }
}

void bevel(QPainter &p, const QRectF &r, double w, const QColor &base)
{
    p.setPen(Qt::NoPen);
    p.setBrush(shade(base, 1.25));
    p.drawPolygon(QPolygonF{r.topLeft(), r.topRight(), r.topRight() + QPointF(-w, w),
                            r.topLeft() + QPointF(w, w), r.bottomLeft() + QPointF(w, -w), r.bottomLeft()});
    p.setBrush(shade(base, 0.7));
    p.drawPolygon(QPolygonF{r.bottomRight(), r.bottomLeft(), r.bottomLeft() + QPointF(w, -w),
                            r.bottomRight() + QPointF(-w, -w), r.topRight() + QPointF(-w, w), r.topRight()});
}

const std::array<Emblem, 12> kTiles{Emblem::House, Emblem::Shovel, Emblem::Arch,
                                    Emblem::Waves, Emblem::Cross, Emblem::Lightning,
                                    Emblem::Scroll, Emblem::Masks, Emblem::TempleFront,
                                    Emblem::Hammer, Emblem::Sword, Emblem::Cart};

QColor tileInk(Emblem e)
{
    switch (e) {
    case Emblem::Waves: return QColor(50, 110, 180);
    case Emblem::Cross: return QColor(190, 40, 40);
    case Emblem::Lightning: return QColor(236, 186, 40);
    default: return QColor(90, 70, 50);
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
        p.drawRect(QRectF(r.left() + w * 0.02 * i, r.bottom() - h * 0.05 * (i + 1), w - w * 0.04 * i, h * 0.05));
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
    QPolygonF inner{QPointF(r.left() + w * 0.12, r.top() + h * 0.27), QPointF(r.center().x(), r.top() + h * 0.06),
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
            const QRectF t(area.left() + gap + c * (tw + gap), area.top() + gap + r * (th + gap), tw, th);
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
    f.setPixelSize(50);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
    f.setWeight(QFont::Bold);
    const QString title = QStringLiteral("ORDAVIA");
    QPainterPath text;
    text.addText(0, 0, f, title);
    const QRectF tb = text.boundingRect();
    const double tx = 12 + (176 - tb.width()) / 2 - tb.left();
    const double ty = 50 + tb.height() / 2 - tb.bottom();
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
    p.drawLine(QPointF(26, 80), QPointF(174, 80));
    p.setBrush(QColor(214, 170, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(100, 80), 2.2, 2.2);
    // The temple front at the right end.
    templeFront(p, QRectF(192, 16, 72, 70));
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
    Iso iso(p, QPointF(112, 78), 37);
    const QColor stoneC(214, 200, 172);
    const double w = 3.6, d = 1.3, h = 3.2;
    // Soft shadow on the ground under the arch.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawPolygon(QPolygonF{iso.at(0, 0), iso.at(w + 0.9, -0.5), iso.at(w + 0.9, d - 0.5), iso.at(0, d)});
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
    iso.box(0.1, 0.1, h + 0.18, w - 0.2, d - 0.2, 0.85, stoneC);
    p.setPen(QPen(QColor(190, 140, 40), 3.0));
    p.drawLine(iso.at(w * 0.2, d - 0.1, h + 0.5), iso.at(w * 0.8, d - 0.1, h + 0.5));
    iso.box(0.05, 0.05, h + 1.03, w - 0.1, d - 0.1, 0.12, shade(stoneC, 0.92));
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

QImage noSelectPicture()
{
    const int W = 520, H = 235;
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(240, 234, 220));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRect(3, 3, W - 6, H - 6));
    // An oblique view down a street that runs from the back left to the
    // front right; houses on both sides, the town wall and a tree in front.
    Iso iso(p, QPointF(180, -70), 24);
    Rng rng(4242);
    // Ground: everything is street or yard.
    iso.flat(-10, -10, 0, 30, 30, QColor(150, 160, 96));
    iso.flat(-10, 4.2, 0.001, 30, 2.2, QColor(196, 184, 160));
    p.setPen(QPen(QColor(170, 158, 136), 0.7));
    for (int i = -10; i < 20; ++i)
        p.drawLine(iso.at(i, 4.2, 0.001), iso.at(i, 6.4, 0.001));
    p.drawLine(iso.at(-10, 5.3, 0.001), iso.at(20, 5.3, 0.001));
    // Kerb stones.
    iso.box(-10, 4.05, 0, 30, 0.15, 0.07, QColor(170, 160, 140));
    iso.box(-10, 6.4, 0, 30, 0.15, 0.07, QColor(170, 160, 140));

    struct HouseRow { double x, w, d, h; QColor wall; bool hip; };
    const QColor walls[] = {QColor(238, 222, 190), QColor(226, 190, 140), QColor(244, 236, 220),
                            QColor(214, 168, 120), QColor(236, 210, 170), QColor(230, 200, 160)};
    // Back row, along y = 4 (their lit faces look onto the street).
    double x = -4.0;
    for (int i = 0; i < 8; ++i) {
        const double w = 1.6 + (i % 3) * 0.45, d = 2.0, h = 1.2 + ((i * 7) % 3) * 0.5;
        const QColor wall = walls[i % 6];
        const double y = 4.0 - d;
        iso.box(x, y, 0, w, d, h, wall);
        const int rows = std::max(1, int(h / 0.7));
        iso.windows(false, y + d, x, x + w, 0, h, std::max(2, int(w * 1.4)), rows, QColor(70, 52, 40), i % 2 == 0);
        iso.opening(false, y + d, x, x + w, 0, h, 0.42, 0.58, 0, std::min(0.8, 0.55 / h), QColor(110, 70, 40), true);
        iso.windows(true, x + w, y, y + d, 0, h, 2, rows, QColor(60, 46, 36));
        if (i % 2)
            iso.hipRoof(x - 0.1, y - 0.1, h, w + 0.2, d + 0.2, 0.5, tile);
        else
            iso.gableRoof(x - 0.1, y - 0.1, h, w + 0.2, d + 0.2, 0.55, tile, false, shade(wall, 0.92));
        if (i == 2) {
            // Awning of a shop.
            iso.polygon({iso.at(x + 0.2, 4.0, 0.85), iso.at(x + w - 0.2, 4.0, 0.85), iso.at(x + w - 0.2, 4.5, 0.6),
                         iso.at(x + 0.2, 4.5, 0.6)},
                        QColor(196, 70, 50), QColor(140, 40, 30));
        }
        x += w + 0.05;
    }
    // People in the street.
    paintFigure(p, Figure::Citizen, iso.at(1.5, 5.0), 22);
    paintFigure(p, Figure::Worker, iso.at(4.2, 5.6), 21, true);
    paintFigure(p, Figure::Citizen, iso.at(7.5, 4.8), 20);
    amphora(iso, 0.3, 4.4, 0, 0.7, QColor());
    // Front row, south of the street: low houses with gardens.
    x = -6.5;
    for (int i = 0; i < 7; ++i) {
        const double w = 1.7 + (i % 2) * 0.5, d = 1.8, h = 1.0 + (i % 3) * 0.35;
        const double y = 6.75;
        const QColor wall = walls[(i + 3) % 6];
        iso.box(x, y, 0, w, d, h, wall);
        iso.windows(true, x + w, y, y + d, 0, h, 2, 1, QColor(60, 46, 36));
        iso.windows(false, y + d, x, x + w, 0, h, 2, 1, QColor(70, 52, 40));
        iso.gableRoof(x - 0.1, y - 0.1, h, w + 0.2, d + 0.2, 0.5, i % 3 == 1 ? darkTile : tile, true, shade(wall, 0.9));
        x += w + 0.35;
        if (i == 3)
            tree(iso, x - 0.15, y + 0.5, 1.6, Tree::Cypress, rng);
    }
    // Rough stone wall across the front.
    const QColor wallStone(160, 150, 132);
    iso.box(-8, 9.2, 0, 24, 0.5, 0.9, wallStone);
    for (int i = 0; i < 150; ++i) {
        const double sx = -8 + rng.range(0, 24), sz = rng.range(0.05, 0.85);
        const QPointF c = iso.at(sx, 9.7, sz);
        p.setPen(QPen(shade(wallStone, 0.65), 0.6));
        p.setBrush(shade(wallStone, rng.range(0.85, 1.15)));
        p.drawEllipse(c, rng.range(4, 8), rng.range(2.5, 4.5));
    }
    iso.box(-8, 9.15, 0.9, 24, 0.6, 0.1, shade(wallStone, 1.1));
    // The tree in the foreground, in front of the wall.
    const QPointF trunk = iso.at(9.8, 10.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(trunk + QPointF(30, -10), 55, 14);
    QPainterPath t;
    t.moveTo(trunk + QPointF(-7, 0));
    t.cubicTo(trunk + QPointF(-4, -40), trunk + QPointF(-10, -60), trunk + QPointF(-20, -90));
    t.lineTo(trunk + QPointF(2, -95));
    t.cubicTo(trunk + QPointF(4, -60), trunk + QPointF(8, -30), trunk + QPointF(8, 0));
    t.closeSubpath();
    QLinearGradient tg(trunk + QPointF(-8, 0), trunk + QPointF(8, 0));
    tg.setColorAt(0, QColor(130, 96, 66));
    tg.setColorAt(1, QColor(70, 50, 34));
    p.setBrush(tg);
    p.drawPath(t);
    for (int i = 0; i < 26; ++i) {
        const QPointF c = trunk + QPointF(rng.range(-70, 55), rng.range(-175, -85));
        const double r = rng.range(16, 28);
        QRadialGradient g(c + QPointF(-r * 0.4, -r * 0.4), r * 1.3);
        g.setColorAt(0, QColor(140, 180, 84));
        g.setColorAt(0.6, QColor(80, 130, 52));
        g.setColorAt(1, QColor(40, 80, 36));
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
            auto put32 = [&blob](quint32 v) { char b[4]; qToLittleEndian(v, b); blob.append(b, 4); };
            auto put16 = [&blob](quint16 v) { char b[2]; qToLittleEndian(v, b); blob.append(b, 2); };
            put32(40); put32(quint32(w)); put32(quint32(h * 2)); put16(1); put16(32); put32(0);
            put32(quint32(w * h * 4 + maskStride * h)); put32(0); put32(0); put32(0); put32(0);
            for (int y = h - 1; y >= 0; --y) {
                const QRgb *line = reinterpret_cast<const QRgb *>(im.constScanLine(y));
                for (int x = 0; x < w; ++x) {
                    const char px[4] = {char(qBlue(line[x])), char(qGreen(line[x])), char(qRed(line[x])),
                                        char(qAlpha(line[x]))};
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
    auto put32 = [&out](quint32 v) { char b[4]; qToLittleEndian(v, b); out.append(b, 4); };
    auto put16 = [&out](quint16 v) { char b[2]; qToLittleEndian(v, b); out.append(b, 2); };
    put16(0); put16(1); put16(quint16(images.size()));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const int w = images[i].width(), h = images[i].height();
        out.append(char(w >= 256 ? 0 : w));
        out.append(char(h >= 256 ? 0 : h));
        out.append('\0');
        out.append('\0');
        put16(1); put16(32);
        put32(quint32(blobs[i].size()));
        put32(offset);
        offset += quint32(blobs[i].size());
    }
    for (const QByteArray &b : blobs)
        out.append(b);
    return out;
}

} // namespace z7::art
