#include "pages/late_bound.h"

#include "common/com/dispatch_call.h"
#include "common/com/hresult.h"

#include <new>

namespace pkw::pages::late {
namespace {

HRESULT ByName(IDispatch* object, const wchar_t* name, WORD flags, std::span<const Variant> args,
               Variant* result) noexcept {
    try {
        DISPID id = DISPID_UNKNOWN;
        PKW_RETURN_IF_FAILED(com::dispId(object, name, id));
        return com::invoke(object, id, flags, args, result);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace

HRESULT Get(IDispatch* object, const wchar_t* name, Variant& value) noexcept {
    return ByName(object, name, DISPATCH_PROPERTYGET, {}, &value);
}

HRESULT Put(IDispatch* object, const wchar_t* name, const VARIANT& value) noexcept {
    const bool isObject = value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN;
    try {
        const Variant arg(value);
        return ByName(object, name, isObject ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT,
                      {&arg, 1}, nullptr);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT Call(IDispatch* object, const wchar_t* name) noexcept {
    return ByName(object, name, DISPATCH_METHOD, {}, nullptr);
}

HRESULT GetText(IDispatch* object, const wchar_t* name, std::wstring& text) noexcept {
    Variant value;
    PKW_RETURN_IF_FAILED(Get(object, name, value));
    if (value.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
    try {
        text.assign(value.bstrVal ? value.bstrVal : L"", ::SysStringLen(value.bstrVal));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT PutText(IDispatch* object, const wchar_t* name, const std::wstring& text) noexcept {
    Variant value;
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value.bstrVal) return E_OUTOFMEMORY;
    return Put(object, name, value);
}

} // namespace pkw::pages::late
