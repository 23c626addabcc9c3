// Styled text: a caption's ink (its coverage, from the glyphs drawn
// elsewhere) turned into a layer by one of the text enhancement modes.
//
//   0 plain          the ink in the fore colour through the text alpha;
//                    emboss, blur, softening, shadow
//   1 inner shadow   the ink filled (fore colour, the inner fore colour with
//                    inner style 1, the back colour with inversion: cut out
//                    of the body) and shaded inside along its edges;
//                    emboss, blur, softening, shadow
//   2 glow           the ink in the fore colour (or only its edges), inverted
//                    if asked, over a halo of the glow colour; blur, softening
//   3 linear and     the ink takes its colours from a gradient laid over the
//   4 radial         text's box (the linear one along the gradient angle, the
//     gradient       radial one by its calc mode), blurred first if asked;
//                    inversion, emboss, blur, softening, shadow
//   5 texture        the ink takes its colours from the texture, tiled from
//                    the text's top-left corner; inversion, emboss, blur,
//                    softening, shadow
//   any other mode   no text: a transparent layer of the text's size
//
// The layer holds the text's box with room around it for what spreads
// beyond the ink (halo, blur, emboss slopes); a shadow grows it further.
// The content box (EffectsLayer::Content) is the text's box.
#pragma once

#include "effects_layer.h"

#include <vector>

namespace pkw::fx {

struct TextStyle {
    int mode = 0;
    std::uint8_t alpha = 255;
    Rgb fore;

    bool emboss = false;
    EmbossSettings embossSettings;
    int blur = 0;
    int soften = 0;
    bool shadow = false;
    ShadowSettings shadowSettings;

    Rgb back;
    ShadowSettings inner;
    int innerStyle = 0;
    Rgb innerFore{255, 255, 255};

    GlowSettings glow;
    bool edges = false;
    bool invert = false;
    Rgb invertColour{255, 255, 255};
    std::uint8_t invertAlpha = 255;

    int gradientStops = 0; // the stop mode (gradient.h: StopsForMode)
    float gradientAngle = 0;
    int gradientCalcMode = 2;
    int gradientBlur = 0;
    int gradientX = 0, gradientY = 0, gradientRadius = 20;
    std::vector<GradientStop> stops;

    ConstView texture; // empty: the fore colour instead
};

// The room the style needs around the text's box on every side.
int TextMargin(const TextStyle& style) noexcept;

// `ink` is the coverage of the text's box (only its alpha is read).
void StyleText(ConstView ink, const TextStyle& style, EffectsLayer& out);

} // namespace pkw::fx
