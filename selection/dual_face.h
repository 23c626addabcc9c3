// The COM face of a selection control: its identity (IUnknown with its dual
// interface, IDispatch from the type library, ISubclass) and the entries of
// the dual interface that every selection control shares, routed to the
// core. The interfaces of the check box and of the option button order
// their members differently, so each gets its own vtable from this one
// template; what is not here (Value and the like) the control declares.
#pragma once

#include "activex/dual_control.h"
#include "selection/selection_control.h"

namespace pkw::selection {

template <class Dual>
class DualFace : public ax::DualControl<SelectionControl, Dual> {
public:
    using ax::DualControl<SelectionControl, Dual>::DualControl;

    // The shared members of the dual interface.
    STDMETHODIMP get_Alignment(NuAlignmentConstants* v) override {
        return SelectionControl::get_Alignment(v);
    }
    STDMETHODIMP put_Alignment(NuAlignmentConstants v) override {
        return SelectionControl::put_Alignment(v);
    }
    STDMETHODIMP get_BackColor(OLE_COLOR* v) override { return SelectionControl::get_BackColor(v); }
    STDMETHODIMP put_BackColor(OLE_COLOR v) override { return SelectionControl::put_BackColor(v); }
    STDMETHODIMP get_BackStyle(NuBackStyleConstants* v) override {
        return SelectionControl::get_BackStyle(v);
    }
    STDMETHODIMP put_BackStyle(NuBackStyleConstants v) override {
        return SelectionControl::put_BackStyle(v);
    }
    STDMETHODIMP get_Caption(BSTR* v) override { return SelectionControl::get_Caption(v); }
    STDMETHODIMP put_Caption(BSTR v) override { return SelectionControl::put_Caption(v); }
    STDMETHODIMP get_UniCaption(BSTR* v) override { return SelectionControl::get_UniCaption(v); }
    STDMETHODIMP put_UniCaption(BSTR v) override { return SelectionControl::put_UniCaption(v); }
    STDMETHODIMP get_DrawFocusRectangle(VARIANT_BOOL* v) override {
        return SelectionControl::get_DrawFocusRectangle(v);
    }
    STDMETHODIMP put_DrawFocusRectangle(VARIANT_BOOL v) override {
        return SelectionControl::put_DrawFocusRectangle(v);
    }
    STDMETHODIMP get_DisabledForeColor(OLE_COLOR* v) override {
        return SelectionControl::get_DisabledForeColor(v);
    }
    STDMETHODIMP put_DisabledForeColor(OLE_COLOR v) override {
        return SelectionControl::put_DisabledForeColor(v);
    }
    STDMETHODIMP get_EffectsProps(VARIANT* v) override {
        return SelectionControl::get_EffectsProps(v);
    }
    STDMETHODIMP put_EffectsProps(VARIANT v) override {
        return SelectionControl::put_EffectsProps(v);
    }
    STDMETHODIMP get_Enabled(VARIANT_BOOL* v) override { return SelectionControl::get_Enabled(v); }
    STDMETHODIMP put_Enabled(VARIANT_BOOL v) override { return SelectionControl::put_Enabled(v); }
    STDMETHODIMP get_Font(IFontDisp** v) override { return SelectionControl::get_Font(v); }
    STDMETHODIMP put_Font(IFontDisp* v) override { return SelectionControl::put_Font(v); }
    STDMETHODIMP putref_Font(IFontDisp* v) override { return SelectionControl::putref_Font(v); }
    STDMETHODIMP get_ForeColor(OLE_COLOR* v) override { return SelectionControl::get_ForeColor(v); }
    STDMETHODIMP put_ForeColor(OLE_COLOR v) override { return SelectionControl::put_ForeColor(v); }
    STDMETHODIMP get_hdc(LONG* v) override { return SelectionControl::get_hdc(v); }
    STDMETHODIMP get_hWnd(LONG* v) override { return SelectionControl::get_hWnd(v); }
    STDMETHODIMP get_MouseIcon(IPictureDisp** v) override {
        return SelectionControl::get_MouseIcon(v);
    }
    STDMETHODIMP putref_MouseIcon(IPictureDisp* v) override {
        return SelectionControl::putref_MouseIcon(v);
    }
    STDMETHODIMP get_MousePointer(NuMousePointerConstants* v) override {
        return SelectionControl::get_MousePointer(v);
    }
    STDMETHODIMP put_MousePointer(NuMousePointerConstants v) override {
        return SelectionControl::put_MousePointer(v);
    }
    STDMETHODIMP get_Picture(IPictureDisp** v) override { return SelectionControl::get_Picture(v); }
    STDMETHODIMP put_Picture(IPictureDisp* v) override { return SelectionControl::put_Picture(v); }
    STDMETHODIMP putref_Picture(IPictureDisp* v) override {
        return SelectionControl::putref_Picture(v);
    }
    STDMETHODIMP get_PictureDisabled(IPictureDisp** v) override {
        return SelectionControl::get_PictureDisabled(v);
    }
    STDMETHODIMP put_PictureDisabled(IPictureDisp* v) override {
        return SelectionControl::put_PictureDisabled(v);
    }
    STDMETHODIMP putref_PictureDisabled(IPictureDisp* v) override {
        return SelectionControl::putref_PictureDisabled(v);
    }
    STDMETHODIMP get_TipEffectsProps(VARIANT* v) override {
        return SelectionControl::get_TipEffectsProps(v);
    }
    STDMETHODIMP put_TipEffectsProps(VARIANT v) override {
        return SelectionControl::put_TipEffectsProps(v);
    }
    STDMETHODIMP get_TipAnimateSteps(short* v) override {
        return SelectionControl::get_TipAnimateSteps(v);
    }
    STDMETHODIMP put_TipAnimateSteps(short* v) override {
        return SelectionControl::put_TipAnimateSteps(v);
    }
    STDMETHODIMP get_TipPreTimer(float* v) override { return SelectionControl::get_TipPreTimer(v); }
    STDMETHODIMP put_TipPreTimer(float* v) override { return SelectionControl::put_TipPreTimer(v); }
    STDMETHODIMP get_TipPostTimer(float* v) override {
        return SelectionControl::get_TipPostTimer(v);
    }
    STDMETHODIMP put_TipPostTimer(float* v) override {
        return SelectionControl::put_TipPostTimer(v);
    }
    STDMETHODIMP get_TipShowMethod(NuTipShowMethodConstants* v) override {
        return SelectionControl::get_TipShowMethod(v);
    }
    STDMETHODIMP put_TipShowMethod(NuTipShowMethodConstants* v) override {
        return SelectionControl::put_TipShowMethod(v);
    }
    STDMETHODIMP get_TipHideMethod(NuTipHideMethodConstants* v) override {
        return SelectionControl::get_TipHideMethod(v);
    }
    STDMETHODIMP put_TipHideMethod(NuTipHideMethodConstants* v) override {
        return SelectionControl::put_TipHideMethod(v);
    }
    STDMETHODIMP get_UniToolTipText(BSTR* v) override {
        return SelectionControl::get_UniToolTipText(v);
    }
    STDMETHODIMP put_UniToolTipText(BSTR v) override {
        return SelectionControl::put_UniToolTipText(v);
    }
    STDMETHODIMP get_NuToolTipText(BSTR* v) override {
        return SelectionControl::get_NuToolTipText(v);
    }
    STDMETHODIMP put_NuToolTipText(BSTR* v) override {
        return SelectionControl::put_NuToolTipText(v);
    }
    STDMETHODIMP get_ValueSetClick(VARIANT_BOOL* v) override {
        return SelectionControl::get_ValueSetClick(v);
    }
    STDMETHODIMP put_ValueSetClick(VARIANT_BOOL v) override {
        return SelectionControl::put_ValueSetClick(v);
    }
    STDMETHODIMP get_VisualEffectStyle(NuVisualEffectStyleConstants* v) override {
        return SelectionControl::get_VisualEffectStyle(v);
    }
    STDMETHODIMP put_VisualEffectStyle(NuVisualEffectStyleConstants v) override {
        return SelectionControl::put_VisualEffectStyle(v);
    }
    STDMETHODIMP get_ControlWidth(LONG* v) override {
        return SelectionControl::get_ControlWidth(v);
    }
    STDMETHODIMP put_ControlWidth(LONG v) override { return SelectionControl::put_ControlWidth(v); }
    STDMETHODIMP get_ControlHeight(LONG* v) override {
        return SelectionControl::get_ControlHeight(v);
    }
    STDMETHODIMP put_ControlHeight(LONG v) override {
        return SelectionControl::put_ControlHeight(v);
    }
    STDMETHODIMP get_XOffset(LONG* v) override { return SelectionControl::get_XOffset(v); }
    STDMETHODIMP put_XOffset(LONG v) override { return SelectionControl::put_XOffset(v); }
    STDMETHODIMP get_YOffset(LONG* v) override { return SelectionControl::get_YOffset(v); }
    STDMETHODIMP put_YOffset(LONG v) override { return SelectionControl::put_YOffset(v); }
    STDMETHODIMP About() override { return SelectionControl::About(); }
    STDMETHODIMP Refresh() override { return SelectionControl::Refresh(); }
    STDMETHODIMP Redraw() override { return SelectionControl::Redraw(); }
    STDMETHODIMP BeginUpdate() override { return SelectionControl::BeginUpdate(); }
    STDMETHODIMP EndUpdate() override { return SelectionControl::EndUpdate(); }
    STDMETHODIMP ApplyCustomSkin() override { return SelectionControl::ApplyCustomSkin(); }
    STDMETHODIMP ApplyDefaultSkin() override { return SelectionControl::ApplyDefaultSkin(); }

protected:
    void* ownInterface(REFIID riid) noexcept override {
        return riid == IID_ISubclass ? static_cast<ISubclass*>(this) : nullptr;
    }
};

} // namespace pkw::selection
