#include "selection/effect_look.h"

#include "common/com/hresult.h"

namespace pkw::selection {
namespace {

// Reads settings one after another until one fails; the rest are skipped.
class Reader {
public:
    explicit Reader(IEffectSet* set) : set_(set) {}

    template <typename T>
    void operator()(HRESULT (STDMETHODCALLTYPE IEffectSet::*get)(T*), T& out) {
        if (SUCCEEDED(result_)) result_ = (set_->*get)(&out);
    }
    void operator()(HRESULT (STDMETHODCALLTYPE IEffectSet::*get)(VARIANT_BOOL*), bool& out) {
        VARIANT_BOOL value = VARIANT_FALSE;
        (*this)(get, value);
        out = value != VARIANT_FALSE;
    }
    template <typename T>
    void operator()(HRESULT (STDMETHODCALLTYPE IEffectSet::*get)(T**), ComPtr<T>& out) {
        (*this)(get, *out.ReleaseAndGetAddressOf());
    }
    void stops(HRESULT (STDMETHODCALLTYPE IEffectSet::*get)(IGradInfo**),
               std::vector<StopValue>& out) {
        ComPtr<IGradInfo> grad;
        (*this)(get, grad);
        if (FAILED(result_) || !grad) return;
        LONG count = 0;
        result_ = grad->get_Count(&count);
        // A stop list is a handful of entries; a wild count is not a look.
        for (LONG j = 0; SUCCEEDED(result_) && j < count && j < 256; ++j) {
            GradStop stop{};
            result_ = grad->GetStop(j, &stop);
            out.push_back({static_cast<OLE_COLOR>(stop.GradColor), stop.GradPercent});
        }
    }
    HRESULT result() const { return result_; }

private:
    IEffectSet* set_;
    HRESULT result_ = S_OK;
};

} // namespace

HRESULT ReadEffectLook(IEffectSet* set, EffectLook& l) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, set);
    Reader r(set);
    r(&IEffectSet::get_BackStyle, l.BackStyle);
    r(&IEffectSet::get_BackColor, l.BackColor);
    r(&IEffectSet::get_Border, l.Border);
    r(&IEffectSet::get_BorderColor, l.BorderColor);
    r(&IEffectSet::get_GlyphAlignment, l.GlyphAlignment);
    r(&IEffectSet::get_BodyTexture, l.BodyTexture);
    r(&IEffectSet::get_BodyTextureSizeMode, l.BodyTextureSizeMode);
    r.stops(&IEffectSet::get_BodyGradInfo, l.BodyStops);
    r(&IEffectSet::get_BodyGradientMode, l.BodyGradientMode);
    r(&IEffectSet::get_BodyGradientCalcMode, l.BodyGradientCalcMode);
    r(&IEffectSet::get_BodyGradientAngle, l.BodyGradientAngle);
    r(&IEffectSet::get_BodyGradientBlur, l.BodyGradientBlur);
    r(&IEffectSet::get_BodyGradientX, l.BodyGradientX);
    r(&IEffectSet::get_BodyGradientY, l.BodyGradientY);
    r(&IEffectSet::get_BodyGradientRadius, l.BodyGradientRadius);
    r(&IEffectSet::get_BodyBlur, l.BodyBlur);
    r(&IEffectSet::get_BodySoften, l.BodySoften);
    r(&IEffectSet::get_ApplyBodyEmboss, l.ApplyBodyEmboss);
    r(&IEffectSet::get_BodyEmbossDepth, l.BodyEmbossDepth);
    r(&IEffectSet::get_BodyEmbossAngle, l.BodyEmbossAngle);
    r(&IEffectSet::get_BodyEmbossSoftness, l.BodyEmbossSoftness);
    r(&IEffectSet::get_BodyEmbossAlpha, l.BodyEmbossAlpha);
    r(&IEffectSet::get_BodyEmbossShadowColor, l.BodyEmbossShadowColor);
    r(&IEffectSet::get_BodyEmbossHighlightColor, l.BodyEmbossHighlightColor);

    r(&IEffectSet::get_Image, l.Image);
    r(&IEffectSet::get_ImageMaskColor, l.ImageMaskColor);
    r(&IEffectSet::get_ImageBlur, l.ImageBlur);
    r(&IEffectSet::get_ApplyImageShadow, l.ApplyImageShadow);
    r(&IEffectSet::get_ImageShadowDistanceX, l.ImageShadowDistanceX);
    r(&IEffectSet::get_ImageShadowDistanceY, l.ImageShadowDistanceY);
    r(&IEffectSet::get_ImageShadowColor, l.ImageShadowColor);
    r(&IEffectSet::get_ImageShadowAlpha, l.ImageShadowAlpha);
    r(&IEffectSet::get_ImageShadowIntensity, l.ImageShadowIntensity);
    r(&IEffectSet::get_ImageShadowExcludeXCalc, l.ImageShadowExcludeXCalc);
    r(&IEffectSet::get_ImageShadowExcludeYCalc, l.ImageShadowExcludeYCalc);
    r(&IEffectSet::get_Font, l.Font);
    r(&IEffectSet::get_WordWrap, l.WordWrap);
    r(&IEffectSet::get_TextShadowExcludeXCalc, l.TextShadowExcludeXCalc);
    r(&IEffectSet::get_TextShadowExcludeYCalc, l.TextShadowExcludeYCalc);
    r(&IEffectSet::get_MarginLeft, l.MarginLeft);
    r(&IEffectSet::get_MarginRight, l.MarginRight);

    r(&IEffectSet::get_Blur, l.Blur);
    r(&IEffectSet::get_Soften, l.Soften);
    r(&IEffectSet::get_Rotation, l.Rotation);
    r(&IEffectSet::get_ApplyDropShadow, l.ApplyDropShadow);
    r(&IEffectSet::get_DropShadowXDistance, l.DropShadowXDistance);
    r(&IEffectSet::get_DropShadowYDistance, l.DropShadowYDistance);
    r(&IEffectSet::get_DropShadowColor, l.DropShadowColor);
    r(&IEffectSet::get_DropShadowAlpha, l.DropShadowAlpha);
    r(&IEffectSet::get_DropShadowIntensity, l.DropShadowIntensity);
    r(&IEffectSet::get_Alpha, l.Alpha);
    return r.result();
}

} // namespace pkw::selection
