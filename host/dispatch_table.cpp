#include "host/dispatch_table.h"
#include "host/variant_slot.h"

#include "host/names.h"

namespace pkw::host {

HRESULT idsOfNames(std::span<const DispName> table, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    HRESULT hr = S_OK;
    ids[0] = DISPID_UNKNOWN;
    for (const DispName& entry : table)
        if (names[0] && sameName(entry.name, names[0])) ids[0] = entry.id;
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

const DispName* findName(std::span<const DispName> table, DISPID id) {
    for (const DispName& entry : table)
        if (entry.id == id) return &entry;
    return nullptr;
}

HRESULT putArgument(const DISPPARAMS* params, Variant& value) {
    if (!params || params->cArgs < 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
    if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
        params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTOPTIONAL;
    if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    return copyValue(value, params->rgvarg[0]);
}

UINT positionalCount(const DISPPARAMS* params) {
    return params ? params->cArgs - params->cNamedArgs : 0;
}

HRESULT positionalArgument(const DISPPARAMS* params, UINT i, Variant& value) {
    const UINT count = positionalCount(params);
    if (i >= count || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
    return copyValue(value, params->rgvarg[params->cArgs - 1 - i]);
}

} // namespace pkw::host
