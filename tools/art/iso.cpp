#include "iso.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace z7::art {

namespace {
constexpr double kHeight = 1.15; // screen height of one unit of z, in units
constexpr double kSqrt2 = 1.41421356237;

double cross(QPointF o, QPointF a, QPointF b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

QPolygonF hull(std::vector<QPointF> pts)
{
    std::sort(pts.begin(), pts.end(), [](QPointF a, QPointF b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    std::vector<QPointF> h(2 * pts.size());
    size_t k = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    for (size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], pts[i - 1]) <= 0)
            --k;
        h[k++] = pts[i - 1];
    }
    h.resize(k > 0 ? k - 1 : 0);
    return QPolygonF(QList<QPointF>(h.begin(), h.end()));
}
} // namespace

QColor shade(const QColor &c, double factor)
{
    auto ch = [factor](int v) { return std::clamp(int(std::lround(v * factor)), 0, 255); };
    if (factor > 1.0) {
        // Lighten towards white so that saturated colours do not clip.
        const double t = std::min(1.0, factor - 1.0);
        return QColor(int(c.red() + (255 - c.red()) * t), int(c.green() + (255 - c.green()) * t),
                      int(c.blue() + (255 - c.blue()) * t), c.alpha());
    }
    return QColor(ch(c.red()), ch(c.green()), ch(c.blue()), c.alpha());
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor(
        int(a.red() + (b.red() - a.red()) * t), int(a.green() + (b.green() - a.green()) * t),
        int(a.blue() + (b.blue() - a.blue()) * t), int(a.alpha() + (b.alpha() - a.alpha()) * t));
}

Iso::Iso(QPainter &painter, QPointF origin, double unit)
    : m_p(painter)
    , m_origin(origin)
    , m_unit(unit)
{
}

QPointF Iso::at(double x, double y, double z) const
{
    return m_origin + QPointF((x - y) * m_unit, (x + y) * m_unit / 2 - z * m_unit * kHeight);
}

