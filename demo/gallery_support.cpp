#include "demo/gallery_support.h"

#include <olectl.h>

#include <vector>

namespace pkw::demo {

void Label(HWND form, const wchar_t* text, const RECT& r) {
    ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, form, nullptr, nullptr, nullptr);
}

void Paste(host::Image& into, const host::Image& cell, const RECT& at) {
    for (int y = 0; y < cell.height() && at.top + y < into.height(); ++y)
        for (int x = 0; x < cell.width() && at.left + x < into.width(); ++x)
            into.at(at.left + x, at.top + y) = cell.at(x, y);
}

host::ComPtr<IPictureDisp> PictureOf(int width, int height,
                                     const std::function<std::uint32_t(int, int)>& colourAt) {
    std::vector<std::uint32_t> bits(std::size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bits[std::size_t(y) * width + x] = colourAt(x, y);
    PICTDESC desc{sizeof(PICTDESC), PICTYPE_BITMAP, {}};
    desc.bmp.hbitmap = ::CreateBitmap(width, height, 1, 32, bits.data());
    host::ComPtr<IPictureDisp> picture;
    if (FAILED(::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                          reinterpret_cast<void**>(picture.GetAddressOf()))))
        ::DeleteObject(desc.bmp.hbitmap);
    return picture;
}

} // namespace pkw::demo
