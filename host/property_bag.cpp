#include "host/property_bag.h"
#include "host/variant_slot.h"

#include "common/com/hresult.h"

#include <algorithm>

namespace pkw::host {

ComPtr<MemoryPropertyBag> MemoryPropertyBag::create(Objects objects) {
    return makeCom<MemoryPropertyBag>(objects);
}

void* MemoryPropertyBag::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IPropertyBag) return static_cast<IPropertyBag*>(this);
    return nullptr;
}

MemoryPropertyBag::Entry* MemoryPropertyBag::lookup(std::wstring_view name) {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : &entries_[it->second];
}

const MemoryPropertyBag::Entry* MemoryPropertyBag::lookup(std::wstring_view name) const {
    return const_cast<MemoryPropertyBag*>(this)->lookup(name);
}

HRESULT MemoryPropertyBag::failure(const std::vector<Failure>& list, std::wstring_view name) {
    for (const Failure& f : list)
        if (f.name == L"*" || sameName(f.name, name)) return f.hr;
    return S_OK;
}

namespace {

// An object that can save itself into a stream (fonts and pictures can).
bool persistsItself(const VARIANT& v) {
    if ((v.vt != VT_UNKNOWN && v.vt != VT_DISPATCH) || !v.punkVal) return false;
    ComPtr<IPersistStream> persist;
    return SUCCEEDED(v.punkVal->QueryInterface(IID_PPV_ARGS(&persist)));
}

} // namespace

HRESULT MemoryPropertyBag::store(std::wstring_view name, const VARIANT& value) {
    Entry fresh;
    fresh.name = std::wstring(name);
    if (objects_ == Objects::Persist && persistsItself(value)) {
        ComPtr<IPersistStream> persist;
        PKW_RETURN_IF_FAILED(value.punkVal->QueryInterface(IID_PPV_ARGS(&persist)));
        PKW_RETURN_IF_FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &fresh.persisted));
        PKW_RETURN_IF_FAILED(::OleSaveToStream(persist.Get(), fresh.persisted.Get()));
    } else {
        PKW_RETURN_IF_FAILED(copyValue(fresh.value, value));
    }
    if (Entry* existing = lookup(name)) {
        // The first spelling stays; the value is the last one written.
        existing->value = fresh.value;
        existing->persisted = fresh.persisted;
    } else {
        index_.emplace(std::wstring(name), entries_.size());
        entries_.push_back(std::move(fresh));
    }
    return S_OK;
}

HRESULT MemoryPropertyBag::load(const Entry& entry, Variant& value) const {
    if (!entry.persisted) {
        value = entry.value;
        return S_OK;
    }
    const LARGE_INTEGER start{};
    PKW_RETURN_IF_FAILED(entry.persisted->Seek(start, STREAM_SEEK_SET, nullptr));
    ComPtr<IUnknown> object;
    PKW_RETURN_IF_FAILED(::OleLoadFromStream(entry.persisted.Get(), IID_IUnknown, &object));
    ComPtr<IDispatch> dispatch;
    if (SUCCEEDED(object.As(&dispatch))) {
        value = Variant::fromDispatch(dispatch.Get());
    } else {
        value = Variant::fromUnknown(object.Get());
    }
    return S_OK;
}

HRESULT MemoryPropertyBag::set(std::wstring_view name, const VARIANT& value) {
    return store(name, value);
}

bool MemoryPropertyBag::has(std::wstring_view name) const {
    return lookup(name) != nullptr;
}

HRESULT MemoryPropertyBag::get(std::wstring_view name, Variant& value) const {
    const Entry* entry = lookup(name);
    if (!entry) return E_INVALIDARG;
    return load(*entry, value);
}

void MemoryPropertyBag::erase(std::wstring_view name) {
    std::erase_if(entries_, [&](const Entry& e) { return sameName(e.name, name); });
    index_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i)
        index_.emplace(entries_[i].name, i);
}

void MemoryPropertyBag::clear() {
    entries_.clear();
    index_.clear();
}

std::vector<std::wstring> MemoryPropertyBag::names() const {
    std::vector<std::wstring> result;
    for (const Entry& e : entries_)
        result.push_back(e.name);
    return result;
}

void MemoryPropertyBag::clearLog() {
    writes_.clear();
    reads_.clear();
}

void MemoryPropertyBag::failRead(std::wstring_view name, HRESULT hr) {
    readFailures_.push_back({std::wstring(name), hr});
}

void MemoryPropertyBag::failWrite(std::wstring_view name, HRESULT hr) {
    writeFailures_.push_back({std::wstring(name), hr});
}

void MemoryPropertyBag::clearFailures() {
    readFailures_.clear();
    writeFailures_.clear();
}

STDMETHODIMP MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    const VARTYPE requested = value->vt;
    HRESULT hr = failure(readFailures_, name);
    Variant result;
    if (SUCCEEDED(hr)) {
        const Entry* entry = lookup(name);
        hr = entry ? load(*entry, result) : E_INVALIDARG;
    }
    if (SUCCEEDED(hr) && requested != VT_EMPTY && result.vt != requested) {
        Variant converted;
        hr = convertValue(converted, result, requested);
        if (SUCCEEDED(hr)) result = converted;
    }
    if (recordReads_) reads_.push_back({name, requested, hr});
    if (FAILED(hr)) return hr;
    // The caller's VARIANT holds only the requested type on entry.
    result.detach(value);
    return S_OK;
}

STDMETHODIMP MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    PKW_RETURN_IF_FAILED(failure(writeFailures_, name));
    Variant copy;
    PKW_RETURN_IF_FAILED(copyValue(copy, *value));
    PKW_RETURN_IF_FAILED(store(name, copy));
    writes_.push_back({name, std::move(copy)});
    return S_OK;
}

} // namespace pkw::host
