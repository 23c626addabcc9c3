#include "host/record_view.h"

#include "common/com/hresult.h"
#include "host/type_info.h"
#include "host/names.h"
#include "host/variant_slot.h"

namespace pkw::host {
namespace {

struct Field {
    BYTE* address = nullptr;
    ValueType type;
};

HRESULT locate(BYTE* data, ITypeInfo* info, std::wstring_view path, Field& out) {
    const auto dot = path.find(L'.');
    const std::wstring_view head = path.substr(0, dot);
    TypeAttr attr;
    PKW_RETURN_IF_FAILED(attr.take(info));
    for (UINT i = 0; i < attr->cVars; ++i) {
        VarDesc var;
        if (FAILED(var.take(info, i))) continue;
        if (var->varkind != VAR_PERINSTANCE || !sameName(memberName(info, var->memid), head))
            continue;
        Field field;
        field.address = data + var->oInst;
        PKW_RETURN_IF_FAILED(resolveType(info, var->elemdescVar.tdesc, field.type));
        if (dot == std::wstring_view::npos) {
            out = field;
            return S_OK;
        }
        if (field.type.vt != VT_RECORD) return DISP_E_UNKNOWNNAME;
        return locate(field.address, field.type.info.Get(), path.substr(dot + 1), out);
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT flatten(BYTE* data, ITypeInfo* info, const std::wstring& prefix,
                std::vector<std::pair<std::wstring, Variant>>& out) {
    TypeAttr attr;
    PKW_RETURN_IF_FAILED(attr.take(info));
    for (UINT i = 0; i < attr->cVars; ++i) {
        VarDesc var;
        PKW_RETURN_IF_FAILED(var.take(info, i));
        if (var->varkind != VAR_PERINSTANCE) continue;
        Field field;
        field.address = data + var->oInst;
        const std::wstring name = prefix + memberName(info, var->memid);
        PKW_RETURN_IF_FAILED(resolveType(info, var->elemdescVar.tdesc, field.type));
        if (field.type.vt == VT_RECORD) {
            PKW_RETURN_IF_FAILED(flatten(field.address, field.type.info.Get(), name + L".", out));
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

} // namespace pkw::host
