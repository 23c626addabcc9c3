// The container's lifecycle notifications (Initialize, InitProperties,
// Show, Resize, Paint, Terminate) and the font object the button keeps
// for its life.
#include "button/btn.h"

#include "activex/accelerators.h"
#include "activex/font_attributes.h"
#include "activex/unicode_platform.h"
#include "common/com/hresult.h"
#include "siblings/api/plain.h"
#include "siblings/api/scls.h"

namespace pkw::button {
namespace {

constexpr OLE_COLOR kButtonFace = 0x8000000F;
constexpr OLE_COLOR kButtonText = 0x80000012;
constexpr OLE_COLOR kEngraved = static_cast<OLE_COLOR>(-1);
// Below this many pixels a side snaps to kSnapTwips.
constexpr LONG kMinimumPixels = 10;
constexpr LONG kSnapTwips = 150;
constexpr LONG kFocusInset = 4;

} // namespace

void BTN::onInitialize() {
    state_.m_iTwipsPerPixelX = twipsPerPixelX() > 0 ? twipsPerPixelX() : 15;
    state_.m_iTwipsPerPixelY = twipsPerPixelY() > 0 ? twipsPerPixelY() : 15;
    ax::SetUnicodePlatform(sib::Mfc().IsUnicodePlatform() != 0);
    // The drawing surface's font object (a font of its own until the
    // settings give one) is the button's: assignments copy into it.
    SetFontObject(font());
}

void BTN::onInitProperties() {
    state_.m_hWnd = hwnd();
    state_.m_bUserMode = ambientUserMode();
    state_.m_oDisabledForeColor = kEngraved;
    state_.m_bEnabled = true;
    setEnabled(true);
    state_.m_lBackStyle = 1;
    state_.m_oBackColor = kButtonFace;
    state_.m_oForeColor = kButtonText;
    setForeColor(kButtonText);
    ignore(setFont(ambientFont().Get()));
    SetFontObject(font());
    state_.m_lButtonStyle = 1;
    // An empty picture object, as a new button's hover picture.
    PICTDESC empty{sizeof(PICTDESC), PICTYPE_NONE, {}};
    ignore(::OleCreatePictureIndirect(
        &empty, IID_IPictureDisp, TRUE,
        reinterpret_cast<void**>(state_.m_PictureHover.ReleaseAndGetAddressOf())));
    state_.m_sCaption = ambientDisplayName();
    LoadDefaultSkin();
    state_.m_bRedraw = true;
    if (state_.m_bUserMode) {
        UpdateAccessKeys();
        AttachMessages();
        state_.m_bLoaded = true;
        Resize();
    } else {
        state_.m_bLoaded = true;
    }
}

void BTN::onShow() {
    if (state_.m_bUserMode && state_.m_lBackStyle == 0) sib::Mfc().ChangeWindowStyle(state_.m_hWnd);
}

void BTN::onResize() {
    Resize();
}

void BTN::Resize() {
    if (!state_.m_bLoaded) return;
    const SHORT tppX = state_.m_iTwipsPerPixelX, tppY = state_.m_iTwipsPerPixelY;
    if (scaleWidthTwips() / tppX < kMinimumPixels) ignore(setWidthTwips(kSnapTwips));
    if (scaleHeightTwips() / tppY < kMinimumPixels) ignore(setHeightTwips(kSnapTwips));
    state_.m_lWidth = scaleWidthTwips() / tppX;
    state_.m_lHeight = scaleHeightTwips() / tppY;
    state_.m_rcFocus = RECT{kFocusInset, kFocusInset, state_.m_lWidth - kFocusInset,
                            state_.m_lHeight - kFocusInset};
    CallUpdateParent();
    DrawControl();
}

void BTN::onPaint() {
    DrawControl();
}

void BTN::onAmbientChanged(DISPID) {
    if (state_.m_bLoaded) DrawControl();
}

void BTN::onTerminate() {
    state_.m_bTerminating = true;
    state_.m_Picture.Reset();
    state_.m_PictureHover.Reset();
    state_.m_PictureDisabled.Reset();
    SetFontObject(nullptr);
    DetachMessages();
    if (state_.m_RegionSize.cx || state_.m_RegionSize.cy) {
        ::SetWindowRgn(state_.m_hWnd, nullptr, FALSE);
        state_.m_RegionSize = SIZE{};
    }
    sib::ReleaseThreadSubclass();
    ReleaseSkin();
}

void BTN::SetFontObject(ComPtr<IFontDisp> newFont) {
    fontListener_.stop();
    state_.m_Font = std::move(newFont);
    fontListener_.listen(state_.m_Font.Get(), [this](DISPID) { m_Font_FontChanged(); });
}

void BTN::m_Font_FontChanged() {
    if (state_.m_bTerminating || !state_.m_Font) return;
    ignore(setFont(state_.m_Font.Get()));
    DrawControl();
}

HRESULT BTN::SetFont(IFontDisp* oFont) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, oFont);
    PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, state_.m_Font);
    ComPtr<IFont> source, target;
    PKW_RETURN_IF_FAILED(oFont->QueryInterface(IID_PPV_ARGS(&source)));
    PKW_RETURN_IF_FAILED(state_.m_Font.As(&target));
    // Each assignment makes m_Font report a change (m_Font_FontChanged).
    return ax::CopyFontAttributes(source.Get(), target.Get());
}

void BTN::UpdateAccessKeys() {
    setAccessKeys(ax::accelerators::fromCaption(state_.m_sCaption));
}

} // namespace pkw::button
