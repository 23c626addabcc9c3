// An in-memory property bag: names compared without regard to case, the
// last value written for a name wins, entries kept in the order of their
// first write. The stream persistence collects a control's values in one
// and writes it out, and reads a stream into one before the control sees
// any value.
#pragma once

#include "common/com/server/object.h"
#include "common/com/variant.h"
#include "common/win/name_map.h"

#include <ocidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <string_view>
#include <vector>

namespace pkw::ax {

class MemoryPropertyBag : public IPropertyBag {
public:
    using Interfaces = com::InterfaceMap<IPropertyBag>;
    struct Entry {
        std::wstring name;
        Variant value;
    };

    // A new, empty bag (reference count 1); null when out of memory.
    static Microsoft::WRL::ComPtr<MemoryPropertyBag> create() noexcept;

    // IPropertyBag. Read with pVar->vt VT_EMPTY gives the value as stored;
    // any other vt asks for that type (VariantChangeType). A missing name
    // answers E_INVALIDARG.
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* pVar, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* pVar) override;

    // Stores a copy of `value` (by-reference values are dereferenced).
    HRESULT set(std::wstring_view name, const VARIANT& value);
    // Stores `value` itself (not by reference), leaving it empty.
    HRESULT adopt(std::wstring_view name, Variant& value);
    // Room for `count` names, when the caller knows how many come.
    void reserve(std::size_t count);
    // The stored value, or null.
    const VARIANT* find(std::wstring_view name) const noexcept;
    const std::vector<Entry>& entries() const noexcept { return entries_; }

protected:
    MemoryPropertyBag() = default;
    ~MemoryPropertyBag() = default;

private:
    // The value slot of `name`, made empty when new.
    VARIANT& slot(std::wstring_view name);

    std::vector<Entry> entries_;
    // Where each name stands in entries_: a control writes and reads a few
    // hundred keys.
    win::NameMap<std::size_t> index_;
};

} // namespace pkw::ax
