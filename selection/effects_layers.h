// The image and caption layers of the effects look: built from a state's
// settings by the effects engine, and measured for the layout.
#pragma once

#include "common/effects/layout.h"
#include "common/win/unique_handle.h"
#include "selection/effect_look.h"
#include "zelFX40.h"

#include <string>

namespace pkw::selection {

// What the engine's operations take as their undo label: keep nothing.
extern const wchar_t kNoUndo[];

// The set's Image at its pixel size (twips per pixel of the screen), keyed
// by ImageMaskColor, blurred and shadowed as the set says.
HRESULT BuildImageLayer(const EffectLook& look, SHORT twipsPerPixelX, SHORT twipsPerPixelY,
                        ComPtr<IFxLayer>& layer);

// A memory DC like the display's, for measuring text. A control keeps one:
// making a display DC costs more than the rest of a paint under Wine.
UniqueMemoryDc NewMeasureDc();

// The caption's size in `font` (the rectangle's right edge bounds a wrapped
// caption; DT_CALCRECT is part of `flags`), measured on `measure`.
void MeasureText(HDC measure, IFontDisp* font, const std::wstring& text, RECT& rc, UINT flags);

// The caption, measured and drawn into a new layer styled by the set's
// TextEnhancementMode and its text settings. `wrapWidth` bounds a caption
// with WordWrap.
HRESULT BuildTextLayer(HDC measure, IEffectSet* set, const EffectLook& look,
                       const std::wstring& caption, LONG wrapWidth, ComPtr<IFxLayer>& layer);

// A built layer as the layout measures it.
HRESULT MeasureLayer(IFxLayer* layer, bool excludeX, bool excludeY, effects::LayerExtent& extent);

} // namespace pkw::selection
