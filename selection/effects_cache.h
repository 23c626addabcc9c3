// What the effects look keeps from paint to paint while it lasts. Making
// DIB sections, a display DC or a layer costs more under Wine than drawing
// the control, and building the caption's layer is most of a paint: what
// a state's set built is kept and used again while the set, the caption and
// the sizes stay what they were.
#pragma once

#include "common/win/dib_section.h"
#include "common/win/unique_handle.h"
#include "selection/effect_set_fingerprint.h"
#include "zelFX40.h"

#include <wrl/client.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pkw::selection {

// What one visual state's set built, and from what.
struct StateDrawing {
    SetFingerprint drawnFrom;
    std::wstring caption;
    LONG bodyWidth = 0, bodyHeight = 0;
    SHORT twipsPerPixelX = 0, twipsPerPixelY = 0;
    Microsoft::WRL::ComPtr<IFxLayer> image, text; // null: none
    std::vector<std::uint32_t> background;        // the body without its glyph; empty: not yet
};

struct EffectsScratch {
    DibSection body, frame;
    Microsoft::WRL::ComPtr<IFxLayer> gradient;
    UniqueMemoryDc measure; // for the caption's size
    SetFingerprint reading; // this paint's, compared with what a state drew from
    std::array<StateDrawing, 4> states;
};

} // namespace pkw::selection
