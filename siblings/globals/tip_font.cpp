#include "siblings/globals/tip_font.h"

#include "common/win/unique_handle.h"

#include <cwchar>

namespace pkw::globals {
namespace {

Microsoft::WRL::ComPtr<IFont> messageFont() {
    Microsoft::WRL::ComPtr<IFont> font;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return font;
    const LOGFONTW& lf = metrics.lfMessageFont;
    const WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    wchar_t face[LF_FACESIZE] = {};
    std::wcsncpy(face, lf.lfFaceName, LF_FACESIZE - 1);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = face;
    // Points in units of 1/10000, from the character height in pixels.
    const LONG pixels = lf.lfHeight < 0 ? -lf.lfHeight : (lf.lfHeight ? lf.lfHeight : 11);
    desc.cySize.int64 = LONGLONG(pixels) * 72 * 10000 / (dpi > 0 ? dpi : 96);
    desc.sWeight = static_cast<SHORT>(lf.lfWeight ? lf.lfWeight : FW_NORMAL);
    desc.sCharset = lf.lfCharSet;
    desc.fItalic = lf.lfItalic != 0;
    desc.fUnderline = lf.lfUnderline != 0;
    desc.fStrikethrough = lf.lfStrikeOut != 0;
    ::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&font));
    return font;
}

} // namespace

TipFont::TipFont(IFont* font) : object_(font) {
    if (object_ && SUCCEEDED(object_->get_hFont(&handle_)) && handle_) return;
    object_ = messageFont();
    if (!object_ || FAILED(object_->get_hFont(&handle_)) || !handle_) {
        object_.Reset();
        handle_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    }
}

} // namespace pkw::globals
