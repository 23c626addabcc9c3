// The effect sets a selection control holds (its EffectsProps or
// TipEffectsProps), through their vtable.
#pragma once

#include "host/com_object.h"

#include "zelGlobals40.h"

#include <oleauto.h>

#include <vector>

namespace pkw::host {

inline std::vector<ComPtr<IEffectSet>> EffectSetsOf(const VARIANT& sets) {
    std::vector<ComPtr<IEffectSet>> out;
    if (sets.vt != (VT_ARRAY | VT_DISPATCH)) return out;
    LONG lo = 0, hi = -1;
    ::SafeArrayGetLBound(sets.parray, 1, &lo);
    ::SafeArrayGetUBound(sets.parray, 1, &hi);
    for (LONG i = lo; i <= hi; ++i) {
        ComPtr<IDispatch> item;
        ComPtr<IEffectSet> set;
        if (SUCCEEDED(::SafeArrayGetElement(sets.parray, &i, item.GetAddressOf())) && item)
            item.As(&set);
        out.push_back(set);
    }
    return out;
}

} // namespace pkw::host
