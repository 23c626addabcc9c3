// A line kind of the tip (its header, its caption) as a text layer of the
// effects engine, styled by the set's settings of that prefix ("Header",
// "Text") exactly as a control's caption is: enhancement mode, glow, inner
// shadow, gradient, texture, emboss, blur, softening and shadow.
#pragma once

#include "siblings/api/fx.h"

#include <windows.h>

#include <ocidl.h>
#include <wrl/client.h>

#include <string_view>

namespace pkw::globals {

struct TipTextLayer {
    Microsoft::WRL::ComPtr<IFxLayer> layer; // null: no text, or no engine
    SIZE content{};                         // the text's box inside the layer
    POINT offset{}; // where that box sits in the layer (halos and shadows around it)
};

// `box`: what GDI measured for the text with `font`; `flags`: DrawText's.
// The layer's text box is at least that large.
TipTextLayer buildTipTextLayer(IDispatch* settings, const wchar_t* prefix, IFont* font,
                               std::wstring_view text, SIZE box, UINT flags);

} // namespace pkw::globals
