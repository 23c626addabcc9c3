// Small helpers for the tip's calls into the effects engine (zelFX40.dll).
#pragma once

#include "siblings/api/fx.h"

#include <windows.h>

#include <optional>

namespace pkw::globals {

// The label that tells the engine to keep nothing for undoing.
BSTR noUndoLabel();

// A layer's size and the box its content takes inside it.
struct LayerBox {
    LONG width = 0, height = 0;
    LONG offsetX = 0, offsetY = 0;        // the content's top-left corner in the layer
    LONG extraWidth = 0, extraHeight = 0; // how much larger than the content the layer is
};

std::optional<LayerBox> layerBoxOf(IFxLayer* layer);

} // namespace pkw::globals
