// A COM enumerator over a snapshot of items (IEnumConnections,
// IEnumConnectionPoints, ...). `Traits::copyOut(from, to)` copies an item
// with a reference of its own, `Traits::release(item)` drops one.
#pragma once

#include "common/com/module.h"

#include <windows.h>
#include <wrl/client.h>

#include <new>
#include <vector>

namespace pkw::ax {

template <typename Enum, typename Item, typename Traits>
class ComEnum final : public Enum {
public:
    // A new enumerator (reference count 1) that takes over the references
    // held by `items` and keeps `owner` alive.
    static HRESULT create(std::vector<Item> items, IUnknown* owner, Enum** out) noexcept {
        if (!out) {
            for (Item& item : items)
                Traits::release(item);
            return E_POINTER;
        }
        *out = nullptr;
        try {
            *out = new ComEnum(std::move(items), owner);
            return S_OK;
        } catch (const std::bad_alloc&) {
            for (Item& item : items)
                Traits::release(item);
            return E_OUTOFMEMORY;
        }
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == __uuidof(Enum)) {
            *ppv = static_cast<Enum*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = ::InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return n;
    }

    STDMETHODIMP Next(ULONG count, Item* items, ULONG* fetched) override {
        if (!items || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        while (n < count && at_ < items_.size())
            Traits::copyOut(items_[at_++], items[n++]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const size_t left = items_.size() - at_;
        const bool whole = count <= left;
        at_ += whole ? count : left;
        return whole ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        at_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Enum** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        try {
            std::vector<Item> copy(items_.size());
            for (size_t i = 0; i < items_.size(); ++i)
                Traits::copyOut(items_[i], copy[i]);
            const HRESULT hr = create(std::move(copy), owner_.Get(), out);
            if (SUCCEEDED(hr)) static_cast<ComEnum*>(*out)->at_ = at_;
            return hr;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

private:
    ComEnum(std::vector<Item> items, IUnknown* owner) : items_(std::move(items)), owner_(owner) {}
    ~ComEnum() {
        for (Item& item : items_)
            Traits::release(item);
    }

    LONG refs_ = 1;
    std::vector<Item> items_;
    size_t at_ = 0;
    Microsoft::WRL::ComPtr<IUnknown> owner_;
    module::ObjectLock moduleLock_;
};

} // namespace pkw::ax
