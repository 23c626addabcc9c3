#include "text_style.h"

#include "blur.h"
#include "composite.h"

#include <algorithm>

namespace pkw::fx {
namespace {

bool Embosses(const TextStyle& s) noexcept {
    return s.emboss && s.embossSettings.depth > 0;
}

// Each pixel of the text's box: the colour given for it, through the ink.
template <class ColourAt>
void Paint(View text, ConstView ink, std::uint8_t alpha, ColourAt colourAt) {
    for (int y = 0; y < text.height; ++y)
        for (int x = 0; x < text.width; ++x)
            text.At(x, y) = Scale(colourAt(x, y), Div255(AlphaOf(ink.At(x, y)) * alpha));
}

// The gradient of modes 3 and 4 over the text's box.
void PaintGradient(View text, ConstView ink, const TextStyle& s) {
    Layer ramp(text.width, text.height);
    const auto stops = StopsForMode(s.gradientStops, s.stops);
    if (s.mode == 3) {
        FillLinear(ramp.Pixels(), LinearAxisFor(s.gradientAngle, text.width, text.height), stops);
    } else if (const auto shape = RadialShapeFor(s.gradientCalcMode, text.width, text.height,
                                                 s.gradientX, s.gradientY, s.gradientRadius)) {
        FillRadial(ramp.Pixels(), *shape, stops);
    } else {
        Fill(ramp.Pixels(), Premultiply(s.fore, 255));
    }
    if (s.gradientBlur > 0) Blur(ramp.Pixels(), BlurRadius(s.gradientBlur), ramp.Work());
    const ConstView r = ramp.Pixels();
    Paint(text, ink, s.alpha, [&](int x, int y) { return r.At(x, y); });
}

void PaintTexture(View text, ConstView ink, const TextStyle& s) {
    const ConstView t = s.texture;
    Paint(text, ink, s.alpha, [&](int x, int y) { return t.At(x % t.width, y % t.height); });
}

} // namespace

int TextMargin(const TextStyle& s) noexcept {
    int margin = 0;
    if (s.mode == 2 && s.glow.intensity > 0) margin += GlowMargin(s.glow.blur);
    if (Embosses(s))
        margin += BlurSupport(0.5f + float(std::max(s.embossSettings.softness, 0)) / 100.0f) + 1;
    if (s.blur > 0) margin += BlurSupport(BlurRadius(s.blur));
    if (s.soften > 0) margin += 1;
    return margin;
}

void StyleText(ConstView ink, const TextStyle& s, EffectsLayer& out) {
    const int m = TextMargin(s);
    out.Reset(ink.width + 2 * m, ink.height + 2 * m, Bounds{m, m, m + ink.width, m + ink.height});
    const View text = OverlapAt(out.Pixels(), ink, m, m).dst;
    if (text.Empty()) return;
    const Pixel fore = Premultiply(s.fore, 255);
    auto solid = [](Pixel p) { return [p](int, int) { return p; }; };

    switch (s.mode) {
    case 0:
        Paint(text, ink, s.alpha, solid(fore));
        break;
    case 1: {
        const Rgb fill = s.invert ? s.back : s.innerStyle == 1 ? s.innerFore : s.fore;
        Paint(text, ink, 255, solid(Premultiply(fill, 255)));
        out.InnerShadow(s.inner);
        break;
    }
    case 2:
        Paint(text, ink, 255, solid(fore));
        if (s.edges) out.DetectEdges();
        if (s.invert) out.Invert(s.invertColour, s.invertAlpha);
        // The room for the halo is already there: glow in place.
        Glow(out.Pixels(), s.glow, out.Work());
        out.Blur(s.blur);
        out.Soften(s.soften);
        return;
    case 3:
    case 4:
        PaintGradient(text, ink, s);
        break;
    case 5:
        if (s.texture.Empty())
            Paint(text, ink, s.alpha, solid(fore));
        else
            PaintTexture(text, ink, s);
        break;
    default:
        return;
    }
    if (s.invert && s.mode >= 3) out.Invert(s.invertColour, s.invertAlpha);
    if (Embosses(s)) out.Emboss(s.embossSettings);
    out.Blur(s.blur);
    out.Soften(s.soften);
    if (s.shadow) out.DropShadow(s.shadowSettings);
}

} // namespace pkw::fx
