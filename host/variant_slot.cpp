#include "host/variant_slot.h"

#include "common/com/hresult.h"

#include <cstring>

namespace pkw::host {

// oleaut32 declares the sources without const; they are not changed.
HRESULT copyValue(Variant& to, const VARIANT& from) {
    return ::VariantCopyInd(to.put(), const_cast<VARIANT*>(&from));
}

HRESULT convertValue(Variant& to, const VARIANT& from, VARTYPE vt) {
    return ::VariantChangeType(to.put(), const_cast<VARIANT*>(&from), 0, vt);
}

std::size_t scalarSize(VARTYPE vt) {
    switch (vt) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
    case VT_HRESULT:
        return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    default:
        return 0;
    }
}

HRESULT readSlot(const void* address, VARTYPE vt, Variant& value) {
    if (!address) return E_POINTER;
    switch (vt) {
    case VT_BSTR: {
        const BSTR s = *static_cast<const BSTR*>(address);
        value.clear();
        value.vt = VT_BSTR;
        value.bstrVal = ::SysAllocStringLen(s, s ? ::SysStringLen(s) : 0);
        return S_OK;
    }
    case VT_DISPATCH:
        value = Variant::fromDispatch(*static_cast<IDispatch* const*>(address));
        return S_OK;
    case VT_UNKNOWN:
        value = Variant::fromUnknown(*static_cast<IUnknown* const*>(address));
        return S_OK;
    case VT_VARIANT:
        return copyValue(value, *static_cast<const VARIANT*>(address));
    default:
        break;
    }
    const std::size_t size = scalarSize(vt);
    if (size == 0) return DISP_E_BADVARTYPE;
    value.clear();
    value.vt = vt;
    std::memcpy(&value.llVal, address, size); // every scalar starts the union
    return S_OK;
}

HRESULT writeSlot(void* address, VARTYPE vt, const VARIANT& value) {
    if (!address) return E_POINTER;
    if (vt == VT_VARIANT)
        return ::VariantCopy(static_cast<VARIANT*>(address), const_cast<VARIANT*>(&value));
    Variant converted;
    PKW_RETURN_IF_FAILED(convertValue(converted, value, vt));
    switch (vt) {
    case VT_BSTR: {
        BSTR* slot = static_cast<BSTR*>(address);
        ::SysFreeString(*slot);
        *slot = converted.bstrVal;
        converted.vt = VT_EMPTY; // the slot owns the string now
        return S_OK;
    }
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        IUnknown** slot = static_cast<IUnknown**>(address);
        if (*slot) (*slot)->Release();
        *slot = converted.punkVal;
        converted.vt = VT_EMPTY;
        return S_OK;
    }
    default:
        break;
    }
    const std::size_t size = scalarSize(vt);
    if (size == 0) return DISP_E_BADVARTYPE;
    std::memcpy(address, &converted.llVal, size);
    return S_OK;
}

} // namespace pkw::host
