#include "siblings/fx/engine/text_ink.h"

#include "common/win/dib_section.h"
#include "common/win/unique_handle.h"

#include <algorithm>

namespace pkw::fx {
namespace {

LOGFONTW LogFontOf(HFONT font) {
    LOGFONTW lf{};
    if (!font || !::GetObjectW(font, sizeof(lf), &lf))
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf;
}

// The font at `scale` times its height, drawn without smoothing.
UniqueFont ScaledFont(LOGFONTW lf, int scale) {
    lf.lfHeight *= scale;
    lf.lfWidth *= scale;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    return UniqueFont(::CreateFontIndirectW(&lf));
}

// White text on black over the whole canvas.
void DrawWhite(const DibSection& canvas, HFONT font, std::wstring_view text, UINT format) {
    const SelectedObject selected(canvas.dc(), font);
    canvas.fill(RGB(0, 0, 0));
    ::SetTextColor(canvas.dc(), RGB(255, 255, 255));
    ::SetBkMode(canvas.dc(), TRANSPARENT);
    RECT box{0, 0, canvas.width(), canvas.height()};
    ::DrawTextW(canvas.dc(), text.data(), int(text.size()), &box, format);
    ::GdiFlush();
}

std::size_t InkPixels(const DibSection& canvas) {
    const std::uint32_t* p = canvas.pixels();
    return std::size_t(std::count_if(p, p + std::size_t(canvas.width()) * canvas.height(),
                                     [](std::uint32_t c) { return (c & 0xFF) > 127; }));
}

// Every stroke widened to the right by `by` pixels, as a printer's bold.
void Thicken(const DibSection& canvas, int by) {
    for (int y = 0; y < canvas.height(); ++y) {
        std::uint32_t* row = &canvas.at(0, y);
        for (int x = canvas.width() - 1; x > 0; --x)
            for (int k = 1; k <= by && k <= x; ++k)
                row[x] = std::max(row[x], row[x - k]);
    }
}

// Some systems have no heavier glyphs for a face (Wine draws Tahoma's bold
// with the regular outlines): a bold font whose ink comes out no heavier
// than its regular weight's is thickened by about the difference of their
// stems, a fourteenth of the em.
void HonourWeight(const DibSection& canvas, const LOGFONTW& lf, int scale, std::wstring_view text,
                  UINT format) {
    if (lf.lfWeight < FW_SEMIBOLD) return;
    LOGFONTW regular = lf;
    regular.lfWeight = FW_NORMAL;
    const UniqueFont font = ScaledFont(regular, scale);
    DibSection plain;
    if (!font || !plain.create(canvas.width(), canvas.height())) return;
    DrawWhite(plain, font.get(), text, format);
    if (InkPixels(canvas) > InkPixels(plain)) return;
    TEXTMETRICW tm{};
    {
        const SelectedObject selected(plain.dc(), font.get());
        ::GetTextMetricsW(plain.dc(), &tm);
    }
    Thicken(canvas, std::max(1, int((tm.tmHeight - tm.tmInternalLeading) / 14)));
}

} // namespace

HRESULT DrawTextInk(const TextInkRequest& r, Layer& ink) {
    const int scale = r.antiAlias ? kTextOversampling : 1;
    const UINT format = r.format & ~UINT(DT_CALCRECT);
    const std::wstring_view text = r.text.substr(0, 0x7FFFFFFF);
    const LOGFONTW lf = LogFontOf(r.font);
    const UniqueFont font = ScaledFont(lf, scale);
    DibSection canvas;
    if (!font || !canvas.create(1, 1)) return E_OUTOFMEMORY;

    // The text's box: what the caller measured, grown to what the text needs
    // at this size (glyph widths do not scale exactly).
    RECT need{0, 0, std::max(r.width, 0) * scale, 0};
    {
        const SelectedObject selected(canvas.dc(), font.get());
        ::DrawTextW(canvas.dc(), text.data(), int(text.size()), &need, format | DT_CALCRECT);
        // An italic line's last letter leans past the advance measured: up
        // to a quarter of the ascent at the top.
        TEXTMETRICW tm{};
        if (lf.lfItalic && ::GetTextMetricsW(canvas.dc(), &tm)) need.right += (tm.tmAscent + 3) / 4;
    }
    const int width = std::max(r.width, int((need.right + scale - 1) / scale));
    const int height = std::max(r.height, int((need.bottom + scale - 1) / scale));
    if (width < 1 || height < 1) {
        ink.Resize(std::max(width, 0), std::max(height, 0));
        return S_OK;
    }
    if (std::int64_t(width) * height * scale * scale > (std::int64_t(1) << 26)) return E_INVALIDARG;
    if (!canvas.create(width * scale, height * scale)) return E_OUTOFMEMORY;
    DrawWhite(canvas, font.get(), text, format);
    HonourWeight(canvas, lf, scale, text, format);

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
