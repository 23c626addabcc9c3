#include "siblings/scls/mem_dc.h"

#include "siblings/scls/com_object.h"

#include <olectl.h>

#include <algorithm>
#include <cstdint>

namespace pkw::scls {

MemDcObject::~MemDcObject() {
    if (dc_ && dcOwnBitmap_) ::SelectObject(dc_.get(), dcOwnBitmap_);
}

void* MemDcObject::findInterface(REFIID iid) noexcept {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IMemDC)) {
        return static_cast<IMemDC*>(this);
    }
    return nullptr;
}

STDMETHODIMP MemDcObject::Create(LONG width, LONG height, OLE_COLOR fill) noexcept {
    if (width <= 0 || height <= 0) return E_INVALIDARG;
    // 32 bits a pixel; the byte count must fit the DIB's 32-bit size field.
    if (static_cast<std::int64_t>(width) * height > 0x7FFFFFFF / 4) return E_OUTOFMEMORY;
    COLORREF rgb = 0;
    if (FAILED(::OleTranslateColor(fill, nullptr, &rgb))) return E_INVALIDARG;

    if (!dc_) {
        dc_.reset(::CreateCompatibleDC(nullptr));
        if (!dc_) return E_OUTOFMEMORY;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap fresh(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!fresh || !bits) return E_OUTOFMEMORY;

    // Pixels are 0x00RRGGBB in memory order B, G, R, 0 (what GDI writes).
    const auto pixel = static_cast<std::uint32_t>(GetRValue(rgb)) << 16 |
                       static_cast<std::uint32_t>(GetGValue(rgb)) << 8 | GetBValue(rgb);
    std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<size_t>(width) * height, pixel);

    const HGDIOBJ previous = ::SelectObject(dc_.get(), fresh.get());
    if (!previous || previous == HGDI_ERROR) return E_FAIL;
    if (!dcOwnBitmap_) dcOwnBitmap_ = previous;
    bitmap_ = std::move(fresh); // the old bitmap, no longer selected, goes
    width_ = width;
    height_ = height;
    return S_OK;
}

STDMETHODIMP MemDcObject::get_hDC(HDC* hdc) noexcept {
    if (!hdc) return E_POINTER;
    *hdc = bitmap_ ? dc_.get() : nullptr;
    return S_OK;
}

STDMETHODIMP MemDcObject::get_Width(LONG* width) noexcept {
    if (!width) return E_POINTER;
    *width = width_;
    return S_OK;
}

STDMETHODIMP MemDcObject::get_Height(LONG* height) noexcept {
    if (!height) return E_POINTER;
    *height = height_;
    return S_OK;
}

HRESULT createMemDc(REFIID iid, void** ppv) {
    return createObject<MemDcObject>(iid, ppv);
}

} // namespace pkw::scls
