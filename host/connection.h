// One advise on a connection point, undone on disconnect or destruction.
#pragma once

#include "host/com_object.h"

#include <ocidl.h>

namespace pkw::host {

class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { disconnect(); }

    HRESULT connect(IUnknown* source, REFIID iid, IUnknown* sink);
    void disconnect() noexcept;
    bool connected() const noexcept { return point_ != nullptr; }

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

} // namespace pkw::host
