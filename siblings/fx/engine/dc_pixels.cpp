#include "siblings/fx/engine/dc_pixels.h"

#include "siblings/fx/kernels/composite.h"
#include "siblings/fx/kernels/tone.h"

#include <algorithm>
#include <vector>

namespace pkw::fx {
namespace {

// A DIB section's pixels as a view of the kernels.
View ViewOf(const DibSection& dib) noexcept {
    return {dib.pixels(), dib.width(), dib.height(), dib.width()};
}

} // namespace

void TakeOpaque(const DibSection& dib, EffectsLayer& layer) {
    ::GdiFlush();
    layer.Reset(dib.width(), dib.height());
    Copy(ViewOf(dib), layer.Pixels());
    MakeOpaque(layer.Pixels());
}

HRESULT LoadFromDc(HDC hdc, int x, int y, int width, int height, EffectsLayer& layer,
                   DibSection& scratch) {
    if (!hdc || width < 1 || height < 1) return E_INVALIDARG;
    if (!scratch.resize(width, height)) return E_OUTOFMEMORY;
    if (!::BitBlt(scratch.dc(), 0, 0, width, height, hdc, x, y, SRCCOPY)) return E_INVALIDARG;
    TakeOpaque(scratch, layer);
    return S_OK;
}

HRESULT RenderToDc(HDC hdc, const EffectsLayer& layer, const RenderSettings& s,
                   DibSection& scratch) {
    if (!hdc) return E_INVALIDARG;
    const ConstView src = layer.Pixels();
    if (src.Empty()) return S_OK;
    if (!scratch.resize(src.width, src.height)) return E_OUTOFMEMORY;
    const DibSection& dib = scratch;
    if (s.background) {
        const Rgb c = *s.background;
        dib.fill(RGB(c.r, c.g, c.b));
    } else if (!::BitBlt(dib.dc(), 0, 0, src.width, src.height, hdc, s.left, s.top, SRCCOPY)) {
        return E_INVALIDARG;
    }
    ::GdiFlush();
    const View dst = ViewOf(dib);
    std::vector<Pixel> row(std::size_t(src.width));
    for (int y = 0; y < src.height; ++y) {
        const Pixel* from = src.Row(y);
        if (s.opacity >= 0) {
            const auto opacity = std::uint32_t(std::min(s.opacity, 255));
            std::transform(from, from + src.width, row.begin(),
                           [opacity](Pixel p) { return Scale(p, opacity); });
            from = row.data();
        }
        OverRow(from, dst.Row(y), src.width);
    }
    return ::BitBlt(hdc, s.left, s.top, src.width, src.height, dib.dc(), 0, 0, s.rop) ? S_OK
                                                                                      : E_FAIL;
}

} // namespace pkw::fx
