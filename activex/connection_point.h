// One connection point of a control: the sinks of one outgoing interface.
// It lives inside the control and shares the control's reference count.
#pragma once

#include <ocidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <vector>

namespace pkw::ax {

class ConnectionPoint final : public IConnectionPoint {
public:
    // `container` is the control's connection-point container; its identity
    // holds this point's references.
    ConnectionPoint(REFIID iid, IConnectionPointContainer& container) noexcept;
    ~ConnectionPoint() = default;
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    REFIID iid() const noexcept { return iid_; }
    // The connected sinks, each as the interface of this point (for a
    // dispinterface: an IDispatch), in the order they connected. A copy, so
    // sinks may connect and disconnect while the caller walks it.
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> sinks() const;
    // Drops every sink (the control is going away).
    void clear() noexcept;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IConnectionPoint
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

private:
    struct Connection {
        DWORD cookie;
        Microsoft::WRL::ComPtr<IUnknown> sink;
    };

    IID iid_;
    IConnectionPointContainer& container_;
    std::vector<Connection> connections_;
    DWORD nextCookie_ = 1;
};

} // namespace pkw::ax
