#include "props.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace z7::art {

using namespace palette;

double Rng::next()
{
    // xorshift32: small, fast and the same everywhere.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return (m_state & 0xFFFFFF) / double(0x1000000);
}

namespace {

QPen ipen(const QColor &c, double w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void star(QPainterPath &path, QPointF c, double r, int n)
{
    for (int i = 0; i < n; ++i) {
        const double a = 2 * std::numbers::pi * i / n;
        path.moveTo(c);
        path.lineTo(c + QPointF(std::cos(a), std::sin(a)) * r);
    }
}

} // namespace

void paintEmblem(QPainter &p, Emblem e, const QRectF &box, const QColor &ink)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width(), box.height());
    const QColor light = shade(ink, 1.35);
    p.setBrush(Qt::NoBrush);
    p.setPen(ipen(ink, 0.08));
    switch (e) {
    case Emblem::None:
        break;
    case Emblem::Snake: {
        p.setPen(ipen(ink, 0.08));
        p.drawLine(QPointF(0.5, 0.08), QPointF(0.5, 0.95));
        QPainterPath s;
        s.moveTo(0.45, 0.9);
        s.cubicTo(0.85, 0.8, 0.85, 0.62, 0.5, 0.6);
        s.cubicTo(0.15, 0.58, 0.15, 0.4, 0.5, 0.38);
        s.cubicTo(0.8, 0.36, 0.8, 0.2, 0.62, 0.16);
        p.setPen(ipen(QColor(60, 130, 60), 0.09));
        p.drawPath(s);
        p.setBrush(QColor(60, 130, 60));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(0.6, 0.15), 0.08, 0.06);
        break;
    }
    case Emblem::Razor:
        p.setBrush(QColor(200, 205, 215));
        p.setPen(ipen(ink, 0.05));
        p.drawPolygon(QPolygonF{{0.15, 0.25}, {0.85, 0.25}, {0.85, 0.45}, {0.2, 0.55}});
        p.setBrush(QColor(120, 80, 50));
        p.drawRoundedRect(QRectF(0.15, 0.55, 0.7, 0.14), 0.05, 0.05);
        break;
    case Emblem::Scroll:
        p.setBrush(QColor(240, 226, 186));
        p.setPen(ipen(shade(ink, 0.8), 0.05));
        p.drawRect(QRectF(0.2, 0.22, 0.6, 0.56));
        p.setBrush(QColor(200, 176, 120));
        p.drawEllipse(QRectF(0.1, 0.14, 0.2, 0.72));
        p.drawEllipse(QRectF(0.7, 0.14, 0.2, 0.72));
        p.setPen(ipen(QColor(120, 100, 70), 0.04));
        for (double y : {0.35, 0.47, 0.59})
            p.drawLine(QPointF(0.34, y), QPointF(0.66, y));
        break;
    case Emblem::Book:
        p.setBrush(QColor(150, 40, 40));
        p.setPen(ipen(shade(ink, 0.7), 0.04));
        p.drawRect(QRectF(0.2, 0.2, 0.6, 0.65));
        p.setBrush(QColor(240, 230, 200));
        p.drawRect(QRectF(0.26, 0.24, 0.5, 0.1));
        break;
    case Emblem::Owl:
        p.setBrush(QColor(150, 120, 80));
        p.setPen(ipen(shade(ink, 0.6), 0.04));
        p.drawEllipse(QRectF(0.25, 0.3, 0.5, 0.62));
        p.drawEllipse(QRectF(0.25, 0.12, 0.5, 0.4));
        p.setBrush(QColor(250, 230, 120));
        p.drawEllipse(QPointF(0.4, 0.32), 0.08, 0.08);
        p.drawEllipse(QPointF(0.6, 0.32), 0.08, 0.08);
        break;
    case Emblem::Wheat: {
        p.setPen(ipen(QColor(150, 110, 40), 0.05));
        for (double a : {-0.25, 0.0, 0.25}) {
            const QPointF base(0.5, 0.95), top(0.5 + a, 0.15);
            p.drawLine(base, top);
            p.setBrush(QColor(230, 180, 70));
            for (int i = 0; i < 4; ++i) {
                const QPointF c = top + (base - top) * (0.05 + i * 0.09);
                p.drawEllipse(c, 0.06, 0.045);
            }
        }
        break;
    }
    case Emblem::Trident:
        p.setPen(ipen(ink, 0.08));
        p.drawLine(QPointF(0.5, 0.2), QPointF(0.5, 0.95));
        p.drawLine(QPointF(0.25, 0.4), QPointF(0.75, 0.4));
        p.drawLine(QPointF(0.25, 0.4), QPointF(0.25, 0.12));
        p.drawLine(QPointF(0.75, 0.4), QPointF(0.75, 0.12));
        p.drawLine(QPointF(0.5, 0.2), QPointF(0.5, 0.06));
        break;
    case Emblem::Caduceus: {
        p.setPen(ipen(ink, 0.07));
        p.drawLine(QPointF(0.5, 0.12), QPointF(0.5, 0.95));
        QPainterPath w;
        w.moveTo(0.5, 0.2);
        w.cubicTo(0.35, 0.05, 0.15, 0.1, 0.08, 0.22);
        w.cubicTo(0.2, 0.26, 0.35, 0.25, 0.5, 0.22);
        w.cubicTo(0.65, 0.25, 0.8, 0.26, 0.92, 0.22);
        w.cubicTo(0.85, 0.1, 0.65, 0.05, 0.5, 0.2);
        p.setBrush(light);
        p.drawPath(w);
        p.setBrush(Qt::NoBrush);
        QPainterPath s;
        s.moveTo(0.5, 0.9);
        for (int i = 0; i < 3; ++i) {
            const double y = 0.9 - i * 0.22;
            s.cubicTo(0.2, y - 0.05, 0.8, y - 0.12, 0.5, y - 0.22);
        }
        p.drawPath(s);
        break;
    }
    case Emblem::Sword:
        p.setBrush(QColor(215, 220, 228));
        p.setPen(ipen(shade(ink, 0.7), 0.04));
        p.drawPolygon(
            QPolygonF{{0.5, 0.04}, {0.58, 0.16}, {0.58, 0.66}, {0.42, 0.66}, {0.42, 0.16}});
        p.setBrush(gold);
        p.drawRect(QRectF(0.26, 0.66, 0.48, 0.08));
        p.setBrush(QColor(110, 70, 40));
        p.drawRect(QRectF(0.45, 0.74, 0.1, 0.15));
        p.setBrush(gold);
        p.drawEllipse(QPointF(0.5, 0.92), 0.07, 0.06);
        break;
    case Emblem::Rose:
        p.setPen(ipen(QColor(50, 110, 50), 0.06));
        p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, 0.95));
        p.setBrush(QColor(60, 130, 60));
        p.drawEllipse(QRectF(0.52, 0.62, 0.2, 0.1));
        p.setBrush(QColor(214, 70, 110));
        p.setPen(ipen(QColor(150, 30, 60), 0.04));
        p.drawEllipse(QPointF(0.5, 0.34), 0.24, 0.22);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(0.5, 0.34), 0.12, 0.1);
        break;
    case Emblem::Flame: {
        QPainterPath f;
        f.moveTo(0.5, 0.95);
        f.cubicTo(0.1, 0.9, 0.15, 0.5, 0.45, 0.08);
        f.cubicTo(0.5, 0.4, 0.9, 0.45, 0.5, 0.95);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 90, 30));
        p.drawPath(f);
        QPainterPath g;
        g.moveTo(0.5, 0.92);
        g.cubicTo(0.3, 0.85, 0.35, 0.6, 0.48, 0.45);
        g.cubicTo(0.55, 0.65, 0.72, 0.7, 0.5, 0.92);
        p.setBrush(QColor(250, 210, 70));
        p.drawPath(g);
        break;
    }
    case Emblem::Shield:
        p.setBrush(roman);
        p.setPen(ipen(gold, 0.06));
        p.drawRoundedRect(QRectF(0.22, 0.08, 0.56, 0.84), 0.12, 0.12);
        p.setBrush(gold);
        p.drawEllipse(QPointF(0.5, 0.5), 0.1, 0.1);
        p.drawLine(QPointF(0.5, 0.15), QPointF(0.5, 0.38));
        p.drawLine(QPointF(0.5, 0.62), QPointF(0.5, 0.85));
        break;
    case Emblem::Eagle: {
        p.setPen(Qt::NoPen);
        p.setBrush(gold);
        QPainterPath w;
        w.moveTo(0.5, 0.35);
        w.cubicTo(0.3, 0.1, 0.1, 0.15, 0.02, 0.3);
        w.lineTo(0.35, 0.5);
        w.lineTo(0.4, 0.8);
        w.lineTo(0.5, 0.92);
        w.lineTo(0.6, 0.8);
        w.lineTo(0.65, 0.5);
        w.lineTo(0.98, 0.3);
        w.cubicTo(0.9, 0.15, 0.7, 0.1, 0.5, 0.35);
        p.drawPath(w);
        p.drawEllipse(QPointF(0.5, 0.28), 0.08, 0.09);
        break;
    }
    case Emblem::Amphora: {
        QPainterPath a;
        a.moveTo(0.42, 0.1);
        a.lineTo(0.58, 0.1);
        a.lineTo(0.58, 0.25);
        a.cubicTo(0.85, 0.35, 0.8, 0.7, 0.5, 0.95);
        a.cubicTo(0.2, 0.7, 0.15, 0.35, 0.42, 0.25);
        a.closeSubpath();
        p.setBrush(QColor(196, 110, 60));
        p.setPen(ipen(shade(ink, 0.6), 0.04));
        p.drawPath(a);
        p.setBrush(Qt::NoBrush);
        p.setPen(ipen(QColor(150, 80, 40), 0.05));
        p.drawArc(QRectF(0.22, 0.14, 0.22, 0.2), 90 * 16, 180 * 16);
        p.drawArc(QRectF(0.56, 0.14, 0.22, 0.2), 270 * 16, 180 * 16);
        break;
    }
    case Emblem::Hammer:
        p.setPen(ipen(QColor(120, 80, 45), 0.1));
        p.drawLine(QPointF(0.3, 0.9), QPointF(0.62, 0.3));
        p.setPen(ipen(shade(ink, 0.6), 0.04));
        p.setBrush(QColor(120, 124, 132));
        p.save();
        p.translate(0.64, 0.26);
        p.rotate(28);
        p.drawRect(QRectF(-0.3, -0.1, 0.6, 0.2));
        p.restore();
        break;
    case Emblem::Chair:
        p.setPen(ipen(QColor(120, 78, 40), 0.08));
        p.drawLine(QPointF(0.3, 0.1), QPointF(0.3, 0.9));
        p.drawLine(QPointF(0.3, 0.55), QPointF(0.72, 0.55));
        p.drawLine(QPointF(0.72, 0.55), QPointF(0.72, 0.9));
        p.drawLine(QPointF(0.3, 0.2), QPointF(0.5, 0.2));
        break;
    case Emblem::Pot: {
        QPainterPath a;
        a.moveTo(0.32, 0.2);
        a.lineTo(0.68, 0.2);
        a.cubicTo(0.95, 0.45, 0.85, 0.85, 0.5, 0.9);
        a.cubicTo(0.15, 0.85, 0.05, 0.45, 0.32, 0.2);
        p.setBrush(QColor(190, 100, 60));
        p.setPen(ipen(shade(ink, 0.6), 0.04));
        p.drawPath(a);
        p.setPen(ipen(QColor(60, 40, 30), 0.05));
        p.drawLine(QPointF(0.22, 0.5), QPointF(0.78, 0.5));
        break;
    }
    case Emblem::Coin:
        p.setBrush(gold);
        p.setPen(ipen(shade(gold, 0.6), 0.06));
        p.drawEllipse(QPointF(0.5, 0.5), 0.38, 0.38);
        p.drawEllipse(QPointF(0.5, 0.5), 0.22, 0.22);
        break;
    case Emblem::Laurel: {
        p.setPen(ipen(QColor(60, 110, 50), 0.05));
        p.drawArc(QRectF(0.15, 0.15, 0.7, 0.7), 200 * 16, 140 * 16);
        p.drawArc(QRectF(0.15, 0.15, 0.7, 0.7), -20 * 16, -140 * 16);
        p.setBrush(QColor(80, 140, 60));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 6; ++i) {
            const double a = (110 + i * 26) * std::numbers::pi / 180;
            p.drawEllipse(QPointF(0.5 + 0.35 * std::cos(a), 0.5 + 0.35 * std::sin(a)), 0.07, 0.04);
            p.drawEllipse(QPointF(0.5 - 0.35 * std::cos(a), 0.5 + 0.35 * std::sin(a)), 0.07, 0.04);
        }
        break;
    }
    case Emblem::Masks: {
        auto mask = [&](QPointF c, const QColor &fill, bool happy, double rot) {
            p.save();
            p.translate(c);
            p.rotate(rot);
            p.setBrush(fill);
            p.setPen(ipen(shade(fill, 0.5), 0.035));
            QPainterPath m;
            m.moveTo(-0.2, -0.22);
            m.cubicTo(-0.1, -0.28, 0.1, -0.28, 0.2, -0.22);
            m.cubicTo(0.24, 0.05, 0.15, 0.25, 0.0, 0.28);
            m.cubicTo(-0.15, 0.25, -0.24, 0.05, -0.2, -0.22);
            p.drawPath(m);
            p.setBrush(QColor(40, 30, 30));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(-0.08, -0.08), 0.045, 0.03);
            p.drawEllipse(QPointF(0.08, -0.08), 0.045, 0.03);
            p.setPen(ipen(QColor(40, 30, 30), 0.04));
            p.setBrush(Qt::NoBrush);
            if (happy)
                p.drawArc(QRectF(-0.1, 0.0, 0.2, 0.14), 200 * 16, 140 * 16);
            else
                p.drawArc(QRectF(-0.1, 0.1, 0.2, 0.14), 20 * 16, 140 * 16);
            p.restore();
        };
        mask(QPointF(0.36, 0.42), QColor(240, 225, 190), true, -14);
        mask(QPointF(0.64, 0.58), QColor(200, 160, 90), false, 14);
        break;
    }
    case Emblem::Grapes:
        p.setPen(ipen(QColor(70, 40, 70), 0.03));
        p.setBrush(QColor(110, 50, 120));
        for (int r = 0; r < 4; ++r)
            for (int i = 0; i <= 3 - r; ++i)
                p.drawEllipse(QPointF(0.5 + (i - (3 - r) / 2.0) * 0.16, 0.32 + r * 0.15), 0.085,
                              0.085);
        p.setBrush(QColor(80, 140, 60));
        p.drawEllipse(QRectF(0.5, 0.1, 0.3, 0.14));
        break;
    case Emblem::Olive:
        p.setPen(ipen(QColor(90, 100, 60), 0.05));
        p.drawLine(QPointF(0.15, 0.85), QPointF(0.85, 0.15));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 140, 80));
        for (int i = 0; i < 4; ++i) {
            const double t = 0.2 + i * 0.18;
            p.drawEllipse(QPointF(0.15 + 0.7 * t - 0.1, 0.85 - 0.7 * t - 0.08), 0.1, 0.05);
        }
        p.setBrush(QColor(60, 70, 40));
        p.drawEllipse(QPointF(0.62, 0.55), 0.08, 0.1);
        p.drawEllipse(QPointF(0.42, 0.72), 0.08, 0.1);
        break;
    case Emblem::Helmet:
        p.setBrush(QColor(170, 170, 176));
        p.setPen(ipen(shade(ink, 0.6), 0.04));
        p.drawChord(QRectF(0.2, 0.3, 0.6, 0.7), 0, 180 * 16);
        p.setBrush(roman);
        p.drawRect(QRectF(0.3, 0.12, 0.4, 0.2));
        break;
    case Emblem::Lion:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(160, 100, 40));
        p.drawEllipse(QPointF(0.5, 0.48), 0.36, 0.36);
        p.setBrush(QColor(220, 170, 90));
        p.drawEllipse(QPointF(0.5, 0.52), 0.2, 0.22);
        p.setBrush(QColor(40, 30, 20));
        p.drawEllipse(QPointF(0.43, 0.46), 0.03, 0.03);
        p.drawEllipse(QPointF(0.57, 0.46), 0.03, 0.03);
        p.drawEllipse(QPointF(0.5, 0.6), 0.05, 0.035);
        break;
    case Emblem::Wheel: {
        p.setPen(ipen(QColor(110, 70, 40), 0.07));
        p.drawEllipse(QPointF(0.5, 0.5), 0.38, 0.38);
        QPainterPath s;
        star(s, QPointF(0.5, 0.5), 0.38, 8);
        p.setPen(ipen(QColor(110, 70, 40), 0.04));
        p.drawPath(s);
        break;
    }
    case Emblem::Cross:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(QRectF(0.38, 0.12, 0.24, 0.76));
        p.drawRect(QRectF(0.12, 0.38, 0.76, 0.24));
        break;
    case Emblem::Lightning:
        p.setPen(ipen(shade(ink, 0.7), 0.03));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF{{0.58, 0.04},
                                {0.22, 0.54},
                                {0.46, 0.54},
                                {0.34, 0.96},
                                {0.8, 0.4},
                                {0.54, 0.4},
                                {0.72, 0.04}});
        break;
    case Emblem::Waves:
        p.setPen(ipen(ink, 0.08));
        for (double y : {0.3, 0.52, 0.74}) {
            QPainterPath w;
            w.moveTo(0.08, y);
            w.cubicTo(0.2, y - 0.12, 0.3, y - 0.12, 0.42, y);
            w.cubicTo(0.54, y + 0.12, 0.64, y + 0.12, 0.76, y);
            w.cubicTo(0.82, y - 0.06, 0.88, y - 0.08, 0.94, y - 0.04);
            p.drawPath(w);
        }
        break;
    case Emblem::House:
        p.setPen(ipen(shade(ink, 0.6), 0.03));
        p.setBrush(QColor(236, 224, 196));
        p.drawRect(QRectF(0.22, 0.45, 0.56, 0.45));
        p.setBrush(tile);
        p.drawPolygon(QPolygonF{{0.1, 0.5}, {0.5, 0.12}, {0.9, 0.5}});
        p.setBrush(QColor(90, 60, 40));
        p.drawRect(QRectF(0.43, 0.62, 0.14, 0.28));
        break;
    case Emblem::Shovel:
        p.setPen(ipen(QColor(130, 90, 50), 0.08));
        p.drawLine(QPointF(0.32, 0.12), QPointF(0.55, 0.58));
        p.drawLine(QPointF(0.24, 0.14), QPointF(0.4, 0.1));
        p.setBrush(QColor(130, 134, 142));
        p.setPen(ipen(QColor(70, 70, 76), 0.03));
        p.drawPolygon(QPolygonF{{0.45, 0.6}, {0.66, 0.5}, {0.82, 0.82}, {0.7, 0.94}, {0.56, 0.86}});
        break;
    case Emblem::Arch: {
        QPainterPath a;
        a.addRect(QRectF(0.1, 0.3, 0.8, 0.6));
        QPainterPath hole;
        hole.moveTo(0.32, 0.9);
        hole.lineTo(0.32, 0.6);
        hole.arcTo(QRectF(0.32, 0.42, 0.36, 0.36), 180, -180);
        hole.lineTo(0.68, 0.9);
        hole.closeSubpath();
        p.setBrush(QColor(200, 190, 170));
        p.setPen(ipen(shade(ink, 0.6), 0.03));
        p.drawPath(a.subtracted(hole));
        p.drawRect(QRectF(0.06, 0.24, 0.88, 0.08));
        break;
    }
    case Emblem::TempleFront:
        p.setPen(ipen(shade(ink, 0.5), 0.025));
        p.setBrush(QColor(245, 240, 228));
        p.drawPolygon(QPolygonF{{0.08, 0.34}, {0.5, 0.1}, {0.92, 0.34}});
        p.drawRect(QRectF(0.1, 0.34, 0.8, 0.07));
        for (int i = 0; i < 5; ++i)
            p.drawRect(QRectF(0.15 + i * 0.16, 0.41, 0.07, 0.42));
        p.drawRect(QRectF(0.06, 0.83, 0.88, 0.1));
        break;
    case Emblem::Cart:
        p.setPen(ipen(QColor(100, 66, 36), 0.04));
        p.setBrush(QColor(160, 110, 60));
        p.drawRect(QRectF(0.12, 0.35, 0.62, 0.28));
        p.drawLine(QPointF(0.74, 0.5), QPointF(0.95, 0.5));
        p.setBrush(QColor(120, 80, 45));
        p.drawEllipse(QPointF(0.3, 0.72), 0.14, 0.14);
        p.drawEllipse(QPointF(0.6, 0.72), 0.14, 0.14);
        break;
    case Emblem::Drop: {
        QPainterPath d;
        d.moveTo(0.5, 0.08);
        d.cubicTo(0.62, 0.35, 0.82, 0.5, 0.8, 0.68);
        d.cubicTo(0.78, 0.95, 0.22, 0.95, 0.2, 0.68);
        d.cubicTo(0.18, 0.5, 0.38, 0.35, 0.5, 0.08);
        p.setBrush(water);
        p.setPen(ipen(shade(water, 0.6), 0.04));
        p.drawPath(d);
        break;
    }
    }
    p.restore();
}

