#include "host/capture.h"

#include "common/com/hresult.h"
#include "common/win/dib_section.h"
#include "common/win/unique_handle.h"
#include "host/form.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>

namespace pkw::host {
namespace {

// What GDI drew into the section, as an image (the top byte is not colour).
Image imageOf(const DibSection& dib) {
    Image result(dib.width(), dib.height());
    ::GdiFlush();
    const std::uint32_t* source = dib.pixels();
    std::transform(source, source + std::size_t(dib.width()) * dib.height(),
                   result.pixels().begin(), [](std::uint32_t p) { return p & 0x00FFFFFF; });
    return result;
}

} // namespace

COLORREF Image::color(int x, int y) const {
    const std::uint32_t p = at(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::size_t Image::count(COLORREF c) const {
    const std::uint32_t wanted = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    return static_cast<std::size_t>(std::count(pixels_.begin(), pixels_.end(), wanted));
}

Image Image::crop(const RECT& area) const {
    const int left = std::clamp<int>(area.left, 0, width_);
    const int top = std::clamp<int>(area.top, 0, height_);
    const int right = std::clamp<int>(area.right, left, width_);
    const int bottom = std::clamp<int>(area.bottom, top, height_);
    Image result(right - left, bottom - top);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            result.at(x - left, y - top) = at(x, y);
    return result;
}

HRESULT Image::savePng(const std::wstring& path) const {
    if (empty()) return E_UNEXPECTED;
    ComPtr<IWICImagingFactory> factory;
    PKW_RETURN_IF_FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&factory)));
    ComPtr<IWICStream> stream;
    PKW_RETURN_IF_FAILED(factory->CreateStream(&stream));
    PKW_RETURN_IF_FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE));
    ComPtr<IWICBitmapEncoder> encoder;
    PKW_RETURN_IF_FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder));
    PKW_RETURN_IF_FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache));
    ComPtr<IWICBitmapFrameEncode> frame;
    PKW_RETURN_IF_FAILED(encoder->CreateNewFrame(&frame, nullptr));
    PKW_RETURN_IF_FAILED(frame->Initialize(nullptr));
    PKW_RETURN_IF_FAILED(frame->SetSize(static_cast<UINT>(width_), static_cast<UINT>(height_)));
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    PKW_RETURN_IF_FAILED(frame->SetPixelFormat(&format));
    if (format != GUID_WICPixelFormat32bppBGRA) return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    // Opaque: the screen has no alpha.
    std::vector<std::uint32_t> rows(pixels_);
    for (std::uint32_t& p : rows)
        p |= 0xFF000000;
    const UINT stride = static_cast<UINT>(width_) * 4;
    PKW_RETURN_IF_FAILED(frame->WritePixels(static_cast<UINT>(height_), stride, stride * height_,
                                            reinterpret_cast<BYTE*>(rows.data())));
    PKW_RETURN_IF_FAILED(frame->Commit());
    return encoder->Commit();
}

Image captureWindow(HWND hwnd, const RECT* area) {
    RECT r{};
    if (!hwnd || !::GetClientRect(hwnd, &r)) return {};
    if (area) r = *area;
    WindowDc screen(hwnd);
    if (!screen) return {};
    return captureDc(screen.get(), r);
}

Image captureDc(HDC hdc, const RECT& area) {
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    if (!hdc || w <= 0 || h <= 0) return {};
    const DibSection canvas(w, h);
    if (!canvas.valid()) return {};
    if (!::BitBlt(canvas.dc(), 0, 0, w, h, hdc, area.left, area.top, SRCCOPY)) return {};
    return imageOf(canvas);
}

Image captureForm(Form& form) {
    form.repaint();
    return captureWindow(form.hwnd());
}

Image captureControl(Form& form, const Site& site) {
    form.repaint();
    const RECT r = site.rect();
    return captureWindow(form.hwnd(), &r);
}

} // namespace pkw::host
