#include "siblings/fx/engine/text_settings.h"

#include "siblings/fx/engine/arguments.h"

#include <algorithm>

namespace pkw::fx {
namespace {

ShadowSettings ReadShadow(const DispatchReader& r, const wchar_t* dx, const wchar_t* dy,
                          const wchar_t* colour, const wchar_t* alpha, const wchar_t* intensity) {
    return {int(r.Int(dx)), int(r.Int(dy)), r.Colour(colour), r.Alpha(alpha, 127),
            int(r.Int(intensity, 45))};
}

std::vector<GradientStop> ReadStops(const DispatchReader& r) {
    std::vector<GradientStop> stops;
    const auto list = r.Object(L"%GradInfo");
    const LONG count = DispatchReader(list.Get(), L"").Int(L"Count", 0);
    // A stop list of thousands is no caption's: the rest is ignored.
    for (LONG j = 0; j < std::min<LONG>(count, 256); ++j) {
        const auto colour = DispatchReader::IntAt(list.Get(), L"GradColor", j);
        const auto percent = DispatchReader::IntAt(list.Get(), L"GradPercent", j);
        if (!colour || !percent) break;
        stops.push_back({ColourArgument(OLE_COLOR(*colour)).value_or(Rgb{}), int(*percent), 255});
    }
    return stops;
}

} // namespace

TextStyle ReadTextStyle(const DispatchReader& r) {
    TextStyle s;
    s.mode = int(r.Int(L"%EnhancementMode"));
    s.alpha = r.Alpha(L"%Alpha");
    s.fore = r.Colour(L"%ForeColor");

    s.emboss = r.Bool(L"Apply%Emboss");
    s.embossSettings = {int(r.Int(L"%EmbossDepth", 2)),
                        float(r.Int(L"%EmbossAngle", 45)),
                        int(r.Int(L"%EmbossSoftness", 100)),
                        r.Colour(L"%EmbossShadowColor"),
                        r.Alpha(L"%EmbossAlpha"),
                        r.Colour(L"%EmbossHighlightColor", {255, 255, 255}),
                        r.Alpha(L"%EmbossAlpha")};
    s.blur = int(r.Int(L"%Blur"));
    s.soften = int(r.Int(L"%Soften"));
    s.shadow = r.Bool(L"Apply%Shadow");
    s.shadowSettings = ReadShadow(r, L"%ShadowDistanceX", L"%ShadowDistanceY", L"%ShadowColor",
                                  L"%ShadowAlpha", L"%ShadowIntensity");

    s.back = r.Colour(L"BackColor", {255, 255, 255});
    s.inner = ReadShadow(r, L"%InnerShadowDistanceX", L"%InnerShadowDistanceY",
                         L"%InnerShadowColor", L"%InnerShadowAlpha", L"%InnerShadowIntensity");
    s.innerStyle = int(r.Int(L"%InnerStyle"));
    s.innerFore = r.Colour(L"%InnerForeColor", {255, 255, 255});

    s.glow = {r.Colour(L"%GlowColor", {255, 0, 0}), int(r.Int(L"%GlowBlur", 125)),
              int(r.Int(L"%GlowIntensity", 5))};
    s.edges = r.Bool(L"%EdgeDetection");
    s.invert = r.Bool(L"%InvertColors");
    s.invertColour = r.Colour(L"%InvertColor", {255, 255, 255});
    s.invertAlpha = r.Alpha(L"%InvertAlpha");

    s.gradientStops = int(r.Int(L"%GradientMode"));
    s.gradientAngle = float(r.Int(L"%GradientAngle"));
    s.gradientCalcMode = int(r.Int(L"%GradientCalcMode", 2));
    s.gradientBlur = int(r.Int(L"%GradientBlur"));
    s.gradientX = int(r.Int(L"%GradientX"));
    s.gradientY = int(r.Int(L"%GradientY"));
    s.gradientRadius = int(r.Int(L"%GradientRadius", 20));
    s.stops = ReadStops(r);
    return s;
}

} // namespace pkw::fx