void paintFigure(QPainter &p, Figure f, QPointF feet, double h, bool facingLeft)
{
    p.save();
    p.translate(feet);
    p.scale(facingLeft ? -h : h, h);
    const QColor skin(214, 160, 120), steel(176, 178, 186), dark(50, 40, 36);
    auto pen = [](const QColor &c, double w) {
        return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    };
    // Shadow on the ground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QPointF(0.1, 0), f == Figure::Rider ? 0.5 : 0.2, 0.06);

    auto body = [&](const QColor &tunic, const QColor &armour) {
        p.setPen(pen(skin, 0.07));
        p.drawLine(QPointF(-0.05, 0), QPointF(-0.04, -0.3));
        p.drawLine(QPointF(0.06, 0), QPointF(0.05, -0.3));
        p.setPen(pen(dark, 0.06));
        p.drawLine(QPointF(-0.08, -0.01), QPointF(-0.02, -0.01));
        p.drawLine(QPointF(0.04, -0.01), QPointF(0.1, -0.01));
        p.setPen(pen(shade(tunic, 0.6), 0.02));
        p.setBrush(tunic);
        p.drawPolygon(QPolygonF{{-0.13, -0.28}, {0.14, -0.28}, {0.1, -0.62}, {-0.1, -0.62}});
        if (armour.isValid()) {
            p.setBrush(armour);
            p.setPen(pen(shade(armour, 0.6), 0.015));
            p.drawRect(QRectF(-0.11, -0.64, 0.22, 0.24));
            p.setPen(pen(shade(armour, 0.7), 0.015));
            for (double y : {-0.58, -0.52, -0.46})
                p.drawLine(QPointF(-0.11, y), QPointF(0.11, y));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(skin);
        p.drawEllipse(QPointF(0, -0.74), 0.075, 0.085);
    };
    auto helmet = [&](bool crest) {
        p.setPen(pen(shade(steel, 0.6), 0.015));
        p.setBrush(steel);
        p.drawChord(QRectF(-0.09, -0.86, 0.18, 0.18), 0, 180 * 16);
        if (crest) {
            p.setBrush(roman);
            p.setPen(Qt::NoPen);
            p.drawRoundedRect(QRectF(-0.1, -0.9, 0.2, 0.06), 0.03, 0.03);
        }
    };
    switch (f) {
    case Figure::Legionary:
        body(roman, steel);
        helmet(true);
        // Sword in the right hand, the big curved shield in front.
        p.setPen(pen(QColor(220, 224, 230), 0.03));
        p.drawLine(QPointF(0.16, -0.42), QPointF(0.3, -0.6));
        p.setPen(pen(shade(roman, 0.6), 0.02));
        p.setBrush(roman);
        p.drawRoundedRect(QRectF(-0.27, -0.66, 0.2, 0.44), 0.04, 0.04);
        p.setBrush(gold);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(-0.17, -0.44), 0.04, 0.04);
        p.setPen(pen(gold, 0.015));
        p.drawLine(QPointF(-0.17, -0.62), QPointF(-0.17, -0.26));
        break;
    case Figure::Javelin:
        body(QColor(110, 130, 70), QColor(150, 110, 70));
        helmet(false);
        p.setPen(pen(skin, 0.05));
        p.drawLine(QPointF(0.08, -0.6), QPointF(0.18, -0.86));
        p.setPen(pen(QColor(120, 84, 46), 0.025));
        p.drawLine(QPointF(-0.15, -0.66), QPointF(0.45, -1.0));
        p.setPen(pen(steel, 0.03));
        p.drawLine(QPointF(0.45, -1.0), QPointF(0.52, -1.04));
        p.setBrush(QColor(200, 170, 80));
        p.setPen(pen(QColor(120, 90, 40), 0.02));
        p.drawEllipse(QPointF(-0.14, -0.45), 0.12, 0.16);
        break;
    case Figure::Rider: {
        const QColor horse(120, 78, 46);
        p.setPen(pen(shade(horse, 0.7), 0.06));
        for (double x : {-0.3, -0.22, 0.22, 0.3})
            p.drawLine(QPointF(x, -0.36), QPointF(x + (x > 0 ? 0.03 : -0.02), 0));
        p.setPen(pen(shade(horse, 0.6), 0.02));
        p.setBrush(horse);
        p.drawEllipse(QRectF(-0.38, -0.56, 0.76, 0.26));
        QPainterPath neck;
        neck.moveTo(0.22, -0.5);
        neck.lineTo(0.38, -0.78);
        neck.lineTo(0.52, -0.72);
        neck.lineTo(0.5, -0.64);
        neck.lineTo(0.36, -0.6);
        neck.lineTo(0.34, -0.42);
        neck.closeSubpath();
        p.drawPath(neck);
        p.setPen(pen(QColor(50, 34, 20), 0.05));
        p.drawLine(QPointF(-0.38, -0.48), QPointF(-0.48, -0.24));
        p.drawLine(QPointF(0.3, -0.74), QPointF(0.36, -0.8));
        // Rider: red cloak, helmet, lance.
        p.setPen(pen(shade(roman, 0.6), 0.02));
        p.setBrush(roman);
        p.drawPolygon(QPolygonF{{-0.12, -0.5}, {0.1, -0.5}, {0.06, -0.86}, {-0.08, -0.86}});
        p.setBrush(QColor(176, 178, 186));
        p.drawRect(QRectF(-0.07, -0.84, 0.14, 0.2));
        p.setPen(pen(skin, 0.06));
        p.drawLine(QPointF(0.0, -0.5), QPointF(0.06, -0.36));
        p.setPen(Qt::NoPen);
        p.setBrush(skin);
        p.drawEllipse(QPointF(0, -0.94), 0.07, 0.08);
        p.save();
        p.translate(0, -0.2);
        helmet(true);
        p.restore();
        p.setPen(pen(QColor(110, 80, 50), 0.025));
        p.drawLine(QPointF(-0.3, -0.5), QPointF(0.6, -1.12));
        p.setPen(pen(QColor(200, 200, 210), 0.035));
        p.drawLine(QPointF(0.6, -1.12), QPointF(0.67, -1.17));
        break;
    }
    case Figure::Gladiator:
        body(QColor(170, 130, 80), QColor());
        helmet(true);
        p.setPen(pen(QColor(220, 224, 230), 0.035));
        p.drawLine(QPointF(0.14, -0.42), QPointF(0.34, -0.62));
        p.setBrush(QColor(190, 150, 60));
        p.setPen(pen(QColor(120, 90, 40), 0.02));
        p.drawRect(QRectF(-0.24, -0.6, 0.15, 0.26));
        break;
    case Figure::Citizen:
        body(QColor(238, 232, 216), QColor());
        p.setPen(pen(QColor(160, 60, 50), 0.03));
        p.drawLine(QPointF(-0.1, -0.6), QPointF(0.1, -0.32));
        p.setBrush(QColor(70, 50, 40));
        p.setPen(Qt::NoPen);
        p.drawChord(QRectF(-0.08, -0.84, 0.16, 0.14), 0, 180 * 16);
        break;
    case Figure::Worker:
        body(QColor(150, 110, 70), QColor());
        p.setBrush(QColor(60, 45, 35));
        p.setPen(Qt::NoPen);
        p.drawChord(QRectF(-0.08, -0.84, 0.16, 0.14), 0, 180 * 16);
        break;
    case Figure::Priest:
        body(QColor(244, 240, 232), QColor());
        p.setBrush(QColor(240, 236, 226));
        p.setPen(pen(QColor(180, 170, 150), 0.015));
        p.drawChord(QRectF(-0.1, -0.86, 0.2, 0.2), 0, 180 * 16);
        break;
    }
    p.restore();
}

