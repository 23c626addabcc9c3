#include "common/com/server/connection_point.h"

#include "common/com/excep_info.h"
#include "common/com/hresult.h"
#include "common/com/server/enumerator.h"
#include "common/com/variant.h"

#include <olectl.h>

#include <utility>

namespace pkw::com {
namespace {

using Microsoft::WRL::ComPtr;

struct ConnectionItems {
    struct Held {
        ComPtr<IUnknown> sink;
        DWORD cookie;
    };
    using Item = CONNECTDATA;
    static void handOut(const Held& held, CONNECTDATA& item) noexcept {
        item.pUnk = nullptr;
        held.sink.CopyTo(&item.pUnk);
        item.dwCookie = held.cookie;
    }
};

struct PointItems {
    using Held = ComPtr<IConnectionPoint>;
    using Item = IConnectionPoint*;
    static void handOut(const Held& held, IConnectionPoint*& item) noexcept {
        item = nullptr;
        held.CopyTo(&item);
    }
};

} // namespace

HRESULT ConnectionPoint::raise(DISPID id, DISPPARAMS& params) noexcept {
    return forEachSink<IDispatch>([&](IDispatch* sink) {
        ExcepInfo excep;
        UINT argErr = 0;
        Variant result;
        ignore(sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                            result.put(), &excep, &argErr));
    });
}

void ConnectionPoint::clear() noexcept {
    // A sink may call back while it is released: empty the list first.
    std::vector<Connection> dropped;
    dropped.swap(connections_);
}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** ppv) noexcept {
    return queryInterface<InterfaceMap<IConnectionPoint>>(this, iid, ppv);
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
    if (!iid) return E_POINTER;
    *iid = events_;
    return S_OK;
}

HRESULT
ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
    if (!container) return E_POINTER;
    container_.AddRef();
    *container = &container_;
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IUnknown> typed;
    if (FAILED(sink->QueryInterface(events_, reinterpret_cast<void**>(typed.GetAddressOf()))) ||
        !typed) {
        typed.Reset();
        // Script hosts' sinks often answer IDispatch alone; events go out
        // through Invoke either way.
        ComPtr<IDispatch> dispatch;
        if (kind_ != SinkKind::Dispatch || FAILED(sink->QueryInterface(IID_PPV_ARGS(&dispatch))) ||
            !dispatch)
            return CONNECT_E_CANNOTCONNECT;
        typed = std::move(dispatch);
    }
    try {
        connections_.push_back({nextCookie_, std::move(typed)});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_;
    if (++nextCookie_ == 0) nextCookie_ = 1; // 0 is never a cookie
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) noexcept {
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [cookie](const Connection& c) { return c.cookie == cookie; });
    if (found == connections_.end()) return CONNECT_E_NOCONNECTION;
    // Released once the list is whole again: the sink's Release may call back.
    const ComPtr<IUnknown> sink = std::move(found->sink);
    connections_.erase(found);
    return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) noexcept {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    try {
        std::vector<ConnectionItems::Held> held;
        held.reserve(connections_.size());
        for (const Connection& c : connections_)
            held.push_back({c.sink, c.cookie});
        return SnapshotEnum<IEnumConnections, ConnectionItems>::create(std::move(held),
                                                                       connections);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ConnectionPointContainer::EnumConnectionPoints(IEnumConnectionPoints** points) noexcept {
    if (!points) return E_POINTER;
    *points = nullptr;
    try {
        std::vector<ComPtr<IConnectionPoint>> held;
        for (std::size_t i = 0; ConnectionPoint* point = connectionPoint(i); ++i)
            held.emplace_back(point);
        return SnapshotEnum<IEnumConnectionPoints, PointItems>::create(std::move(held), points);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ConnectionPointContainer::FindConnectionPoint(REFIID iid,
                                                      IConnectionPoint** point) noexcept {
    if (!point) return E_POINTER;
    *point = nullptr;
    for (std::size_t i = 0; ConnectionPoint* candidate = connectionPoint(i); ++i) {
        if (candidate->eventInterface() == iid) {
            candidate->AddRef();
            *point = candidate;
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

} // namespace pkw::com
