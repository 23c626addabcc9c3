#include "selection/effects_layers.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/effects/body_geometry.h"
#include "common/win/unique_handle.h"
#include "activex/unicode_platform.h"
#include "siblings/api/fx.h"

namespace pkw::selection {

const wchar_t kNoUndo[] = L"No Undo";

namespace {

constexpr UINT kMeasureWrapped = DT_CALCRECT | DT_WORDBREAK; // 0x410
constexpr UINT kMeasureLine = DT_CALCRECT;                   // 0x400

HRESULT NewLayer(ComPtr<IFxLayer>& layer) {
    layer = sib::NewFxLayer();
    return layer ? S_OK : E_FAIL;
}

} // namespace

HRESULT BuildImageLayer(const EffectLook& look, SHORT twipsPerPixelX, SHORT twipsPerPixelY,
                        ComPtr<IFxLayer>& layer) {
    ComPtr<IPicture> picture;
    PKW_RETURN_HR_IF_NULL(E_INVALIDARG, look.Image);
    PKW_RETURN_IF_FAILED(look.Image.As(&picture));
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    PKW_RETURN_IF_FAILED(picture->get_Width(&hmWidth));
    PKW_RETURN_IF_FAILED(picture->get_Height(&hmHeight));
    const LONG width = effects::PicturePixels(hmWidth, twipsPerPixelX);
    const LONG height = effects::PicturePixels(hmHeight, twipsPerPixelY);
    // A picture too small to show on this screen has no layer.
    if (width <= 0 || height <= 0) return E_INVALIDARG;

    PKW_RETURN_IF_FAILED(NewLayer(layer));
    const Bstr noUndo(kNoUndo);
    PKW_RETURN_IF_FAILED(layer->LoadFromPicture(picture.Get(), width, height));
    PKW_RETURN_IF_FAILED(layer->SetTransparentColor(look.ImageMaskColor));
    if (look.ImageBlur > 0) PKW_RETURN_IF_FAILED(layer->BlurLayer(look.ImageBlur, noUndo.get()));
    if (look.ApplyImageShadow)
        PKW_RETURN_IF_FAILED(layer->DropShadow(look.ImageShadowDistanceX, look.ImageShadowDistanceY,
                                               look.ImageShadowColor, look.ImageShadowAlpha,
                                               look.ImageShadowIntensity, noUndo.get()));
    return S_OK;
}

UniqueMemoryDc NewMeasureDc() {
    UniqueMemoryDc display(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    return UniqueMemoryDc(display ? ::CreateCompatibleDC(display.get()) : nullptr);
}

void MeasureText(HDC measure, IFontDisp* font, const std::wstring& text, RECT& rc, UINT flags) {
    if (!measure) return;
    HFONT hfont = nullptr;
    ComPtr<IFont> f;
    if (font && SUCCEEDED(font->QueryInterface(IID_PPV_ARGS(&f)))) ignore(f->get_hFont(&hfont));
    SelectedObject selected(measure, hfont);
    ax::DrawPlatformText(measure, text, &rc, flags);
}

HRESULT BuildTextLayer(HDC measure, IEffectSet* set, const EffectLook& look,
                       const std::wstring& caption, LONG wrapWidth, ComPtr<IFxLayer>& layer) {
    RECT rc{0, 0, look.WordWrap ? wrapWidth : 0, 0};
    MeasureText(measure, look.Font.Get(), caption, rc,
                look.WordWrap ? kMeasureWrapped : kMeasureLine);
    const LONG width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return E_FAIL;

    ComPtr<IDispatch> settings;
    PKW_RETURN_IF_FAILED(set->QueryInterface(IID_PPV_ARGS(&settings)));
    PKW_RETURN_IF_FAILED(NewLayer(layer));
    const Bstr prefix(L"Text"), text(caption.c_str());
    const LONG format = look.WordWrap ? DT_WORDBREAK : 0;
    return layer->BuildTextLayer(settings.Get(), prefix.get(), look.Font.Get(), text.get(), width,
                                 height, format);
}

HRESULT MeasureLayer(IFxLayer* layer, bool excludeX, bool excludeY, effects::LayerExtent& extent) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, layer);
    LONG width = 0, height = 0, x = 0, y = 0, extraWidth = 0, extraHeight = 0;
    PKW_RETURN_IF_FAILED(layer->get_Width(&width));
    PKW_RETURN_IF_FAILED(layer->get_Height(&height));
    PKW_RETURN_IF_FAILED(layer->get_ShadowOffsetX(&x));
    PKW_RETURN_IF_FAILED(layer->get_ShadowOffsetY(&y));
    PKW_RETURN_IF_FAILED(layer->get_ShadowExtraWidth(&extraWidth));
    PKW_RETURN_IF_FAILED(layer->get_ShadowExtraHeight(&extraHeight));
    extent = {int(width),      int(height),      int(x),   int(y),
              int(extraWidth), int(extraHeight), excludeX, excludeY};
    return S_OK;
}

} // namespace pkw::selection
