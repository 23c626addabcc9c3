#include "siblings/fx/engine/picture_pixels.h"

#include "common/win/unique_handle.h"
#include "siblings/fx/engine/dc_pixels.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

namespace pkw::fx {

HRESULT LoadFromPicture(IUnknown* picture, int width, int height, EffectsLayer& layer) {
    Microsoft::WRL::ComPtr<IPicture> pic;
    if (!picture || FAILED(picture->QueryInterface(IID_PPV_ARGS(&pic)))) return E_INVALIDARG;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(pic->get_Width(&hmWidth)) || FAILED(pic->get_Height(&hmHeight)) || hmWidth <= 0 ||
        hmHeight <= 0)
        return E_INVALIDARG;
    if (width <= 0 || height <= 0) {
        const WindowDc screen(nullptr);
        if (!screen) return E_FAIL;
        // HiMetric are hundredths of a millimetre: 2540 to the inch.
        width = ::MulDiv(hmWidth, ::GetDeviceCaps(screen.get(), LOGPIXELSX), 2540);
        height = ::MulDiv(hmHeight, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 2540);
    }
    if (width < 1 || height < 1 || std::int64_t(width) * height > (std::int64_t(1) << 24))
        return E_INVALIDARG;
    DibSection dib(width, height);
    if (!dib.valid()) return E_OUTOFMEMORY;
    dib.fill(0);
    // HiMetric runs up the page: the source starts at the bottom.
    const HRESULT hr =
        pic->Render(dib.dc(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    if (FAILED(hr)) return hr;
    TakeOpaque(dib, layer);
    return S_OK;
}

} // namespace pkw::fx
