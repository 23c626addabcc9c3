#include "common/com/late_bound.h"

namespace pkw::com {
namespace {

HRESULT IdOf(IDispatch* object, const wchar_t* name, DISPID& id) noexcept {
    if (!object) return E_POINTER;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
}

} // namespace

HRESULT GetProperty(IDispatch* object, const wchar_t* name, Variant& value) noexcept {
    DISPID id = DISPID_UNKNOWN;
    if (const HRESULT hr = IdOf(object, name, id); FAILED(hr)) return hr;
    DISPPARAMS none{};
    value.clear();
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value,
                          nullptr, nullptr);
}

HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) noexcept {
    DISPID id = DISPID_UNKNOWN;
    if (const HRESULT hr = IdOf(object, name, id); FAILED(hr)) return hr;
    VARIANTARG arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                          nullptr, nullptr);
}

HRESULT GetPropertyAs(IDispatch* object, const wchar_t* name, VARTYPE type,
                      Variant& value) noexcept {
    Variant raw;
    if (const HRESULT hr = GetProperty(object, name, raw); FAILED(hr)) return hr;
    value.clear();
    return ::VariantChangeType(&value, &raw, 0, type);
}

} // namespace pkw::com
