// The effects look of a selection control: the body (background, border,
// glyph) and the image and caption layers are composed by the effects
// engine, the whole is blurred, turned, shadowed and faded as the current
// state's effect set says, laid over the parent's captured background and
// copied to the window in one blit.
#include "selection/selection_control.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/effects/body_geometry.h"
#include "common/effects/layout.h"
#include "common/win/dib_section.h"
#include "common/win/unique_handle.h"
#include "selection/effects_body.h"
#include "selection/effects_layers.h"
#include "siblings/api/fx.h"

#include <algorithm>
#include <utility>

namespace pkw::selection {
namespace {

// Far beyond any control, and within what the engine takes in one layer: a
// size read from a damaged form draws nothing instead of exhausting memory.
constexpr LONG kLargestSide = 8192;
constexpr LONGLONG kLargestArea = LONGLONG(1) << 22;

bool Drawable(LONG width, LONG height) {
    return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide &&
           LONGLONG(width) * height <= kLargestArea;
}

// The engine's set-up for the body: high-quality turning, every visible
// pixel opaque, no background colour under the rendering.
constexpr LONG kHighQualitySampling = 6;
constexpr LONG kVisiblePixels = 2;
constexpr LONG kOpaque = 255;
constexpr LONG kNoBackgroundColour = -1;

// Rotation 1, 2, 3: a half turn, a quarter, three quarters.
constexpr float kRotationDegrees[] = {180.0f, 90.0f, 270.0f};

HRESULT ApplyBodyEffects(IFxLayer* body, const EffectLook& look, BSTR noUndo) {
    if (look.BodyBlur > 0) PKW_RETURN_IF_FAILED(body->BlurLayer(look.BodyBlur, noUndo));
    if (look.BodySoften > 0) PKW_RETURN_IF_FAILED(body->SoftenLayer(look.BodySoften, noUndo));
    if (look.ApplyBodyEmboss && look.BodyEmbossDepth > 0)
        PKW_RETURN_IF_FAILED(body->Emboss(look.BodyEmbossDepth, look.BodyEmbossAngle,
                                          look.BodyEmbossSoftness, look.BodyEmbossShadowColor,
                                          look.BodyEmbossAlpha, look.BodyEmbossHighlightColor,
                                          look.BodyEmbossAlpha, noUndo));
    return S_OK;
}

HRESULT ApplyWholeEffects(IFxLayer* body, const EffectLook& look, BSTR noUndo) {
    if (look.Blur > 0) PKW_RETURN_IF_FAILED(body->BlurLayer(look.Blur, noUndo));
    if (look.Soften > 0) PKW_RETURN_IF_FAILED(body->SoftenLayer(look.Soften, noUndo));
    if (look.Rotation >= 1 && look.Rotation <= 3)
        PKW_RETURN_IF_FAILED(body->Rotate(kRotationDegrees[look.Rotation - 1], noUndo));
    if (look.ApplyDropShadow)
        PKW_RETURN_IF_FAILED(body->DropShadow(look.DropShadowXDistance, look.DropShadowYDistance,
                                              look.DropShadowColor, look.DropShadowAlpha,
                                              look.DropShadowIntensity, noUndo));
    if (look.Alpha != 255) PKW_RETURN_IF_FAILED(body->SetLayerAlpha(look.Alpha, noUndo));
    return S_OK;
}

constexpr OLE_COLOR kWhite = 0xFFFFFF;

bool BackgroundCovers(IMemDC* background, LONG width, LONG height) {
    LONG w = 0, h = 0;
    return background && SUCCEEDED(background->get_Width(&w)) &&
           SUCCEEDED(background->get_Height(&h)) && w == width && h == height;
}

BodyCanvas CanvasOf(const DibSection& body, const SelectionState& state) {
    return {body.dc(), body.width(), body.height(), state.m_iTwipsPerPixelX,
            state.m_iTwipsPerPixelY};
}

void Place(RECT& rc, const std::optional<effects::Placement>& placement) {
    if (!placement) {
        rc = RECT{};
        return;
    }
    // Without a column for the glyph the left edge stays where it was.
    if (placement->left) rc.left = *placement->left;
    rc.top = placement->top;
}

} // namespace

void SelectionControl::DrawEffects() {
    if (state_.m_bTerminating) return;
    try {
        ignore(ComposeEffects());
    } catch (...) {
        // The window keeps its previous image.
    }
}

void SelectionControl::PlaceLayers(const EffectLook& look, LONG bodyWidth, LONG bodyHeight) {
    effects::LayoutInput in;
    in.bodyWidth = bodyWidth;
    in.bodyHeight = bodyHeight;
    in.glyphWidth = GlyphSize().cx;
    in.glyphAlignment = look.GlyphAlignment;
    in.marginLeft = look.MarginLeft;
    in.marginRight = look.MarginRight;
    in.border = look.Border;
    effects::LayerExtent extent;
    if (state_.m_ImageLayer &&
        SUCCEEDED(MeasureLayer(state_.m_ImageLayer.Get(), look.ImageShadowExcludeXCalc,
                               look.ImageShadowExcludeYCalc, extent)))
        in.image = extent;
    if (state_.m_TextLayer &&
        SUCCEEDED(MeasureLayer(state_.m_TextLayer.Get(), look.TextShadowExcludeXCalc,
                               look.TextShadowExcludeYCalc, extent)))
        in.caption = extent;
    const effects::EffectsLayout layout = effects::LayoutEffects(in);
    Place(state_.m_rcImage, layout.image);
    Place(state_.m_rcText, layout.caption);
}

void SelectionControl::PrepareLayers(IEffectSet* set, const EffectLook& look, StateDrawing& kept) {
    SetFingerprint& reading = state_.m_EffectsScratch.reading;
    reading.take(set);
    const LONG cw = state_.m_lControlWidth, ch = state_.m_lControlHeight;
    const SHORT tppX = state_.m_iTwipsPerPixelX, tppY = state_.m_iTwipsPerPixelY;
    if (kept.drawnFrom.matches(reading) && kept.caption == state_.m_sCaption &&
        kept.bodyWidth == cw && kept.bodyHeight == ch && kept.twipsPerPixelX == tppX &&
        kept.twipsPerPixelY == tppY)
        return;

    // One that cannot be built is left out.
    kept.image.Reset();
    kept.text.Reset();
    kept.background.clear();
    if (look.Image && FAILED(BuildImageLayer(look, tppX, tppY, kept.image))) kept.image.Reset();
    if (!state_.m_sCaption.empty()) {
        auto& measure = state_.m_EffectsScratch.measure;
        if (!measure) measure = NewMeasureDc();
        const LONG allowance = look.Border ? 2 : 0;
        if (FAILED(BuildTextLayer(measure.get(), set, look, state_.m_sCaption, cw - allowance,
                                  kept.text)))
            kept.text.Reset();
    }
    std::swap(kept.drawnFrom, reading);
    kept.caption = state_.m_sCaption;
    kept.bodyWidth = cw;
    kept.bodyHeight = ch;
    kept.twipsPerPixelX = tppX;
    kept.twipsPerPixelY = tppY;
    // A layer missing for want of memory or of the engine is tried again.
    if ((look.Image && !kept.image) || (!state_.m_sCaption.empty() && !kept.text))
        kept.drawnFrom.forget();
}

HRESULT SelectionControl::PaintBackground(const EffectLook& look, DibSection& body,
                                          StateDrawing& kept) {
    const std::size_t count = std::size_t(body.width()) * std::size_t(body.height());
    ::GdiFlush();
    if (kept.background.size() == count) {
        std::copy(kept.background.begin(), kept.background.end(), body.pixels());
        return S_OK;
    }
    body.fill(BodyKeyColour(look));
    PKW_RETURN_IF_FAILED(
        PaintBodyBackground(CanvasOf(body, state_), look, state_.m_EffectsScratch.gradient));
    ::GdiFlush();
    kept.background.assign(body.pixels(), body.pixels() + count);
    return S_OK;
}

HRESULT SelectionControl::ComposeEffects() {
    const HWND window = state_.m_hWnd ? state_.m_hWnd : hwnd();
    const LONG cw = state_.m_lControlWidth, ch = state_.m_lControlHeight;
    const LONG w = PixelWidth(), h = PixelHeight();
    if (!window || !Drawable(cw, ch) || !Drawable(w, h)) return E_FAIL;

    const int visualState = GetVisualState();
    ComPtr<IEffectSet> set = state_.m_EffectsProps.at(visualState);
    PKW_RETURN_HR_IF_NULL(E_FAIL, set);
    EffectLook look;
    PKW_RETURN_IF_FAILED(ReadEffectLook(set.Get(), look));
    const Bstr noUndo(kNoUndo);

    StateDrawing& kept = state_.m_EffectsScratch.states.at(std::size_t(visualState));
    PrepareLayers(set.Get(), look, kept);
    state_.m_ImageLayer = kept.image;
    state_.m_TextLayer = kept.text;
    PlaceLayers(look, cw, ch);

    // The body, on the key colour.
    const COLORREF key = BodyKeyColour(look);
    DibSection& body = state_.m_EffectsScratch.body;
    if (!body.resize(cw, ch)) return E_OUTOFMEMORY;
    PKW_RETURN_IF_FAILED(PaintBackground(look, body, kept));
    const SIZE glyph = GlyphSize();
    if (const auto at = effects::GlyphPosition(look.GlyphAlignment, look.Border ? 2 : 0, cw, ch,
                                               glyph.cx, glyph.cy))
        DrawGlyph(body.dc(), at->x, at->y);

    if (!state_.m_BodyLayer) state_.m_BodyLayer = sib::NewFxLayer();
    IFxLayer* layer = state_.m_BodyLayer.Get();
    PKW_RETURN_HR_IF_NULL(E_FAIL, layer);
    PKW_RETURN_IF_FAILED(layer->LoadFromDC(body.dc(), 0, 0, cw, ch));
    PKW_RETURN_IF_FAILED(layer->SetTransparentColor(key));
    PKW_RETURN_IF_FAILED(layer->SetInterpolationMode(kHighQualitySampling));
    PKW_RETURN_IF_FAILED(layer->FillAlpha(kOpaque, kVisiblePixels));
    PKW_RETURN_IF_FAILED(layer->SetBackgroundColor(kNoBackgroundColour));
    PKW_RETURN_IF_FAILED(ApplyBodyEffects(layer, look, noUndo.get()));
    if (state_.m_ImageLayer)
        PKW_RETURN_IF_FAILED(layer->PasteLayer(state_.m_ImageLayer.Get(), state_.m_rcImage.left,
                                               state_.m_rcImage.top, noUndo.get()));
    if (state_.m_TextLayer)
        PKW_RETURN_IF_FAILED(layer->PasteLayer(state_.m_TextLayer.Get(), state_.m_rcText.left,
                                               state_.m_rcText.top, noUndo.get()));
    PKW_RETURN_IF_FAILED(ApplyWholeEffects(layer, look, noUndo.get()));

    // Over the parent's background, then onto the window in one blit.
    DibSection& frame = state_.m_EffectsScratch.frame;
    if (!frame.resize(w, h)) return E_OUTOFMEMORY;
    frame.fill(kWhite);
    // A control that turned to the effects look, or took its shadow room,
    // at run time has no parent pixels of its size yet.
    if (!BackgroundCovers(state_.m_BackgroundDC.Get(), w, h)) {
        if (SUCCEEDED(EnsureBackgroundDC())) ignore(state_.m_BackgroundDC->Create(w, h, kWhite));
        CaptureParentBackground();
    }
    if (SUCCEEDED(EnsureBackgroundDC())) {
        HDC background = nullptr;
        if (SUCCEEDED(state_.m_BackgroundDC->get_hDC(&background)) && background)
            ::BitBlt(frame.dc(), 0, 0, w, h, background, 0, 0, SRCCOPY);
    }
    PKW_RETURN_IF_FAILED(layer->RenderToDC(frame.dc(), SRCCOPY, -1));
    WindowDc screen(window);
    if (!screen) return E_FAIL;
    ::BitBlt(screen.get(), 0, 0, w, h, frame.dc(), 0, 0, SRCCOPY);
    return S_OK;
}

} // namespace pkw::selection
