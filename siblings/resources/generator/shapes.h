// Signed distances to the shapes the images are drawn from: negative inside,
// positive outside, in pixels. Pixel (x, y) covers [x, x+1) x [y, y+1).
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace pkw::images {

struct Point {
    float x, y;
};

struct Box {
    float left, top, right, bottom;
};

inline float RoundRect(Point p, Box b, float radius) {
    const float cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    const float qx = std::abs(p.x - cx) - ((b.right - b.left) / 2 - radius);
    const float qy = std::abs(p.y - cy) - ((b.bottom - b.top) / 2 - radius);
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

inline float Circle(Point p, Point centre, float radius) {
    return std::hypot(p.x - centre.x, p.y - centre.y) - radius;
}

inline float SegmentDistance(Point p, Point a, Point b) {
    const float abx = b.x - a.x, aby = b.y - a.y;
    const float t =
        std::clamp(((p.x - a.x) * abx + (p.y - a.y) * aby) / (abx * abx + aby * aby), 0.0f, 1.0f);
    return std::hypot(p.x - (a.x + abx * t), p.y - (a.y + aby * t));
}

// A stroke of the given width along a polyline, with round ends and joins.
inline float Stroke(Point p, std::initializer_list<Point> line, float width) {
    float d = 1e9f;
    const Point* prev = nullptr;
    for (const Point& q : line) {
        if (prev) d = std::min(d, SegmentDistance(p, *prev, q));
        prev = &q;
    }
    return d - width / 2;
}

inline bool Inside(float distance) {
    return distance <= 0;
}

} // namespace pkw::images
