// The settings of a text layer, read from an effect set by their names:
// "%EnhancementMode", "%GlowColor", "Apply%Emboss", … with the prefix of the
// text they style ("Text" for a caption, "Header" for a tip's header).
#pragma once

#include "siblings/fx/engine/dispatch_reader.h"
#include "siblings/fx/kernels/text_style.h"

namespace pkw::fx {

// Everything but the texture's pixels (see TextTexture) and the ink.
TextStyle ReadTextStyle(const DispatchReader& settings);

} // namespace pkw::fx
