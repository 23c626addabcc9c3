// Loading and saving the check box's settings through the container's
// property bag (the stream path uses the same routines).
#include "checkbox/nu_checkbox40.h"

#include "common/com/hresult.h"
#include "persistence/control_keys.h"

namespace pkw::checkbox {
namespace {

using persist::Key;

std::wstring TextOf(const VARIANT& typed) {
    return typed.vt == VT_BSTR ? std::wstring(typed.bstrVal, ::SysStringLen(typed.bstrVal))
                               : std::wstring();
}

Variant TextVariant(const std::wstring& text) {
    Variant v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

template <typename I>
HRESULT ObjectOf(const VARIANT& typed, REFIID iid, ComPtr<I>& out) {
    out.Reset();
    if (typed.vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
    if (!typed.pdispVal) return S_OK;
    return typed.pdispVal->QueryInterface(iid, reinterpret_cast<void**>(out.GetAddressOf()));
}

Variant ObjectVariant(IUnknown* object) {
    ComPtr<IDispatch> dispatch;
    if (object) ignore(object->QueryInterface(IID_PPV_ARGS(&dispatch)));
    return Variant::fromDispatch(dispatch.Get());
}

} // namespace

HRESULT NuCheckBox40::onReadProperties(ax::PropertyBag& bag) {
    // Every step that fails is skipped: a damaged or older form still loads.
    state_.m_hWnd = hwnd();
    const Key effectStyle[] = {Key::VisualEffectStyle};
    persist::ReadKeys(bag, effectStyle, *this);
    if (state_.m_lVisualEffectStyle == 1) {
        // Reading the four state blocks joins here with the effects
        // persistence; until then the states get the default sets.
        ignore(CreateEffectSets());
    }

    const Key tipInitialized[] = {Key::TipInitialized};
    persist::ReadKeys(bag, tipInitialized, *this);
    if (!state_.m_bTipInitialized) {
        ignore(CreateTipEffectSet());
    } else {
        // Reading the tool-tip block into a new set joins here with the
        // effects persistence; until then the tool tip gets the default set.
        ignore(CreateTipEffectSet());
        persist::ReadKeys(bag, persist::kTipTimingReadOrder, *this);
    }

    persist::ReadKeys(bag, persist::kCheckBoxControlReadOrder, *this);
    if (state_.m_lVisualEffectStyle == 1) {
        // The sums go to the container as they are (pixels where it expects twips).
        ignore(setSizeTwips(state_.m_lControlWidth + state_.m_lXOffset,
                            state_.m_lControlHeight + state_.m_lYOffset));
    }
    LoadDefaultSkin();
    persist::ReadKeys(bag, persist::kTextReadOrder, *this);

    if (ambientUserMode()) CreateToolTip();
    UpdateAccessKeys();
    state_.m_bInitialized = true;
    state_.m_bRedraw = true;
    return S_OK;
}

HRESULT NuCheckBox40::onWriteProperties(ax::PropertyBag& bag) {
    PKW_RETURN_IF_FAILED(persist::WriteKeys(bag, persist::kHeaderWriteOrder, *this));
    // The state blocks (VisualEffectStyle 1) and the tool-tip block are
    // written here once the effects persistence exists.
    return persist::WriteKeys(bag, persist::kCheckBoxControlWriteOrder, *this);
}

ComPtr<IFontDisp> NuCheckBox40::defaultFont() {
    return ambientFont();
}

HRESULT NuCheckBox40::load(Key key, const VARIANT& typed) {
    switch (key) {
    case Key::VisualEffectStyle:
        state_.m_lVisualEffectStyle = typed.lVal;
        return S_OK;
    case Key::TipInitialized:
        state_.m_bTipInitialized = typed.boolVal != VARIANT_FALSE;
        return S_OK;
    case Key::TipPreTimer:
        state_.m_sngTipPreTimer = typed.fltVal;
        return S_OK;
    case Key::TipPostTimer:
        state_.m_sngTipPostTimer = typed.fltVal;
        return S_OK;
    case Key::TipShowMethod:
        state_.m_lTipShowMethod = typed.lVal;
        return S_OK;
    case Key::TipHideMethod:
        state_.m_lTipHideMethod = typed.lVal;
        return S_OK;
    case Key::TipAnimateSteps:
        state_.m_iTipAnimateSteps = typed.iVal;
        return S_OK;
    case Key::ValueSetClick:
        state_.m_bValueSetClick = typed.boolVal != VARIANT_FALSE;
        return S_OK;
    case Key::DisabledForeColor:
        state_.m_oDisabledForeColor = static_cast<OLE_COLOR>(typed.lVal);
        return S_OK;
    case Key::ForeColor:
        state_.m_oForeColor = static_cast<OLE_COLOR>(typed.lVal);
        setForeColor(state_.m_oForeColor);
        return S_OK;
    case Key::Font: {
        ComPtr<IFontDisp> loaded;
        PKW_RETURN_IF_FAILED(ObjectOf(typed, IID_IFontDisp, loaded));
        PKW_RETURN_HR_IF_NULL(E_POINTER, loaded);
        PKW_RETURN_IF_FAILED(setFont(loaded.Get()));
        SetFontObject(font());
        return S_OK;
    }
    case Key::DrawFocusRectangle:
        state_.m_bDrawFocusRectangle = typed.boolVal != VARIANT_FALSE;
        return S_OK;
    case Key::Alignment:
        state_.m_lAlignment = typed.lVal;
        return S_OK;
    case Key::BackColor:
        state_.m_oBackColor = static_cast<OLE_COLOR>(typed.lVal);
        setBackColor(state_.m_oBackColor);
        return S_OK;
    case Key::CheckValue:
        state_.m_iValue = typed.iVal;
        return S_OK;
    case Key::Enabled:
        state_.m_bEnabled = typed.boolVal != VARIANT_FALSE;
        setEnabled(state_.m_bEnabled);
        return S_OK;
    case Key::MouseIcon: {
        ComPtr<IPictureDisp> icon;
        PKW_RETURN_IF_FAILED(ObjectOf(typed, IID_IPictureDisp, icon));
        return putref_MouseIcon(icon.Get());
    }
    case Key::MousePointer:
        return setMousePointer(typed.iVal);
    case Key::BackStyle:
        state_.m_lBackStyle = typed.lVal;
        return S_OK;
    case Key::Picture:
        return ObjectOf(typed, IID_IPictureDisp, state_.m_Picture);
    case Key::PictureDisabled:
        return ObjectOf(typed, IID_IPictureDisp, state_.m_PictureDisabled);
    case Key::ControlWidth:
        state_.m_lControlWidth = typed.lVal;
        return S_OK;
    case Key::ControlHeight:
        state_.m_lControlHeight = typed.lVal;
        return S_OK;
    case Key::XOffset:
        state_.m_lXOffset = typed.lVal;
        return S_OK;
    case Key::YOffset:
        state_.m_lYOffset = typed.lVal;
        return S_OK;
    case Key::NuToolTipText:
        state_.m_sNuToolTipText = TextOf(typed);
        return S_OK;
    case Key::Caption:
        state_.m_sCaption = TextOf(typed);
        return S_OK;
    default:
        return E_NOTIMPL; // the option button's keys
    }
}

HRESULT NuCheckBox40::save(Key key, Variant& typed) {
    switch (key) {
    case Key::TipInitialized:
        typed = Variant::fromBool(state_.m_bTipInitialized);
        return S_OK;
    case Key::VisualEffectStyle:
        typed = Variant::fromI4(state_.m_lVisualEffectStyle);
        return S_OK;
    case Key::TipPreTimer:
        typed = Variant::fromR4(state_.m_sngTipPreTimer);
        return S_OK;
    case Key::TipPostTimer:
        typed = Variant::fromR4(state_.m_sngTipPostTimer);
        return S_OK;
    case Key::TipShowMethod:
        typed = Variant::fromI4(state_.m_lTipShowMethod);
        return S_OK;
    case Key::TipHideMethod:
        typed = Variant::fromI4(state_.m_lTipHideMethod);
        return S_OK;
    case Key::TipAnimateSteps:
        typed = Variant::fromI2(state_.m_iTipAnimateSteps);
        return S_OK;
    case Key::ValueSetClick:
        typed = Variant::fromBool(state_.m_bValueSetClick);
        return S_OK;
    case Key::DisabledForeColor:
        typed = Variant::fromI4(static_cast<LONG>(state_.m_oDisabledForeColor));
        return S_OK;
    case Key::ForeColor:
        typed = Variant::fromI4(static_cast<LONG>(state_.m_oForeColor));
        return S_OK;
    case Key::Font:
        typed = ObjectVariant(state_.m_Font.Get());
        return S_OK;
    case Key::DrawFocusRectangle:
        typed = Variant::fromBool(state_.m_bDrawFocusRectangle);
        return S_OK;
    case Key::Alignment:
        typed = Variant::fromI4(state_.m_lAlignment);
        return S_OK;
    case Key::BackColor:
        typed = Variant::fromI4(static_cast<LONG>(backColor()));
        return S_OK;
    case Key::CheckValue:
        typed = Variant::fromI2(state_.m_iValue);
        return S_OK;
    case Key::Enabled:
        typed = Variant::fromBool(state_.m_bEnabled);
        return S_OK;
    case Key::MouseIcon:
        typed = ObjectVariant(mouseIcon().Get());
        return S_OK;
    case Key::MousePointer:
        typed = Variant::fromI2(mousePointer());
        return S_OK;
    case Key::BackStyle:
        typed = Variant::fromI4(state_.m_lBackStyle);
        return S_OK;
    case Key::Picture:
        typed = ObjectVariant(state_.m_Picture.Get());
        return S_OK;
    case Key::PictureDisabled:
        typed = ObjectVariant(state_.m_PictureDisabled.Get());
        return S_OK;
    case Key::ControlWidth:
        typed = Variant::fromI4(state_.m_lControlWidth);
        return S_OK;
    case Key::ControlHeight:
        typed = Variant::fromI4(state_.m_lControlHeight);
        return S_OK;
    case Key::XOffset:
        typed = Variant::fromI4(state_.m_lXOffset);
        return S_OK;
    case Key::YOffset:
        typed = Variant::fromI4(state_.m_lYOffset);
        return S_OK;
    case Key::NuToolTipText:
        typed = TextVariant(state_.m_sNuToolTipText);
        return S_OK;
    case Key::Caption:
        typed = TextVariant(state_.m_sCaption);
        return S_OK;
    default:
        return E_NOTIMPL;
    }
}

} // namespace pkw::checkbox
