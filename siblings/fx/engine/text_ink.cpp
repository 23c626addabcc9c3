#include "siblings/fx/engine/text_ink.h"

#include "common/win/dib_section.h"
#include "common/win/unique_handle.h"

#include <algorithm>

namespace pkw::fx {
namespace {

// The font at `scale` times its height, drawn without smoothing.
UniqueFont ScaledFont(HFONT font, int scale) {
    LOGFONTW lf{};
    if (!font || !::GetObjectW(font, sizeof(lf), &lf))
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfHeight *= scale;
    lf.lfWidth *= scale;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    return UniqueFont(::CreateFontIndirectW(&lf));
}

} // namespace

HRESULT DrawTextInk(const TextInkRequest& r, Layer& ink) {
    const int scale = r.antiAlias ? kTextOversampling : 1;
    const UINT format = r.format & ~UINT(DT_CALCRECT);
    const int length = int(std::min<std::size_t>(r.text.size(), 0x7FFFFFFF));
    const UniqueFont font = ScaledFont(r.font, scale);
    DibSection canvas;
    if (!font || !canvas.create(1, 1)) return E_OUTOFMEMORY;
    const SelectedObject selected(canvas.dc(), font.get());

    // The text's box: what the caller measured, grown to what the text needs
    // at this size (glyph widths do not scale exactly).
    RECT need{0, 0, std::max(r.width, 0) * scale, 0};
    ::DrawTextW(canvas.dc(), r.text.data(), length, &need, format | DT_CALCRECT);
    const int width = std::max(r.width, int((need.right + scale - 1) / scale));
    const int height = std::max(r.height, int((need.bottom + scale - 1) / scale));
    if (width < 1 || height < 1) {
        ink.Resize(std::max(width, 0), std::max(height, 0));
        return S_OK;
    }
    if (std::int64_t(width) * height * scale * scale > (std::int64_t(1) << 26)) return E_INVALIDARG;
    if (!canvas.create(width * scale, height * scale)) return E_OUTOFMEMORY;
    canvas.fill(RGB(0, 0, 0));
    ::SetTextColor(canvas.dc(), RGB(255, 255, 255));
    ::SetBkMode(canvas.dc(), TRANSPARENT);
    RECT box{0, 0, width * scale, height * scale};
    ::DrawTextW(canvas.dc(), r.text.data(), length, &box, format);
    ::GdiFlush();

    ink.Resize(width, height);
    const View out = ink.Pixels();
    const int blocks = scale * scale;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int sy = 0; sy < scale; ++sy)
                for (int sx = 0; sx < scale; ++sx)
                    sum += canvas.at(x * scale + sx, y * scale + sy) & 0xFF;
            const std::uint32_t c = std::uint32_t((sum + blocks / 2) / blocks);
            out.At(x, y) = Bgra(c, c, c, c);
        }
    return S_OK;
}

} // namespace pkw::fx
