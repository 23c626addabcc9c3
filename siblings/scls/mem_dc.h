// clsMemDC: a memory DC holding a 32-bit top-down DIB section.
#pragma once

#include "common/win/unique_handle.h"
#include "siblings/scls/type_library.h"
#include "zelSCls40.h"

namespace pkw::scls {

class MemDcObject : public Dual<IMemDC> {
public:
    MemDcObject() = default;
    ~MemDcObject();
    MemDcObject(const MemDcObject&) = delete;
    MemDcObject& operator=(const MemDcObject&) = delete;

    void* findInterface(REFIID iid) noexcept;

    // A width or height below 1 is E_INVALIDARG and, like any failure,
    // leaves the current bitmap as it was.
    STDMETHODIMP Create(LONG width, LONG height, OLE_COLOR fill) noexcept override;
    // 0 until the first successful Create; the same DC for the object's life.
    STDMETHODIMP get_hDC(HDC* hdc) noexcept override;
    STDMETHODIMP get_Width(LONG* width) noexcept override;
    STDMETHODIMP get_Height(LONG* height) noexcept override;

private:
    // Declared in this order so the bitmap goes before the DC; the DC's own
    // first bitmap is put back (in the destructor) before either goes.
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ dcOwnBitmap_ = nullptr;
    LONG width_ = 0;
    LONG height_ = 0;
};

HRESULT createMemDc(REFIID iid, void** ppv);

} // namespace pkw::scls