void tree(Iso &iso, double x, double y, double size, Tree kind, Rng &rng, double z)
{
    QPainter &p = iso.painter();
    const QPointF base = iso.at(x, y, z);
    const double u = iso.unit() * size;
    // Shadow to the back right.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 30, 10, 60));
    p.drawEllipse(base + QPointF(u * 0.35, -u * 0.08), u * 0.45, u * 0.2);
    p.setBrush(QColor(96, 66, 40));
    auto blob = [&](QPointF c, double r, const QColor &col) {
        QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.4), r * 1.3);
        g.setColorAt(0, shade(col, 1.25));
        g.setColorAt(0.6, col);
        g.setColorAt(1, shade(col, 0.65));
        p.setBrush(g);
        p.drawEllipse(c, r, r * 0.92);
    };
    switch (kind) {
    case Tree::Cypress: {
        p.drawRect(QRectF(base.x() - u * 0.04, base.y() - u * 0.3, u * 0.08, u * 0.3));
        QPainterPath c;
        c.moveTo(base.x(), base.y() - u * 1.9);
        c.cubicTo(base.x() + u * 0.28, base.y() - u * 1.2, base.x() + u * 0.25, base.y() - u * 0.25,
                  base.x(), base.y() - u * 0.15);
        c.cubicTo(base.x() - u * 0.25, base.y() - u * 0.25, base.x() - u * 0.28, base.y() - u * 1.2,
                  base.x(), base.y() - u * 1.9);
        QLinearGradient g(base.x() - u * 0.25, 0, base.x() + u * 0.25, 0);
        g.setColorAt(0, QColor(70, 110, 50));
        g.setColorAt(1, QColor(30, 64, 32));
        p.setBrush(g);
        p.drawPath(c);
        break;
    }
    case Tree::Pine:
        p.drawRect(QRectF(base.x() - u * 0.05, base.y() - u * 1.0, u * 0.1, u * 1.0));
        blob(base + QPointF(-u * 0.25, -u * 1.05), u * 0.32, QColor(56, 96, 48));
        blob(base + QPointF(u * 0.22, -u * 1.08), u * 0.34, QColor(56, 96, 48));
        blob(base + QPointF(0, -u * 1.22), u * 0.34, QColor(64, 108, 52));
        break;
    case Tree::Olive:
    case Tree::Round:
    case Tree::Fruit:
    case Tree::Palm: {
        const bool olive = kind == Tree::Olive;
        p.drawRect(QRectF(base.x() - u * 0.05, base.y() - u * 0.5, u * 0.1, u * 0.5));
        const QColor c =
            olive ? QColor(128, 142, 96) : (kind == Tree::Fruit ? QColor(80, 130, 56) : leaf);
        blob(base + QPointF(-u * 0.22, -u * 0.62), u * 0.3, shade(c, 0.9));
        blob(base + QPointF(u * 0.22, -u * 0.6), u * 0.3, shade(c, 0.85));
        blob(base + QPointF(0, -u * 0.85), u * 0.36, c);
        if (kind == Tree::Fruit || olive) {
            p.setBrush(olive ? QColor(60, 64, 44) : QColor(214, 70, 40));
            for (int i = 0; i < 6; ++i)
                p.drawEllipse(base + QPointF(rng.range(-0.4, 0.4) * u, -rng.range(0.45, 1.05) * u),
                              u * 0.05, u * 0.05);
        }
        break;
    }
    }
}

