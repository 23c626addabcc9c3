// Const-correct calls of oleaut32's VARIANT functions (MinGW-w64 declares
// their sources non-const although they only read them).
#pragma once

#include <oleauto.h>
#include <windows.h>

namespace pkw::ax {

inline HRESULT copyVariant(VARIANT* to, const VARIANT& from) noexcept {
    return ::VariantCopy(to, const_cast<VARIANT*>(&from));
}

// Copies and dereferences a by-reference value.
inline HRESULT copyVariantInd(VARIANT* to, const VARIANT& from) noexcept {
    return ::VariantCopyInd(to, const_cast<VARIANT*>(&from));
}

inline HRESULT changeType(VARIANT* to, const VARIANT& from, VARTYPE vt) noexcept {
    return ::VariantChangeType(to, const_cast<VARIANT*>(&from), 0, vt);
}

} // namespace pkw::ax
