#include "siblings/gfx/bitmap_source.h"

namespace pkw::sib {

BitmapSource::BitmapSource(HBITMAP bitmap, HDC compatibleWith) {
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return;
    if (info.bmWidth < 1 || info.bmHeight == 0) return;
    width_ = info.bmWidth;
    height_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;

    selectDc_.reset(::CreateCompatibleDC(compatibleWith));
    if (selectDc_) {
        const HGDIOBJ old = ::SelectObject(selectDc_.get(), bitmap);
        if (old && old != HGDI_ERROR) {
            old_ = old;
            dc_ = selectDc_.get();
            return;
        }
    }

    copy_ = DibSurface(width_, height_);
    if (!copy_.valid()) return;
    BITMAPINFO want{};
    want.bmiHeader.biSize = sizeof(want.bmiHeader);
    want.bmiHeader.biWidth = width_;
    want.bmiHeader.biHeight = -height_;
    want.bmiHeader.biPlanes = 1;
    want.bmiHeader.biBitCount = 32;
    want.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    ::GdiFlush();
    if (::GetDIBits(screen.get(), bitmap, 0, UINT(height_), copy_.pixels(), &want,
                    DIB_RGB_COLORS) == height_)
        dc_ = copy_.dc();
}

BitmapSource::~BitmapSource() {
    if (old_) ::SelectObject(selectDc_.get(), old_);
}

} // namespace pkw::sib
