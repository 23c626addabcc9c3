// A record (user-defined type) seen through its type info: read and write
// its fields by name, "MapMargin.Left" for a field of a nested record. The
// memory is the record owner's: writes go straight into it, so a handler
// can answer a record passed by reference (VT_RECORD | VT_BYREF).
#pragma once

#include "common/com/variant.h"
#include "host/com_object.h"

#include <oaidl.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pkw::host {

class RecordView {
public:
    RecordView() = default;
    RecordView(void* data, ComPtr<ITypeInfo> info) : data_(data), info_(std::move(info)) {}

    // From a VT_RECORD or VT_RECORD | VT_BYREF argument (or a by-reference
    // VARIANT holding one); E_INVALIDARG for anything else.
    static HRESULT fromVariant(const VARIANT& value, RecordView& view);

    bool valid() const noexcept { return data_ && info_; }
    std::wstring typeName() const;
    HRESULT get(std::wstring_view path, Variant& value) const;
    // Converts `value` to the field's type; a string field gets a copy and
    // its old string is freed.
    HRESULT put(std::wstring_view path, const VARIANT& value);
    // Every scalar and string field, nested records flattened to dotted names.
    HRESULT fields(std::vector<std::pair<std::wstring, Variant>>& out) const;

private:
    void* data_ = nullptr;
    ComPtr<ITypeInfo> info_;
};

} // namespace pkw::host
