// A layer as the engine's operations see it: its pixels, the box its
// content occupies inside them (operations that cast shadows or halos grow
// the layer around its content), and the pixels from before the last step
// kept for undoing. Each operation is one kernel call; an empty layer
// ignores them all.
#pragma once

#include "emboss.h"
#include "glow.h"
#include "gradient.h"
#include "layer.h"
#include "rotate.h"
#include "shadow.h"
#include "tone.h"

#include <optional>
#include <span>
#include <vector>

namespace pkw::fx {

class EffectsLayer {
public:
    int Width() const noexcept { return layer_.Width(); }
    int Height() const noexcept { return layer_.Height(); }
    View Pixels() noexcept { return layer_.Pixels(); }
    ConstView Pixels() const noexcept { return layer_.Pixels(); }
    Scratch& Work() noexcept { return layer_.Work(); }

    // The content's place: offset from the layer's top-left corner, and how
    // much wider and higher than the content the layer is.
    const Bounds& Content() const noexcept { return content_; }
    int OffsetX() const noexcept { return content_.left; }
    int OffsetY() const noexcept { return content_.top; }
    int ExtraWidth() const noexcept { return Width() - (content_.right - content_.left); }
    int ExtraHeight() const noexcept { return Height() - (content_.bottom - content_.top); }

    // A new layer (every pixel `fill`) whose content is all of it.
    void Reset(int width, int height, Pixel fill = 0);
    // A new layer with the given content box (what text layers pad around).
    void Reset(int width, int height, Bounds content);

    // Keeps the current pixels for Undo.
    void KeepForUndo();
    // False when nothing was kept.
    bool Undo();

    void Blur(int amount);
    void Soften(int amount);
    void Emboss(const EmbossSettings& settings);
    void DropShadow(const ShadowSettings& settings);
    void InnerShadow(const ShadowSettings& settings);
    void Glow(const GlowSettings& settings);
    void Invert(Rgb colour, std::uint8_t alpha);
    void DetectEdges();
    void SetLayerAlpha(std::uint8_t alpha);
    void Rotate(float degrees, Sampling sampling);
    void Paste(const EffectsLayer& other, int x, int y);
    void LinearGradient(float degrees, std::span<const GradientStop> stops);
    void RadialGradient(RadialShape shape, std::span<const GradientStop> stops);

private:
    // The layer grown by these margins, the pixels moved with the content.
    void Grow(int left, int top, int right, int bottom);

    // A layer of this size from `spare_`, whose pixels and scratch the
    // operation before left there: an operation that makes a layer of
    // another size allocates nothing once the sizes repeat.
    Layer& Spare(int width, int height);
    // The spare takes the current layer's place, and the current layer
    // becomes the spare.
    void UseSpare() noexcept;

    Layer layer_;
    Layer spare_;
    Bounds content_;
    struct Kept {
        std::vector<Pixel> pixels;
        int width = 0, height = 0;
        Bounds content;
    };
    std::optional<Kept> kept_;
};

} // namespace pkw::fx
