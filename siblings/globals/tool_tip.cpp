#include "siblings/globals/tool_tip.h"

#include "siblings/globals/tip_painter.h"
#include "siblings/globals/tip_style.h"

#include "common/com/hresult.h"

#include <olectl.h>

#include <array>
#include <new>

namespace pkw::globals {
namespace {

constexpr DISPID kQueryPlacement = 1;

} // namespace

ToolTip::ToolTip() noexcept : events_(*this, DIID_DToolTipEvents, com::SinkKind::Dispatch) {}

HRESULT ToolTip::SetEffects(IEffectSet* effects) noexcept {
    state_.effects = effects;
    // A shown tip takes its new look at once, where it stands.
    if (!state_.shown || !window_.handle() || !::IsWindowVisible(window_.handle())) return S_OK;
    try {
        present(TipMotion::Instant);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT ToolTip::SetAnimateSteps(SHORT steps) noexcept {
    state_.animateSteps = steps;
    return S_OK;
}

HRESULT ToolTip::ShowTip(LONG method, LONG* result) noexcept {
    if (result) *result = 0;
    // A sink may drop the last reference to this object from inside the event.
    ComPtr<IToolTip> keepAlive(this);

    TipPlacement placement;
    placement.xDisplay = state_.placement.xDisplay;
    placement.yDisplay = state_.placement.yDisplay;
    POINT cursor{};
    if (::GetCursorPos(&cursor)) {
        placement.x = cursor.x;
        placement.y = cursor.y;
    }
    try {
        raiseQueryPlacement(placement);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (placement.cancel) return S_OK;

    state_.placement = placement;
    state_.placement.cancel = VARIANT_FALSE;
    state_.showMethod = method;
    state_.shown = true;
    try {
        present(tipMotionOf(state_.showMethod));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (result) *result = 1;
    return S_OK;
}

HRESULT ToolTip::HideTip(LONG method) noexcept {
    state_.hideMethod = method;
    state_.shown = false;
    withdraw();
    return S_OK;
}

HRESULT ToolTip::SetTipText(BSTR text) noexcept {
    Bstr copy(std::wstring_view(text ? text : L"", text ? ::SysStringLen(text) : 0));
    if (!copy.get()) return E_OUTOFMEMORY;
    state_.text = std::move(copy);
    return S_OK;
}

void ToolTip::raiseQueryPlacement(TipPlacement& placement) {
    // Arguments travel in reverse order.
    std::array<VARIANT, 5> args{};
    for (VARIANT& v : args)
        ::VariantInit(&v);
    args[4].vt = VT_I4 | VT_BYREF;
    args[4].plVal = &placement.x;
    args[3].vt = VT_I4 | VT_BYREF;
    args[3].plVal = &placement.y;
    args[2].vt = VT_I2 | VT_BYREF;
    args[2].piVal = &placement.xDisplay;
    args[1].vt = VT_I2 | VT_BYREF;
    args[1].piVal = &placement.yDisplay;
    args[0].vt = VT_BOOL | VT_BYREF;
    args[0].pboolVal = &placement.cancel;
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};

    // A failing sink does not stop the others, nor the tip.
    pkw::ignore(events_.raise(kQueryPlacement, params));
}

void ToolTip::present(TipMotion motion) {
    // The text as the QueryPlacement sinks left it; none, no tip.
    if (state_.text.view().empty()) {
        window_.hide(TipMotion::Instant, 0);
        return;
    }
    const TipPlacement& at = state_.placement;
    const POINT point{at.x, at.y};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor))
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);

    const TipStyle style = readTipStyle(state_.effects.Get());
    TipPicture picture = drawTip(style, TipText{style.headerText, state_.text.view()}, point,
                                 at.xDisplay, at.yDisplay, monitor.rcWork);
    window_.show(std::move(picture), style.alpha, motion, state_.animateSteps);
}

void ToolTip::withdraw() {
    window_.hide(tipMotionOf(state_.hideMethod), state_.animateSteps);
}

HRESULT ToolTip::get_Effects(IEffectSet** effects) noexcept {
    if (!effects) return E_POINTER;
    return state_.effects.CopyTo(effects);
}

HRESULT ToolTip::get_AnimateSteps(SHORT* steps) noexcept {
    if (!steps) return E_POINTER;
    *steps = state_.animateSteps;
    return S_OK;
}

HRESULT ToolTip::get_TipText(BSTR* text) noexcept {
    if (!text) return E_POINTER;
    *text = state_.text.copy();
    return *text ? S_OK : E_OUTOFMEMORY;
}

HRESULT ToolTip::get_Shown(VARIANT_BOOL* shown) noexcept {
    if (!shown) return E_POINTER;
    *shown = state_.shown ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT ToolTip::get_ShowMethod(LONG* method) noexcept {
    if (!method) return E_POINTER;
    *method = state_.showMethod;
    return S_OK;
}

HRESULT ToolTip::get_HideMethod(LONG* method) noexcept {
    if (!method) return E_POINTER;
    *method = state_.hideMethod;
    return S_OK;
}

HRESULT ToolTip::get_X(LONG* x) noexcept {
    if (!x) return E_POINTER;
    *x = state_.placement.x;
    return S_OK;
}

HRESULT ToolTip::get_Y(LONG* y) noexcept {
    if (!y) return E_POINTER;
    *y = state_.placement.y;
    return S_OK;
}

HRESULT ToolTip::get_XDisplay(SHORT* placement) noexcept {
    if (!placement) return E_POINTER;
    *placement = state_.placement.xDisplay;
    return S_OK;
}

HRESULT ToolTip::put_XDisplay(SHORT placement) noexcept {
    state_.placement.xDisplay = placement;
    return S_OK;
}

HRESULT ToolTip::get_YDisplay(SHORT* placement) noexcept {
    if (!placement) return E_POINTER;
    *placement = state_.placement.yDisplay;
    return S_OK;
}

HRESULT ToolTip::put_YDisplay(SHORT placement) noexcept {
    state_.placement.yDisplay = placement;
    return S_OK;
}

HRESULT ToolTip::GetClassInfo(ITypeInfo** info) noexcept {
    return com::typeInfoOf(CLSID_ToolTip, info);
}

HRESULT ToolTip::GetGUID(DWORD kind, GUID* guid) noexcept {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID_DToolTipEvents;
    return S_OK;
}

} // namespace pkw::globals
