#include "siblings/globals/tip_shape.h"

#include <algorithm>
#include <cmath>

namespace pkw::globals {
namespace {

Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k};
}
double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
double cross(Vec a, Vec b) {
    return a.x * b.y - a.y * b.x;
}

double roundedRectDistance(Vec p, const RECT& r, double radius) {
    const double hx = (r.right - r.left) / 2.0;
    const double hy = (r.bottom - r.top) / 2.0;
    const double qx = std::abs(p.x - (r.left + hx)) - (hx - radius);
    const double qy = std::abs(p.y - (r.top + hy)) - (hy - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double triangleDistance(Vec p, Vec a, Vec b, Vec c) {
    const Vec edges[3] = {b - a, c - b, a - c};
    const Vec corners[3] = {a, b, c};
    const double orientation = cross(edges[0], edges[2]) > 0 ? 1.0 : -1.0;
    double nearest = 1e30;
    double side = 1e30;
    for (int i = 0; i < 3; ++i) {
        const Vec v = p - corners[i];
        const Vec e = edges[i];
        const Vec q = v - e * std::clamp(dot(v, e) / dot(e, e), 0.0, 1.0);
        nearest = std::min(nearest, dot(q, q));
        side = std::min(side, orientation * cross(v, e));
    }
    return side < 0 ? std::sqrt(nearest) : -std::sqrt(nearest);
}

} // namespace

double TipShapeField::distance(Vec p) const {
    double d = roundedRectDistance(p, body, radius);
    if (hasTail) d = std::min(d, triangleDistance(p, apex, baseLeft, baseRight));
    return d;
}

double coverage(double distance) {
    return std::clamp(0.5 - distance, 0.0, 1.0);
}

TipShapeField shapeFieldOf(const TipGeometry& g, POINT origin, int borderWidth) {
    TipShapeField s;
    s.body = g.body;
    ::OffsetRect(&s.body, -origin.x, -origin.y);
    s.radius = g.radius;
    s.hasTail = g.hasTail;
    if (!g.hasTail) return s;
    // On pixel edges across, so that a straight side of the tail stays crisp.
    s.apex = Vec{double(g.apex.x - origin.x), g.apex.y - origin.y + 0.5};
    const double edge = g.below ? s.body.top : s.body.bottom;
    // The tail's sides run on into the body, so that the seam gets no border.
    const double length = std::abs(edge - s.apex.y);
    const double stretch = (length + borderWidth + 3) / std::max(length, 1.0);
    const Vec left{double(g.baseLeft - origin.x), edge};
    const Vec right{double(g.baseRight - origin.x), edge};
    s.baseLeft =
        Vec{s.apex.x + (left.x - s.apex.x) * stretch, s.apex.y + (edge - s.apex.y) * stretch};
    s.baseRight = Vec{s.apex.x + (right.x - s.apex.x) * stretch, s.baseLeft.y};
    return s;
}

} // namespace pkw::globals
