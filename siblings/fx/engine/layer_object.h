// Layer: the engine's COM class (IFxLayer). It turns the callers' arguments
// into the kernels' terms, keeps the set-up (sampling, background, gradient
// stops) and leaves the pixels to EffectsLayer.
#pragma once

#include "common/com/server/server.h"
#include "siblings/fx/engine/dc_pixels.h"
#include "siblings/fx/kernels/effects_layer.h"
#include "zelFX40.h"

#include <optional>
#include <vector>

namespace pkw::fx {

class LayerObject : public com::DualDispatch<IFxLayer>, public IFxLayerPixels {
public:
    using Interfaces = com::InterfaceMap<IFxLayer, IDispatch, IFxLayerPixels>;

    STDMETHODIMP GetLayer(void** layer) noexcept override; // IFxLayerPixels

    STDMETHODIMP get_Width(LONG* width) noexcept override;
    STDMETHODIMP get_Height(LONG* height) noexcept override;
    STDMETHODIMP get_ShadowOffsetX(LONG* x) noexcept override;
    STDMETHODIMP get_ShadowOffsetY(LONG* y) noexcept override;
    STDMETHODIMP get_ShadowExtraWidth(LONG* width) noexcept override;
    STDMETHODIMP get_ShadowExtraHeight(LONG* height) noexcept override;

    STDMETHODIMP Create(LONG width, LONG height, OLE_COLOR color, LONG alpha) noexcept override;
    STDMETHODIMP LoadFromDC(HDC hdc, LONG x, LONG y, LONG width, LONG height) noexcept override;
    STDMETHODIMP LoadFromPicture(IUnknown* picture, LONG width, LONG height) noexcept override;
    STDMETHODIMP SetTransparentColor(OLE_COLOR color) noexcept override;
    STDMETHODIMP SetInterpolationMode(LONG mode) noexcept override;
    STDMETHODIMP FillAlpha(LONG alpha, LONG mode) noexcept override;
    STDMETHODIMP SetBackgroundColor(LONG color) noexcept override;

    STDMETHODIMP BlurLayer(LONG amount, BSTR undoLabel) noexcept override;
    STDMETHODIMP SoftenLayer(LONG amount, BSTR undoLabel) noexcept override;
    STDMETHODIMP Emboss(LONG depth, LONG angle, LONG softness, OLE_COLOR shadowColor,
                        LONG shadowAlpha, OLE_COLOR highlightColor, LONG highlightAlpha,
                        BSTR undoLabel) noexcept override;
    STDMETHODIMP DropShadow(LONG xDistance, LONG yDistance, OLE_COLOR color, LONG alpha,
                            LONG intensity, BSTR undoLabel) noexcept override;
    STDMETHODIMP InnerShadow(LONG xDistance, LONG yDistance, OLE_COLOR color, LONG alpha,
                             LONG intensity, BSTR undoLabel) noexcept override;
    STDMETHODIMP Glow(OLE_COLOR color, LONG intensity, LONG blur, BSTR undoLabel) noexcept override;
    STDMETHODIMP InvertColors(OLE_COLOR color, LONG alpha, BSTR undoLabel) noexcept override;
    STDMETHODIMP DetectEdges(BSTR undoLabel) noexcept override;
    STDMETHODIMP SetLayerAlpha(LONG alpha, BSTR undoLabel) noexcept override;
    STDMETHODIMP Rotate(FLOAT angle, BSTR undoLabel) noexcept override;
    STDMETHODIMP PasteLayer(IFxLayer* layer, LONG x, LONG y, BSTR undoLabel) noexcept override;

    STDMETHODIMP ClearGradientStops() noexcept override;
    STDMETHODIMP AddGradientStop(OLE_COLOR color, LONG percent, LONG alpha) noexcept override;
    STDMETHODIMP DrawLinearGradient(LONG stopMode, FLOAT angle, BSTR undoLabel) noexcept override;
    STDMETHODIMP DrawRadialGradient(LONG stopMode, LONG calcMode, LONG x, LONG y, LONG radius,
                                    BSTR undoLabel) noexcept override;

    STDMETHODIMP BuildTextLayer(IDispatch* settings, BSTR prefix, IUnknown* font, BSTR text,
                                LONG width, LONG height, LONG format) noexcept override;

    STDMETHODIMP Undo() noexcept override;
    STDMETHODIMP RenderToDC(HDC hdc, LONG rop, LONG opacity) noexcept override;

private:
    // Runs one step on the layer, kept for undoing when asked; failures
    // (memory) reported instead of thrown.
    template <class Step>
    HRESULT Apply(bool keepForUndo, Step step) noexcept;

    EffectsLayer layer_;
    Sampling sampling_ = Sampling::Bilinear;
    std::optional<Rgb> background_;
    std::vector<GradientStop> stops_;
    // Between DCs and the layer, kept for the next call. Two, since a layer
    // often renders at another size than it was loaded at (a shadow grows
    // it): one would be made anew twice a paint.
    DibSection loadScratch_, renderScratch_;
};

} // namespace pkw::fx
