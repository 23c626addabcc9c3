// Pixels of what the screen shows, for assertions and for image files: a
// 32-bit top-down image read back with GetDC + BitBlt (what Xvfb under Wine
// reads correctly).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pkw::host {

class Form;
class Site;

class Image {
public:
    Image() = default;
    Image(int width, int height)
        : width_(width), height_(height), pixels_(std::size_t(width) * height) {}

    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    bool empty() const noexcept { return pixels_.empty(); }
    // 0x00RRGGBB (the DIB's byte order B, G, R, then an unused byte).
    std::uint32_t& at(int x, int y) { return pixels_[std::size_t(y) * width_ + x]; }
    std::uint32_t at(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
    COLORREF color(int x, int y) const; // as GDI names it: 0x00BBGGRR
    std::size_t count(COLORREF color) const;
    Image crop(const RECT& area) const;
    const std::vector<std::uint32_t>& pixels() const noexcept { return pixels_; }
    std::vector<std::uint32_t>& pixels() noexcept { return pixels_; }

    // Writes a PNG file through WIC.
    HRESULT savePng(const std::wstring& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// `area` in the window's client coordinates; the whole client area when null.
Image captureWindow(HWND hwnd, const RECT* area = nullptr);
// `area` of any DC (a memory DC's bitmap, a printer's page).
Image captureDc(HDC hdc, const RECT& area);
// The form's client area after a repaint of everything, or one control's
// rectangle of it.
Image captureForm(Form& form);
Image captureControl(Form& form, const Site& site);

} // namespace pkw::host
