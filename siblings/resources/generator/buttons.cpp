#include "buttons.h"

#include "palette.h"
#include "render.h"

namespace pkw::images {
namespace {

using namespace palette;

struct ButtonLook {
    Color fillTop;
    Color fillBottom;
    Color border;
    Color borderBottom; // the lowest border row, for a hint of depth
    bool ring;          // a second, inner accent border (focus)
    bool highlight;     // a light first row inside the border
};

constexpr Color kButtonFill = Hex(0xFBFBFB);
constexpr Color kButtonBorder = Hex(0xADADAD);
constexpr Color kButtonBorderLow = Hex(0x8F8F8F);
constexpr Color kButtonDisabledFill = Hex(0xF4F4F4);
constexpr Color kButtonDisabledBorder = Hex(0xCFCFCF);

constexpr ButtonLook kStyle1[8] = {
    {kButtonFill, kButtonFill, kButtonBorder, kButtonBorderLow, false, false},
    {kAccentTint, kAccentTint, kAccent, kAccentPressed, false, false},
    {kButtonFill, kButtonFill, kAccent, kAccentPressed, true, false},
    {kButtonDisabledFill, kButtonDisabledFill, kButtonDisabledBorder, kButtonDisabledBorder, false,
     false},
    {kAccentTint, kAccentTint, kAccent, kAccentPressed, true, false},
    {kButtonFill, kButtonFill, kAccent, kAccentPressed, false, false},
    {kAccentTintPressed, kAccentTintPressed, kAccentPressed, kAccentPressed, false, false},
    {kAccentTintPressed, kAccentTintPressed, kAccentPressed, kAccentPressed, true, false},
};

constexpr ButtonLook kStyle2[6] = {
    {Hex(0xFDFDFD), Hex(0xE6E6E6), Hex(0x9C9C9C), Hex(0x858585), false, true},
    {Hex(0xF0F7FD), Hex(0xD3E8FA), kAccentHot, kAccent, false, true},
    {Hex(0xC5DEF5), Hex(0xB3D4F1), kAccentPressed, kAccentPressed, false, false},
    {kButtonDisabledFill, kButtonDisabledFill, kButtonDisabledBorder, kButtonDisabledBorder, false,
     false},
    {Hex(0xFDFDFD), Hex(0xE6E6E6), kAccent, kAccentPressed, false, true},
    {Hex(0xFDFDFD), Hex(0xE6E6E6), kAccent, kAccentPressed, true, true},
};

Paint ShadeButton(Point p, float w, float h, float radius, const ButtonLook& look) {
    const float edge = RoundRect(p, {0, 0, w, h}, radius);
    if (!Inside(edge)) return {false, look.fillTop};
    if (edge > -1.0f) return {true, p.y > h - 1.0f ? look.borderBottom : look.border};
    if (look.ring && edge > -2.0f) return {true, look.border};
    if (look.highlight && p.y < 2.0f) return {true, Mix(look.fillTop, kWhite, 0.7f)};
    return {true, Mix(look.fillTop, look.fillBottom, p.y / h)};
}

template <int N>
Image DrawStrip(const ButtonLook (&looks)[N], int w, int h, float radius) {
    Image strip(w, h * N, kMask);
    for (int k = 0; k < N; ++k) {
        const ButtonLook& look = looks[k];
        Render(
            strip, {0, k * h, w, h},
            [&](Point p) { return ShadeButton(p, float(w), float(h), radius, look); },
            RenderOptions{true, look.fillTop, 8, 0.5f});
    }
    return strip;
}

} // namespace

Image DrawButtonStrip1() {
    return DrawStrip(kStyle1, 18, 21, 4.0f);
}
Image DrawButtonStrip2() {
    return DrawStrip(kStyle2, 20, 23, 3.5f);
}

} // namespace pkw::images
