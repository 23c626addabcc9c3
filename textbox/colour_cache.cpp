#include "textbox/colour_cache.h"

#include <olectl.h>

namespace pkw::textbox {
namespace {

COLORREF translate(OLE_COLOR color) noexcept {
    COLORREF rgb = 0;
    if (FAILED(::OleTranslateColor(color, nullptr, &rgb))) rgb = 0;
    return rgb;
}

} // namespace

void ColourCache::releaseObjects() noexcept {
    for (UniquePen& p : pens_)
        p.reset();
    brushes_[0].reset();
}

bool ColourCache::update(OLE_COLOR back, OLE_COLOR fore) noexcept {
    const COLORREF oldBack = colours_[index(Colour::Back)];
    const COLORREF oldFore = colours_[index(Colour::Fore)];
    colours_[index(Colour::Back)] = translate(back);
    colours_[index(Colour::Fore)] = translate(fore);
    colours_[index(Colour::Highlight)] = ::GetSysColor(COLOR_HIGHLIGHT);
    colours_[index(Colour::HighlightText)] = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    colours_[index(Colour::ButtonShadow)] = ::GetSysColor(COLOR_BTNSHADOW);
    colours_[index(Colour::ButtonFace)] = ::GetSysColor(COLOR_BTNFACE);
    brushes_[1].reset(); // the highlight may have changed with the system
    return oldBack != colours_[index(Colour::Back)] || oldFore != colours_[index(Colour::Fore)];
}

HPEN ColourCache::pen(Colour c) noexcept {
    const std::size_t i = index(c);
    if (i >= pens_.size()) return nullptr;
    if (!pens_[i]) pens_[i].reset(::CreatePen(PS_SOLID, 1, colours_[i]));
    return pens_[i].get();
}

HBRUSH ColourCache::brush(Colour c) noexcept {
    std::size_t slot = 0;
    if (c == Colour::Back)
        slot = 0;
    else if (c == Colour::Highlight)
        slot = 1;
    else
        return nullptr;
    if (!brushes_[slot]) {
        const LOGBRUSH logBrush{BS_SOLID, colours_[index(c)], 0};
        brushes_[slot].reset(::CreateBrushIndirect(&logBrush));
    }
    return brushes_[slot].get();
}

} // namespace pkw::textbox
