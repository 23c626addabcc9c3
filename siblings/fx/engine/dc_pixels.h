// The engine's two meetings with GDI outside text: taking a layer's pixels
// from a DC, and laying a layer onto a DC with its transparency.
#pragma once

#include "common/win/dib_section.h"
#include "siblings/fx/kernels/effects_layer.h"

#include <windows.h>

#include <optional>

namespace pkw::fx {

// What GDI drew into a DIB section as a new layer, opaque.
void TakeOpaque(const DibSection& dib, EffectsLayer& layer);

// `scratch` carries the pixels between the DC and the layer; a layer keeps
// one from call to call, since a DIB section costs more to make than a
// control-sized layer's pixels cost to move.

// The rectangle's pixels, opaque, as a new layer; E_INVALIDARG when the
// size is below 1 or the DC cannot be read (the layer is then unchanged).
HRESULT LoadFromDc(HDC hdc, int x, int y, int width, int height, EffectsLayer& layer,
                   DibSection& scratch);

struct RenderSettings {
    int left = 0, top = 0;         // where the layer's top-left corner goes
    std::optional<Rgb> background; // laid under the layer instead of the DC's pixels
    int opacity = -1;              // 0-255: the layer seen through it as well
    DWORD rop = SRCCOPY;           // how the composed pixels are written back
};

HRESULT RenderToDc(HDC hdc, const EffectsLayer& layer, const RenderSettings& settings,
                   DibSection& scratch);

} // namespace pkw::fx
