// Arguments of the engine's COM methods turned into the kernels' terms.
// Callers pass anything: out-of-range alphas are held to 0-255 and a
// colour that does not resolve is reported, never guessed.
#pragma once

#include "siblings/fx/kernels/pixel.h"

#include <oaidl.h>
#include <olectl.h>
#include <windows.h>

#include <cstdint>
#include <optional>

namespace pkw::fx {

std::uint8_t AlphaArgument(LONG alpha) noexcept;

// An OLE_COLOR (system colours resolved), or none when it names nothing.
std::optional<Rgb> ColourArgument(OLE_COLOR colour) noexcept;

// Whether a step so named is kept for Undo: every name but "No Undo".
bool KeptForUndo(BSTR undoLabel) noexcept;

} // namespace pkw::fx
