#include "siblings/globals/tip_painter.h"

#include "siblings/globals/tip_layout.h"

#include <algorithm>
#include <cmath>

namespace pkw::globals {
namespace {

// The font of one line kind: the set's font while the set holds it, or the
// system's message font.
class TipFont {
public:
    explicit TipFont(IFont* font) {
        if (font && SUCCEEDED(font->get_hFont(&handle_)) && handle_) return;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            owned_.reset(::CreateFontIndirectW(&metrics.lfMessageFont));
        handle_ = owned_ ? owned_.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    }
    HFONT get() const noexcept { return handle_; }

private:
    UniqueFont owned_;
    HFONT handle_ = nullptr;
};

UINT alignFlag(TipAlign align) {
    switch (align) {
    case TipAlign::Centre:
        return DT_CENTER;
    case TipAlign::Right:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

// Room between the border and the text: the set's margins, but never so
// little that the text touches the rounded corners.
RECT paddingOf(const TipStyle& style) {
    const int corner = std::min(style.radius, 40) * 3 / 10;
    const LONG bw = style.borderWidth;
    return RECT{std::max<LONG>(style.margins.left, 7 + corner) + bw,
                std::max<LONG>(style.margins.top, 4 + corner) + bw,
                std::max<LONG>(style.margins.right, 7 + corner) + bw,
                std::max<LONG>(style.margins.bottom, 4 + corner) + bw};
}

// Pixels the picture needs around the shape: anti-aliasing and the shadow.
int outsetOf(const TipStyle& style) {
    const TipShadow& s = style.shadow;
    return 1 + (s.on ? std::max(std::abs(s.dx), std::abs(s.dy)) + s.softness : 0);
}

// Where the lines go, relative to the body's top-left corner.
struct TipLines {
    SIZE body{};
    RECT header{};
    RECT text{};
    bool hasHeader = false;
    UINT headerFlags = 0;
    UINT textFlags = 0;
};

SIZE measure(HDC dc, HFONT font, std::wstring_view text, UINT flags, LONG width) {
    SelectedObject selected(dc, font);
    RECT r{0, 0, std::max<LONG>(width, 1), 0};
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

TipLines arrange(HDC dc, const TipStyle& style, TipText text, HFONT headerFont, HFONT textFont,
                 LONG widest) {
    const RECT pad = paddingOf(style);
    const UINT wrap = style.wordWrap && style.flexLimit > 0 ? DT_WORDBREAK | DT_EDITCONTROL : 0;
    LONG limit = wrap ? style.flexLimit : widest;
    limit = std::max<LONG>(std::min(limit, widest - pad.left - pad.right), 16);

    TipLines lines;
    lines.hasHeader = !text.header.empty();
    lines.headerFlags = DT_NOPREFIX | DT_EXPANDTABS | wrap | alignFlag(style.headerAlign);
    lines.textFlags = DT_NOPREFIX | DT_EXPANDTABS | wrap | alignFlag(style.captionAlign);
    const SIZE header = lines.hasHeader ? measure(dc, headerFont, text.header, lines.headerFlags,
                                                  limit - style.headerIndent)
                                        : SIZE{};
    const SIZE body =
        measure(dc, textFont, text.text, lines.textFlags, limit - style.captionIndent);
    // Lines too long for the screen are cut (DrawTextW clips to its rectangle).
    LONG width = std::min(std::max(lines.hasHeader ? header.cx + style.headerIndent : 0,
                                   body.cx + style.captionIndent),
                          limit);
    // Room for the tail's base between the rounded corners, however short the text.
    width = std::max<LONG>(width, 2 * style.radius + 4 + style.tailWidth - pad.left - pad.right);
    const LONG gap = lines.hasHeader ? std::max(style.headerSeparation, 4) : 0;

    lines.header =
        RECT{pad.left + style.headerIndent, pad.top, pad.left + width, pad.top + header.cy};
    const LONG textTop = pad.top + header.cy + gap;
    lines.text = RECT{pad.left + style.captionIndent, textTop, pad.left + width, textTop + body.cy};
    lines.body = SIZE{pad.left + width + pad.right, textTop + body.cy + pad.bottom};
    return lines;
}

struct Vec {
    double x, y;
};
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

// Signed distance (negative inside) to a rounded rectangle.
double roundedRectDistance(Vec p, const RECT& r, double radius) {
    const double hx = (r.right - r.left) / 2.0;
    const double hy = (r.bottom - r.top) / 2.0;
    const double qx = std::abs(p.x - (r.left + hx)) - (hx - radius);
    const double qy = std::abs(p.y - (r.top + hy)) - (hy - radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// Signed distance (negative inside) to a triangle.
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

double coverage(double distance) {
    return std::clamp(0.5 - distance, 0.0, 1.0);
}

// The shape in picture coordinates.
struct Shape {
    RECT body{};
    double radius = 0;
    bool hasTail = false;
    Vec apex{}, baseLeft{}, baseRight{};

    double distance(Vec p) const {
        double d = roundedRectDistance(p, body, radius);
        if (hasTail) d = std::min(d, triangleDistance(p, apex, baseLeft, baseRight));
        return d;
    }
};

Shape shapeOf(const TipGeometry& g, POINT origin, int borderWidth) {
    Shape s;
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

struct Rgb {
    double r, g, b;
};
Rgb rgbOf(COLORREF c) {
    return {double(GetRValue(c)), double(GetGValue(c)), double(GetBValue(c))};
}
Rgb rgbOfPixel(DWORD p) {
    return {double((p >> 16) & 0xFF), double((p >> 8) & 0xFF), double(p & 0xFF)};
}
DWORD premultiplied(Rgb c, double alpha) {
    const auto channel = [](double v) {
        return static_cast<DWORD>(std::clamp(std::lround(v), 0L, 255L));
    };
    return channel(alpha * 255) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// Gives every pixel the shape's alpha; the pixels inside hold the fill and
// the text as GDI drew them.
void composeShape(const TipPicture& picture, const Shape& shape, const TipStyle& style) {
    const Rgb border = rgbOf(style.border);
    const Rgb shadowColor = rgbOf(style.shadow.color);
    const TipShadow& shadow = style.shadow;
    const double shadowAlpha = shadow.alpha / 255.0;
    const SIZE size = picture.size();
    std::uint32_t* row = picture.pixels();
    for (int y = 0; y < size.cy; ++y, row += size.cx) {
        for (int x = 0; x < size.cx; ++x) {
            const Vec p{x + 0.5, y + 0.5};
            const double d = shape.distance(p);
            const double cover = coverage(d);
            const double inner = style.borderWidth > 0 ? coverage(d + style.borderWidth) : cover;
            const Rgb drawn = rgbOfPixel(row[x]);
            // Premultiplied: the fill where the inner shape covers, the
            // border on the rest of the shape.
            Rgb c{drawn.r * inner + border.r * (cover - inner),
                  drawn.g * inner + border.g * (cover - inner),
                  drawn.b * inner + border.b * (cover - inner)};
            double alpha = cover;
            if (shadow.on && cover < 1.0) {
                const double sd = shape.distance(Vec{p.x - shadow.dx, p.y - shadow.dy});
                const double s =
                    shadowAlpha *
                    std::clamp((shadow.softness / 2.0 - sd) / shadow.softness, 0.0, 1.0);
                const double under = s * (1.0 - cover);
                c = Rgb{c.r + shadowColor.r * under, c.g + shadowColor.g * under,
                        c.b + shadowColor.b * under};
                alpha += under;
            }
            row[x] = premultiplied(c, alpha);
        }
    }
}

void drawLine(HDC dc, HFONT font, COLORREF color, std::wstring_view text, RECT where, UINT flags,
              POINT offset) {
    if (text.empty()) return;
    ::OffsetRect(&where, offset.x, offset.y);
    SelectedObject selected(dc, font);
    ::SetTextColor(dc, color);
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &where, flags);
}

} // namespace

TipPicture drawTip(const TipStyle& style, TipText text, POINT point, SHORT xDisplay, SHORT yDisplay,
                   const RECT& workArea) {
    const TipFont textFont(style.font.Get());
    const TipFont headerFont(style.headerFont ? style.headerFont.Get() : style.font.Get());
    const int outset = outsetOf(style);
    RECT area = workArea;
    ::InflateRect(&area, -outset, -outset);

    UniqueMemoryDc measuring(::CreateCompatibleDC(nullptr));
    if (!measuring) return {};
    TipLines lines = arrange(measuring.get(), style, text, headerFont.get(), textFont.get(),
                             area.right - area.left);
    // A text taller than the screen is cut at its foot.
    const LONG tallest = area.bottom - area.top - style.tailLength;
    if (lines.body.cy > tallest) {
        lines.text.bottom -= lines.body.cy - tallest;
        lines.body.cy = tallest;
    }

    const TipShape shape{style.radius, style.tailLength, style.tailWidth};
    const TipGeometry g = placeTip(lines.body, shape, point, xDisplay, yDisplay, area);
    RECT frame = g.bounds;
    ::InflateRect(&frame, outset, outset);

    TipPicture picture;
    if (!picture.create(frame.right - frame.left, frame.bottom - frame.top)) return {};
    picture.origin = POINT{frame.left, frame.top};
    picture.below = g.below;

    // The fill everywhere first, so that GDI blends the text's edges with it.
    const UniqueBrush fill(::CreateSolidBrush(style.back));
    const RECT all{0, 0, picture.size().cx, picture.size().cy};
    ::FillRect(picture.dc(), &all, fill.get());
    ::SetBkMode(picture.dc(), TRANSPARENT);
    const POINT body{g.body.left - frame.left, g.body.top - frame.top};
    if (lines.hasHeader)
        drawLine(picture.dc(), headerFont.get(), style.header, text.header, lines.header,
                 lines.headerFlags, body);
    drawLine(picture.dc(), textFont.get(), style.text, text.text, lines.text, lines.textFlags,
             body);
    ::GdiFlush();

    composeShape(picture, shapeOf(g, picture.origin, style.borderWidth), style);
    return picture;
}

} // namespace pkw::globals
