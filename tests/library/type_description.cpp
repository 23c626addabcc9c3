#include "type_description.h"

#include "common/com/bstr.h"

#include <wrl/client.h>

namespace pkw::test {

std::wstring typeName(ITypeInfo* info) {
    Bstr name;
    if (FAILED(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)))
        return L"?";
    return name.get() ? name.get() : L"";
}

std::wstring describeType(ITypeInfo* info, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR:
        return describeType(info, *type.lptdesc) + L"*";
    case VT_USERDEFINED: {
        Microsoft::WRL::ComPtr<ITypeInfo> ref;
        if (FAILED(info->GetRefTypeInfo(type.hreftype, &ref))) return L"?";
        return typeName(ref.Get());
    }
    case VT_I2:
        return L"short";
    case VT_I4:
        return L"long";
    case VT_I8:
        return L"hyper";
    case VT_UI4:
        return L"ULONG";
    case VT_INT:
        return L"int";
    case VT_R4:
        return L"float";
    case VT_R8:
        return L"double";
    case VT_BSTR:
        return L"BSTR";
    case VT_BOOL:
        return L"VARIANT_BOOL";
    case VT_VARIANT:
        return L"VARIANT";
    case VT_UNKNOWN:
        return L"IUnknown*";
    case VT_DISPATCH:
        return L"IDispatch*";
    case VT_HRESULT:
        return L"HRESULT";
    case VT_VOID:
        return L"void";
    default:
        return L"vt" + std::to_wstring(type.vt);
    }
}

std::wstring describeParameter(ITypeInfo* info, const ELEMDESC& param) {
    const USHORT flags = param.paramdesc.wParamFlags;
    std::wstring prefix;
    if (flags & PARAMFLAG_FRETVAL)
        prefix = L"retval ";
    else if ((flags & PARAMFLAG_FIN) && (flags & PARAMFLAG_FOUT))
        prefix = L"inout ";
    else if (flags & PARAMFLAG_FOUT)
        prefix = L"out ";
    return prefix + describeType(info, param.tdesc);
}

std::wstring describeParameters(ITypeInfo* info, const FUNCDESC& func) {
    std::wstring text;
    for (SHORT i = 0; i < func.cParams; ++i) {
        if (i) text += L", ";
        text += describeParameter(info, func.lprgelemdescParam[i]);
    }
    return text;
}

} // namespace pkw::test
