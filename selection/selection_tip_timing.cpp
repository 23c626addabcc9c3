// When and where the rich tool tip shows: armed by the first move over the
// control, shown after TipPreTimer seconds of hovering, hidden after
// TipPostTimer seconds or when the cursor leaves; placed, worded or
// cancelled by the container through QueryTipPlacement. The hover timer's
// ticks drive it; the clock is in seconds.
#include "selection/selection_control.h"

#include "common/com/bstr.h"

#include <array>

namespace pkw::selection {
namespace {

// Seconds since the library first asked, as the timing compares them: a
// single-precision float keeps millisecond steps for days from there.
float TipClock() {
    static const ULONGLONG start = ::GetTickCount64();
    return static_cast<float>(::GetTickCount64() - start) / 1000.0f;
}

// The tool-tip object's QueryPlacement(X, Y, XDisplay, YDisplay, bCancel).
constexpr DISPID kTipQueryPlacement = 1;

// Its by-reference arguments, from DISPPARAMS (which holds them last first).
struct PlacementArgs {
    SHORT* xDisplay = nullptr;
    SHORT* yDisplay = nullptr;
    LONG* x = nullptr;
    LONG* y = nullptr;
    VARIANT_BOOL* cancel = nullptr;

    static bool From(const DISPPARAMS* params, PlacementArgs& out) {
        if (!params || params->cArgs != 5 || params->cNamedArgs != 0) return false;
        const VARIANTARG* a = params->rgvarg;
        if (a[4].vt != (VT_I4 | VT_BYREF) || a[3].vt != (VT_I4 | VT_BYREF) ||
            a[2].vt != (VT_I2 | VT_BYREF) || a[1].vt != (VT_I2 | VT_BYREF) ||
            a[0].vt != (VT_BOOL | VT_BYREF))
            return false;
        out = {a[2].piVal, a[1].piVal, a[4].plVal, a[3].plVal, a[0].pboolVal};
        return out.x && out.y && out.xDisplay && out.yDisplay && out.cancel;
    }
};

std::wstring TipCaption(IEffectSet* set) {
    Bstr caption;
    if (!set || FAILED(set->get_Caption(caption.put()))) return {};
    return std::wstring(caption.view());
}

} // namespace

HRESULT SelectionControl::m_Tip_Event(DISPID id, DISPPARAMS* params) {
    if (id != kTipQueryPlacement) return DISP_E_MEMBERNOTFOUND;
    PlacementArgs tip;
    if (!PlacementArgs::From(params, tip)) return DISP_E_TYPEMISMATCH;
    try {
        m_Tip_QueryPlacement(*tip.x, *tip.y, *tip.xDisplay, *tip.yDisplay, *tip.cancel);
    } catch (...) {
        // The tip keeps its own placement.
    }
    return S_OK;
}

void SelectionControl::m_Tip_QueryPlacement(LONG& x, LONG& y, SHORT& xDisplay, SHORT& yDisplay,
                                            VARIANT_BOOL& bCancel) {
    // The container's view: the cursor where the control last saw it, and
    // the tip set's caption as the text.
    LONG X = state_.m_lTipX, Y = state_.m_lTipY;
    SHORT XDisplay = xDisplay, YDisplay = yDisplay;
    SHORT cancel = bCancel;
    Bstr text(TipCaption(state_.m_TipEffectsProps.at(0).Get()));
    std::array<VARIANTARG, 6> args{};
    args[0].vt = VT_I4 | VT_BYREF, args[0].plVal = &X;
    args[1].vt = VT_I4 | VT_BYREF, args[1].plVal = &Y;
    args[2].vt = VT_I2 | VT_BYREF, args[2].piVal = &XDisplay;
    args[3].vt = VT_I2 | VT_BYREF, args[3].piVal = &YDisplay;
    args[4].vt = VT_BSTR | VT_BYREF, args[4].pbstrVal = text.inOut();
    args[5].vt = VT_I2 | VT_BYREF, args[5].piVal = &cancel;
    ignore(fireEvent(traits_.events.queryTipPlacement, args));

    if (text.view().empty()) {
        bCancel = VARIANT_TRUE;
        return;
    }
    bCancel = cancel ? VARIANT_TRUE : VARIANT_FALSE;
    if (cancel) {
        // Not again while the cursor stays on the control.
        state_.m_bTipShown = false;
        state_.m_bTipPending = false;
        state_.m_bTipCancelled = true;
        return;
    }
    x = X, y = Y, xDisplay = XDisplay, yDisplay = YDisplay;
    if (ComPtr<IToolTip> tip = state_.m_Tip) ignore(tip->SetTipText(text.get()));
}

void SelectionControl::ArmToolTip() {
    if (state_.m_bTipCancelled) return;
    state_.m_bTipPending = true;
    state_.m_sngTipTime = TipClock();
}

void SelectionControl::TipTimingStep() {
    try {
        const float now = TipClock();
        if (state_.m_bTipPending && !state_.m_bTipShown) {
            // A delay of 0 or less means the tip never shows.
            if (state_.m_sngTipPreTimer <= 0 ||
                now <= state_.m_sngTipTime + state_.m_sngTipPreTimer)
                return;
            state_.m_bTipShown = true;
            state_.m_bTipPending = false;
            if (ComPtr<IToolTip> tip = state_.m_Tip) {
                // The tool tip asks for its placement while it shows, and the
                // container may cancel it there.
                ignore(tip->SetEffects(state_.m_TipEffectsProps.at(0).Get()));
                ignore(tip->SetAnimateSteps(state_.m_iTipAnimateSteps));
                LONG shown = 0;
                ignore(tip->ShowTip(state_.m_lTipShowMethod, &shown));
            }
            state_.m_sngTipTime = now;
        } else if (state_.m_bTipShown && now > state_.m_sngTipTime + state_.m_sngTipPostTimer) {
            if (ComPtr<IToolTip> tip = state_.m_Tip) ignore(tip->HideTip(state_.m_lTipHideMethod));
            state_.m_bTipShown = false;
        }
    } catch (...) {
        // The hover tracking goes on without the tip.
    }
}

void SelectionControl::TipLeaveStep() {
    state_.m_bTipCancelled = false;
    if (!state_.m_bTipShown && !state_.m_bTipPending) return;
    state_.m_bTipPending = false;
    try {
        if (state_.m_bTipShown) {
            if (ComPtr<IToolTip> tip = state_.m_Tip) ignore(tip->HideTip(0));
        }
    } catch (...) {
    }
    state_.m_bTipShown = false;
}

} // namespace pkw::selection
