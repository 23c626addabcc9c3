#include "host/units.h"

#include "common/win/unique_handle.h"

namespace pkw::host::units {
namespace {

int screenDpi(int index) {
    const WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), index) : 0;
    return dpi > 0 ? dpi : 96;
}

LONG scale(LONG value, int numerator, int denominator) {
    return ::MulDiv(value, numerator, denominator);
}

} // namespace

int dpiX() {
    static const int dpi = screenDpi(LOGPIXELSX);
    return dpi;
}
int dpiY() {
    static const int dpi = screenDpi(LOGPIXELSY);
    return dpi;
}

LONG pixelsToTwipsX(LONG px) {
    return scale(px, 1440, dpiX());
}
LONG pixelsToTwipsY(LONG px) {
    return scale(px, 1440, dpiY());
}
LONG twipsToPixelsX(LONG twips) {
    return scale(twips, dpiX(), 1440);
}
LONG twipsToPixelsY(LONG twips) {
    return scale(twips, dpiY(), 1440);
}
LONG pixelsToHimetricX(LONG px) {
    return scale(px, 2540, dpiX());
}
LONG pixelsToHimetricY(LONG px) {
    return scale(px, 2540, dpiY());
}
LONG himetricToPixelsX(LONG himetric) {
    return scale(himetric, dpiX(), 2540);
}
LONG himetricToPixelsY(LONG himetric) {
    return scale(himetric, dpiY(), 2540);
}

SIZEL pixelsToHimetric(SIZE px) {
    return {pixelsToHimetricX(px.cx), pixelsToHimetricY(px.cy)};
}

} // namespace pkw::host::units
