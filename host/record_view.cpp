#include "host/record_view.h"

#include "common/com/hresult.h"
#include "host/dispatch.h"
#include "host/names.h"
#include "host/variant_slot.h"

namespace pkw::test {
namespace {

struct FieldType {
    VARTYPE vt = VT_EMPTY;
    ComPtr<ITypeInfo> record; // for VT_RECORD: the nested record's type
};

struct Field {
    BYTE* address = nullptr;
    FieldType type;
};

// Aliases are followed, enumerations are 32-bit integers, records stay
// records.
HRESULT resolve(ITypeInfo* owner, const TYPEDESC& desc, FieldType& out) {
    if (desc.vt != VT_USERDEFINED) {
        out.vt = desc.vt;
        return S_OK;
    }
    ComPtr<ITypeInfo> ref;
    PKW_RETURN_IF_FAILED(owner->GetRefTypeInfo(desc.hreftype, &ref));
    TYPEATTR* attr = nullptr;
    PKW_RETURN_IF_FAILED(ref->GetTypeAttr(&attr));
    HRESULT hr = S_OK;
    switch (attr->typekind) {
    case TKIND_RECORD:
        out.vt = VT_RECORD;
        out.record = ref;
        break;
    case TKIND_ENUM:
        out.vt = VT_I4;
        break;
    case TKIND_ALIAS:
        hr = resolve(ref.Get(), attr->tdescAlias, out);
        break;
    default:
        hr = DISP_E_BADVARTYPE;
    }
    ref->ReleaseTypeAttr(attr);
    return hr;
}

HRESULT locate(BYTE* data, ITypeInfo* info, std::wstring_view path, Field& out) {
    const auto dot = path.find(L'.');
    const std::wstring_view head = path.substr(0, dot);
    TYPEATTR* attr = nullptr;
    PKW_RETURN_IF_FAILED(info->GetTypeAttr(&attr));
    const WORD count = attr->cVars;
    info->ReleaseTypeAttr(attr);
    for (WORD i = 0; i < count; ++i) {
        VARDESC* var = nullptr;
        if (FAILED(info->GetVarDesc(i, &var))) continue;
        const bool match =
            var->varkind == VAR_PERINSTANCE && sameName(memberName(info, var->memid), head);
        Field field;
        HRESULT hr = S_OK;
        if (match) {
            field.address = data + var->oInst;
            hr = resolve(info, var->elemdescVar.tdesc, field.type);
        }
        info->ReleaseVarDesc(var);
        if (!match) continue;
        PKW_RETURN_IF_FAILED(hr);
        if (dot == std::wstring_view::npos) {
            out = field;
            return S_OK;
        }
        if (field.type.vt != VT_RECORD) return DISP_E_UNKNOWNNAME;
        return locate(field.address, field.type.record.Get(), path.substr(dot + 1), out);
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT flatten(BYTE* data, ITypeInfo* info, const std::wstring& prefix,
                std::vector<std::pair<std::wstring, Variant>>& out) {
    TYPEATTR* attr = nullptr;
    PKW_RETURN_IF_FAILED(info->GetTypeAttr(&attr));
    const WORD count = attr->cVars;
    info->ReleaseTypeAttr(attr);
    for (WORD i = 0; i < count; ++i) {
        VARDESC* var = nullptr;
        PKW_RETURN_IF_FAILED(info->GetVarDesc(i, &var));
        Field field;
        field.address = data + var->oInst;
        const std::wstring name = prefix + memberName(info, var->memid);
        const bool perInstance = var->varkind == VAR_PERINSTANCE;
        const HRESULT hr = resolve(info, var->elemdescVar.tdesc, field.type);
        info->ReleaseVarDesc(var);
        if (!perInstance) continue;
        PKW_RETURN_IF_FAILED(hr);
        if (field.type.vt == VT_RECORD) {
            PKW_RETURN_IF_FAILED(flatten(field.address, field.type.record.Get(), name + L".", out));
            continue;
        }
        Variant value;
        PKW_RETURN_IF_FAILED(readSlot(field.address, field.type.vt, value));
        out.emplace_back(name, value);
    }
    return S_OK;
}

} // namespace

HRESULT RecordView::fromVariant(const VARIANT& value, RecordView& view) {
    if (value.vt == (VT_VARIANT | VT_BYREF)) {
        if (!value.pvarVal) return E_INVALIDARG;
        return fromVariant(*value.pvarVal, view);
    }
    if ((value.vt & ~VT_BYREF) != VT_RECORD) return E_INVALIDARG;
    // By value or by reference alike, pvRecord is the record's memory.
    if (!V_RECORD(&value) || !V_RECORDINFO(&value)) return E_INVALIDARG;
    ComPtr<ITypeInfo> info;
    PKW_RETURN_IF_FAILED(V_RECORDINFO(&value)->GetTypeInfo(&info));
    view = RecordView(V_RECORD(&value), info);
    return S_OK;
}

std::wstring RecordView::typeName() const {
    return valid() ? typeInfoName(info_.Get()) : std::wstring();
}

HRESULT RecordView::get(std::wstring_view path, Variant& value) const {
    if (!valid()) return E_UNEXPECTED;
    Field field;
    PKW_RETURN_IF_FAILED(locate(static_cast<BYTE*>(data_), info_.Get(), path, field));
    if (field.type.vt == VT_RECORD) return DISP_E_TYPEMISMATCH;
    return readSlot(field.address, field.type.vt, value);
}

HRESULT RecordView::put(std::wstring_view path, const VARIANT& value) {
    if (!valid()) return E_UNEXPECTED;
    Field field;
    PKW_RETURN_IF_FAILED(locate(static_cast<BYTE*>(data_), info_.Get(), path, field));
    if (field.type.vt == VT_RECORD) return DISP_E_TYPEMISMATCH;
    return writeSlot(field.address, field.type.vt, value);
}

HRESULT RecordView::fields(std::vector<std::pair<std::wstring, Variant>>& out) const {
    out.clear();
    if (!valid()) return E_UNEXPECTED;
    return flatten(static_cast<BYTE*>(data_), info_.Get(), L"", out);
}

} // namespace pkw::test
