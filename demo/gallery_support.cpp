#include "demo/gallery_support.h"

#include "host/input.h"
#include "host/message_loop.h"
#include "host/text.h"

#include <olectl.h>

#include <vector>

namespace pkw::demo {

void Label(HWND form, const wchar_t* text, const RECT& r) {
    ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, form, nullptr, nullptr, nullptr);
}

namespace {

void Paste(host::Image& into, const host::Image& cell, const RECT& at) {
    for (int y = 0; y < cell.height() && at.top + y < into.height(); ++y)
        for (int x = 0; x < cell.width() && at.left + x < into.width(); ++x)
            into.at(at.left + x, at.top + y) = cell.at(x, y);
}

} // namespace

void GalleryCells::capture(host::Form& form, host::Site& site, const RECT& rect,
                           const std::function<std::function<void()>()>& enter) {
    host::pumpPending();
    const std::function<void()> leave = enter();
    host::pumpPending();
    cells_.emplace_back(rect, host::captureControl(form, site));
    leave();
    host::pumpPending();
}

std::wstring GalleryCells::save(host::Form& form, const std::wstring& path) const {
    host::Image image = host::captureForm(form);
    for (const auto& [rect, cell] : cells_)
        Paste(image, cell, rect);
    const HRESULT hr = image.savePng(path);
    return SUCCEEDED(hr) ? L"" : L"writing " + path + L" failed: " + host::hexResult(hr);
}

std::function<void()> Hover(host::Site& site, POINT inside) {
    host::input::moveTo(site, inside);
    return [&site] { host::input::moveOutside(site); };
}

std::function<void()> Press(host::Site& site, POINT inside) {
    host::input::press(site, inside);
    return [&site] {
        host::input::moveOutside(site);
        host::input::release();
    };
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
