// The button's skins: a built-in strip per ButtonStyle, borrowed from the
// resource server in the colour scheme NuTheme, and the frame of the
// strip that each state shows.
#include "button/btn.h"

#include "siblings/api/plain.h"

namespace pkw::button {
namespace {

struct DefaultSkin {
    LONG style;
    LONG resource;
    SIZE strip;
    SIZE frame;
    RECT margins; // left, top, right, bottom
    LONG mask;
};

constexpr DefaultSkin kDefaultSkins[] = {
    {1, 1100, {18, 168}, {18, 21}, {8, 9, 8, 9}, 0xFF00FF},
    {2, 1496, {20, 138}, {20, 23}, {4, 4, 4, 4}, 0xFF00FF},
};

const DefaultSkin* DefaultSkinOf(LONG style) {
    for (const DefaultSkin& skin : kDefaultSkins)
        if (skin.style == style) return &skin;
    return nullptr;
}

} // namespace

void BTN::ReleaseSkin() {
    ax::ReleaseSkin(state_.m_SkinMap, state_.m_bCustomSkin);
    state_.m_bCustomSkin = false;
}

void BTN::LoadDefaultSkin() {
    ReleaseSkin();
    const DefaultSkin* skin = DefaultSkinOf(state_.m_lButtonStyle);
    if (!skin) return;
    ax::SkinMap& map = state_.m_SkinMap;
    map.MemDC = sib::ResSrv().GetStaticResDc(skin->resource, state_.m_iNuTheme);
    map.DCWidth = skin->strip.cx;
    map.DCHeight = skin->strip.cy;
    map.IMGWidth = skin->frame.cx;
    map.IMGHeight = skin->frame.cy;
    map.MapMargin = skin->margins;
    map.MaskColor = skin->mask;
}

int BTN::GetSkinFrame() const {
    switch (state_.m_lButtonStyle) {
    case 1:
        if (!state_.m_bEnabled) return 3;
        if (PressedOver() || state_.m_bKeyPressed) return 6;
        if (state_.m_bHot) return 1;
        return state_.m_bFocused ? 2 : 0;
    case 2:
        if (PressedOver()) return 2;
        return state_.m_bHot ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace pkw::button
