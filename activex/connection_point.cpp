#include "activex/connection_point.h"

#include "activex/com_enum.h"

#include <olectl.h>

#include <new>

namespace pkw::ax {
namespace {

struct ConnectDataTraits {
    static void copyOut(const CONNECTDATA& from, CONNECTDATA& to) noexcept {
        to = from;
        if (to.pUnk) to.pUnk->AddRef();
    }
    static void release(CONNECTDATA& item) noexcept {
        if (item.pUnk) item.pUnk->Release();
        item.pUnk = nullptr;
    }
};

using ConnectionEnum = ComEnum<IEnumConnections, CONNECTDATA, ConnectDataTraits>;

} // namespace

ConnectionPoint::ConnectionPoint(REFIID iid, IConnectionPointContainer& container) noexcept
    : iid_(iid), container_(container) {}

std::vector<Microsoft::WRL::ComPtr<IUnknown>> ConnectionPoint::sinks() const {
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> out;
    out.reserve(connections_.size());
    for (const Connection& c : connections_)
        out.push_back(c.sink);
    return out;
}

void ConnectionPoint::clear() noexcept {
    // Sinks may call back while they are released: empty the list first.
    std::vector<Connection> dropped;
    dropped.swap(connections_);
}

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ConnectionPoint::AddRef() {
    return container_.AddRef();
}
STDMETHODIMP_(ULONG) ConnectionPoint::Release() {
    return container_.Release();
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = &container_;
    container_.AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    Microsoft::WRL::ComPtr<IUnknown> typed;
    // A source dispinterface may be answered by a plain IDispatch.
    if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(typed.GetAddressOf())))) {
        Microsoft::WRL::ComPtr<IDispatch> dispatch;
        if (iid_ == IID_IPropertyNotifySink ||
            FAILED(sink->QueryInterface(IID_PPV_ARGS(&dispatch))))
            return CONNECT_E_CANNOTCONNECT;
        typed = dispatch;
    }
    try {
        connections_.push_back(Connection{nextCookie_, typed});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->cookie == cookie) {
            // Release after the list is consistent: the sink may call back.
            Microsoft::WRL::ComPtr<IUnknown> sink = std::move(it->sink);
            connections_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    try {
        std::vector<CONNECTDATA> items;
        items.reserve(connections_.size());
        for (const Connection& c : connections_) {
            items.push_back(CONNECTDATA{c.sink.Get(), c.cookie});
            c.sink->AddRef();
        }
        return ConnectionEnum::create(std::move(items), this, connections);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::ax
