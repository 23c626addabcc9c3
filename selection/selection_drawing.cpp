// Drawing of a selection control: the whole control is composed in a memory DC
// of its size (background, glyph and picture, caption, focus rectangle)
// and copied to the window in one blit.
#include "selection/selection_control.h"

#include "activex/picture_drawing.h"
#include "activex/unicode_platform.h"
#include "common/com/hresult.h"
#include "common/win/paint_buffer.h"
#include "common/win/unique_handle.h"
#include "siblings/api/loader.h"
#include "siblings/api/plain.h"

#include <cmath>
#include <string>
#include <utility>

namespace pkw::selection {
namespace {

constexpr wchar_t kSclsDll[] = L"zelSCls40.dll";
constexpr OLE_COLOR kWhite = 0xFFFFFF;
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK; // 0x410
constexpr UINT kLeftFlags = DT_WORDBREAK;                  // 0x10
constexpr UINT kRightFlags = DT_RIGHT | DT_WORDBREAK;      // 0x12

HRESULT NewMemDc(ComPtr<IMemDC>& out) {
    return sib::CreateSiblingObject(kSclsDll, CLSID_clsMemDC, IID_IMemDC,
                                    reinterpret_cast<void**>(out.ReleaseAndGetAddressOf()));
}

HDC DcOf(IMemDC* mem) {
    HDC hdc = nullptr;
    if (!mem || FAILED(mem->get_hDC(&hdc))) return nullptr;
    return hdc;
}

// A box showing the value, for when the resource server has no glyph image.
constexpr LONG kPlainGlyphSize = 13;

void DrawPlainGlyph(HDC hdc, LONG x, LONG y, LONG size, int value, bool enabled) {
    const auto& gfx = sib::Gfx();
    const COLORREF frame = gfx.gfxTranslateColor(enabled ? 0x80000012 : 0x80000011, nullptr);
    gfx.gfxDrawRect2(hdc, x, y, x + size, y + size, gfx.gfxTranslateColor(0x80000005, nullptr), 1);
    gfx.gfxDrawRect2(hdc, x, y, x + size, y + size, frame, 0);
    if (value == 1) {
        gfx.gfxDrawLine(hdc, x + 3, y + size / 2, x + size / 2 - 1, y + size - 4, frame, 2);
        gfx.gfxDrawLine(hdc, x + size / 2 - 1, y + size - 4, x + size - 3, y + 3, frame, 2);
    } else if (value == 2) {
        gfx.gfxDrawRect2(hdc, x + 3, y + 3, x + size - 3, y + size - 3,
                         gfx.gfxTranslateColor(0x80000010, nullptr), 1);
    }
}

int DrawCaptionText(HDC hdc, const std::wstring& text, RECT* rc, UINT flags) {
    return ax::DrawPlatformText(hdc, text, rc, flags);
}

} // namespace

LONG SelectionControl::PixelWidth() const {
    const SHORT tpp = state_.m_iTwipsPerPixelX > 0 ? state_.m_iTwipsPerPixelX : 15;
    return scaleWidthTwips() / tpp;
}

LONG SelectionControl::PixelHeight() const {
    const SHORT tpp = state_.m_iTwipsPerPixelY > 0 ? state_.m_iTwipsPerPixelY : 15;
    return scaleHeightTwips() / tpp;
}

bool SelectionControl::NeedsParentBackground() const {
    return state_.m_lBackStyle == 0 || state_.m_lVisualEffectStyle == 1;
}

int SelectionControl::GetGlyphIndex() const {
    const int value = GlyphValue();
    if (value < 0) return 0;
    int look = 0;
    if (!state_.m_bEnabled)
        look = 3;
    else if (state_.m_bKeyPressed)
        look = 2;
    else if (!state_.m_bHover)
        look = 0;
    else if (state_.m_bArmed)
        look = 2;
    else
        look = 1;
    return value * 4 + look;
}

int SelectionControl::GetVisualState() const {
    if (!state_.m_bEnabled) return 3;
    if (state_.m_bArmed) return 2;
    if (state_.m_bHover) return 1;
    return 0;
}

void SelectionControl::DrawControl() {
    if (state_.m_lVisualEffectStyle != 0) {
        DrawEffects();
    } else {
        DrawStandard();
    }
}

HRESULT SelectionControl::EnsureBackgroundDC() {
    if (!state_.m_BackgroundDC) {
        ComPtr<IMemDC> mem;
        PKW_RETURN_IF_FAILED(NewMemDc(mem));
        state_.m_BackgroundDC = std::move(mem);
    }
    if (!DcOf(state_.m_BackgroundDC.Get())) {
        const LONG w = PixelWidth(), h = PixelHeight();
        if (w > 0 && h > 0) PKW_RETURN_IF_FAILED(state_.m_BackgroundDC->Create(w, h, kWhite));
    }
    return S_OK;
}

void SelectionControl::CaptureParentBackground(bool bUpdateParent, const RECT* rcArea) {
    try {
        const HWND window = state_.m_hWnd ? state_.m_hWnd : hwnd();
        if (bUpdateParent) sib::Mfc().UpdateParent(window);
        if (FAILED(EnsureBackgroundDC())) return;
        const HDC background = DcOf(state_.m_BackgroundDC.Get());
        if (!background) return;
        if (!rcArea) {
            sib::Gfx().gfxGetTransBG(background, window);
            return;
        }
        LONG width = 0, height = 0;
        if (FAILED(state_.m_BackgroundDC->get_Width(&width)) ||
            FAILED(state_.m_BackgroundDC->get_Height(&height)))
            return;
        ComPtr<IMemDC> whole;
        if (FAILED(NewMemDc(whole)) || FAILED(whole->Create(width, height, kWhite))) return;
        const HDC wholeDc = DcOf(whole.Get());
        sib::Gfx().gfxGetTransBG(wholeDc, window);
        ::BitBlt(background, rcArea->left, rcArea->top, rcArea->right - rcArea->left,
                 rcArea->bottom - rcArea->top, wholeDc, rcArea->left, rcArea->top, SRCCOPY);
    } catch (...) {
        // A drawing step that cannot run leaves the previous background.
    }
}

void SelectionControl::DrawStandard() {
    if (state_.m_bTerminating) return;
    try {
        const HWND window = state_.m_hWnd ? state_.m_hWnd : hwnd();
        const LONG w = PixelWidth(), h = PixelHeight();
        if (!window || w <= 0 || h <= 0) return;
        // A DC for this paint on the thread's shared bitmap.
        const PaintBuffer buffer(w, h);
        const HDC hdc = buffer.dc();
        if (!hdc) return;

        if (state_.m_lBackStyle != 0) {
            buffer.fill(sib::Gfx().gfxTranslateColor(state_.m_oBackColor, nullptr) & 0xFFFFFF);
        } else {
            // The shared bitmap holds an earlier paint: start from white, as
            // a new surface would, wherever the background does not reach.
            buffer.fill(RGB(255, 255, 255));
            if (SUCCEEDED(EnsureBackgroundDC())) {
                if (const HDC background = DcOf(state_.m_BackgroundDC.Get()))
                    ::BitBlt(hdc, 0, 0, w, h, background, 0, 0, SRCCOPY);
            }
        }
        DrawGlyphAndPicture(hdc);
        DrawCaption(hdc);

        WindowDc screen(window);
        if (screen) ::BitBlt(screen.get(), 0, 0, w, h, hdc, 0, 0, SRCCOPY);
    } catch (...) {
        // The window keeps its previous image.
    }
}

void SelectionControl::DrawGlyphAndPicture(HDC hdc) {
    if (state_.m_Picture) {
        const SIZE size = ax::PicturePixelSize(state_.m_Picture.Get());
        state_.m_lPictureWidth = size.cx;
        state_.m_lPictureHeight = size.cy;
    } else {
        state_.m_lPictureWidth = 0;
        state_.m_lPictureHeight = 0;
    }
    const LONG w = PixelWidth(), h = PixelHeight();
    const auto [imgW, imgH] = GlyphSize();
    LONG glyphX = 0, pictureX = 0;
    if (state_.m_lAlignment == 0) {
        glyphX = 0;
        pictureX = imgW + 3;
    } else if (state_.m_lAlignment == 1) {
        glyphX = w - imgW;
        pictureX = 2;
    } else {
        return;
    }
    const LONG glyphY = h / 2 - imgH / 2;
    const LONG pictureY = h / 2 - state_.m_lPictureHeight / 2;

    const LONG pw = state_.m_lPictureWidth, ph = state_.m_lPictureHeight;
    if (state_.m_bEnabled) {
        ax::DrawPicture(hdc, state_.m_Picture.Get(), pictureX, pictureY, pw, ph, false);
    } else if (state_.m_PictureDisabled) {
        ax::DrawPicture(hdc, state_.m_PictureDisabled.Get(), pictureX, pictureY, pw, ph, false);
    } else {
        ax::DrawPicture(hdc, state_.m_Picture.Get(), pictureX, pictureY, pw, ph, true);
    }

    DrawGlyph(hdc, glyphX, glyphY);
}

void SelectionControl::DrawGlyph(HDC hdc, LONG x, LONG y) {
    const SkinMap& skin = state_.m_SkinMap;
    if (!skin.MemDC) {
        DrawPlainGlyph(hdc, x, y, kPlainGlyphSize, GlyphValue(), state_.m_bEnabled);
        return;
    }
    const LONG w = skin.IMGWidth, h = skin.IMGHeight, srcY = GetGlyphIndex() * h;
    if (!DrawBuiltInGlyph(hdc, x, y, w, h, srcY))
        sib::Gfx().gfxDrawTransparentDC(hdc, skin.MemDC, x, y, w, h, 0, 0, 0, srcY, w, h,
                                        skin.MaskColor);
}

SIZE SelectionControl::GlyphSize() const {
    const SkinMap& skin = state_.m_SkinMap;
    if (!skin.MemDC) return {kPlainGlyphSize, kPlainGlyphSize};
    return {skin.IMGWidth, skin.IMGHeight};
}

bool SelectionControl::DrawBuiltInGlyph(HDC hdc, LONG x, LONG y, LONG w, LONG h, LONG srcY) {
    const SkinMap& skin = state_.m_SkinMap;
    // A host's image may change under its name: only the built-in strip,
    // which never does, is kept as a copy.
    if (state_.m_bCustomSkin || skin.MaskColor == -1) return false;
    const COLORREF mask = sib::Gfx().gfxTranslateColor(skin.MaskColor, nullptr);
    if (!glyphs_.matches(skin.MemDC, mask)) glyphs_ = PremultipliedStrip::Of(skin.MemDC, mask);
    return glyphs_.draw(hdc, x, y, w, h, 0, srcY);
}

SIZE SelectionControl::MeasureCaption(HDC hdc, HFONT font, const RECT& bounds) {
    return captionLayout_.size(state_.m_sCaption, font, bounds, [&](RECT& rc) {
        DrawCaptionText(hdc, state_.m_sCaption, &rc, kMeasureFlags);
    });
}

void SelectionControl::DrawCaption(HDC hdc) {
    const HWND window = state_.m_hWnd ? state_.m_hWnd : hwnd();
    const LONG w = PixelWidth(), h = PixelHeight();
    const LONG imgW = GlyphSize().cx;
    const LONG pictureW = state_.m_lPictureWidth;
    const LONG gap = pictureW > 0 ? 2 : 0;

    // Before any settings there is no font object: the DC's own font draws.
    const HFONT hfont = state_.m_Font ? fontHandle() : nullptr;
    SelectedObject selected(hdc, hfont);
    RECT rc{};
    ::GetClientRect(window, &rc);
    ::SetBkMode(hdc, TRANSPARENT);
    const OLE_COLOR color = state_.m_bEnabled ? state_.m_oForeColor : state_.m_oDisabledForeColor;
    ::SetTextColor(hdc, sib::Gfx().gfxTranslateColor(color, nullptr));
    const bool focus = state_.m_bDrawFocusRectangle && state_.m_bHasFocus;

    if (state_.m_lAlignment == 0) {
        const LONG left = imgW + gap + pictureW + 4;
        rc.left = left;
        const auto [tw, th] = MeasureCaption(hdc, hfont, rc);
        const double clientHeight = static_cast<double>(scaleHeightTwips()) /
                                    (state_.m_iTwipsPerPixelY > 0 ? state_.m_iTwipsPerPixelY : 15);
        // Halves go to the even neighbour, as the default rounding mode does.
        const LONG top = static_cast<LONG>(std::lrint((clientHeight - th) / 2.0));
        rc = RECT{left, top, left + tw, top + th};
        DrawCaptionText(hdc, state_.m_sCaption, &rc, kLeftFlags);
        if (focus) {
            const RECT box{left - 3, top - 2, left + tw + 2, top + th + 2};
            ::DrawFocusRect(hdc, &box);
        }
    } else if (state_.m_lAlignment == 1) {
        rc.left = pictureW + 4;
        rc.right = w - 4 - imgW;
        const auto [tw, th] = MeasureCaption(hdc, hfont, rc);
        const LONG top = (h - th) / 2;
        rc = RECT{pictureW + 4, top, w - 4 - imgW, top + th};
        DrawCaptionText(hdc, state_.m_sCaption, &rc, kRightFlags);
        if (focus) {
            const RECT box{rc.left - 2, top - 2, rc.left + tw + 2, top + th + 3};
            ::DrawFocusRect(hdc, &box);
        }
    }
    ::SetTextColor(hdc, 0);
}

} // namespace pkw::selection
