// Small helpers of property procedures: handing a value, an object or a
// text out through an out-parameter, and Booleans in the container's form.
#pragma once

#include "common/com/hresult.h"

#include <oleauto.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>

namespace pkw::ax {

inline std::wstring FromBstr(BSTR s) {
    return std::wstring(s ? s : L"", s ? ::SysStringLen(s) : 0);
}

inline HRESULT ToBstr(const std::wstring& text, BSTR* out) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, out);
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

inline VARIANT_BOOL ToVb(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

template <typename T, typename U>
HRESULT Give(T* out, U value) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, out);
    *out = static_cast<T>(value);
    return S_OK;
}

template <typename I>
HRESULT GiveObject(I** out, const Microsoft::WRL::ComPtr<I>& object) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, out);
    *out = object.Get();
    if (*out) (*out)->AddRef();
    return S_OK;
}

} // namespace pkw::ax
