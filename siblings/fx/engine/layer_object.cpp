#include "siblings/fx/engine/layer_object.h"

#include "common/com/com_ptr.h"
#include "common/com/hresult.h"
#include "siblings/fx/engine/arguments.h"
#include "siblings/fx/engine/dc_pixels.h"
#include "siblings/fx/engine/picture_pixels.h"
#include "siblings/fx/engine/text_ink.h"
#include "siblings/fx/engine/text_settings.h"
#include "siblings/fx/kernels/tone.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include <olectl.h>

namespace pkw::fx {
namespace {

// Far beyond any control; it keeps pixel counts within 32-bit sizes.
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 24;

HRESULT Get(LONG* out, int value) noexcept {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}

// The pixels of a layer of this engine, or null for any other object.
const EffectsLayer* EngineLayer(IFxLayer* layer) noexcept {
    Microsoft::WRL::ComPtr<IFxLayerPixels> pixels;
    void* found = nullptr;
    if (!layer || FAILED(layer->QueryInterface(IID_PPV_ARGS(&pixels))) ||
        FAILED(pixels->GetLayer(&found)))
        return nullptr;
    return static_cast<const EffectsLayer*>(found);
}

// The HFONT of a font object (it stays the object's), or null.
HFONT FontHandle(IUnknown* font) noexcept {
    Microsoft::WRL::ComPtr<IFont> f;
    HFONT handle = nullptr;
    if (font && SUCCEEDED(font->QueryInterface(IID_PPV_ARGS(&f)))) f->get_hFont(&handle);
    return handle;
}

ShadowSettings Shadow(LONG dx, LONG dy, Rgb colour, LONG alpha, LONG intensity) noexcept {
    return {int(dx), int(dy), colour, AlphaArgument(alpha), int(intensity)};
}

} // namespace

template <class Step>
HRESULT LayerObject::Apply(bool keepForUndo, Step step) noexcept {
    try {
        if (keepForUndo) layer_.KeepForUndo();
        step();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP LayerObject::GetLayer(void** layer) noexcept {
    if (!layer) return E_POINTER;
    *layer = &layer_;
    return S_OK;
}

STDMETHODIMP LayerObject::get_Width(LONG* width) noexcept {
    return Get(width, layer_.Width());
}
STDMETHODIMP LayerObject::get_Height(LONG* height) noexcept {
    return Get(height, layer_.Height());
}
STDMETHODIMP LayerObject::get_ShadowOffsetX(LONG* x) noexcept {
    return Get(x, layer_.OffsetX());
}
STDMETHODIMP LayerObject::get_ShadowOffsetY(LONG* y) noexcept {
    return Get(y, layer_.OffsetY());
}
STDMETHODIMP LayerObject::get_ShadowExtraWidth(LONG* width) noexcept {
    return Get(width, layer_.ExtraWidth());
}
STDMETHODIMP LayerObject::get_ShadowExtraHeight(LONG* height) noexcept {
    return Get(height, layer_.ExtraHeight());
}

STDMETHODIMP LayerObject::Create(LONG width, LONG height, OLE_COLOR color, LONG alpha) noexcept {
    const auto rgb = ColourArgument(color);
    if (!rgb || width < 0 || height < 0 || std::int64_t(width) * height > kMaxPixels)
        return E_INVALIDARG;
    return Apply(false,
                 [&] { layer_.Reset(width, height, Premultiply(*rgb, AlphaArgument(alpha))); });
}

STDMETHODIMP LayerObject::LoadFromDC(HDC hdc, LONG x, LONG y, LONG width, LONG height) noexcept {
    if (std::int64_t(width) * height > kMaxPixels) return E_INVALIDARG;
    try {
        return LoadFromDc(hdc, x, y, width, height, layer_, loadScratch_);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP LayerObject::LoadFromPicture(IUnknown* picture, LONG width, LONG height) noexcept {
    try {
        return fx::LoadFromPicture(picture, width, height, layer_);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP LayerObject::SetTransparentColor(OLE_COLOR color) noexcept {
    const auto rgb = ColourArgument(color);
    if (!rgb) return E_INVALIDARG;
    return Apply(false, [&] { KeyOut(layer_.Pixels(), *rgb); });
}

STDMETHODIMP LayerObject::SetInterpolationMode(LONG mode) noexcept {
    sampling_ = mode == 5 ? Sampling::Nearest : Sampling::Bilinear;
    return S_OK;
}

STDMETHODIMP LayerObject::FillAlpha(LONG alpha, LONG mode) noexcept {
    if (mode < 0 || mode > 2) return E_INVALIDARG;
    return Apply(false,
                 [&] { SetAlpha(layer_.Pixels(), AlphaArgument(alpha), AlphaTarget(mode)); });
}

STDMETHODIMP LayerObject::SetBackgroundColor(LONG color) noexcept {
    if (color == -1) {
        background_.reset();
        return S_OK;
    }
    const auto rgb = ColourArgument(OLE_COLOR(color));
    if (!rgb) return E_INVALIDARG;
    background_ = rgb;
    return S_OK;
}

STDMETHODIMP LayerObject::BlurLayer(LONG amount, BSTR undoLabel) noexcept {
    return Apply(KeptForUndo(undoLabel), [&] { layer_.Blur(std::min<LONG>(amount, 65535)); });
}

STDMETHODIMP LayerObject::SoftenLayer(LONG amount, BSTR undoLabel) noexcept {
    return Apply(KeptForUndo(undoLabel), [&] { layer_.Soften(amount); });
}

STDMETHODIMP LayerObject::Emboss(LONG depth, LONG angle, LONG softness, OLE_COLOR shadowColor,
                                 LONG shadowAlpha, OLE_COLOR highlightColor, LONG highlightAlpha,
                                 BSTR undoLabel) noexcept {
    const auto shadow = ColourArgument(shadowColor), highlight = ColourArgument(highlightColor);
    if (!shadow || !highlight) return E_INVALIDARG;
    const EmbossSettings settings{int(depth),
                                  float(angle),
                                  int(softness),
                                  *shadow,
                                  AlphaArgument(shadowAlpha),
                                  *highlight,
                                  AlphaArgument(highlightAlpha)};
    return Apply(KeptForUndo(undoLabel), [&] { layer_.Emboss(settings); });
}

STDMETHODIMP LayerObject::DropShadow(LONG xDistance, LONG yDistance, OLE_COLOR color, LONG alpha,
                                     LONG intensity, BSTR undoLabel) noexcept {
    const auto rgb = ColourArgument(color);
    if (!rgb) return E_INVALIDARG;
    // Beyond a few thousand pixels a shadow is a caller's mistake, not a look.
    if (std::abs(xDistance) > 4096 || std::abs(yDistance) > 4096 || intensity > 4096)
        return E_INVALIDARG;
    return Apply(KeptForUndo(undoLabel),
                 [&] { layer_.DropShadow(Shadow(xDistance, yDistance, *rgb, alpha, intensity)); });
}

STDMETHODIMP LayerObject::InnerShadow(LONG xDistance, LONG yDistance, OLE_COLOR color, LONG alpha,
                                      LONG intensity, BSTR undoLabel) noexcept {
    const auto rgb = ColourArgument(color);
    if (!rgb) return E_INVALIDARG;
    return Apply(KeptForUndo(undoLabel), [&] {
        layer_.InnerShadow(
            Shadow(xDistance, yDistance, *rgb, alpha, std::min<LONG>(intensity, 4096)));
    });
}

STDMETHODIMP LayerObject::Glow(OLE_COLOR color, LONG intensity, LONG blur,
                               BSTR undoLabel) noexcept {
    const auto rgb = ColourArgument(color);
    if (!rgb) return E_INVALIDARG;
    return Apply(KeptForUndo(undoLabel), [&] {
        layer_.Glow({*rgb, int(std::min<LONG>(blur, 65535)), int(intensity)});
    });
}

STDMETHODIMP LayerObject::InvertColors(OLE_COLOR color, LONG alpha, BSTR undoLabel) noexcept {
    const auto rgb = ColourArgument(color);
    if (!rgb) return E_INVALIDARG;
    return Apply(KeptForUndo(undoLabel), [&] { layer_.Invert(*rgb, AlphaArgument(alpha)); });
}

STDMETHODIMP LayerObject::DetectEdges(BSTR undoLabel) noexcept {
    return Apply(KeptForUndo(undoLabel), [&] { layer_.DetectEdges(); });
}

STDMETHODIMP LayerObject::SetLayerAlpha(LONG alpha, BSTR undoLabel) noexcept {
    return Apply(KeptForUndo(undoLabel), [&] { layer_.SetLayerAlpha(AlphaArgument(alpha)); });
}

STDMETHODIMP LayerObject::Rotate(FLOAT angle, BSTR undoLabel) noexcept {
    if (!std::isfinite(angle)) return E_INVALIDARG;
    return Apply(KeptForUndo(undoLabel), [&] { layer_.Rotate(angle, sampling_); });
}

STDMETHODIMP LayerObject::PasteLayer(IFxLayer* layer, LONG x, LONG y, BSTR undoLabel) noexcept {
    const EffectsLayer* other = EngineLayer(layer);
    if (!other) return E_INVALIDARG;
    if (other == &layer_) {
        // Onto itself: from a copy, so that the pixels read are the old ones.
        return Apply(KeptForUndo(undoLabel), [&] {
            const EffectsLayer copy = layer_;
            layer_.Paste(copy, x, y);
        });
    }
    return Apply(KeptForUndo(undoLabel), [&] { layer_.Paste(*other, x, y); });
}

STDMETHODIMP LayerObject::ClearGradientStops() noexcept {
    stops_.clear();
    return S_OK;
}

STDMETHODIMP LayerObject::AddGradientStop(OLE_COLOR color, LONG percent, LONG alpha) noexcept {
    const auto rgb = ColourArgument(color);
    if (!rgb) return E_INVALIDARG;
    try {
        stops_.push_back(
            {*rgb, int(std::clamp<LONG>(percent, -32768, 32767)), AlphaArgument(alpha)});
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP LayerObject::DrawLinearGradient(LONG stopMode, FLOAT angle, BSTR undoLabel) noexcept {
    if (!std::isfinite(angle)) return E_INVALIDARG;
    return Apply(KeptForUndo(undoLabel),
                 [&] { layer_.LinearGradient(angle, StopsForMode(stopMode, stops_)); });
}

STDMETHODIMP LayerObject::DrawRadialGradient(LONG stopMode, LONG calcMode, LONG x, LONG y,
                                             LONG radius, BSTR undoLabel) noexcept {
    const auto shape = RadialShapeFor(calcMode, layer_.Width(), layer_.Height(), x, y, radius);
    if (!shape) return S_FALSE;
    return Apply(KeptForUndo(undoLabel),
                 [&] { layer_.RadialGradient(*shape, StopsForMode(stopMode, stops_)); });
}

STDMETHODIMP LayerObject::BuildTextLayer(IDispatch* settings, BSTR prefix, IUnknown* font,
                                         BSTR text, LONG width, LONG height, LONG format) noexcept {
    try {
        const std::wstring name = prefix && *prefix ? prefix : L"Text";
        const DispatchReader reader(settings, name);
        TextStyle style = ReadTextStyle(reader);
        EffectsLayer texture;
        if (style.mode == 5) {
            const auto picture = reader.Object(L"%Texture");
            if (picture && SUCCEEDED(fx::LoadFromPicture(picture.Get(), 0, 0, texture)))
                style.texture = texture.Pixels();
        }
        // The caption's font is "Font", any other text's "<prefix>Font".
        Microsoft::WRL::ComPtr<IUnknown> ownFont;
        if (!font) ownFont = reader.Object(name == L"Text" ? L"Font" : L"%Font");
        Layer ink;
        PKW_RETURN_IF_FAILED(DrawTextInk({FontHandle(font ? font : ownFont.Get()),
                                          {text, ::SysStringLen(text)},
                                          int(width),
                                          int(height),
                                          UINT(format),
                                          reader.Bool(L"%AntiAlias")},
                                         ink));
        StyleText(ink.Pixels(), style, layer_);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP LayerObject::Undo() noexcept {
    return layer_.Undo() ? S_OK : S_FALSE;
}

STDMETHODIMP LayerObject::RenderToDC(HDC hdc, LONG rop, LONG opacity) noexcept {
    try {
        return RenderToDc(
            hdc, layer_,
            {-layer_.OffsetX(), -layer_.OffsetY(), background_, int(opacity), DWORD(rop)},
            renderScratch_);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::fx
