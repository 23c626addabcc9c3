#include "siblings/globals/tip_body.h"

#include "common/effects/texture_tiles.h"
#include "siblings/globals/tip_picture.h"

#include <algorithm>
#include <cmath>

namespace pkw::globals {
namespace {

using Microsoft::WRL::ComPtr;

// The texture at the size it has on the screen, or null.
ComPtr<IFxLayer> textureLayer(IPicture* texture, LONG width, LONG height) {
    ComPtr<IFxLayer> layer = sib::NewFxLayer();
    if (!layer || FAILED(layer->LoadFromPicture(texture, width, height))) return nullptr;
    return layer;
}

// Texture tiles, or the texture stretched, over the fill.
void paintTexture(const DibSection& fill, const TipBodyLook& look) {
    const std::optional<SIZE> size = tipPictureSize(look.texture.Get());
    if (!size) return;
    const LONG width = size->cx, height = size->cy;
    const auto blits = effects::TextureBlits(int(width), int(height), fill.width(), fill.height(),
                                             look.textureSizeMode);
    if (blits.empty()) return;
    ComPtr<IFxLayer> canvas = sib::NewFxLayer();
    ComPtr<IFxLayer> tile = textureLayer(look.texture.Get(), width, height);
    if (!canvas || !tile ||
        FAILED(canvas->LoadFromDC(fill.dc(), 0, 0, fill.width(), fill.height())))
        return;
    for (const effects::TextureBlit& b : blits) {
        // A tile is the texture's corner; the canvas cuts the last ones.
        ComPtr<IFxLayer> piece = tile;
        if (b.sourceWidth != b.width || b.sourceHeight != b.height)
            piece = textureLayer(look.texture.Get(), b.width, b.height);
        if (!piece || FAILED(canvas->PasteLayer(piece.Get(), b.x, b.y, noUndoLabel()))) return;
    }
    canvas->RenderToDC(fill.dc(), SRCCOPY, -1);
}

void paintGradient(const DibSection& fill, const TipBodyLook& look) {
    ComPtr<IFxLayer> gradient = sib::NewFxLayer();
    if (!gradient || FAILED(gradient->Create(fill.width(), fill.height(), 0xFFFFFF, 255))) return;
    gradient->ClearGradientStops();
    for (const TipGradientStop& stop : look.stops)
        gradient->AddGradientStop(stop.color, stop.percent, 255);
    const HRESULT drawn =
        look.backStyle == 2
            ? gradient->DrawLinearGradient(look.gradientMode, float(look.gradientAngle),
                                           noUndoLabel())
            : gradient->DrawRadialGradient(look.gradientMode, look.gradientCalcMode, look.gradientX,
                                           look.gradientY, look.gradientRadius, noUndoLabel());
    if (drawn != S_OK) return;
    if (look.gradientBlur > 0) gradient->BlurLayer(look.gradientBlur, noUndoLabel());
    gradient->RenderToDC(fill.dc(), SRCCOPY, -1);
}

} // namespace

std::uint32_t dibPixelOf(COLORREF c) {
    return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

void paintTipFill(const DibSection& fill, COLORREF key, const TipStyle& style) {
    const TipBodyLook& look = style.body;
    fill.fill(look.backStyle == 1 ? key : style.back);
    if (look.backStyle == 4 && look.texture)
        paintTexture(fill, look);
    else if (look.backStyle == 2 || look.backStyle == 3)
        paintGradient(fill, look);
    ::GdiFlush();
}

void spreadOverShape(const DibSection& fill, POINT bodyAt, const TipShapeField& shape, COLORREF key,
                     const DibSection& canvas) {
    const std::uint32_t keyPixel = dibPixelOf(key);
    const int lastX = fill.width() - 1, lastY = fill.height() - 1;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const bool inside = coverage(shape.distance(Vec{x + 0.5, y + 0.5})) > 0;
            canvas.at(x, y) = inside ? fill.at(std::clamp<int>(x - bodyAt.x, 0, lastX),
                                               std::clamp<int>(y - bodyAt.y, 0, lastY))
                                     : keyPixel;
        }
}

ComPtr<IFxLayer> makeTipBodyLayer(const DibSection& canvas, COLORREF key, const TipBodyLook& look) {
    ComPtr<IFxLayer> layer = sib::NewFxLayer();
    if (!layer || FAILED(layer->LoadFromDC(canvas.dc(), 0, 0, canvas.width(), canvas.height())) ||
        FAILED(layer->SetTransparentColor(key)))
        return nullptr;
    if (look.bodyBlur > 0) layer->BlurLayer(look.bodyBlur, noUndoLabel());
    if (look.bodySoften > 0) layer->SoftenLayer(look.bodySoften, noUndoLabel());
    const TipEmboss& e = look.emboss;
    if (e.on && e.depth > 0)
        layer->Emboss(e.depth, e.angle, e.softness, e.shadow, e.alpha, e.highlight, e.alpha,
                      noUndoLabel());
    return layer;
}

bool readPremultiplied(IFxLayer* layer, const DibSection& out) {
    // The engine shows its pixels only laid over something: over black they
    // are the premultiplied colours, over white they tell the alpha.
    DibSection overWhite(out.width(), out.height());
    if (!overWhite.valid() || FAILED(layer->SetBackgroundColor(0)) ||
        FAILED(layer->RenderToDC(out.dc(), SRCCOPY, -1)) ||
        FAILED(layer->SetBackgroundColor(0xFFFFFF)) ||
        FAILED(layer->RenderToDC(overWhite.dc(), SRCCOPY, -1)))
        return false;
    layer->SetBackgroundColor(-1);
    ::GdiFlush();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const std::uint32_t black = out.at(x, y), white = overWhite.at(x, y);
            const int through = int((white >> 8) & 0xFF) - int((black >> 8) & 0xFF);
            const std::uint32_t alpha = std::uint32_t(std::clamp(255 - through, 0, 255));
            std::uint32_t p = alpha << 24;
            for (int shift = 0; shift < 24; shift += 8)
                p |= std::min((black >> shift) & 0xFF, alpha) << shift;
            out.at(x, y) = p;
        }
    return true;
}

} // namespace pkw::globals
