#include "host/connection.h"

#include "common/com/hresult.h"

namespace pkw::host {

HRESULT Connection::connect(IUnknown* source, REFIID iid, IUnknown* sink) {
    disconnect();
    if (!source || !sink) return E_POINTER;
    ComPtr<IConnectionPointContainer> container;
    PKW_RETURN_IF_FAILED(source->QueryInterface(IID_PPV_ARGS(&container)));
    ComPtr<IConnectionPoint> point;
    PKW_RETURN_IF_FAILED(container->FindConnectionPoint(iid, &point));
    DWORD cookie = 0;
    PKW_RETURN_IF_FAILED(point->Advise(sink, &cookie));
    point_ = point;
    cookie_ = cookie;
    return S_OK;
}

void Connection::disconnect() noexcept {
    if (!point_) return;
    // Take the point first: Unadvise may release the last reference to a
    // sink whose destructor reaches back here.
    ComPtr<IConnectionPoint> point = std::move(point_);
    point_ = nullptr;
    point->Unadvise(cookie_);
    cookie_ = 0;
}

} // namespace pkw::host
