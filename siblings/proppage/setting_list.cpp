#include "siblings/proppage/setting_list.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"

#include <map>

namespace pkw::proppage {
namespace {

using Microsoft::WRL::ComPtr;

// A property read's value type: a dispatch description gives it as the
// function's own type, a vtable description as its [out, retval] pointer.
const TYPEDESC* ReadType(const FUNCDESC& f) {
    if (f.cParams == 0 && f.elemdescFunc.tdesc.vt != VT_HRESULT &&
        f.elemdescFunc.tdesc.vt != VT_VOID)
        return &f.elemdescFunc.tdesc;
    if (f.cParams == 1 && (f.lprgelemdescParam[0].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) &&
        f.lprgelemdescParam[0].tdesc.vt == VT_PTR)
        return f.lprgelemdescParam[0].tdesc.lptdesc;
    return nullptr;
}

struct Found {
    Setting setting;
    bool readable = false;
    WORD puts = 0;
};

} // namespace

HRESULT ListSettings(IDispatch* set, std::vector<Setting>& settings) {
    settings.clear();
    PKW_RETURN_HR_IF_NULL(E_POINTER, set);
    ComPtr<ITypeInfo> info;
    PKW_RETURN_IF_FAILED(set->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info));
    PKW_RETURN_HR_IF_NULL(E_NOTIMPL, info);
    com::TypeAttr attr;
    PKW_RETURN_IF_FAILED(attr.take(info.Get()));
    // A dual interface's vtable description keeps the declared types (a
    // colour is OLE_COLOR there, a plain number in the dispatch one).
    HREFTYPE vtable = 0;
    ComPtr<ITypeInfo> declared;
    if (attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL) &&
        SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable)) &&
        SUCCEEDED(info->GetRefTypeInfo(vtable, &declared)) && declared) {
        info = declared;
        PKW_RETURN_IF_FAILED(attr.take(info.Get()));
    }
    std::vector<MEMBERID> order;
    std::map<MEMBERID, Found> found;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        com::FuncDesc f;
        if (FAILED(f.take(info.Get(), i))) continue;
        if (f->wFuncFlags & (FUNCFLAG_FRESTRICTED | FUNCFLAG_FHIDDEN)) continue;
        Found& entry = found[f->memid];
        if (f->invkind == INVOKE_PROPERTYGET) {
            const TYPEDESC* type = ReadType(*f);
            if (!type || FAILED(com::resolveType(info.Get(), *type, entry.setting.type))) continue;
            entry.readable = true;
            entry.setting.id = f->memid;
            entry.setting.name = com::memberName(info.Get(), f->memid);
            order.push_back(f->memid);
        } else if (f->invkind == INVOKE_PROPERTYPUT && f->cParams == 1) {
            entry.puts |= DISPATCH_PROPERTYPUT;
        } else if (f->invkind == INVOKE_PROPERTYPUTREF && f->cParams == 1) {
            entry.puts |= DISPATCH_PROPERTYPUTREF;
        }
    }
    for (MEMBERID id : order) {
        Found& entry = found[id];
        if (!entry.readable || entry.setting.name.empty()) continue;
        const bool object =
            entry.setting.type.vt == VT_DISPATCH || entry.setting.type.vt == VT_UNKNOWN;
        // Objects are set by reference where the class allows it: the set
        // keeps the object it is given.
        if (object && (entry.puts & DISPATCH_PROPERTYPUTREF))
            entry.setting.putFlag = DISPATCH_PROPERTYPUTREF;
        else if (entry.puts & DISPATCH_PROPERTYPUT)
            entry.setting.putFlag = DISPATCH_PROPERTYPUT;
        settings.push_back(std::move(entry.setting));
    }
    return S_OK;
}

HRESULT ReadSetting(IDispatch* set, const Setting& setting, Variant& value) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, set);
    DISPPARAMS none{};
    return set->Invoke(setting.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                       value.put(), nullptr, nullptr);
}

HRESULT WriteSetting(IDispatch* set, const Setting& setting, const VARIANT& value) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, set);
    if (!setting.putFlag) return DISP_E_MEMBERNOTFOUND;
    VARIANTARG arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    return set->Invoke(setting.id, IID_NULL, LOCALE_USER_DEFAULT, setting.putFlag, &params, nullptr,
                       nullptr, nullptr);
}

} // namespace pkw::proppage