void bush(Iso &iso, double x, double y, double size, const QColor &c)
{
    QPainter &p = iso.painter();
    const QPointF b = iso.at(x, y);
    const double r = iso.unit() * size;
    QRadialGradient g(b + QPointF(-r * 0.3, -r * 0.9), r * 1.4);
    g.setColorAt(0, shade(c, 1.3));
    g.setColorAt(1, shade(c, 0.7));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(b + QPointF(0, -r * 0.45), r, r * 0.65);
}

void groundPatch(Iso &iso, double x, double y, double w, double d, const QColor &c, Rng &rng,
                 double specks)
{
    // A slab with a thin earthen edge, as if cut out of the map.
    iso.box(x, y, -0.18, w, d, 0.18, QColor(140, 110, 76), c);
    iso.setGround(x, y, w, d);
    QPainter &p = iso.painter();
    p.setPen(Qt::NoPen);
    const int n = int(w * d * 14 * specks);
    for (int i = 0; i < n; ++i) {
        const double px = x + rng.range(0.05, w - 0.05), py = y + rng.range(0.05, d - 0.05);
        const double t = rng.next();
        QColor s = t < 0.5 ? shade(c, 0.82) : shade(c, 1.12);
        s.setAlpha(170);
        p.setBrush(s);
        const QPointF q = iso.at(px, py);
        p.drawEllipse(q, iso.unit() * 0.07, iso.unit() * 0.035);
    }
}

