#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>

#include <functional>

namespace z7::art {

// The oblique view of every picture: a 2:1 projection in which world x runs
// down to the right, world y down to the left and z straight up. One world
// unit is `unit` pixels along the screen's x axis. The sun stands at the
// left, so faces looking along +y are lit and faces looking along +x are in
// half shade.
class Iso
{
public:
    Iso(QPainter &painter, QPointF origin, double unit);

    QPointF at(double x, double y, double z = 0) const;
    double unit() const { return m_unit; }
    QPainter &painter() { return m_p; }

    // A flat quad on the plane z.
    void flat(double x, double y, double z, double w, double d, const QColor &fill,
              const QColor &edge = Qt::transparent);
    // A block with its lit (+y) and shaded (+x) walls and its top.
    void box(double x, double y, double z, double w, double d, double h, const QColor &wall,
             const QColor &top = QColor());
    // Only the two visible walls of a block: a band of another material on
    // the walls of a block drawn before (a brick ground floor, a plinth).
    void band(double x, double y, double w, double d, double z0, double z1, const QColor &wall);
    // Gable roof over the block (x, y, w, d) at height z; the ridge runs along
    // x when alongX, else along y.
    void gableRoof(double x, double y, double z, double w, double d, double h, const QColor &roof,
                   bool alongX, const QColor &gable = QColor(), bool tiles = true);
    void hipRoof(double x, double y, double z, double w, double d, double h, const QColor &roof,
                 bool tiles = true);
    void pyramid(double x, double y, double z, double w, double d, double h, const QColor &c);
    // Vertical cylinder standing at centre (cx, cy); radius r in world units.
    void cylinder(double cx, double cy, double z, double r, double h, const QColor &c,
                  const QColor &top = QColor());
    void cone(double cx, double cy, double z, double r, double h, const QColor &c);
    void dome(double cx, double cy, double z, double r, const QColor &c, double rise = 1.0);
    void ellipse(double cx, double cy, double z, double r, const QColor &fill,
                 const QColor &edge = Qt::transparent);
    void column(double x, double y, double z, double h, double r, const QColor &c);
    // A row of columns from (x0, y0) to (x1, y1), `count` of them.
    void colonnade(double x0, double y0, double x1, double y1, double z, double h, int count,
                   double r, const QColor &c);

    // Points on the wall plane x = const (face looking +x) or y = const
    // (face looking +y): u runs along the wall, v up.
    QPointF onFaceX(double x, double y0, double y1, double z0, double h, double u, double v) const;
    QPointF onFaceY(double y, double x0, double x1, double z0, double h, double u, double v) const;
    // Windows, doors and arches on a wall: the rectangle (u0..u1, v0..v1) of
    // the face, an arch when arched.
    void opening(bool faceX, double plane, double a0, double a1, double z0, double h, double u0,
                 double u1, double v0, double v1, const QColor &c, bool arched = false);
    // Evenly spaced windows on a wall, `rows` storeys of `count` each.
    void windows(bool faceX, double plane, double a0, double a1, double z0, double h, int count,
                 int rows, const QColor &c, bool arched = false, double width = 0.45);

    // Soft shadow that a block of height h throws to the back right, drawn
    // at once and kept on the ground patch (see setGround).
    void addShadow(double x, double y, double w, double d, double h);
    void setGround(double x, double y, double w, double d);

    void polygon(const QPolygonF &poly, const QColor &fill, const QColor &edge = Qt::transparent,
                 double edgeWidth = 0.6);

private:
    QPainter &m_p;
    QPointF m_origin;
    double m_unit;
    QPainterPath m_ground;
};

QColor shade(const QColor &c, double factor); // factor < 1 darker, > 1 lighter
QColor mix(const QColor &a, const QColor &b, double t);

} // namespace z7::art
