// The effects looks of the demo, each a way to fill the four state sets of
// a selection control over a common base (a light surface, a thin border
// that takes the accent when hot and pressed, muted when disabled): the
// effects gallery shows every one in every state, the demo form a few
// beside the standard look.
#pragma once

#include "host/site.h"
#include "zelGlobals40.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace pkw::demo {

// The visual states, in the order of the control's EffectsProps.
enum class State { Normal, Hot, Pressed, Disabled };
inline constexpr std::size_t kStates = 4;

using Look = std::function<void(IEffectSet*, State)>;

struct NamedLook {
    const wchar_t* caption;
    bool option; // shown on NuOption40 instead of NuCheckBox40
    Look look;
};

const std::vector<NamedLook>& EffectLooks();
// The look of that caption, or null.
const NamedLook* FindLook(std::wstring_view caption);

// Gives a control placed at `rect` the effects look: its body what the room
// for shadows (or for turning) leaves of it, each state's set the base and
// then `look`.
void ApplyLook(host::Site& site, const RECT& rect, const Look& look, LONG xRoom, LONG yRoom,
               SHORT rotation = 0);

} // namespace pkw::demo
