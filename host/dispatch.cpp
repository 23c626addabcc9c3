#include "host/dispatch.h"

#include "common/com/dispatch_call.h"
#include "common/com/hresult.h"

#include <ocidl.h>

namespace pkw::host {
namespace {

thread_local std::wstring t_lastError;

} // namespace

const std::wstring& lastDispatchError() {
    return t_lastError;
}

HRESULT dispId(IDispatch* object, const wchar_t* name, DISPID& id) {
    return com::dispId(object, name, id);
}

HRESULT invoke(IDispatch* object, DISPID id, WORD flags, std::span<const Variant> args,
               Variant* result) {
    return com::invoke(object, id, flags, args, result, &t_lastError);
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
