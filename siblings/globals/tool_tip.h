// ToolTip: the rich tool tip's object. It keeps what the control hands it
// (effect set, animation steps, text, show and hide methods), asks its
// QueryPlacement sinks where and whether to show, and records the answer.
//
// Showing and hiding change the state below, and the tip window
// (tip_window.h) follows: present() draws the tip as the effect set and the
// placement have it, withdraw() takes it away.
#pragma once

// common/com/bstr.h needs Windows' headers first.
#include <windows.h>

#include "common/com/bstr.h"
#include "common/com/server/server.h"
#include "siblings/globals/tip_window.h"

#include "zelGlobals40.h"

#include <ocidl.h>

namespace pkw::globals {

using Microsoft::WRL::ComPtr;

// Where the tip is to stand, as QueryPlacement passes it by reference.
struct TipPlacement {
    LONG x = 0;
    LONG y = 0;
    SHORT xDisplay = 0;
    SHORT yDisplay = 0;
    VARIANT_BOOL cancel = VARIANT_FALSE;
};

struct TipState {
    ComPtr<IEffectSet> effects;
    SHORT animateSteps = 0;
    Bstr text;
    LONG showMethod = 0;
    LONG hideMethod = 0;
    bool shown = false;
    TipPlacement placement;
};

class ToolTip : public com::DualDispatch<IToolTip>,
                public com::ConnectionPointContainer,
                public IProvideClassInfo2 {
public:
    using Interfaces = com::InterfaceMap<IToolTip, IDispatch, IConnectionPointContainer,
                                         IProvideClassInfo, IProvideClassInfo2>;

    ToolTip() noexcept;

    // IToolTip
    HRESULT STDMETHODCALLTYPE SetEffects(IEffectSet* effects) noexcept override;
    HRESULT STDMETHODCALLTYPE SetAnimateSteps(SHORT steps) noexcept override;
    HRESULT STDMETHODCALLTYPE ShowTip(LONG method, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE HideTip(LONG method) noexcept override;
    HRESULT STDMETHODCALLTYPE SetTipText(BSTR text) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Effects(IEffectSet** effects) noexcept override;
    HRESULT STDMETHODCALLTYPE get_AnimateSteps(SHORT* steps) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TipText(BSTR* text) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Shown(VARIANT_BOOL* shown) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ShowMethod(LONG* method) noexcept override;
    HRESULT STDMETHODCALLTYPE get_HideMethod(LONG* method) noexcept override;
    HRESULT STDMETHODCALLTYPE get_X(LONG* x) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Y(LONG* y) noexcept override;
    HRESULT STDMETHODCALLTYPE get_XDisplay(SHORT* placement) noexcept override;
    HRESULT STDMETHODCALLTYPE put_XDisplay(SHORT placement) noexcept override;
    HRESULT STDMETHODCALLTYPE get_YDisplay(SHORT* placement) noexcept override;
    HRESULT STDMETHODCALLTYPE put_YDisplay(SHORT placement) noexcept override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) noexcept override;

private:
    com::ConnectionPoint* connectionPoint(std::size_t index) noexcept override {
        return index == 0 ? &events_ : nullptr;
    }
    // Raises QueryPlacement to every connected sink in turn; each sees the
    // answers of the ones before it.
    void raiseQueryPlacement(TipPlacement& placement);
    // Draws the tip as the set and the placement have it and shows it so.
    void present(TipMotion motion);
    void withdraw();

    TipState state_;
    com::ConnectionPoint events_;
    TipWindow window_;
};

} // namespace pkw::globals
