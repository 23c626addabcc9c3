// Property procedures and methods of _BTN.
//
// A setter stores first, repaints (through a WM_PAINT to the button's own
// window) where the property shows, and then tells the container the
// property's name.
#include "button/btn.h"

#include "activex/property_values.h"
#include "common/com/hresult.h"

namespace pkw::button {

using ax::FromBstr;
using ax::Give;
using ax::GiveObject;
using ax::ToBstr;
using ax::ToVb;

STDMETHODIMP BTN::BeginUpdate() {
    state_.m_bRedraw = false;
    return S_OK;
}

STDMETHODIMP BTN::EndUpdate() {
    state_.m_bRedraw = true;
    DrawControl();
    return S_OK;
}

STDMETHODIMP BTN::get_BackColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oBackColor);
}

STDMETHODIMP BTN::put_BackColor(OLE_COLOR oColor) {
    return setProperty(L"BackColor", state_.m_oBackColor, oColor, [&] { RepaintNow(); });
}

STDMETHODIMP BTN::get_Caption(BSTR* sCaption) {
    return ToBstr(state_.m_sCaption, sCaption);
}

STDMETHODIMP BTN::put_Caption(BSTR sCaption) {
    return setProperty(L"Caption", state_.m_sCaption, FromBstr(sCaption), [&] {
        RepaintNow();
        UpdateAccessKeys();
    });
}

STDMETHODIMP BTN::get_DisabledForeColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oDisabledForeColor);
}

STDMETHODIMP BTN::put_DisabledForeColor(OLE_COLOR oColor) {
    return setProperty(L"DisabledForeColor", state_.m_oDisabledForeColor, oColor,
                       [&] { RepaintNow(); });
}

STDMETHODIMP BTN::get_Enabled(VARIANT_BOOL* bEnabled) {
    return Give(bEnabled, ToVb(state_.m_bEnabled));
}

STDMETHODIMP BTN::put_Enabled(VARIANT_BOOL bEnabled) {
    return setProperty(L"Enabled", state_.m_bEnabled, bEnabled != VARIANT_FALSE, [&] {
        setEnabled(state_.m_bEnabled);
        RepaintNow();
    });
}

STDMETHODIMP BTN::get_Font(IFontDisp** oFont) {
    return GiveObject(oFont, state_.m_Font);
}

STDMETHODIMP BTN::putref_Font(IFontDisp* oFont) {
    PKW_RETURN_IF_FAILED(SetFont(oFont));
    propertyChanged(L"Font");
    return S_OK;
}

STDMETHODIMP BTN::get_ForeColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oForeColor);
}

STDMETHODIMP BTN::put_ForeColor(OLE_COLOR oColor) {
    return setProperty(L"ForeColor", state_.m_oForeColor, oColor, [&] {
        setForeColor(oColor);
        RepaintNow();
    });
}

STDMETHODIMP BTN::get_hWnd(LONG* lHwnd) {
    // Window handles are 32-bit values, sign-extended on 64-bit Windows.
    return Give(lHwnd, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd())));
}

STDMETHODIMP BTN::get_TipText(BSTR* sText) {
    return ToBstr(state_.m_sTipText, sText);
}

STDMETHODIMP BTN::put_TipText(BSTR sText) {
    state_.m_sTipText = FromBstr(sText);
    propertyChanged(L"TipText");
    return S_OK;
}

STDMETHODIMP BTN::Refresh() {
    DrawControl();
    return S_OK;
}

STDMETHODIMP BTN::ApplyDefaultLayout() {
    // Only the default layout exists: drawing lays the button out anew.
    DrawControl();
    return S_OK;
}

STDMETHODIMP BTN::ApplyDefaultSkin() {
    LoadDefaultSkin();
    DrawControl();
    return S_OK;
}

} // namespace pkw::button
