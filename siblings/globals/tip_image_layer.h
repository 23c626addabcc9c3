// A picture beside one of the tip's lines as a layer of the effects engine:
// at its size on the screen, its mask colour left out, then its blur,
// softening, shadow and alpha.
#pragma once

#include "siblings/api/fx.h"
#include "siblings/globals/tip_style.h"

#include <windows.h>

#include <wrl/client.h>

namespace pkw::globals {

struct TipImageLayer {
    Microsoft::WRL::ComPtr<IFxLayer> layer; // null: no image
    SIZE size{};                            // the box the layout gives it
    POINT offset{};                         // where that box sits in the layer
};

TipImageLayer buildTipImageLayer(const TipImageLook& look);

} // namespace pkw::globals
