#include "siblings/globals/tip_style.h"

// common/com/bstr.h needs Windows' headers first.
#include "common/com/bstr.h"

#include "zelGlobals40.h"

#include <algorithm>

namespace pkw::globals {
namespace {

using Microsoft::WRL::ComPtr;

// A setting's value, or the fallback when the set cannot give it.
template <class T, class Getter>
T read(IEffectSet* set, Getter getter, T fallback) {
    T value{};
    return SUCCEEDED((set->*getter)(&value)) ? value : fallback;
}

COLORREF readColor(IEffectSet* set, HRESULT (STDMETHODCALLTYPE IEffectSet::*getter)(OLE_COLOR*),
                   COLORREF fallback) {
    OLE_COLOR ole = 0;
    if (FAILED((set->*getter)(&ole))) return fallback;
    // System colours (0x800000xx) name the user's current choice.
    COLORREF color = 0;
    return SUCCEEDED(::OleTranslateColor(ole, nullptr, &color)) ? color : fallback;
}

bool readBool(IEffectSet* set, HRESULT (STDMETHODCALLTYPE IEffectSet::*getter)(VARIANT_BOOL*),
              bool fallback) {
    VARIANT_BOOL value = VARIANT_FALSE;
    return SUCCEEDED((set->*getter)(&value)) ? value != VARIANT_FALSE : fallback;
}

int nonNegative(int value, int limit) {
    return std::clamp(value, 0, limit);
}

TipAlign alignOf(LONG value) {
    switch (value) {
    case 1:
        return TipAlign::Centre;
    case 2:
        return TipAlign::Right;
    default:
        return TipAlign::Left;
    }
}

ComPtr<IFont> readFont(IEffectSet* set,
                       HRESULT (STDMETHODCALLTYPE IEffectSet::*getter)(IFontDisp**)) {
    ComPtr<IFontDisp> disp;
    ComPtr<IFont> font;
    if (SUCCEEDED((set->*getter)(&disp)) && disp) disp.As(&font);
    return font;
}

ComPtr<IPicture> readPicture(IEffectSet* set,
                             HRESULT (STDMETHODCALLTYPE IEffectSet::*getter)(IPictureDisp**)) {
    ComPtr<IPictureDisp> disp;
    ComPtr<IPicture> picture;
    if (SUCCEEDED((set->*getter)(&disp)) && disp) disp.As(&picture);
    return picture;
}

// A stop list longer than this is no tip's; the rest is ignored.
constexpr LONG kMaxStops = 256;

std::vector<TipGradientStop> readStops(IEffectSet* set) {
    std::vector<TipGradientStop> stops;
    ComPtr<IGradInfo> info;
    LONG count = 0;
    if (FAILED(set->get_BodyGradInfo(&info)) || !info || FAILED(info->get_Count(&count)))
        return stops;
    for (LONG j = 0; j < std::min(count, kMaxStops); ++j) {
        GradStop stop{};
        COLORREF color = 0;
        if (FAILED(info->GetStop(j, &stop)) ||
            FAILED(::OleTranslateColor(stop.GradColor, nullptr, &color)))
            break;
        stops.push_back({color, stop.GradPercent});
    }
    return stops;
}

TipBodyLook readBodyLook(IEffectSet* set) {
    // Blurs beyond this are a haze over the whole tip and only cost time.
    constexpr int kMaxAmount = 1000;
    TipBodyLook look;
    look.backStyle = read<LONG>(set, &IEffectSet::get_BackStyle, 0);
    look.gradientMode = read<LONG>(set, &IEffectSet::get_BodyGradientMode, 0);
    look.stops = readStops(set);
    look.gradientAngle = read<SHORT>(set, &IEffectSet::get_BodyGradientAngle, 0);
    look.gradientCalcMode = read<LONG>(set, &IEffectSet::get_BodyGradientCalcMode, 2);
    look.gradientX = read<LONG>(set, &IEffectSet::get_BodyGradientX, 0);
    look.gradientY = read<LONG>(set, &IEffectSet::get_BodyGradientY, 0);
    look.gradientRadius = read<LONG>(set, &IEffectSet::get_BodyGradientRadius, 20);
    look.gradientBlur =
        nonNegative(read<SHORT>(set, &IEffectSet::get_BodyGradientBlur, 0), kMaxAmount);
    look.texture = readPicture(set, &IEffectSet::get_BodyTexture);
    look.textureSizeMode = read<LONG>(set, &IEffectSet::get_BodyTextureSizeMode, 0);
    look.bodyBlur = nonNegative(read<SHORT>(set, &IEffectSet::get_BodyBlur, 0), kMaxAmount);
    look.bodySoften = nonNegative(read<SHORT>(set, &IEffectSet::get_BodySoften, 0), kMaxAmount);
    look.blur = nonNegative(read<SHORT>(set, &IEffectSet::get_Blur, 0), kMaxAmount);
    look.soften = nonNegative(read<SHORT>(set, &IEffectSet::get_Soften, 0), kMaxAmount);

    TipEmboss& emboss = look.emboss;
    emboss.on = readBool(set, &IEffectSet::get_ApplyBodyEmboss, false);
    emboss.depth = nonNegative(read<SHORT>(set, &IEffectSet::get_BodyEmbossDepth, 2), 100);
    emboss.angle = read<SHORT>(set, &IEffectSet::get_BodyEmbossAngle, 45);
    emboss.softness =
        nonNegative(read<SHORT>(set, &IEffectSet::get_BodyEmbossSoftness, 100), kMaxAmount);
    emboss.shadow = readColor(set, &IEffectSet::get_BodyEmbossShadowColor, emboss.shadow);
    emboss.highlight = readColor(set, &IEffectSet::get_BodyEmbossHighlightColor, emboss.highlight);
    emboss.alpha = static_cast<BYTE>(
        nonNegative(read<SHORT>(set, &IEffectSet::get_BodyEmbossAlpha, 255), 255));
    return look;
}

// The settings of one image, by their getters: the caption's and the
// header's images are read by the same code from these two rows.
struct ImageSettings {
    HRESULT (STDMETHODCALLTYPE IEffectSet::*picture)(IPictureDisp**);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*mask)(OLE_COLOR*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*alpha)(SHORT*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*blur)(SHORT*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*soften)(SHORT*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*shadow)(VARIANT_BOOL*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*shadowDx)(SHORT*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*shadowDy)(SHORT*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*shadowColor)(OLE_COLOR*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*shadowAlpha)(SHORT*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*shadowIntensity)(SHORT*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*excludeX)(VARIANT_BOOL*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*excludeY)(VARIANT_BOOL*);
    HRESULT (STDMETHODCALLTYPE IEffectSet::*alignment)(SHORT*);
};

constexpr ImageSettings kCaptionImage{
    &IEffectSet::get_Image,
    &IEffectSet::get_ImageMaskColor,
    &IEffectSet::get_ImageAlpha,
    &IEffectSet::get_ImageBlur,
    &IEffectSet::get_ImageSoften,
    &IEffectSet::get_ApplyImageShadow,
    &IEffectSet::get_ImageShadowDistanceX,
    &IEffectSet::get_ImageShadowDistanceY,
    &IEffectSet::get_ImageShadowColor,
    &IEffectSet::get_ImageShadowAlpha,
    &IEffectSet::get_ImageShadowIntensity,
    &IEffectSet::get_ImageShadowExcludeXCalc,
    &IEffectSet::get_ImageShadowExcludeYCalc,
    &IEffectSet::get_ImageAlignment,
};

constexpr ImageSettings kHeaderImage{
    &IEffectSet::get_HeaderImage,
    &IEffectSet::get_HeaderImageMaskColor,
    &IEffectSet::get_HeaderImageAlpha,
    &IEffectSet::get_HeaderImageBlur,
    &IEffectSet::get_HeaderImageSoften,
    &IEffectSet::get_ApplyHeaderImageShadow,
    &IEffectSet::get_HeaderImageShadowDistanceX,
    &IEffectSet::get_HeaderImageShadowDistanceY,
    &IEffectSet::get_HeaderImageShadowColor,
    &IEffectSet::get_HeaderImageShadowAlpha,
    &IEffectSet::get_HeaderImageShadowIntensity,
    &IEffectSet::get_HeaderImageShadowExcludeXCalc,
    &IEffectSet::get_HeaderImageShadowExcludeYCalc,
    &IEffectSet::get_HeaderImageAlignment,
};

TipImageLook readImageLook(IEffectSet* set, const ImageSettings& s) {
    constexpr int kMaxAmount = 1000;
    TipImageLook look;
    look.picture = readPicture(set, s.picture);
    if (!look.picture) return look;
    look.mask = readColor(set, s.mask, look.mask);
    look.alpha = static_cast<BYTE>(nonNegative(read<SHORT>(set, s.alpha, 255), 255));
    look.blur = nonNegative(read<SHORT>(set, s.blur, 0), kMaxAmount);
    look.soften = nonNegative(read<SHORT>(set, s.soften, 0), kMaxAmount);
    look.shadow = readBool(set, s.shadow, false);
    look.shadowDx = std::clamp<int>(read<SHORT>(set, s.shadowDx, 2), -50, 50);
    look.shadowDy = std::clamp<int>(read<SHORT>(set, s.shadowDy, 2), -50, 50);
    look.shadowColor = readColor(set, s.shadowColor, look.shadowColor);
    look.shadowAlpha = static_cast<BYTE>(nonNegative(read<SHORT>(set, s.shadowAlpha, 127), 255));
    look.shadowIntensity = nonNegative(read<SHORT>(set, s.shadowIntensity, 65), kMaxAmount);
    look.excludeX = readBool(set, s.excludeX, true);
    look.excludeY = readBool(set, s.excludeY, true);
    look.alignment = read<SHORT>(set, s.alignment, 1);
    return look;
}

} // namespace

