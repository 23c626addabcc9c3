#include "about.h"

#include "palette.h"
#include "pixel_font.h"
#include "render.h"

#include <cmath>

namespace pkw::images {
namespace {

using namespace palette;

constexpr int kAboutWidth = 350, kAboutHeight = 230;
constexpr float kPi = 3.14159265f;

// Lower edge of the header band: a long, gentle wave.
float BandEdge(float x) {
    return 76.0f + 9.0f * std::sin(x / kAboutWidth * 1.6f * kPi + 0.5f);
}

Color Header(Point p) {
    const Color left = Hex(0x00539C), right = Hex(0x1A8FD1);
    Color c = Mix(left, right, p.x / kAboutWidth);
    // Two large, faint rings for depth on the right.
    for (const auto& [centre, radius] :
         {std::pair{Point{300, 10}, 70.0f}, std::pair{Point{250, 95}, 48.0f}})
        if (Inside(Circle(p, centre, radius))) c = Mix(c, kWhite, 0.07f);
    return c;
}

Color Body(Point p) {
    Color c = Mix(Hex(0xFFFFFF), Hex(0xE9F1FA), p.y / kAboutHeight);
    // A thin light-accent line following the band, and a dotted corner.
    const float below = p.y - BandEdge(p.x);
    if (below < 3.0f) return Mix(c, Hex(0x9CC8EC), 0.8f);
    const float dx = std::fmod(p.x, 10.0f) - 5.0f, dy = std::fmod(p.y, 10.0f) - 5.0f;
    if (p.x > 250 && p.y > 170 && dx * dx + dy * dy < 1.2f) {
        const float fade = std::min((p.x - 250) / 100.0f, (p.y - 170) / 60.0f);
        c = Mix(c, Hex(0xB9D5EF), fade);
    }
    return c;
}

// The emblem: a checked box and a selected option button in white.
bool Emblem(Point p, Color& c) {
    const Box box{134, 22, 162, 50};
    const float edge = RoundRect(p, box, 6.0f);
    if (Inside(edge)) {
        const bool mark = Inside(Stroke(p, {{141, 36.5f}, {146, 41.5f}, {155.5f, 30.5f}}, 3.6f));
        c = edge > -2.5f || mark ? kWhite : Mix(Header(p), kWhite, 0.15f);
        return true;
    }
    const Point centre{202, 36};
    const float ring = Circle(p, centre, 14.0f);
    if (Inside(ring)) {
        c = ring > -2.5f || Inside(Circle(p, centre, 6.0f)) ? kWhite
                                                            : Mix(Header(p), kWhite, 0.15f);
        return true;
    }
    return false;
}

Paint ShadeAbout(Point p) {
    Color c{};
    if (p.y >= BandEdge(p.x)) return {true, Body(p)};
    if (Emblem(p, c)) return {true, c};
    return {true, Header(p)};
}

struct CloseLook {
    Color fill;
    Color border;
    int shift; // the label moves down and right while pressed
};

constexpr CloseLook kCloseLooks[3] = {
    {Hex(0xFBFBFB), Hex(0xADADAD), 0},
    {kAccentTint, kAccent, 0},
    {kAccentTintPressed, kAccentPressed, 1},
};

constexpr char kCloseLabel[] = "Close";

Paint ShadeClose(Point p, const CloseLook& look) {
    const float edge = RoundRect(p, {0, 0, kCloseFrameWidth, 25}, 4.0f);
    if (!Inside(edge)) return {false, kFace};
    if (edge > -1.0f) return {true, look.border};
    const float x0 = float((kCloseFrameWidth - TextWidth(kCloseLabel)) / 2 + look.shift);
    const float y0 = float((25 - kFontHeight) / 2 + look.shift);
    if (TextCovers(kCloseLabel, {p.x - x0, p.y - y0})) return {true, kText};
    return {true, look.fill};
}

} // namespace

Image DrawAboutBackground() {
    Image image(kAboutWidth, kAboutHeight, kMask);
    Render(image, {0, 0, kAboutWidth, kAboutHeight}, ShadeAbout, RenderOptions{false, kWhite, 4});
    return image;
}

Image DrawCloseButtonStrip() {
    Image strip(kCloseFrameStride * 2 + kCloseFrameWidth, 25, kMask);
    for (int k = 0; k < 3; ++k) {
        const CloseLook& look = kCloseLooks[k];
        Render(
            strip, {k * kCloseFrameStride, 0, kCloseFrameWidth, 25},
            [&](Point p) { return ShadeClose(p, look); }, RenderOptions{false, kFace, 8});
    }
    return strip;
}

} // namespace pkw::images
