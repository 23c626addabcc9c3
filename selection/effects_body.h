// The body of the effects look: a control-sized DC that starts as the key
// colour (what stays of it turns transparent), then takes the background
// by BackStyle and the border; the control draws its glyph on it.
#pragma once

#include "selection/effect_look.h"
#include "zelFX40.h"

#include <windows.h>

namespace pkw::selection {

struct BodyCanvas {
    HDC hdc = nullptr;
    LONG width = 0, height = 0;
    SHORT twipsPerPixelX = 15, twipsPerPixelY = 15;
};

// The key colour of the look: BorderColor with every component one higher.
COLORREF BodyKeyColour(const EffectLook& look);

// The background by BackStyle and the border, onto a body already filled
// with the key colour; a gradient goes through `gradient` (made when null,
// kept for the next paint).
HRESULT PaintBodyBackground(const BodyCanvas& body, const EffectLook& look,
                            ComPtr<IFxLayer>& gradient);

// The set's texture over the body: copied once, tiled or stretched.
void DrawBodyTexture(const BodyCanvas& body, const EffectLook& look);

// A linear (BackStyle 2) or radial (3) gradient over the body, through a
// layer of the effects engine (made when null).
HRESULT DrawBodyGradient(const BodyCanvas& body, const EffectLook& look, ComPtr<IFxLayer>& layer);

} // namespace pkw::selection
