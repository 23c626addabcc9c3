#include "siblings/globals/connection_point.h"

#include <olectl.h>

#include <algorithm>
#include <new>

namespace pkw::globals {
namespace {

// Enumerators over a snapshot of references: each handed-out item carries
// its own reference for the caller.
struct ConnectionItems {
    using Enum = IEnumConnections;
    using Item = CONNECTDATA;
    struct Entry {
        ComPtr<IUnknown> sink;
        DWORD cookie;
    };
    static void out(const Entry& e, Item& item) noexcept {
        e.sink.CopyTo(&item.pUnk);
        item.dwCookie = e.cookie;
    }
};

struct PointItems {
    using Enum = IEnumConnectionPoints;
    using Item = IConnectionPoint*;
    using Entry = ComPtr<IConnectionPoint>;
    static void out(const Entry& e, Item& item) noexcept { e.CopyTo(&item); }
};

template <class Traits>
class SnapshotEnum : public Traits::Enum {
public:
    using Enum = typename Traits::Enum;
    using Item = typename Traits::Item;
    using Entries = std::vector<typename Traits::Entry>;

    SnapshotEnum(Entries entries, std::size_t next) noexcept
        : entries_(std::move(entries)), next_(next) {}

    void* findInterface(REFIID iid) noexcept {
        if (iid == IID_IUnknown || iid == __uuidof(Enum)) return static_cast<Enum*>(this);
        return nullptr;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) noexcept override {
        if (!out) return E_POINTER;
        if (count > 1 && !fetched) return E_INVALIDARG;
        ULONG n = 0;
        for (; n < count && next_ < entries_.size(); ++n, ++next_)
            Traits::out(entries_[next_], out[n]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) noexcept override {
        const std::size_t left = entries_.size() - next_;
        next_ += std::min<std::size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() noexcept override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Enum** clone) noexcept override {
        if (!clone) return E_POINTER;
        *clone = nullptr;
        try {
            return create(entries_, next_, clone);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    static HRESULT create(Entries entries, std::size_t next, Enum** result) noexcept {
        return createObject<SnapshotEnum>(__uuidof(Enum), reinterpret_cast<void**>(result),
                                          std::move(entries), next);
    }

private:
    Entries entries_;
    std::size_t next_;
};

} // namespace

std::vector<ComPtr<IDispatch>> ConnectionPoint::sinks() const {
    std::vector<ComPtr<IDispatch>> result;
    result.reserve(connections_.size());
    for (const Connection& c : connections_)
        result.push_back(c.sink);
    return result;
}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
    if (!iid) return E_POINTER;
    *iid = events_;
    return S_OK;
}

HRESULT
ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
    if (!container) return E_POINTER;
    *container = container_;
    container_->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IDispatch> events;
    if (FAILED(sink->QueryInterface(events_, reinterpret_cast<void**>(events.GetAddressOf()))) ||
        !events)
        return CONNECT_E_CANNOTCONNECT;
    try {
        connections_.push_back({nextCookie_, std::move(events)});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) noexcept {
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [cookie](const Connection& c) { return c.cookie == cookie; });
    if (found == connections_.end()) return CONNECT_E_NOCONNECTION;
    // Released after the erase: the sink's last Release may call back here.
    ComPtr<IDispatch> sink = std::move(found->sink);
    connections_.erase(found);
    return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) noexcept {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    try {
        std::vector<ConnectionItems::Entry> entries;
        entries.reserve(connections_.size());
        for (const Connection& c : connections_)
            entries.push_back({c.sink, c.cookie});
        return SnapshotEnum<ConnectionItems>::create(std::move(entries), 0, connections);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT createConnectionPointEnum(std::vector<ComPtr<IConnectionPoint>> points,
                                  IEnumConnectionPoints** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    return SnapshotEnum<PointItems>::create(std::move(points), 0, result);
}

} // namespace pkw::globals
