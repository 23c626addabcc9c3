// Outgoing interfaces of an object.
//
//   ConnectionPoint           the sinks of one outgoing interface; a member of
//                             its object, sharing the object's reference count
//   ConnectionPointContainer  IConnectionPointContainer over the object's points
//
// An event handler may connect, disconnect or release the object while an
// event is being raised: raising walks a copy of the sinks, skips those
// that disconnected meanwhile and holds the object until the last returns.
#pragma once

#include "common/com/server/object.h"

#include <ocidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace pkw::com {

enum class SinkKind : std::uint8_t {
    Interface, // the sink must answer the outgoing interface itself
    Dispatch,  // a dispinterface: a sink that answers only IDispatch is taken too
};

class ConnectionPoint final : public IConnectionPoint {
public:
    // container: the object this point belongs to; it carries the count.
    ConnectionPoint(IConnectionPointContainer& container, REFIID events, SinkKind kind) noexcept
        : container_(container), events_(events), kind_(kind) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    REFIID eventInterface() const noexcept { return events_; }
    bool hasSinks() const noexcept { return !connections_.empty(); }

    // Calls visit(I*) for every sink connected now, in the order they
    // connected, each as the outgoing interface (IDispatch for a
    // dispinterface).
    template <class I, class Visit>
    HRESULT forEachSink(Visit&& visit) noexcept {
        if (connections_.empty()) return S_OK;
        try {
            const Microsoft::WRL::ComPtr<IConnectionPointContainer> keep(&container_);
            for (const Connection& c : std::vector<Connection>(connections_))
                if (connected(c.cookie)) visit(static_cast<I*>(c.sink.Get()));
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }
    // Raises an event of a dispinterface on every sink; a failing handler
    // does not stop the others and is not reported. params are the event's
    // arguments, last first; by-reference ones carry each handler's answer
    // to the next.
    HRESULT raise(DISPID id, DISPPARAMS& params) noexcept;
    // Drops every sink (the object is going away).
    void clear() noexcept;

    // IUnknown: the point's own identity, the container's count.
    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) noexcept override;
    STDMETHODIMP_(ULONG) AddRef() noexcept override { return container_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() noexcept override { return container_.Release(); }
    // IConnectionPoint
    STDMETHODIMP GetConnectionInterface(IID* iid) noexcept override;
    STDMETHODIMP
    GetConnectionPointContainer(IConnectionPointContainer** container) noexcept override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) noexcept override;
    STDMETHODIMP Unadvise(DWORD cookie) noexcept override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) noexcept override;

private:
    struct Connection {
        DWORD cookie;
        Microsoft::WRL::ComPtr<IUnknown> sink; // the outgoing interface
    };

    bool connected(DWORD cookie) const noexcept {
        return std::any_of(connections_.begin(), connections_.end(),
                           [cookie](const Connection& c) { return c.cookie == cookie; });
    }

    IConnectionPointContainer& container_;
    const IID events_;
    const SinkKind kind_;
    DWORD nextCookie_ = 1;
    std::vector<Connection> connections_;
};

// The object lists its points through connectionPoint(); the two container
// methods are then written here once.
class ConnectionPointContainer : public IConnectionPointContainer {
public:
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) noexcept override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept override;

protected:
    ConnectionPointContainer() = default;
    ~ConnectionPointContainer() = default;
    // The object's points in the order they are listed; null after the last.
    virtual ConnectionPoint* connectionPoint(std::size_t index) noexcept = 0;
};

} // namespace pkw::com
