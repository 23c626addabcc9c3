#include "activex/memory_property_bag.h"
#include "common/com/com_ptr.h"
#include "activex/variant_ops.h"

#include <new>

namespace pkw::ax {

Microsoft::WRL::ComPtr<MemoryPropertyBag> MemoryPropertyBag::create() noexcept {
    return Adopt(new (std::nothrow) com::ComObject<MemoryPropertyBag>());
}

const VARIANT* MemoryPropertyBag::find(std::wstring_view name) const noexcept {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : &entries_[it->second].value;
}

VARIANT& MemoryPropertyBag::slot(std::wstring_view name) {
    auto it = index_.find(name);
    if (it == index_.end()) {
        it = index_.emplace(std::wstring(name), entries_.size()).first;
        try {
            entries_.push_back(Entry{std::wstring(name), Variant()});
        } catch (...) {
            index_.erase(it);
            throw;
        }
    }
    Variant& value = entries_[it->second].value;
    value.clear();
    return value;
}

HRESULT MemoryPropertyBag::set(std::wstring_view name, const VARIANT& value) {
    Variant copy;
    const HRESULT hr = copyVariantInd(&copy, value);
    if (FAILED(hr)) return hr;
    return adopt(name, copy);
}

HRESULT MemoryPropertyBag::adopt(std::wstring_view name, Variant& value) {
    if (value.vt & VT_BYREF) return set(name, value);
    try {
        value.detach(&slot(name));
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

void MemoryPropertyBag::reserve(std::size_t count) {
    try {
        entries_.reserve(count);
        index_.reserve(count);
    } catch (const std::bad_alloc&) {
        // Only room made ahead: the entries still fit one by one.
    }
}

STDMETHODIMP MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* pVar, IErrorLog*) {
    if (!name || !pVar) return E_POINTER;
    const VARIANT* stored = find(name);
    if (!stored) return E_INVALIDARG;
    // The caller's VARIANT holds only a requested type: nothing to free.
    Variant out;
    const HRESULT hr =
        pVar->vt == VT_EMPTY ? copyVariant(&out, *stored) : changeType(&out, *stored, pVar->vt);
    if (FAILED(hr)) return hr;
    out.detach(pVar);
    return S_OK;
}

STDMETHODIMP MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* pVar) {
    if (!name || !pVar) return E_POINTER;
    return set(name, *pVar);
}

} // namespace pkw::ax