TipStyle readTipStyle(IEffectSet* set) {
    TipStyle style;
    if (!set) return style;
    // Sizes are clamped to what a tip on a screen can use; a negative or
    // absurd value must not make a huge window.
    constexpr int kMaxMetric = 1000;
    style.back = readColor(set, &IEffectSet::get_BackColor, style.back);
    style.border = readColor(set, &IEffectSet::get_BorderColor, style.border);
    style.text = readColor(set, &IEffectSet::get_TextForeColor, style.text);
    style.header = readColor(set, &IEffectSet::get_HeaderForeColor, style.header);
    style.borderWidth = readBool(set, &IEffectSet::get_Border, true)
                            ? nonNegative(read<SHORT>(set, &IEffectSet::get_BorderWidth, 1), 50)
                            : 0;
    style.radius = nonNegative(read<SHORT>(set, &IEffectSet::get_Radius, 12), kMaxMetric);
    style.tailLength = nonNegative(read<SHORT>(set, &IEffectSet::get_TailLength, 20), 200);
    style.tailWidth = nonNegative(read<SHORT>(set, &IEffectSet::get_TailWidth, 12), 200);
    style.wordWrap = readBool(set, &IEffectSet::get_WordWrap, true);
    style.flexLimit = nonNegative(read<SHORT>(set, &IEffectSet::get_FlexLimit, 240), 32767);
    style.margins.left = nonNegative(read<SHORT>(set, &IEffectSet::get_MarginLeft, 0), 200);
    style.margins.top = nonNegative(read<SHORT>(set, &IEffectSet::get_MarginTop, 0), 200);
    style.margins.right = nonNegative(read<SHORT>(set, &IEffectSet::get_MarginRight, 0), 200);
    style.margins.bottom = nonNegative(read<SHORT>(set, &IEffectSet::get_MarginBottom, 0), 200);
    style.alpha =
        static_cast<BYTE>(nonNegative(read<SHORT>(set, &IEffectSet::get_Alpha, 255), 255));
    style.captionIndent = nonNegative(read<SHORT>(set, &IEffectSet::get_CaptionIndent, 0), 200);
    style.captionAlign = alignOf(read<LONG>(set, &IEffectSet::get_CaptionHAlignment, 0));
    style.headerIndent = nonNegative(read<SHORT>(set, &IEffectSet::get_HeaderIndent, 0), 200);
    style.headerSeparation =
        nonNegative(read<SHORT>(set, &IEffectSet::get_HeaderTextSeparation, 0), 200);
    style.headerAlign = alignOf(read<LONG>(set, &IEffectSet::get_HeaderHAlignment, 0));
    Bstr header;
    if (SUCCEEDED(set->get_HeaderText(header.put()))) style.headerText.assign(header.view());

    TipShadow& shadow = style.shadow;
    shadow.on = readBool(set, &IEffectSet::get_ApplyDropShadow, false);
    shadow.dx = std::clamp<int>(read<SHORT>(set, &IEffectSet::get_DropShadowXDistance, 3), -20, 20);
    shadow.dy = std::clamp<int>(read<SHORT>(set, &IEffectSet::get_DropShadowYDistance, 3), -20, 20);
    shadow.color = readColor(set, &IEffectSet::get_DropShadowColor, shadow.color);
    shadow.alpha = static_cast<BYTE>(
        nonNegative(read<SHORT>(set, &IEffectSet::get_DropShadowAlpha, 127), 255));
    // Intensity 0..100 spreads the edge over up to 10 pixels.
    shadow.softness =
        1 + nonNegative(read<SHORT>(set, &IEffectSet::get_DropShadowIntensity, 45), 100) / 10;

    style.body = readBodyLook(set);
    style.image = readImageLook(set, kCaptionImage);
    style.headerImage = readImageLook(set, kHeaderImage);
    style.headerImage.onRight = readBool(set, &IEffectSet::get_HeaderImageOnRight, false);
    set->QueryInterface(IID_PPV_ARGS(&style.settings));
    style.font = readFont(set, &IEffectSet::get_Font);
    style.headerFont = readFont(set, &IEffectSet::get_HeaderFont);
    return style;
}

} // namespace pkw::globals
