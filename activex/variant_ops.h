// Const-correct calls of oleaut32's VARIANT functions (MinGW-w64 declares
// their sources non-const although they only read them).
#pragma once

#include "common/com/variant.h"

#include <oleauto.h>
#include <windows.h>

namespace pkw::ax {

// Numbers into an empty or number target copy without a call.
inline bool copyPlain(VARIANT* to, const VARIANT& from) noexcept {
    if (!Variant::isPlainValue(from.vt) || !Variant::isPlainValue(to->vt)) return false;
    *to = from;
    return true;
}

inline HRESULT copyVariant(VARIANT* to, const VARIANT& from) noexcept {
    if (copyPlain(to, from)) return S_OK;
    return ::VariantCopy(to, const_cast<VARIANT*>(&from));
}

// Copies and dereferences a by-reference value.
inline HRESULT copyVariantInd(VARIANT* to, const VARIANT& from) noexcept {
    if (copyPlain(to, from)) return S_OK;
    return ::VariantCopyInd(to, const_cast<VARIANT*>(&from));
}

inline HRESULT changeType(VARIANT* to, const VARIANT& from, VARTYPE vt) noexcept {
    return ::VariantChangeType(to, const_cast<VARIANT*>(&from), 0, vt);
}

} // namespace pkw::ax
