// What the Effects page keeps between the designer's calls, and what it
// does with it apart from its window: reading the first selected control,
// handing the effect sets to the special-effects editor, and writing the
// result to every selected control. All access is late-bound, by name.
#pragma once

#include "common/com/bstr.h"
#include "common/com/variant.h"

#include <oaidl.h>

#include <span>

namespace pkw::pages {

struct EffectsPageState {
    LONG controlWidth = 0;
    LONG controlHeight = 0;
    LONG xOffset = 0;
    LONG yOffset = 0;
    Bstr caption;
    SHORT controlType = 0; // 1 once an option button was selected first
    Variant effectsProps;
    Variant tipEffectsProps;
    Variant savedEffectsProps;
    Variant savedTipEffectsProps;
    bool lastEditedControl = false; // which editor ran last
    bool effectsEnabled = true;     // cmdEffects
    bool dirty = false;
};

// The first selected control's settings. Each read that fails leaves its
// value as it was; nothing here undoes an earlier selection's disabling
// or control type.
void ReadFirstControl(EffectsPageState& state, IDispatch* control);

// Runs the editor on the control's state sets (or on the tip set): true
// when the user changed something, which makes the page dirty; otherwise
// the saved copy is put back.
bool EditControlEffects(EffectsPageState& state, IDispatch* editor);
bool EditTipEffects(EffectsPageState& state, IDispatch* editor);

// Writes the page's values to each control in order, then refreshes it.
// A failure skips only the property (or the Refresh) that failed.
void ApplyToControls(const EffectsPageState& state, std::span<IDispatch* const> controls);

} // namespace pkw::pages
