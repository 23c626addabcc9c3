#include "common/effects/layout.h"

#include "common/effects/rounding.h"

namespace pkw::effects {
namespace {

// A layer measured on one axis: its content's size, and how far the content
// starts from where the layer is placed (shadows cast up or left push it).
struct Axis {
    int shift = 0;
    int size = 0;
};

Axis Horizontal(const LayerExtent& e) noexcept {
    if (e.excludeX) return {0, e.width};
    return {-e.offsetX, e.width - e.extraWidth};
}

Axis Vertical(const LayerExtent& e) noexcept {
    if (e.excludeY) return {0, e.height};
    return {-e.offsetY, e.height - e.extraHeight};
}

// Half the body's height exactly, less a whole half of the content: an odd
// body height leaves a half that goes to the even neighbour.
int CentredTop(int bodyHeight, int contentHeight, int shift) noexcept {
    return static_cast<int>(RoundHalfEven(bodyHeight / 2.0 - Half(contentHeight) + shift));
}

} // namespace

EffectsLayout LayoutEffects(const LayoutInput& in) noexcept {
    EffectsLayout out;
    const int cw = in.bodyWidth, ch = in.bodyHeight;
    const int g = in.glyphWidth + 2;
    const bool left = in.glyphAlignment == 0, right = in.glyphAlignment == 1;
    const int m = (left ? in.marginLeft : in.marginRight) + (in.border ? 1 : 0);

    if (in.image && in.caption) {
        const Axis ix = Horizontal(*in.image), iy = Vertical(*in.image);
        const Axis tx = Horizontal(*in.caption), ty = Vertical(*in.caption);
        Placement image{std::nullopt, CentredTop(ch, iy.size, 0)};
        Placement caption{std::nullopt, CentredTop(ch, ty.size, ty.shift)};
        if (left) {
            image.left = m + g;
            caption.left = m + g + ix.size + tx.shift + 2;
        } else if (right) {
            image.left = cw - m - g - ix.size - ix.shift;
            caption.left = *image.left - 2 - tx.size - tx.shift;
        }
        out.image = image;
        out.caption = caption;
    } else if (in.image) {
        const Axis ix = Horizontal(*in.image), iy = Vertical(*in.image);
        Placement image{std::nullopt, Half(ch) - Half(iy.size) + iy.shift};
        if (left) image.left = m + ix.shift;
        if (right) image.left = cw - m - ix.size + ix.shift;
        out.image = image;
    } else if (in.caption) {
        const Axis tx = Horizontal(*in.caption), ty = Vertical(*in.caption);
        Placement caption{std::nullopt, CentredTop(ch, ty.size, ty.shift)};
        if (left) caption.left = m + g + tx.shift;
        if (right) caption.left = cw - m - g - tx.size - tx.shift;
        out.caption = caption;
    }
    return out;
}

} // namespace pkw::effects
