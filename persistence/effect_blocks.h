// The effect blocks of a selection control's saved settings: one block of
// effect-set settings per visual state ("Alpha2", "BodyGradInfo_GradColor21"),
// and the tool tip's ("TIP:Alpha"). The header settings are kept once,
// under the tool tip's keys, whichever block reads or writes them.
#pragma once

#include "activex/property_bag.h"

#include "zelGlobals40.h"

#include <ocidl.h>
#include <windows.h>

namespace pkw::persist {

enum class EffectBlock { State, Tip };

// Reads a block into `set`. A missing key gives the block's default; a
// value that cannot be converted, or that the set refuses, is skipped.
// `ambientFont` is the default of the font settings (may be null).
void ReadEffectBlock(const ax::PropertyBag& bag, EffectBlock block, int state, IEffectSet* set,
                     IFontDisp* ambientFont);

// Writes a block from `set`, values at their default leaving no entry;
// stops at the first failure of the bag or of the set and returns it.
HRESULT WriteEffectBlock(const ax::PropertyBag& bag, EffectBlock block, int state, IEffectSet* set,
                         IFontDisp* ambientFont);

} // namespace pkw::persist
