#include "common/com/dispatch_call.h"

#include <vector>

namespace pkw::com {
namespace {

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

HRESULT dispId(IDispatch* object, const wchar_t* name, DISPID& id) {
    if (!object || !name) return E_POINTER;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
}

HRESULT invoke(IDispatch* object, DISPID id, WORD flags, std::span<const Variant> args,
               Variant* result, std::wstring* error) {
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
    if (error) error->clear();
    if (hr == DISP_E_EXCEPTION) {
        if (excep.info.pfnDeferredFillIn) excep.info.pfnDeferredFillIn(&excep.info);
        if (error && excep.info.bstrDescription) *error = excep.info.bstrDescription;
        if (excep.info.scode != 0) hr = excep.info.scode;
    }
    return hr;
}

} // namespace pkw::com
