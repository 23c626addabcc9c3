#include "host/property_types.h"

#include "common/com/hresult.h"
#include "common/com/variant.h"
#include "host/names.h"

#include <functional>

namespace pkw::host {
namespace {

constexpr int kMaxBaseDepth = 8; // a cycle in a broken library must end

using PropertyVisitor =
    std::function<void(MEMBERID id, INVOKEKIND kind, ITypeInfo* owner, const TYPEDESC& valueType)>;

// Calls `visit` for every property setter of `info` and of its bases.
void visitSetters(ITypeInfo* info, const PropertyVisitor& visit, int depth = 0) {
    TypeAttr attr;
    if (depth > kMaxBaseDepth || FAILED(attr.take(info))) return;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FuncDesc func;
        if (FAILED(func.take(info, i))) continue;
        const bool setter =
            func->invkind == INVOKE_PROPERTYPUT || func->invkind == INVOKE_PROPERTYPUTREF;
        if (setter && func->cParams >= 1)
            visit(func->memid, func->invkind, info,
                  func->lprgelemdescParam[func->cParams - 1].tdesc);
    }
    for (UINT i = 0; i < attr->cVars; ++i) {
        VarDesc var;
        if (SUCCEEDED(var.take(info, i)) && var->varkind == VAR_DISPATCH &&
            !(var->wVarFlags & VARFLAG_FREADONLY))
            visit(var->memid, INVOKE_PROPERTYPUT, info, var->elemdescVar.tdesc);
    }
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> base;
        if (SUCCEEDED(info->GetRefTypeOfImplType(i, &ref)) &&
            SUCCEEDED(info->GetRefTypeInfo(ref, &base)))
            visitSetters(base.Get(), visit, depth + 1);
    }
}

} // namespace

ComPtr<ITypeInfo> dispatchTypeInfo(IDispatch* object) {
    UINT count = 0;
    ComPtr<ITypeInfo> info;
    if (object && SUCCEEDED(object->GetTypeInfoCount(&count)) && count > 0)
        pkw::ignore(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info));
    return info;
}

HRESULT propertyType(ITypeInfo* info, DISPID id, PropertyType& out) {
    if (!info) return E_POINTER;
    bool found = false, byReference = false;
    HRESULT resolved = S_OK;
    visitSetters(
        info, [&](MEMBERID member, INVOKEKIND kind, ITypeInfo* owner, const TYPEDESC& valueType) {
            if (member != id) return;
            if (kind == INVOKE_PROPERTYPUTREF) byReference = true;
            // The plain setter's type wins over the reference setter's.
            if (found && kind == INVOKE_PROPERTYPUTREF) return;
            found = true;
            resolved = resolveType(owner, valueType, out.type);
        });
    if (!found) return DISP_E_MEMBERNOTFOUND;
    out.byReference = byReference;
    return resolved;
}

std::vector<std::wstring> colourProperties(ITypeInfo* info) {
    std::vector<std::wstring> names;
    if (!info) return names;
    visitSetters(
        info, [&](MEMBERID member, INVOKEKIND, ITypeInfo* owner, const TYPEDESC& valueType) {
            ValueType type;
            if (FAILED(resolveType(owner, valueType, type)) || type.kind != ValueType::Kind::Colour)
                return;
            std::wstring name = memberName(owner, member);
            for (const std::wstring& known : names)
                if (sameName(known, name)) return;
            names.push_back(std::move(name));
        });
    return names;
}

bool enumMember(ITypeInfo* enumeration, std::wstring_view name, LONG& value) {
    TypeAttr attr;
    if (FAILED(attr.take(enumeration))) return false;
    for (UINT i = 0; i < attr->cVars; ++i) {
        VarDesc var;
        if (FAILED(var.take(enumeration, i)) || var->varkind != VAR_CONST || !var->lpvarValue)
            continue;
        if (!sameName(memberName(enumeration, var->memid), name)) continue;
        Variant number;
        if (FAILED(::VariantChangeType(&number, var->lpvarValue, 0, VT_I4))) return false;
        value = number.lVal;
        return true;
    }
    return false;
}

} // namespace pkw::host
