#include "activex/units.h"

#include "common/win/unique_handle.h"

namespace pkw::ax::units {
namespace {

constexpr LONG kTwipsPerInch = 1440;
constexpr LONG kHimetricPerInch = 2540;

short roundedTwipsPerPixel(int dotsPerInch) noexcept {
    if (dotsPerInch <= 0) return 15;
    return static_cast<short>((kTwipsPerInch + dotsPerInch / 2) / dotsPerInch);
}

} // namespace

TwipsPerPixel screenTwipsPerPixel() noexcept {
    WindowDc screen(nullptr);
    if (!screen) return {15, 15};
    return {roundedTwipsPerPixel(::GetDeviceCaps(screen.get(), LOGPIXELSX)),
            roundedTwipsPerPixel(::GetDeviceCaps(screen.get(), LOGPIXELSY))};
}

LONG himetricFromTwips(LONG twips) noexcept {
    return ::MulDiv(twips, kHimetricPerInch, kTwipsPerInch);
}

LONG twipsFromHimetric(LONG himetric) noexcept {
    return ::MulDiv(himetric, kTwipsPerInch, kHimetricPerInch);
}

LONG pixelsFromTwips(LONG twips, short twipsPerPixel) noexcept {
    return twipsPerPixel > 0 ? twips / twipsPerPixel : twips / 15;
}

LONG twipsAtPixel(LONG pixel, short twipsPerPixel) noexcept {
    const LONG tpp = twipsPerPixel > 0 ? twipsPerPixel : 15;
    return pixel * tpp + tpp / 2;
}

SIZE pixelsFromHimetric(const SIZEL& himetric, TwipsPerPixel tpp) noexcept {
    return {pixelsFromTwips(twipsFromHimetric(himetric.cx), tpp.x),
            pixelsFromTwips(twipsFromHimetric(himetric.cy), tpp.y)};
}

SIZEL himetricFromPixels(SIZE pixels, TwipsPerPixel tpp) noexcept {
    return {himetricFromTwips(pixels.cx * tpp.x), himetricFromTwips(pixels.cy * tpp.y)};
}

} // namespace pkw::ax::units
