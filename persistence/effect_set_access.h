// Typed access to every setting of an EffectSet through its vtable, one
// entry per line of the settings table (same order as
// pkw::globals::kEffectSettings), so code that walks the table can get and
// set any setting without a switch on its name.
#pragma once

#include "siblings/globals/effect_settings.h"
#include "zelGlobals40.h"

#include <ocidl.h>
#include <windows.h>

#include <cstdint>
#include <span>

namespace pkw::persist {

struct EffectSettingAccess {
    // Numbers, Booleans (as -1 / 0) and colours (their 32 bits). Null for
    // the other types.
    HRESULT (*getNumber)(IEffectSet* set, std::int32_t* value);
    HRESULT (*putNumber)(IEffectSet* set, std::int32_t value);
    // Fonts and pictures (by reference).
    HRESULT (*getObject)(IEffectSet* set, IDispatch** value);
    HRESULT (*putRefObject)(IEffectSet* set, IDispatch* value);
    // Texts.
    HRESULT (*getText)(IEffectSet* set, BSTR* value);
    HRESULT (*putText)(IEffectSet* set, BSTR value);
    // Gradient stop lists.
    HRESULT (*getGradient)(IEffectSet* set, IGradInfo** value);
};

std::span<const EffectSettingAccess> EffectSettingAccessors() noexcept;

inline const EffectSettingAccess& AccessOf(globals::EffectSettingId id) noexcept {
    return EffectSettingAccessors()[static_cast<std::size_t>(id)];
}

} // namespace pkw::persist
