#include "activex/picture_drawing.h"

#include "common/win/unique_handle.h"
#include "siblings/api/plain.h"

#include <wrl/client.h>

#include <utility>

namespace pkw::ax {
namespace {

using Microsoft::WRL::ComPtr;

constexpr UINT kGreyedIcon = DSS_DISABLED | DST_ICON;     // 0x23
constexpr UINT kGreyedBitmap = DSS_DISABLED | DST_BITMAP; // 0x24

// OLE_HANDLE is 32 bits; GDI and USER handles are sign-extended values.
HANDLE HandleOf(OLE_HANDLE handle) {
    return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
}

// The screen's pixels per inch along `axis`, asked once: pictures are
// measured on every paint.
int ScreenDpi(int axis) {
    static const auto dpi = [] {
        WindowDc screen(nullptr);
        return screen ? std::pair{::GetDeviceCaps(screen.get(), LOGPIXELSX),
                                  ::GetDeviceCaps(screen.get(), LOGPIXELSY)}
                      : std::pair{96, 96};
    }();
    return axis == LOGPIXELSX ? dpi.first : dpi.second;
}

LONG HimetricToPixels(LONG himetric, int axis) {
    return static_cast<SHORT>(::MulDiv(himetric, ScreenDpi(axis), 2540));
}

} // namespace

SIZE PicturePixelSize(IPictureDisp* picture) {
    ComPtr<IPicture> pic;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (!picture || FAILED(picture->QueryInterface(IID_PPV_ARGS(&pic))) ||
        FAILED(pic->get_Width(&width)) || FAILED(pic->get_Height(&height)))
        return SIZE{0, 0};
    return SIZE{HimetricToPixels(width, LOGPIXELSX), HimetricToPixels(height, LOGPIXELSY)};
}

void DrawPicture(HDC hdc, IPictureDisp* picture, LONG x, LONG y, LONG w, LONG h, bool greyed) {
    ComPtr<IPicture> pic;
    if (!picture || FAILED(picture->QueryInterface(IID_PPV_ARGS(&pic)))) return;
    SHORT type = 0;
    OLE_HANDLE handle = 0;
    if (FAILED(pic->get_Type(&type)) || FAILED(pic->get_Handle(&handle)) || !handle) return;
    const HANDLE h32 = HandleOf(handle);
    if (greyed) {
        ::DrawStateA(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(h32), 0, x, y, 0, 0,
                     type == PICTYPE_ICON ? kGreyedIcon : kGreyedBitmap);
    } else if (type == PICTYPE_ICON) {
        ::DrawIconEx(hdc, x, y, static_cast<HICON>(h32), w, h, 0, nullptr, DI_NORMAL);
    } else {
        sib::Gfx().gfxDrawTransparentBitmap(hdc, static_cast<HBITMAP>(h32), x, y, w, h, 0, 0, 0, 0,
                                            w, h, -1);
    }
}

} // namespace pkw::ax
