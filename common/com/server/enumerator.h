// A COM enumerator over a snapshot: the items are copied (with their
// references) when it is made, so the enumerated object may change meanwhile.
// Traits::Held is what the snapshot keeps, Traits::handOut(held, item) gives
// the caller an item with a reference of its own.
#pragma once

#include "common/com/server/object.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace pkw::com {

template <class Enum, class Traits>
class SnapshotEnum : public Enum {
public:
    using Interfaces = InterfaceMap<Enum>;
    using Item = typename Traits::Item;
    using Held = typename Traits::Held;

    SnapshotEnum(std::vector<Held> items, std::size_t next) noexcept
        : items_(std::move(items)), next_(next) {}

    static HRESULT create(std::vector<Held> items, Enum** out) noexcept {
        return createObject<SnapshotEnum>(__uuidof(Enum), reinterpret_cast<void**>(out),
                                          std::move(items), std::size_t{0});
    }

    STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) noexcept override {
        if (fetched) *fetched = 0;
        if (!out) return E_POINTER;
        // Only a request for one item may leave out the count fetched.
        if (count != 1 && !fetched) return E_INVALIDARG;
        ULONG n = 0;
        for (; n < count && next_ < items_.size(); ++n, ++next_)
            Traits::handOut(items_[next_], out[n]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) noexcept override {
        const std::size_t left = items_.size() - next_;
        next_ += std::min<std::size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() noexcept override {
        next_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Enum** copy) noexcept override {
        if (!copy) return E_POINTER;
        *copy = nullptr;
        // A copy of items_ may throw; createObject turns that into a result.
        return createObject<SnapshotEnum>(__uuidof(Enum), reinterpret_cast<void**>(copy), items_,
                                          next_);
    }

private:
    std::vector<Held> items_;
    std::size_t next_;
};

} // namespace pkw::com
