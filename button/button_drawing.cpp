// Drawing of the button: the whole button is composed in a memory DC of
// its size (background, skin frame, picture, caption) and copied to the
// window in one blit. Every step that fails is skipped.
#include "button/btn.h"

#include "activex/picture_drawing.h"
#include "activex/unicode_platform.h"
#include "common/com/hresult.h"
#include "common/win/unique_handle.h"
#include "siblings/api/plain.h"
#include "siblings/api/scls.h"

namespace pkw::button {
namespace {

constexpr OLE_COLOR kWhite = 0xFFFFFF;
constexpr OLE_COLOR kEngraved = static_cast<OLE_COLOR>(-1);
constexpr OLE_COLOR k3DHighlight = 0x80000014;
constexpr OLE_COLOR k3DShadow = 0x80000010;
constexpr LONG kContentInset = 4;
constexpr LONG kPictureGap = 4;
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_CENTER | DT_SINGLELINE;
constexpr UINT kCaptionFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// A picture with an image behind it (an empty picture object counts as none).
bool HasImage(IPictureDisp* picture) {
    ComPtr<IPicture> pic;
    OLE_HANDLE handle = 0;
    return picture && SUCCEEDED(picture->QueryInterface(IID_PPV_ARGS(&pic))) &&
           SUCCEEDED(pic->get_Handle(&handle)) && handle != 0;
}

HFONT HandleOf(IFontDisp* font) {
    ComPtr<IFont> f;
    HFONT hfont = nullptr;
    if (font && SUCCEEDED(font->QueryInterface(IID_PPV_ARGS(&f)))) ignore(f->get_hFont(&hfont));
    return hfont;
}

RECT Centred(const RECT& area, LONG width, LONG height) {
    const LONG left = area.left + (area.right - area.left - width) / 2;
    const LONG top = area.top + (area.bottom - area.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

RECT Shifted(RECT rc, LONG by) {
    ::OffsetRect(&rc, by, by);
    return rc;
}

COLORREF Rgb(OLE_COLOR color) {
    return sib::Gfx().gfxTranslateColor(color, nullptr);
}

} // namespace

void BTN::RepaintNow() {
    if (state_.m_hWnd) ::SendMessageW(state_.m_hWnd, WM_PAINT, 0, 0);
}

void BTN::CallUpdateParent() {
    if (state_.m_hWnd) sib::Mfc().UpdateParent(state_.m_hWnd);
}

void BTN::DrawControl() {
    if (state_.m_bTerminating || !state_.m_bRedraw) return;
    try {
        const HWND window = state_.m_hWnd ? state_.m_hWnd : hwnd();
        const LONG w = scaleWidthTwips() / state_.m_iTwipsPerPixelX;
        const LONG h = scaleHeightTwips() / state_.m_iTwipsPerPixelY;
        if (!window || w <= 0 || h <= 0) return;
        ComPtr<IMemDC> mem;
        if (FAILED(sib::CreateMemDc(mem)) || FAILED(mem->Create(w, h, kWhite))) return;
        const HDC hdc = sib::MemDcHandle(mem.Get());
        if (!hdc) return;

        DrawBackground(hdc);
        SetWindowRegion();
        const ax::SkinMap& skin = state_.m_SkinMap;
        if (skin.MemDC) {
            sib::Gfx().gfxDrawSkin(hdc, skin.MemDC, GetSkinFrame(), &skin.MapMargin, 0, 0, w, h,
                                   skin.IMGHeight, skin.IMGWidth, skin.MaskColor, skin.RGN1BltMode,
                                   skin.RGN2BltMode, skin.RGN3BltMode, skin.RGN4BltMode,
                                   skin.RGN5BltMode);
        }
        SelectedObject font(hdc, HandleOf(state_.m_Font.Get()));
        ApplyLayout(hdc);
        DrawPicture(hdc);
        DrawCaption(hdc);

        WindowDc screen(window);
        if (screen) ::BitBlt(screen.get(), 0, 0, w, h, hdc, 0, 0, SRCCOPY);
    } catch (...) {
        // The window keeps its previous image.
    }
}

void BTN::DrawBackground(HDC hdc) {
    const LONG w = scaleWidthTwips() / state_.m_iTwipsPerPixelX;
    const LONG h = scaleHeightTwips() / state_.m_iTwipsPerPixelY;
    const RECT all{0, 0, w, h};
    const bool opaque = !state_.m_bUserMode || state_.m_lButtonStyle == 1 ||
                        (state_.m_lButtonStyle == 2 && state_.m_lBackStyle != 0);
    if (opaque) {
        sib::Gfx().gfxDrawRect(hdc, &all, Rgb(state_.m_oBackColor), 1);
    } else if (state_.m_lButtonStyle == 2) {
        sib::Gfx().gfxGetTransBG(hdc, state_.m_hWnd);
    }
}

// The window without its four corner pixels, for the two skinned styles;
// cut again only when the size changes.
void BTN::SetWindowRegion() {
    if (state_.m_lButtonStyle != 1 && state_.m_lButtonStyle != 2) return;
    const LONG w = scaleWidthTwips() / state_.m_iTwipsPerPixelX;
    const LONG h = scaleHeightTwips() / state_.m_iTwipsPerPixelY;
    // A window that changes parents may come back without its region.
    RECT box{};
    const bool cut = ::GetWindowRgnBox(state_.m_hWnd, &box) != ERROR;
    if (cut && w == state_.m_RegionSize.cx && h == state_.m_RegionSize.cy) return;
    UniqueRegion region(::CreateRectRgn(0, 1, w, h - 1));
    const UniqueRegion rows(::CreateRectRgn(1, 0, w - 1, h));
    if (!region || !rows) return;
    ::CombineRgn(region.get(), region.get(), rows.get(), RGN_OR);
    // The window owns the region once it accepts it.
    if (::SetWindowRgn(state_.m_hWnd, region.get(), FALSE)) {
        (void)region.release();
        state_.m_RegionSize = SIZE{w, h};
    }
}

// The default layout: caption and picture centred in the content
// rectangle, side by side (picture first) when there are both.
void BTN::ApplyLayout(HDC hdc) {
    const LONG w = scaleWidthTwips() / state_.m_iTwipsPerPixelX;
    const LONG h = scaleHeightTwips() / state_.m_iTwipsPerPixelY;
    const RECT content{kContentInset, kContentInset, w - kContentInset, h - kContentInset};
    state_.m_rcContent = content;

    SIZE text{0, 0};
    if (!state_.m_sCaption.empty()) {
        RECT measured = content;
        ax::DrawPlatformText(hdc, state_.m_sCaption, &measured, kMeasureFlags);
        text = SIZE{measured.right - measured.left, measured.bottom - measured.top};
    }
    const SIZE picture =
        state_.m_Picture ? ax::PicturePixelSize(state_.m_Picture.Get()) : SIZE{0, 0};

    if (!state_.m_Picture) {
        state_.m_rcPicture = RECT{};
        state_.m_rcCaption = Centred(content, text.cx, text.cy);
    } else if (state_.m_sCaption.empty()) {
        state_.m_rcPicture = Centred(content, picture.cx, picture.cy);
        state_.m_rcCaption = RECT{};
    } else {
        const RECT both = Centred(content, picture.cx + kPictureGap + text.cx, 0);
        const RECT column{both.left, content.top, both.left + picture.cx, content.bottom};
        state_.m_rcPicture = Centred(column, picture.cx, picture.cy);
        const RECT rest{column.right + kPictureGap, content.top,
                        column.right + kPictureGap + text.cx, content.bottom};
        state_.m_rcCaption = Centred(rest, text.cx, text.cy);
    }
}

void BTN::DrawPicture(HDC hdc) {
    if (!state_.m_Picture) return;
    const RECT rc = Shifted(state_.m_rcPicture, PressedOver() ? 1 : 0);
    IPictureDisp* shown = state_.m_Picture.Get();
    bool greyed = false;
    if (state_.m_bEnabled) {
        if (state_.m_bHot && !state_.m_bMousePressed && HasImage(state_.m_PictureHover.Get()))
            shown = state_.m_PictureHover.Get();
    } else if (HasImage(state_.m_PictureDisabled.Get())) {
        shown = state_.m_PictureDisabled.Get();
    } else {
        greyed = true;
    }
    ax::DrawPicture(hdc, shown, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, greyed);
}

void BTN::DrawCaption(HDC hdc) {
    if (state_.m_sCaption.empty()) return;
    const bool shift = PressedOver() && state_.m_lButtonStyle != 0;
    RECT rc = Shifted(state_.m_rcCaption, shift ? 1 : 0);
    ::SetBkMode(hdc, TRANSPARENT);
    if (state_.m_bEnabled) {
        ::SetTextColor(hdc, Rgb(state_.m_oForeColor));
    } else if (state_.m_oDisabledForeColor == kEngraved) {
        RECT raised = Shifted(rc, 1);
        ::SetTextColor(hdc, Rgb(k3DHighlight));
        ax::DrawPlatformText(hdc, state_.m_sCaption, &raised, kCaptionFlags);
        ::SetTextColor(hdc, Rgb(k3DShadow));
    } else {
        ::SetTextColor(hdc, Rgb(state_.m_oDisabledForeColor));
    }
    ax::DrawPlatformText(hdc, state_.m_sCaption, &rc, kCaptionFlags);
}

} // namespace pkw::button
