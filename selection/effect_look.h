// One visual state's effect settings as the effects drawing reads them,
// taken from its EffectSet once per paint, so that the drawing works on
// plain values and a set that fails a read stops the paint before any
// pixel changes.
#pragma once

#include "zelGlobals40.h"

#include <ocidl.h>
#include <wrl/client.h>

#include <vector>

namespace pkw::selection {

using Microsoft::WRL::ComPtr;

struct StopValue {
    OLE_COLOR color = 0;
    SHORT percent = 0;
};

struct EffectLook {
    // The body.
    LONG BackStyle = 0;
    OLE_COLOR BackColor = 0;
    bool Border = false;
    OLE_COLOR BorderColor = 0;
    SHORT GlyphAlignment = 0;
    ComPtr<IPictureDisp> BodyTexture;
    LONG BodyTextureSizeMode = 0;
    std::vector<StopValue> BodyStops;
    LONG BodyGradientMode = 0, BodyGradientCalcMode = 0;
    SHORT BodyGradientAngle = 0, BodyGradientBlur = 0;
    LONG BodyGradientX = 0, BodyGradientY = 0, BodyGradientRadius = 0;
    SHORT BodyBlur = 0, BodySoften = 0;
    bool ApplyBodyEmboss = false;
    SHORT BodyEmbossDepth = 0, BodyEmbossAngle = 0, BodyEmbossSoftness = 0, BodyEmbossAlpha = 0;
    OLE_COLOR BodyEmbossShadowColor = 0, BodyEmbossHighlightColor = 0;

    // The image and the caption.
    ComPtr<IPictureDisp> Image;
    OLE_COLOR ImageMaskColor = 0;
    SHORT ImageBlur = 0;
    bool ApplyImageShadow = false;
    SHORT ImageShadowDistanceX = 0, ImageShadowDistanceY = 0;
    OLE_COLOR ImageShadowColor = 0;
    SHORT ImageShadowAlpha = 0, ImageShadowIntensity = 0;
    bool ImageShadowExcludeXCalc = false, ImageShadowExcludeYCalc = false;
    ComPtr<IFontDisp> Font;
    bool WordWrap = false;
    bool TextShadowExcludeXCalc = false, TextShadowExcludeYCalc = false;
    SHORT MarginLeft = 0, MarginRight = 0;

    // The whole control.
    SHORT Blur = 0, Soften = 0;
    SHORT Rotation = 0;
    bool ApplyDropShadow = false;
    SHORT DropShadowXDistance = 0, DropShadowYDistance = 0;
    OLE_COLOR DropShadowColor = 0;
    SHORT DropShadowAlpha = 0, DropShadowIntensity = 0;
    SHORT Alpha = 255;
};

// The first failing read's error, with `look` partly filled.
HRESULT ReadEffectLook(IEffectSet* set, EffectLook& look);

} // namespace pkw::selection
