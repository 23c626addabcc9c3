// Outgoing events of one dispinterface:
//
//   ConnectionPoint      IConnectionPoint living inside its container object
//                        (it shares the container's reference count)
//   createEnumConnections / createEnumConnectionPoints
//                        snapshot enumerators (objects of their own)
#pragma once

#include <ocidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <vector>

namespace pkw::scls {

using Microsoft::WRL::ComPtr;

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& container, REFIID events) noexcept
        : container_(container), events_(events) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    struct Sink {
        DWORD cookie;
        ComPtr<IDispatch> dispatch;
    };
    // The sinks in advise order, held, for raising an event; a handler may
    // unadvise while the event is being raised (check isAdvised).
    std::vector<Sink> snapshot() const;
    bool isAdvised(DWORD cookie) const noexcept;

    // IUnknown (the container's count)
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
    IConnectionPointContainer& container_;
    const IID events_;
    DWORD nextCookie_ = 1;
    std::vector<Sink> sinks_;
};

HRESULT createEnumConnectionPoints(std::vector<ComPtr<IConnectionPoint>> points,
                                   IEnumConnectionPoints** enumerator);

} // namespace pkw::scls
