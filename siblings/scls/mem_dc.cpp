#include "siblings/scls/mem_dc.h"

#include <olectl.h>

namespace pkw::scls {

STDMETHODIMP MemDcObject::Create(LONG width, LONG height, OLE_COLOR fill) noexcept {
    if (width <= 0 || height <= 0) return E_INVALIDARG;
    COLORREF rgb = 0;
    if (FAILED(::OleTranslateColor(fill, nullptr, &rgb))) return E_INVALIDARG;
    if (!surface_.create(width, height)) return E_OUTOFMEMORY;
    surface_.fill(rgb);
    return S_OK;
}

STDMETHODIMP MemDcObject::get_hDC(HDC* hdc) noexcept {
    if (!hdc) return E_POINTER;
    *hdc = surface_.valid() ? surface_.dc() : nullptr;
    return S_OK;
}

STDMETHODIMP MemDcObject::get_Width(LONG* width) noexcept {
    if (!width) return E_POINTER;
    *width = surface_.width();
    return S_OK;
}

STDMETHODIMP MemDcObject::get_Height(LONG* height) noexcept {
    if (!height) return E_POINTER;
    *height = surface_.height();
    return S_OK;
}

} // namespace pkw::scls
