// The balloon's body through the effects engine (zelFX40.dll), as a
// control's effects body is built: the fill that BackStyle asks for, cut to
// the balloon's shape on a key colour, taken into a layer with its blur,
// softening and emboss; and a finished layer read back as premultiplied
// pixels for the tip's picture.
#pragma once

#include "common/win/dib_section.h"
#include "siblings/api/fx.h"
#include "siblings/globals/tip_engine.h"
#include "siblings/globals/tip_shape.h"
#include "siblings/globals/tip_style.h"

#include <windows.h>

#include <wrl/client.h>

#include <cstdint>

namespace pkw::globals {

// A colour as a DIB section holds it: 0x00RRGGBB (COLORREF is 0x00BBGGRR).
std::uint32_t dibPixelOf(COLORREF color);

// Paints the fill over all of `fill`: BackColor unless BackStyle is 1 (the
// key colour stays), then the texture (4) or the gradient (2, 3) over it.
void paintTipFill(const DibSection& fill, COLORREF key, const TipStyle& style);

// The fill laid out over the whole shape on `canvas`: the body's pixels
// where the body is, its nearest edge pixels out in the tail, the key
// colour outside the shape. `bodyAt`: the body's top-left pixel on the canvas.
void spreadOverShape(const DibSection& fill, POINT bodyAt, const TipShapeField& shape, COLORREF key,
                     const DibSection& canvas);

// The canvas as a layer with the key colour transparent, then the body's
// blur, softening and emboss. Null when the engine fails.
Microsoft::WRL::ComPtr<IFxLayer> makeTipBodyLayer(const DibSection& canvas, COLORREF key,
                                                  const TipBodyLook& look);

// The layer (of out's size) as premultiplied pixels with their alpha.
bool readPremultiplied(IFxLayer* layer, const DibSection& out);

} // namespace pkw::globals
