// Where the image and caption layers go on an effects body. Layers that
// carry shadows are larger than their content; the layout measures each
// layer by its content unless told to count the shadow in.
#pragma once

#include <optional>

namespace pkw::effects {

// A built layer: its pixel size, and where its content sits inside it and
// by how much the layer outgrows it (what the effects engine reports).
struct LayerExtent {
    int width = 0, height = 0;
    int offsetX = 0, offsetY = 0;
    int extraWidth = 0, extraHeight = 0;
    // Count the shadow in on that axis: the layer is measured whole.
    bool excludeX = false, excludeY = false;
};

struct LayoutInput {
    int bodyWidth = 0, bodyHeight = 0;
    int glyphWidth = 0;
    // 0 glyph at the left, 1 at the right; any other value places the layers
    // vertically only.
    int glyphAlignment = 0;
    int marginLeft = 0, marginRight = 0;
    bool border = false;
    std::optional<LayerExtent> image, caption;
};

struct Placement {
    std::optional<int> left; // none: the layout chose no column
    int top = 0;
};

struct EffectsLayout {
    std::optional<Placement> image, caption; // none: no such layer
};

EffectsLayout LayoutEffects(const LayoutInput& in) noexcept;

} // namespace pkw::effects
