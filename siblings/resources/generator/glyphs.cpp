#include "glyphs.h"

#include "palette.h"
#include "render.h"

namespace pkw::images {
namespace {

using namespace palette;

enum Look { kNormal, kHot, kPressed, kDisabled };

struct GlyphLook {
    Color fill;
    Color border;
    Color mark; // check mark, mixed square or option dot
};

// [value][look]; the frame index is value * 4 + look.
constexpr GlyphLook kCheckLooks[3][4] = {
    // unchecked: a light box, accent border when hot, deeper tint when pressed
    {{kWhite, kBorder, kWhite},
     {kAccentTint, kAccent, kWhite},
     {kAccentTintPressed, kAccentPressed, kWhite},
     {kDisabledFill, kDisabledBorder, kDisabledFill}},
    // checked: a filled accent box with a white check mark
    {{kAccent, kAccent, kWhite},
     {kAccentHot, kAccentHot, kWhite},
     {kAccentPressed, kAccentPressed, Hex(0xE8F0F8)},
     {kDisabledMark, kDisabledMark, kWhite}},
    // grayed (mixed): the unchecked box holding a filled accent square
    {{kWhite, kBorder, kAccent},
     {kAccentTint, kAccent, kAccentHot},
     {kAccentTintPressed, kAccentPressed, kAccentPressed},
     {kDisabledFill, kDisabledBorder, kDisabledMark}},
};

constexpr GlyphLook kOptionLooks[2][4] = {
    // unselected: a light ring
    {{kWhite, kBorder, kWhite},
     {kAccentTint, kAccent, kWhite},
     {kAccentTintPressed, kAccentPressed, kWhite},
     {kDisabledFill, kDisabledBorder, kDisabledFill}},
    // selected: an accent disc with a white dot
    {{kAccent, kAccent, kWhite},
     {kAccentHot, kAccentHot, kWhite},
     {kAccentPressed, kAccentPressed, Hex(0xE8F0F8)},
     {kDisabledMark, kDisabledMark, kWhite}},
};

// The option dot grows while hot and shrinks while pressed.
constexpr float kDotRadius[4] = {2.6f, 3.0f, 2.2f, 2.6f};

enum class Mark { kNone, kCheck, kSquare };

// A box of the given size at the origin with a one-pixel border.
Paint ShadeBox(Point p, float size, float radius, const GlyphLook& look, Mark mark) {
    const float edge = RoundRect(p, {0, 0, size, size}, radius);
    if (!Inside(edge)) return {false, look.fill};
    if (mark == Mark::kCheck) {
        const float s = size / kGlyphSize;
        if (Inside(Stroke(p, {{3.2f * s, 6.7f * s}, {5.5f * s, 9.0f * s}, {9.8f * s, 4.2f * s}},
                          1.75f * s)))
            return {true, look.mark};
    }
    if (mark == Mark::kSquare) {
        const float inset = size * 3.0f / kGlyphSize;
        if (Inside(RoundRect(p, {inset, inset, size - inset, size - inset}, 1.0f)))
            return {true, look.mark};
    }
    return {true, edge > -1.0f ? look.border : look.fill};
}

Paint ShadeOption(Point p, float size, const GlyphLook& look, float dotRadius) {
    const Point centre{size / 2, size / 2};
    const float edge = Circle(p, centre, size / 2);
    if (!Inside(edge)) return {false, look.fill};
    if (dotRadius > 0 && Inside(Circle(p, centre, dotRadius))) return {true, look.mark};
    // A ring a little over a pixel wide stays unbroken around the circle.
    return {true, edge > -1.3f ? look.border : look.fill};
}

// Edge pixels of the outline lean half-way towards the glyph's inside colour:
// soft on light backgrounds, and never a blend with the mask colour.
RenderOptions MaskedOn(Color inside) {
    return RenderOptions{true, inside, 8, 0.5f};
}

} // namespace

Image DrawCheckBoxStrip() {
    Image strip(kGlyphSize, kGlyphSize * 12, kMask);
    for (int value = 0; value < 3; ++value) {
        for (int look = 0; look < 4; ++look) {
            const GlyphLook& style = kCheckLooks[value][look];
            const Mark mark = value == 1 ? Mark::kCheck : value == 2 ? Mark::kSquare : Mark::kNone;
            const Cell cell{0, (value * 4 + look) * kGlyphSize, kGlyphSize, kGlyphSize};
            Render(
                strip, cell, [&](Point p) { return ShadeBox(p, kGlyphSize, 3.0f, style, mark); },
                MaskedOn(style.fill));
        }
    }
    return strip;
}

Image DrawOptionStrip() {
    Image strip(kGlyphSize, kGlyphSize * 8, kMask);
    for (int value = 0; value < 2; ++value) {
        for (int look = 0; look < 4; ++look) {
            const GlyphLook& style = kOptionLooks[value][look];
            const float dot = value == 1 ? kDotRadius[look] : 0.0f;
            const Cell cell{0, (value * 4 + look) * kGlyphSize, kGlyphSize, kGlyphSize};
            Render(
                strip, cell, [&](Point p) { return ShadeOption(p, kGlyphSize, style, dot); },
                MaskedOn(style.fill));
        }
    }
    return strip;
}

// Toolbox images show the selected look, centred, opaque on the face colour
// (the lower-left pixel, which toolboxes take as transparent).
Image DrawCheckBoxToolboxImage() {
    Image image(16, 15, ToRgb(kFace));
    const GlyphLook& style = kCheckLooks[1][kNormal];
    Render(
        image, {2, 1, 13, 13},
        [&](Point p) { return ShadeBox(p, 12.0f, 2.5f, style, Mark::kCheck); },
        RenderOptions{false, kFace, 8});
    return image;
}

Image DrawOptionToolboxImage() {
    Image image(16, 15, ToRgb(kFace));
    const GlyphLook& style = kOptionLooks[1][kNormal];
    Render(
        image, {2, 1, 13, 13}, [&](Point p) { return ShadeOption(p, 12.0f, style, 2.6f); },
        RenderOptions{false, kFace, 8});
    return image;
}

} // namespace pkw::images
