#include "common/com/type_info.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"

#include <olectl.h>

namespace pkw::com {
namespace {

// The alias that property browsers know as a colour (OLE_COLOR).
constexpr GUID kColourAlias = {
    0x66504301, 0xBE0F, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

ValueType::Kind objectKind(REFGUID iid) {
    if (iid == IID_IFontDisp || iid == IID_IFont) return ValueType::Kind::Font;
    if (iid == IID_IPictureDisp || iid == IID_IPicture) return ValueType::Kind::Picture;
    return ValueType::Kind::Object;
}

// Aliases of aliases end somewhere in a sound library; a broken one must
// not send a caller round in circles.
constexpr int kMaxAliasDepth = 16;

HRESULT resolveAt(ITypeInfo* owner, const TYPEDESC& desc, ValueType& out, int depth);

HRESULT resolveUserDefined(ITypeInfo* owner, HREFTYPE href, bool throughPointer, ValueType& out,
                           int depth) {
    if (++depth > kMaxAliasDepth) return DISP_E_BADVARTYPE;
    ComPtr<ITypeInfo> ref;
    PKW_RETURN_IF_FAILED(owner->GetRefTypeInfo(href, &ref));
    TypeAttr attr;
    PKW_RETURN_IF_FAILED(attr.take(ref.Get()));
    // stdole names its font and picture interfaces through aliases
    // (IFontDisp is Font): a pointer follows them to the interface.
    if (throughPointer && attr->typekind == TKIND_ALIAS) {
        if (attr->tdescAlias.vt != VT_USERDEFINED) return DISP_E_BADVARTYPE;
        return resolveUserDefined(ref.Get(), attr->tdescAlias.hreftype, true, out, depth);
    }
    const bool isInterface = attr->typekind == TKIND_DISPATCH ||
                             attr->typekind == TKIND_INTERFACE || attr->typekind == TKIND_COCLASS;
    // Only an interface is passed through a pointer as a value.
    if (throughPointer != isInterface) return DISP_E_BADVARTYPE;
    switch (attr->typekind) {
    case TKIND_ENUM:
        out = {VT_I4, ValueType::Kind::Enum, ref};
        return S_OK;
    case TKIND_RECORD:
        out = {VT_RECORD, ValueType::Kind::Record, ref};
        return S_OK;
    case TKIND_ALIAS: {
        PKW_RETURN_IF_FAILED(resolveAt(ref.Get(), attr->tdescAlias, out, depth));
        if (attr->guid == kColourAlias || typeInfoName(ref.Get()) == L"OLE_COLOR")
            out.kind = ValueType::Kind::Colour;
        return S_OK;
    }
    case TKIND_DISPATCH:
    case TKIND_INTERFACE:
    case TKIND_COCLASS: {
        const bool dispatch =
            attr->typekind != TKIND_INTERFACE || (attr->wTypeFlags & TYPEFLAG_FDUAL) != 0;
        out = {static_cast<VARTYPE>(dispatch ? VT_DISPATCH : VT_UNKNOWN), objectKind(attr->guid),
               nullptr};
        return S_OK;
    }
    default:
        return DISP_E_BADVARTYPE;
    }
}

HRESULT resolveAt(ITypeInfo* owner, const TYPEDESC& desc, ValueType& out, int depth) {
    if (!owner) return E_POINTER;
    switch (desc.vt) {
    case VT_USERDEFINED:
        return resolveUserDefined(owner, desc.hreftype, false, out, depth);
    case VT_PTR:
        if (!desc.lptdesc || desc.lptdesc->vt != VT_USERDEFINED) return DISP_E_BADVARTYPE;
        return resolveUserDefined(owner, desc.lptdesc->hreftype, true, out, depth);
    case VT_DISPATCH:
    case VT_UNKNOWN:
        out = {desc.vt, ValueType::Kind::Object, nullptr};
        return S_OK;
    case VT_SAFEARRAY:
    case VT_CARRAY:
    case VT_VOID:
    case VT_HRESULT:
        return DISP_E_BADVARTYPE;
    default:
        out = {desc.vt, ValueType::Kind::Plain, nullptr};
        return S_OK;
    }
}

} // namespace

HRESULT resolveType(ITypeInfo* owner, const TYPEDESC& desc, ValueType& out) {
    return resolveAt(owner, desc, out, 0);
}

std::wstring typeInfoName(ITypeInfo* info) {
    Bstr name;
    if (!info ||
        FAILED(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)))
        return {};
    return name.str();
}

std::wstring memberName(ITypeInfo* info, MEMBERID id) {
    if (!info) return {};
    BSTR names[1] = {};
    UINT count = 0;
    if (FAILED(info->GetNames(id, names, 1, &count)) || count == 0) return {};
    return Bstr::attach(names[0]).str();
}

} // namespace pkw::com
