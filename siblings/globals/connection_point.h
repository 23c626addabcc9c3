// Outgoing events of one object.
//
//   ConnectionPoint      IConnectionPoint for one dispinterface; lives inside
//                        its container object and shares its reference count
//   createConnectionEnum / createConnectionPointEnum
//                        snapshot enumerators (IEnumConnections, IEnumConnectionPoints)
#pragma once

#include "siblings/globals/com_object.h"

#include <ocidl.h>
#include <windows.h>

#include <utility>
#include <vector>

namespace pkw::globals {

class ConnectionPoint final : public IConnectionPoint {
public:
    // container: the object that owns this member; its IUnknown carries the
    // reference count of both.
    ConnectionPoint(IConnectionPointContainer* container, REFIID events) noexcept
        : container_(container), events_(events) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    REFIID eventInterface() const noexcept { return events_; }
    // The sinks connected now, for raising an event: a sink may disconnect
    // (or release the source) while it is being called.
    std::vector<ComPtr<IDispatch>> sinks() const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return container_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return container_->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) noexcept override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) noexcept override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) noexcept override;

private:
    struct Connection {
        DWORD cookie;
        ComPtr<IDispatch> sink;
    };

    IConnectionPointContainer* container_;
    IID events_;
    std::vector<Connection> connections_;
    DWORD nextCookie_ = 1;
};

HRESULT createConnectionPointEnum(std::vector<ComPtr<IConnectionPoint>> points,
                                  IEnumConnectionPoints** result) noexcept;

} // namespace pkw::globals