void Iso::polygon(const QPolygonF &poly, const QColor &fill, const QColor &edge, double edgeWidth)
{
    m_p.setBrush(fill);
    if (edge.alpha() == 0)
        m_p.setPen(Qt::NoPen);
    else
        m_p.setPen(QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_p.drawPolygon(poly);
}

void Iso::flat(double x, double y, double z, double w, double d, const QColor &fill,
               const QColor &edge)
{
    polygon({at(x, y, z), at(x + w, y, z), at(x + w, y + d, z), at(x, y + d, z)}, fill, edge);
}

void Iso::box(double x, double y, double z, double w, double d, double h, const QColor &wall,
              const QColor &top)
{
    const QColor edge = shade(wall, 0.5);
    QColor e = edge;
    e.setAlpha(150);
    // Lit wall (+y) with a touch of gradient: brighter up where the sun hits.
    QPolygonF left{at(x, y + d, z), at(x + w, y + d, z), at(x + w, y + d, z + h),
                   at(x, y + d, z + h)};
    QLinearGradient g(at(x, y + d, z + h), at(x, y + d, z));
    g.setColorAt(0, shade(wall, 1.05));
    g.setColorAt(1, shade(wall, 0.9));
    m_p.setBrush(g);
    m_p.setPen(QPen(e, 0.5));
    m_p.drawPolygon(left);
    QPolygonF right{at(x + w, y, z), at(x + w, y + d, z), at(x + w, y + d, z + h),
                    at(x + w, y, z + h)};
    QLinearGradient g2(at(x + w, y, z + h), at(x + w, y, z));
    g2.setColorAt(0, shade(wall, 0.74));
    g2.setColorAt(1, shade(wall, 0.62));
    m_p.setBrush(g2);
    m_p.drawPolygon(right);
    polygon({at(x, y, z + h), at(x + w, y, z + h), at(x + w, y + d, z + h), at(x, y + d, z + h)},
            top.isValid() ? top : shade(wall, 1.12), e, 0.5);
}

void Iso::band(double x, double y, double w, double d, double z0, double z1, const QColor &wall)
{
    QColor e = shade(wall, 0.5);
    e.setAlpha(150);
    polygon({at(x, y + d, z0), at(x + w, y + d, z0), at(x + w, y + d, z1), at(x, y + d, z1)}, wall,
            e, 0.5);
    polygon({at(x + w, y, z0), at(x + w, y + d, z0), at(x + w, y + d, z1), at(x + w, y, z1)},
            shade(wall, 0.7), e, 0.5);
}

void Iso::gableRoof(double x, double y, double z, double w, double d, double h, const QColor &roof,
                    bool alongX, const QColor &gable, bool tiles)
{
    const QColor lit = roof;
    const QColor dark = shade(roof, 0.7);
    const QColor back = shade(roof, 0.85);
    QColor edge = shade(roof, 0.45);
    edge.setAlpha(170);
    const QColor gab = gable.isValid() ? gable : shade(roof, 0.8);
    auto tileLines = [&](QPointF a0, QPointF a1, QPointF b0, QPointF b1, int n, const QColor &c) {
        // Lines from edge a (eave) to edge b (ridge), n of them.
        if (!tiles)
            return;
        QColor lc = shade(c, 0.72);
        lc.setAlpha(170);
        m_p.setPen(QPen(lc, 0.6));
        for (int i = 1; i < n; ++i) {
            const double t = double(i) / n;
            m_p.drawLine(a0 + (a1 - a0) * t, b0 + (b1 - b0) * t);
        }
    };
    if (alongX) {
        const double ym = y + d / 2;
        polygon({at(x, y, z), at(x + w, y, z), at(x + w, ym, z + h), at(x, ym, z + h)}, back, edge);
        polygon({at(x, y + d, z), at(x + w, y + d, z), at(x + w, ym, z + h), at(x, ym, z + h)}, lit,
                edge);
        tileLines(at(x, y + d, z), at(x + w, y + d, z), at(x, ym, z + h), at(x + w, ym, z + h),
                  std::max(2, int(w * 3.5)), lit);
        polygon({at(x + w, y, z), at(x + w, y + d, z), at(x + w, ym, z + h)}, gab, edge);
    } else {
        const double xm = x + w / 2;
        polygon({at(x, y, z), at(x, y + d, z), at(xm, y + d, z + h), at(xm, y, z + h)}, back, edge);
        polygon({at(x + w, y, z), at(x + w, y + d, z), at(xm, y + d, z + h), at(xm, y, z + h)},
                dark, edge);
        tileLines(at(x + w, y, z), at(x + w, y + d, z), at(xm, y, z + h), at(xm, y + d, z + h),
                  std::max(2, int(d * 3.5)), dark);
        polygon({at(x, y + d, z), at(x + w, y + d, z), at(xm, y + d, z + h)},
                gable.isValid() ? shade(gable, 1.05) : shade(roof, 0.95), edge);
    }
    // Ridge tiles.
    m_p.setPen(QPen(shade(roof, 0.55), 0.9));
    if (alongX)
        m_p.drawLine(at(x, y + d / 2, z + h), at(x + w, y + d / 2, z + h));
    else
        m_p.drawLine(at(x + w / 2, y, z + h), at(x + w / 2, y + d, z + h));
}

void Iso::hipRoof(double x, double y, double z, double w, double d, double h, const QColor &roof,
                  bool tiles)
{
    QColor edge = shade(roof, 0.45);
    edge.setAlpha(170);
    const double inset = std::min(w, d) / 2;
    const double rx0 = x + inset, rx1 = x + w - inset, ry0 = y + inset, ry1 = y + d - inset;
    const double zt = z + h;
    // Back slopes first, then the lit (+y) and shaded (+x) ones.
    polygon({at(x, y, z), at(x + w, y, z), at(rx1, ry0, zt), at(rx0, ry0, zt)}, shade(roof, 0.85),
            edge);
    polygon({at(x, y, z), at(x, y + d, z), at(rx0, ry1, zt), at(rx0, ry0, zt)}, shade(roof, 0.9),
            edge);
    polygon({at(x, y + d, z), at(x + w, y + d, z), at(rx1, ry1, zt), at(rx0, ry1, zt)}, roof, edge);
    polygon({at(x + w, y, z), at(x + w, y + d, z), at(rx1, ry1, zt), at(rx1, ry0, zt)},
            shade(roof, 0.7), edge);
    if (tiles) {
        QColor lc = shade(roof, 0.7);
        lc.setAlpha(150);
        m_p.setPen(QPen(lc, 0.55));
        const int n = std::max(2, int(w * 3.5));
        for (int i = 1; i < n; ++i) {
            const double t = double(i) / n;
            const QPointF a = at(x + w * t, y + d, z);
            const double tx = rx0 + (rx1 - rx0) * t;
            const QPointF b = at(tx, ry1, zt);
            m_p.drawLine(a, b);
        }
        const int m = std::max(2, int(d * 3.5));
        lc = shade(roof, 0.5);
        lc.setAlpha(150);
        m_p.setPen(QPen(lc, 0.55));
        for (int i = 1; i < m; ++i) {
            const double t = double(i) / m;
            m_p.drawLine(at(x + w, y + d * t, z), at(rx1, ry0 + (ry1 - ry0) * t, zt));
        }
    }
    m_p.setPen(QPen(shade(roof, 0.55), 0.8));
    m_p.drawLine(at(rx0, ry0, zt), at(rx1, ry1, zt));
}

void Iso::pyramid(double x, double y, double z, double w, double d, double h, const QColor &c)
{
    QColor edge = shade(c, 0.5);
    edge.setAlpha(160);
    const QPointF apex = at(x + w / 2, y + d / 2, z + h);
    polygon({at(x, y, z), at(x + w, y, z), apex}, shade(c, 0.85), edge);
    polygon({at(x, y, z), at(x, y + d, z), apex}, shade(c, 0.9), edge);
    polygon({at(x, y + d, z), at(x + w, y + d, z), apex}, c, edge);
    polygon({at(x + w, y, z), at(x + w, y + d, z), apex}, shade(c, 0.7), edge);
}

void Iso::ellipse(double cx, double cy, double z, double r, const QColor &fill, const QColor &edge)
{
    const QPointF c = at(cx, cy, z);
    const double rx = r * kSqrt2 * m_unit, ry = rx / 2;
    m_p.setBrush(fill);
    if (edge.alpha() == 0)
        m_p.setPen(Qt::NoPen);
    else
        m_p.setPen(QPen(edge, 0.6));
    m_p.drawEllipse(c, rx, ry);
}

void Iso::cylinder(double cx, double cy, double z, double r, double h, const QColor &c,
                   const QColor &top)
{
    const QPointF b = at(cx, cy, z), t = at(cx, cy, z + h);
    const double rx = r * kSqrt2 * m_unit, ry = rx / 2;
    QPainterPath body;
    body.moveTo(b.x() - rx, t.y());
    body.lineTo(b.x() - rx, b.y());
    body.arcTo(QRectF(b.x() - rx, b.y() - ry, 2 * rx, 2 * ry), 180, 180);
    body.lineTo(b.x() + rx, t.y());
    body.closeSubpath();
    QLinearGradient g(b.x() - rx, 0, b.x() + rx, 0);
    g.setColorAt(0, shade(c, 0.95));
    g.setColorAt(0.3, shade(c, 1.08));
    g.setColorAt(1, shade(c, 0.6));
    m_p.setBrush(g);
    QColor e = shade(c, 0.5);
    e.setAlpha(150);
    m_p.setPen(QPen(e, 0.5));
    m_p.drawPath(body);
    m_p.setBrush(top.isValid() ? top : shade(c, 1.1));
    m_p.drawEllipse(t, rx, ry);
}

void Iso::cone(double cx, double cy, double z, double r, double h, const QColor &c)
{
    const QPointF b = at(cx, cy, z), apex = at(cx, cy, z + h);
    const double rx = r * kSqrt2 * m_unit, ry = rx / 2;
    QPainterPath p;
    p.moveTo(apex);
    p.lineTo(b.x() - rx, b.y());
    p.arcTo(QRectF(b.x() - rx, b.y() - ry, 2 * rx, 2 * ry), 180, 180);
    p.closeSubpath();
    QLinearGradient g(b.x() - rx, 0, b.x() + rx, 0);
    g.setColorAt(0, shade(c, 0.95));
    g.setColorAt(0.35, shade(c, 1.1));
    g.setColorAt(1, shade(c, 0.6));
    m_p.setBrush(g);
    QColor e = shade(c, 0.5);
    e.setAlpha(150);
    m_p.setPen(QPen(e, 0.5));
    m_p.drawPath(p);
}

void Iso::dome(double cx, double cy, double z, double r, const QColor &c, double rise)
{
    const QPointF b = at(cx, cy, z);
    const double rx = r * kSqrt2 * m_unit, ry = rx / 2;
    const double hh = r * m_unit * kHeight * rise + ry * 0.2;
    QPainterPath p;
    p.moveTo(b.x() - rx, b.y());
    p.arcTo(QRectF(b.x() - rx, b.y() - hh, 2 * rx, 2 * hh), 180, -180);
    p.arcTo(QRectF(b.x() - rx, b.y() - ry, 2 * rx, 2 * ry), 0, -180);
    p.closeSubpath();
    QRadialGradient g(QPointF(b.x() - rx * 0.35, b.y() - hh * 0.6), rx * 1.4);
    g.setColorAt(0, shade(c, 1.25));
    g.setColorAt(0.5, c);
    g.setColorAt(1, shade(c, 0.55));
    m_p.setBrush(g);
    QColor e = shade(c, 0.45);
    e.setAlpha(160);
    m_p.setPen(QPen(e, 0.5));
    m_p.drawPath(p);
}

void Iso::column(double x, double y, double z, double h, double r, const QColor &c)
{
    const QPointF b = at(x, y, z), t = at(x, y, z + h);
    const double rx = std::max(0.7, r * kSqrt2 * m_unit);
    QLinearGradient g(b.x() - rx, 0, b.x() + rx, 0);
    g.setColorAt(0, shade(c, 0.95));
    g.setColorAt(0.35, shade(c, 1.15));
    g.setColorAt(1, shade(c, 0.6));
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(g);
    m_p.drawRect(QRectF(b.x() - rx, t.y(), 2 * rx, b.y() - t.y()));
    m_p.setBrush(shade(c, 0.9));
    m_p.drawRect(QRectF(t.x() - rx * 1.5, t.y() - 0.9, rx * 3, 1.3));
    m_p.drawRect(QRectF(b.x() - rx * 1.4, b.y() - 1.0, rx * 2.8, 1.2));
}

void Iso::colonnade(double x0, double y0, double x1, double y1, double z, double h, int count,
                    double r, const QColor &c)
{
    for (int i = 0; i < count; ++i) {
        const double t = count == 1 ? 0.5 : double(i) / (count - 1);
        column(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, z, h, r, c);
    }
}

QPointF Iso::onFaceX(double x, double y0, double y1, double z0, double h, double u, double v) const
{
    return at(x, y0 + (y1 - y0) * u, z0 + h * v);
}

QPointF Iso::onFaceY(double y, double x0, double x1, double z0, double h, double u, double v) const
{
    return at(x0 + (x1 - x0) * u, y, z0 + h * v);
}

void Iso::opening(bool faceX, double plane, double a0, double a1, double z0, double h, double u0,
                  double u1, double v0, double v1, const QColor &c, bool arched)
{
    auto pt = [&](double u, double v) {
        return faceX ? onFaceX(plane, a0, a1, z0, h, u, v) : onFaceY(plane, a0, a1, z0, h, u, v);
    };
    QPolygonF poly;
    poly << pt(u0, v0) << pt(u1, v0);
    if (arched) {
        // Radius in world units turned back into face fractions.
        const double rWorld = (u1 - u0) * std::abs(a1 - a0) / 2;
        const double rv = rWorld / h;
        const double vs = std::max(v0, v1 - rv);
        poly << pt(u1, vs);
        for (int i = 1; i < 12; ++i) {
            const double ang = std::numbers::pi * i / 12;
            poly << pt((u0 + u1) / 2 + (u1 - u0) / 2 * std::cos(ang), vs + rv * std::sin(ang));
        }
        poly << pt(u0, vs);
    } else {
        poly << pt(u1, v1) << pt(u0, v1);
    }
    polygon(poly, c);
}

void Iso::windows(bool faceX, double plane, double a0, double a1, double z0, double h, int count,
                  int rows, const QColor &c, bool arched, double width)
{
    for (int r = 0; r < rows; ++r) {
        const double v0 = (r + 0.3) / rows, v1 = (r + 0.78) / rows;
        for (int i = 0; i < count; ++i) {
            const double uc = (i + 0.5) / count, hw = width / count / 2;
            opening(faceX, plane, a0, a1, z0, h, uc - hw, uc + hw, v0, v1, c, arched);
        }
    }
}

void Iso::addShadow(double x, double y, double w, double d, double h)
{
    const double s = h * 0.55;
    std::vector<QPointF> pts{
        at(x, y),         at(x + w, y),         at(x + w, y + d),         at(x, y + d),
        at(x + s, y - s), at(x + w + s, y - s), at(x + w + s, y + d - s), at(x + s, y + d - s)};
    m_p.save();
    if (!m_ground.isEmpty())
        m_p.setClipPath(m_ground);
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(QColor(20, 30, 10, 64));
    m_p.drawPolygon(hull(pts));
    m_p.restore();
}

void Iso::setGround(double x, double y, double w, double d)
{
    m_ground = QPainterPath();
    m_ground.addPolygon(QPolygonF{at(x, y), at(x + w, y), at(x + w, y + d), at(x, y + d)});
    m_ground.closeSubpath();
}

} // namespace z7::art