void waterPatch(Iso &iso, double x, double y, double w, double d, double z)
{
    QPainter &p = iso.painter();
    QLinearGradient g(iso.at(x, y, z), iso.at(x + w, y + d, z));
    g.setColorAt(0, QColor(60, 118, 180));
    g.setColorAt(1, QColor(96, 164, 214));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF{iso.at(x, y, z), iso.at(x + w, y, z), iso.at(x + w, y + d, z),
                            iso.at(x, y + d, z)});
    p.setPen(QPen(QColor(210, 235, 250, 170), 0.7));
    const int n = int(w * d * 2) + 2;
    for (int i = 0; i < n; ++i) {
        const double px = x + w * (0.15 + 0.7 * ((i * 37) % 100) / 100.0);
        const double py = y + d * (0.15 + 0.7 * ((i * 61 + 13) % 100) / 100.0);
        const QPointF a = iso.at(px, py, z);
        p.drawLine(a, a + QPointF(iso.unit() * 0.35, 0));
    }
}

void crops(Iso &iso, double x, double y, double w, double d, Emblem crop, Rng &rng)
{
    QPainter &p = iso.painter();
    const QColor soil(128, 92, 58);
    iso.flat(x, y, 0.01, w, d, soil);
    const int rows = int(d * 3);
    for (int r = 0; r < rows; ++r) {
        const double yy = y + (r + 0.5) * d / rows;
        const QPointF a = iso.at(x + 0.1, yy, 0.02), b = iso.at(x + w - 0.1, yy, 0.02);
        switch (crop) {
        case Emblem::Wheat: {
            p.setPen(QPen(QColor(226, 184, 80), iso.unit() * 0.22, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a, b);
            p.setPen(QPen(QColor(196, 150, 58), 0.6));
            for (int i = 0; i < int(w * 5); ++i) {
                const QPointF q = a + (b - a) * (i + 0.5) / int(w * 5);
                p.drawLine(q, q + QPointF(0.5, -iso.unit() * 0.28));
            }
            break;
        }
        case Emblem::Grapes: {
            p.setPen(QPen(QColor(90, 66, 40), 0.6));
            for (int i = 0; i <= int(w * 2); ++i) {
                const QPointF q = a + (b - a) * (double(i) / int(w * 2));
                p.drawLine(q, q + QPointF(0, -iso.unit() * 0.5));
            }
            p.setPen(QPen(QColor(70, 120, 46), iso.unit() * 0.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a + QPointF(0, -iso.unit() * 0.4), b + QPointF(0, -iso.unit() * 0.4));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(100, 44, 110));
            for (int i = 0; i < int(w * 4); ++i) {
                const QPointF q = a + (b - a) * rng.next() + QPointF(0, -iso.unit() * 0.3);
                p.drawEllipse(q, iso.unit() * 0.06, iso.unit() * 0.07);
            }
            break;
        }
        default: { // Vegetables: rows of round heads.
            p.setPen(Qt::NoPen);
            const int n = int(w * 4);
            for (int i = 0; i < n; ++i) {
                const QPointF q = a + (b - a) * ((i + 0.5) / n);
                const bool red = (i + r) % 3 == 0;
                p.setBrush(red ? QColor(200, 80, 50) : QColor(90, 150, 60));
                p.drawEllipse(q + QPointF(0, -iso.unit() * 0.06), iso.unit() * 0.11,
                              iso.unit() * 0.08);
            }
            break;
        }
        }
    }
}

void amphora(Iso &iso, double x, double y, double z, double size, const QColor &c)
{
    const QPointF b = iso.at(x, y, z);
    const double s = iso.unit() * size;
    paintEmblem(iso.painter(), Emblem::Amphora,
                QRectF(b.x() - s * 0.5, b.y() - s * 1.2, s, s * 1.2), c);
}

void barrel(Iso &iso, double x, double y, double z, double size)
{
    iso.cylinder(x, y, z, size * 0.35, size * 0.8, QColor(140, 96, 56));
    QPainter &p = iso.painter();
    const QPointF b = iso.at(x, y, z + size * 0.25);
    const double rx = size * 0.35 * 1.414 * iso.unit();
    p.setPen(QPen(QColor(70, 60, 50), 0.6));
    p.drawLine(b + QPointF(-rx, 0), b + QPointF(rx, 0));
    p.drawLine(b + QPointF(-rx, -size * 0.4 * iso.unit()),
               b + QPointF(rx, -size * 0.4 * iso.unit()));
}

void crate(Iso &iso, double x, double y, double z, double size)
{
    iso.box(x, y, z, size, size, size * 0.8, QColor(170, 126, 74));
}

void logs(Iso &iso, double x, double y, double z, double len, bool alongX)
{
    const QColor bark(118, 82, 50);
    for (int i = 0; i < 3; ++i) {
        const double o = i * 0.22;
        if (alongX)
            iso.box(x, y + o, z, len, 0.2, 0.2, bark, QColor(196, 160, 110));
        else
            iso.box(x + o, y, z, 0.2, len, 0.2, bark, QColor(196, 160, 110));
    }
    if (alongX)
        iso.box(x, y + 0.11, z + 0.2, len, 0.2, 0.2, bark, QColor(196, 160, 110));
    else
        iso.box(x + 0.11, y, z + 0.2, 0.2, len, 0.2, bark, QColor(196, 160, 110));
}

void flag(Iso &iso, double x, double y, double z, double h, const QColor &c, Emblem e)
{
    QPainter &p = iso.painter();
    const QPointF b = iso.at(x, y, z), t = iso.at(x, y, z + h);
    p.setPen(QPen(QColor(90, 70, 50), 1.0));
    p.drawLine(b, t);
    const double u = iso.unit();
    QPainterPath f;
    f.moveTo(t);
    f.cubicTo(t + QPointF(u * 0.3, -u * 0.15), t + QPointF(u * 0.5, u * 0.15),
              t + QPointF(u * 0.8, 0));
    f.lineTo(t + QPointF(u * 0.8, u * 0.45));
    f.cubicTo(t + QPointF(u * 0.5, u * 0.6), t + QPointF(u * 0.3, u * 0.3),
              t + QPointF(0, u * 0.45));
    f.closeSubpath();
    p.setPen(QPen(shade(c, 0.6), 0.5));
    p.setBrush(c);
    p.drawPath(f);
    if (e != Emblem::None)
        paintEmblem(p, e, QRectF(t.x() + u * 0.2, t.y() + u * 0.03, u * 0.4, u * 0.4), gold);
}

void smoke(QPainter &p, QPointF from, double size)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(200, 200, 200, 150 - i * 30));
        p.drawEllipse(from + QPointF(i * size * 0.35, -i * size * 0.6), size * (0.35 + i * 0.12),
                      size * (0.3 + i * 0.1));
    }
}

void sign(Iso &iso, double x, double y, double z, double size, Emblem e, const QColor &plate,
          const QColor &ink)
{
    QPainter &p = iso.painter();
    const QPointF c = iso.at(x, y, z);
    const double s = size * iso.unit();
    QRectF r(c.x() - s / 2, c.y() - s / 2, s, s);
    p.setPen(QPen(shade(plate, 0.5), 0.6));
    p.setBrush(plate);
    p.drawRoundedRect(r, s * 0.12, s * 0.12);
    paintEmblem(p, e, r.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1), ink);
}

} // namespace z7::art
