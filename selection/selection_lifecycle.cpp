// The container's lifecycle notifications (Initialize, InitProperties,
// Show, Resize, Paint, Terminate), and the objects the control keeps for
// its life: the font it listens to and the run-time tool tip.
#include "selection/selection_control.h"

#include "activex/unicode_platform.h"
#include "common/text/access_key.h"
#include "common/win/unique_handle.h"
#include "siblings/api/loader.h"
#include "siblings/api/plain.h"
#include "siblings/api/scls.h"

#include <cmath>

namespace pkw::selection {
namespace {

constexpr OLE_COLOR kButtonFace = 0x8000000F;
constexpr OLE_COLOR kGreyText = 0x80000011;
constexpr LONG kInitialWidthTwips = 1450;
constexpr LONG kMinimumHeightTwips = 210;
constexpr LONG kCaptionPaddingPixels = 6;

} // namespace

SelectionControl::SelectionControl(const SelectionTraits& traits)
    : ax::OleControl(traits.cls), traits_(traits) {}

SelectionControl::~SelectionControl() = default;

void SelectionControl::onInitialize() {
    state_.m_iTwipsPerPixelX = twipsPerPixelX();
    state_.m_iTwipsPerPixelY = twipsPerPixelY();
    // The property starts as the window does, so that a load that skips
    // BackColor saves the colour the control shows.
    state_.m_oBackColor = backColor();
    ax::SetUnicodePlatform(sib::Mfc().IsUnicodePlatform() != 0);
}

void SelectionControl::onInitProperties() {
    try {
        state_.m_hWnd = hwnd();
        ignore(CreateEffectSets());
        ignore(CreateTipEffectSet());
        state_.m_sCaption = ambientDisplayName();
        state_.m_lAlignment = 0;
        state_.m_oBackColor = kButtonFace;
        state_.m_lBackStyle = 1;
        setBackColor(kButtonFace);

        ignore(setFont(ambientFont().Get()));
        SetFontObject(font());

        state_.m_bEnabled = true;
        setEnabled(true);
        state_.m_bDrawFocusRectangle = true;

        // Tall enough for one line of the font, with three pixels above and below.
        SIZE text{};
        {
            SelectedObject selected(hdc(), state_.m_Font ? fontHandle() : nullptr);
            ::GetTextExtentPoint32W(hdc(), L"Wg", 2, &text);
        }
        ignore(setHeightTwips((text.cy + kCaptionPaddingPixels) * state_.m_iTwipsPerPixelY));
        ignore(setWidthTwips(kInitialWidthTwips));

        state_.m_oDisabledForeColor = kGreyText;
        LoadDefaultSkin();
        if (ambientUserMode()) {
            CreateToolTip();
            UpdateAccessKeys();
        }
        state_.m_bInitialized = true;
        state_.m_bRedraw = true;
        Resize();
    } catch (...) {
        // The container gets a control with whatever was set so far.
    }
}

void SelectionControl::onShow() {
    try {
        state_.m_bTipShown = false;
        if (ambientUserMode() || NeedsParentBackground()) {
            if (NeedsParentBackground()) sib::Mfc().ChangeWindowStyle(state_.m_hWnd);
            if (!state_.m_bSubclassed) AttachMessages();
        } else {
            DrawControl();
        }
    } catch (...) {
    }
}

void SelectionControl::onResize() {
    Resize();
}

void SelectionControl::Resize() {
    try {
        if (!state_.m_bInitialized || state_.m_bSizing) return;
        const SHORT tppX = state_.m_iTwipsPerPixelX > 0 ? state_.m_iTwipsPerPixelX : 15;
        const SHORT tppY = state_.m_iTwipsPerPixelY > 0 ? state_.m_iTwipsPerPixelY : 15;
        if (state_.m_lVisualEffectStyle != 1) {
            if (scaleHeightTwips() < kMinimumHeightTwips)
                ignore(setHeightTwips(kMinimumHeightTwips));
            state_.m_lControlHeight = scaleHeightTwips() / tppY;
            state_.m_lControlWidth = scaleWidthTwips() / tppX;
        } else {
            state_.m_lControlWidth =
                std::lrint(double(scaleWidthTwips()) / tppX - state_.m_lXOffset);
            state_.m_lControlHeight =
                std::lrint(double(scaleHeightTwips()) / tppY - state_.m_lYOffset);
        }
        if (NeedsParentBackground()) {
            if (!state_.m_BackgroundDC) ignore(EnsureBackgroundDC());
            if (state_.m_BackgroundDC) {
                const LONG w = PixelWidth(), h = PixelHeight();
                if (w > 0 && h > 0) ignore(state_.m_BackgroundDC->Create(w, h, 0xFFFFFF));
            }
            CaptureParentBackground(true);
        }
        DrawControl();
    } catch (...) {
    }
}

void SelectionControl::onPaint() {
    DrawControl();
}

void SelectionControl::onTerminate() {
    state_.m_bTerminating = true;
    DetachMessages();
    ReleaseToolTip();
    state_.m_EffectsProps.clear();
    state_.m_TipEffectsProps.clear();
    sib::ReleaseThreadSubclass();
    // The font outlives nothing of ours: stop listening to it.
    fontListener_.stop();
    state_.m_BodyLayer.Reset();
    state_.m_ImageLayer.Reset();
    state_.m_TextLayer.Reset();
    state_.m_EffectsScratch = {};
    state_.m_BackgroundDC.Reset();
}

void SelectionControl::SetFontObject(ComPtr<IFontDisp> newFont) {
    fontListener_.stop();
    state_.m_Font = std::move(newFont);
    fontListener_.listen(state_.m_Font.Get(), [this](DISPID) { m_Font_FontChanged(); });
}

void SelectionControl::m_Font_FontChanged() {
    if (state_.m_bTerminating || !state_.m_Font) return;
    ignore(setFont(state_.m_Font.Get()));
    DrawControl();
}

void SelectionControl::CreateToolTip() {
    ReleaseToolTip();
    ComPtr<IToolTip> tip;
    if (FAILED(sib::CreateSiblingObject(L"zelGlobals40.dll", CLSID_ToolTip, IID_IToolTip,
                                        reinterpret_cast<void**>(tip.GetAddressOf()))))
        return;
    state_.m_Tip = tip;
    tipSink_ = ax::DispatchEventSink::Create(
        DIID_DToolTipEvents, [this](DISPID id, DISPPARAMS* p) { return m_Tip_Event(id, p); });
    if (tipSink_)
        ignore(tipConnection_.connect(tip.Get(), DIID_DToolTipEvents,
                                      static_cast<IDispatch*>(tipSink_.Get())));
}

void SelectionControl::ReleaseToolTip() {
    tipConnection_.reset();
    if (tipSink_) tipSink_->disconnect();
    tipSink_.Reset();
    state_.m_Tip.Reset();
}

void SelectionControl::UpdateAccessKeys() {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const std::u16string_view caption(reinterpret_cast<const char16_t*>(state_.m_sCaption.data()),
                                      state_.m_sCaption.size());
    const std::optional<char16_t> key = text::AccessKeyOf(caption);
    setAccessKeys(key ? std::wstring(1, static_cast<wchar_t>(*key)) : std::wstring());
}

} // namespace pkw::selection
