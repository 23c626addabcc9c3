// Enumerators over a snapshot: the controls of a form as IUnknowns
// (IOleContainer::EnumObjects) and as VARIANTs (a collection's _NewEnum).
// One template; the two differ in how an item is handed out.
#pragma once

#include "common/com/variant.h"
#include "host/com_object.h"

#include <oaidl.h>

#include <vector>

namespace pkw::host {

// Hands out a copy the caller owns.
inline void handOut(const ComPtr<IUnknown>& item, IUnknown*& out) {
    out = item.Get();
    if (out) out->AddRef();
}
inline void handOut(const Variant& item, VARIANT& out) {
    ::VariantInit(&out);
    ::VariantCopy(&out, const_cast<Variant*>(&item));
}

template <typename Interface, typename Element, typename Item>
class SnapshotEnum : public ComObject<SnapshotEnum<Interface, Element, Item>, Interface> {
public:
    explicit SnapshotEnum(std::vector<Item> items, std::size_t position = 0)
        : items_(std::move(items)), position_(position) {}

    STDMETHODIMP Next(ULONG count, Element* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && position_ < items_.size(); ++n, ++position_)
            handOut(items_[position_], out[n]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override {
        const std::size_t left = items_.size() - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Interface** copy) override {
        if (!copy) return E_POINTER;
        *copy = makeCom<SnapshotEnum>(items_, position_).Detach();
        return S_OK;
    }

    void* find(REFIID riid) noexcept {
        if (riid == IID_IUnknown || riid == __uuidof(Interface))
            return static_cast<Interface*>(this);
        return nullptr;
    }

private:
    std::vector<Item> items_;
    std::size_t position_;
};

using UnknownEnum = SnapshotEnum<IEnumUnknown, IUnknown*, ComPtr<IUnknown>>;
using VariantEnum = SnapshotEnum<IEnumVARIANT, VARIANT, Variant>;

} // namespace pkw::host
