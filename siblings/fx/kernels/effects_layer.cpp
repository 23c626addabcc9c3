#include "effects_layer.h"

#include "blur.h"
#include "composite.h"
#include "edges.h"
#include "soften.h"

#include <algorithm>
#include <utility>

namespace pkw::fx {

void EffectsLayer::Reset(int width, int height, Pixel fill) {
    layer_.Resize(width, height);
    if (fill != 0) fx::Fill(layer_.Pixels(), fill);
    content_ = {0, 0, layer_.Width(), layer_.Height()};
}

void EffectsLayer::Reset(int width, int height, Bounds content) {
    layer_.Resize(width, height);
    content_ = content;
}

void EffectsLayer::KeepForUndo() {
    const ConstView v = layer_.Pixels();
    kept_.emplace(
        Kept{{v.pixels, v.pixels + std::size_t(v.width) * v.height}, v.width, v.height, content_});
}

bool EffectsLayer::Undo() {
    if (!kept_) return false;
    Kept kept = *std::move(kept_);
    kept_.reset();
    layer_.Resize(kept.width, kept.height);
    std::copy(kept.pixels.begin(), kept.pixels.end(), layer_.Pixels().pixels);
    content_ = kept.content;
    return true;
}

Layer& EffectsLayer::Spare(int width, int height) {
    spare_.Resize(width, height);
    return spare_;
}

void EffectsLayer::UseSpare() noexcept {
    std::swap(layer_, spare_);
}

void EffectsLayer::Grow(int left, int top, int right, int bottom) {
    Layer& grown = Spare(Width() + left + right, Height() + top + bottom);
    fx::Copy(layer_.Pixels(), OverlapAt(grown.Pixels(), layer_.Pixels(), left, top).dst);
    UseSpare();
    content_ = {content_.left + left, content_.top + top, content_.right + left,
                content_.bottom + top};
}

void EffectsLayer::Blur(int amount) {
    if (amount > 0 && !layer_.Pixels().Empty())
        fx::Blur(layer_.Pixels(), BlurRadius(amount), layer_.Work());
}

void EffectsLayer::Soften(int amount) {
    fx::Soften(layer_.Pixels(), amount, layer_.Work());
}

void EffectsLayer::Emboss(const EmbossSettings& settings) {
    fx::Emboss(layer_.Pixels(), settings, layer_.Work());
}

void EffectsLayer::DropShadow(const ShadowSettings& settings) {
    if (layer_.Pixels().Empty()) return;
    const ShadowGeometry g = DropShadowGeometry(layer_.Pixels(), settings);
    Layer& cast = Spare(Width() + g.extraWidth, Height() + g.extraHeight);
    fx::DropShadow(layer_.Pixels(), cast.Pixels(), settings, cast.Work());
    UseSpare();
    content_ = {content_.left + g.offsetX, content_.top + g.offsetY, content_.right + g.offsetX,
                content_.bottom + g.offsetY};
}

void EffectsLayer::InnerShadow(const ShadowSettings& settings) {
    fx::InnerShadow(layer_.Pixels(), settings, layer_.Work());
}

void EffectsLayer::Glow(const GlowSettings& settings) {
    if (settings.intensity <= 0 || layer_.Pixels().Empty()) return;
    const int margin = GlowMargin(settings.blur);
    Grow(margin, margin, margin, margin);
    fx::Glow(layer_.Pixels(), settings, layer_.Work());
}

void EffectsLayer::Invert(Rgb colour, std::uint8_t alpha) {
    fx::Invert(layer_.Pixels(), colour, alpha);
}

void EffectsLayer::DetectEdges() {
    fx::DetectEdges(layer_.Pixels(), layer_.Work());
}

void EffectsLayer::SetLayerAlpha(std::uint8_t alpha) {
    ScaleAlpha(layer_.Pixels(), alpha);
}

void EffectsLayer::Rotate(float degrees, Sampling sampling) {
    if (layer_.Pixels().Empty()) return;
    const Size size = RotatedSize(Width(), Height(), degrees);
    Layer& turned = Spare(size.width, size.height);
    fx::Rotate(layer_.Pixels(), turned.Pixels(), degrees, sampling);
    content_ = RotatedBounds(content_, Width(), Height(), degrees);
    UseSpare();
}

void EffectsLayer::Paste(const EffectsLayer& other, int x, int y) {
    fx::Paste(layer_.Pixels(), other.Pixels(), x, y);
}

// Gradients are laid over the layer: stops with alpha below 255 let what
// was there show through.
void EffectsLayer::LinearGradient(float degrees, std::span<const GradientStop> stops) {
    Layer& ramp = Spare(Width(), Height());
    FillLinear(ramp.Pixels(), LinearAxisFor(degrees, Width(), Height()), stops);
    fx::Paste(layer_.Pixels(), ramp.Pixels(), 0, 0);
}

void EffectsLayer::RadialGradient(RadialShape shape, std::span<const GradientStop> stops) {
    Layer& ramp = Spare(Width(), Height());
    FillRadial(ramp.Pixels(), shape, stops);
    fx::Paste(layer_.Pixels(), ramp.Pixels(), 0, 0);
}

} // namespace pkw::fx
