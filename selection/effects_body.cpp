#include "selection/effects_body.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/effects/body_geometry.h"
#include "common/effects/texture_tiles.h"
#include "selection/effects_layers.h"
#include "selection/picture_bitmap.h"
#include "siblings/api/fx.h"
#include "siblings/api/plain.h"

#include <olectl.h>

namespace pkw::selection {
namespace {

constexpr LONG kNoBackground = 1;
constexpr LONG kLinearGradient = 2;
constexpr LONG kRadialGradient = 3;
constexpr LONG kTexture = 4;
constexpr OLE_COLOR kWhite = 0xFFFFFF;
constexpr LONG kOpaque = 255;

COLORREF Rgb(OLE_COLOR color) {
    return sib::Gfx().gfxTranslateColor(color, nullptr);
}

} // namespace

COLORREF BodyKeyColour(const EffectLook& look) {
    return effects::KeyColour(Rgb(look.BorderColor));
}

void DrawBodyTexture(const BodyCanvas& body, const EffectLook& look) {
    ComPtr<IPicture> picture;
    if (!look.BodyTexture || FAILED(look.BodyTexture.As(&picture))) return;
    const HBITMAP bitmap = BitmapOfPicture(picture.Get());
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (!bitmap || FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight)))
        return;
    const auto blits = effects::TextureBlits(effects::PicturePixels(hmWidth, body.twipsPerPixelX),
                                             effects::PicturePixels(hmHeight, body.twipsPerPixelY),
                                             body.width, body.height, look.BodyTextureSizeMode);
    for (const effects::TextureBlit& b : blits) {
        const bool stretched = b.sourceWidth != b.width || b.sourceHeight != b.height;
        sib::Gfx().gfxDrawBitmapToDC(body.hdc, bitmap, b.x, b.y, b.width, b.height, 0,
                                     stretched ? -1 : 0, 0, 0, b.sourceWidth, b.sourceHeight);
    }
}

HRESULT DrawBodyGradient(const BodyCanvas& body, const EffectLook& look, ComPtr<IFxLayer>& layer) {
    if (!layer) layer = sib::NewFxLayer();
    PKW_RETURN_HR_IF_NULL(E_FAIL, layer);
    PKW_RETURN_IF_FAILED(layer->Create(body.width, body.height, kWhite, kOpaque));
    // The engine picks from the stops by the mode: the first two, all, or
    // its own ramp.
    PKW_RETURN_IF_FAILED(layer->ClearGradientStops());
    for (const StopValue& stop : look.BodyStops)
        PKW_RETURN_IF_FAILED(layer->AddGradientStop(stop.color, stop.percent, kOpaque));
    const Bstr noUndo(kNoUndo);
    if (look.BackStyle == kLinearGradient) {
        PKW_RETURN_IF_FAILED(layer->DrawLinearGradient(
            look.BodyGradientMode, static_cast<FLOAT>(look.BodyGradientAngle), noUndo.get()));
    } else {
        PKW_RETURN_IF_FAILED(layer->DrawRadialGradient(
            look.BodyGradientMode, look.BodyGradientCalcMode, look.BodyGradientX,
            look.BodyGradientY, look.BodyGradientRadius, noUndo.get()));
    }
    if (look.BodyGradientBlur > 0)
        PKW_RETURN_IF_FAILED(layer->BlurLayer(look.BodyGradientBlur, noUndo.get()));
    return layer->RenderToDC(body.hdc, SRCCOPY, -1);
}

HRESULT PaintBodyBackground(const BodyCanvas& body, const EffectLook& look,
                            ComPtr<IFxLayer>& gradient) {
    const auto& gfx = sib::Gfx();
    if (look.BackStyle != kNoBackground)
        gfx.gfxDrawRect2(body.hdc, 0, 0, body.width, body.height, Rgb(look.BackColor), 1);
    if (look.BackStyle == kTexture && look.BodyTexture) {
        DrawBodyTexture(body, look);
    } else if (look.BackStyle == kLinearGradient || look.BackStyle == kRadialGradient) {
        PKW_RETURN_IF_FAILED(DrawBodyGradient(body, look, gradient));
    }
    if (look.Border)
        gfx.gfxDrawRect2(body.hdc, 0, 0, body.width, body.height, Rgb(look.BorderColor), 0);
    return S_OK;
}

} // namespace pkw::selection
