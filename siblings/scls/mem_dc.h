// clsMemDC: a memory DC holding a 32-bit top-down DIB section.
#pragma once

#include "common/com/server/server.h"
#include "common/win/dib_section.h"
#include "zelSCls40.h"

namespace pkw::scls {

class MemDcObject : public com::DualDispatch<IMemDC> {
public:
    using Interfaces = com::InterfaceMap<IMemDC, IDispatch>;

    // A width or height below 1 is E_INVALIDARG and, like any failure,
    // leaves the current bitmap as it was.
    STDMETHODIMP Create(LONG width, LONG height, OLE_COLOR fill) noexcept override;
    // 0 until the first successful Create; the same DC for the object's life.
    STDMETHODIMP get_hDC(HDC* hdc) noexcept override;
    STDMETHODIMP get_Width(LONG* width) noexcept override;
    STDMETHODIMP get_Height(LONG* height) noexcept override;

private:
    DibSection surface_;
};

} // namespace pkw::scls
