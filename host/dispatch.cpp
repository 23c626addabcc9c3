#include "host/dispatch.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"

#include <ocidl.h>

#include <vector>

namespace pkw::host {
namespace {

thread_local std::wstring t_lastError;

// An EXCEPINFO whose strings are freed on every path.
struct Exception {
    EXCEPINFO info{};
    Exception() = default;
    Exception(const Exception&) = delete;
    Exception& operator=(const Exception&) = delete;
    ~Exception() {
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrHelpFile);
    }
};

} // namespace

const std::wstring& lastDispatchError() {
    return t_lastError;
}

HRESULT dispId(IDispatch* object, const wchar_t* name, DISPID& id) {
    if (!object || !name) return E_POINTER;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
}

HRESULT invoke(IDispatch* object, DISPID id, WORD flags, std::span<const Variant> args,
               Variant* result) {
    if (!object) return E_POINTER;
    // Invoke takes its arguments last to first.
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    Exception excep;
    UINT argErr = 0;
    Variant ignored;
    HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                result ? result->put() : ignored.put(), &excep.info, &argErr);
    if (hr == DISP_E_EXCEPTION) {
        if (excep.info.pfnDeferredFillIn) excep.info.pfnDeferredFillIn(&excep.info);
        t_lastError = excep.info.bstrDescription ? excep.info.bstrDescription : L"";
        if (excep.info.scode != 0) hr = excep.info.scode;
    } else if (FAILED(hr)) {
        t_lastError.clear();
    }
    return hr;
}

HRESULT getProperty(IDispatch* object, const wchar_t* name, Variant& value) {
    return getProperty(object, name, {}, value);
}

HRESULT getProperty(IDispatch* object, const wchar_t* name, std::span<const Variant> index,
                    Variant& value) {
    DISPID id = DISPID_UNKNOWN;
    PKW_RETURN_IF_FAILED(dispId(object, name, id));
    return invoke(object, id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, index, &value);
}

HRESULT putProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) {
    DISPID id = DISPID_UNKNOWN;
    PKW_RETURN_IF_FAILED(dispId(object, name, id));
    const Variant arg(value);
    return invoke(object, id, DISPATCH_PROPERTYPUT, {&arg, 1}, nullptr);
}

HRESULT putRefProperty(IDispatch* object, const wchar_t* name, IUnknown* value) {
    DISPID id = DISPID_UNKNOWN;
    PKW_RETURN_IF_FAILED(dispId(object, name, id));
    Variant arg;
    ComPtr<IDispatch> dispatch;
    if (value && SUCCEEDED(value->QueryInterface(IID_PPV_ARGS(&dispatch))))
        arg = Variant::fromDispatch(dispatch.Get());
    else if (value)
        arg = Variant::fromUnknown(value);
    else
        arg = Variant::fromDispatch(nullptr);
    return invoke(object, id, DISPATCH_PROPERTYPUTREF, {&arg, 1}, nullptr);
}

HRESULT callMethod(IDispatch* object, const wchar_t* name, std::span<const Variant> args,
                   Variant* result) {
    DISPID id = DISPID_UNKNOWN;
    PKW_RETURN_IF_FAILED(dispId(object, name, id));
    return invoke(object, id, DISPATCH_METHOD, args, result);
}

std::wstring typeName(IUnknown* object) {
    if (!object) return {};
    ComPtr<IProvideClassInfo> provide;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&provide)))) {
        ComPtr<ITypeInfo> coclass;
        if (SUCCEEDED(provide->GetClassInfo(&coclass))) {
            std::wstring name = typeInfoName(coclass.Get());
            if (!name.empty()) return name;
        }
    }
    ComPtr<IDispatch> dispatch;
    UINT count = 0;
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(&dispatch))) ||
        FAILED(dispatch->GetTypeInfoCount(&count)) || count == 0)
        return {};
    ComPtr<ITypeInfo> info;
    if (FAILED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info))) return {};
    std::wstring name = typeInfoName(info.Get());
    if (!name.empty() && name.front() == L'_') name.erase(0, 1);
    return name;
}

} // namespace pkw::host
