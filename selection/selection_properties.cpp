// Property procedures and methods that the selection controls share.
//
// A setter stores first, then draws or refreshes as the property needs,
// then tells the container the persisted property's name. Errors of the
// window or font objects are returned, except where a property says it
// ignores them (Value, Enabled, the effect-set part of Font).
#include "selection/selection_control.h"

#include "activex/font_attributes.h"
#include "activex/property_values.h"
#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/com/object_array.h"
#include "common/text/unicode_text.h"
#include "pages/about_box.h"

#include <climits>

namespace pkw::selection {

using ax::FromBstr;
using ax::Give;
using ax::GiveObject;
using ax::ToBstr;
using ax::ToVb;

namespace {

constexpr wchar_t kUnicodeText[] = L"(Unicode Text)";

// Copies one array of effect sets into a VARIANT (VT_ARRAY | VT_DISPATCH,
// the same objects, the same lower bound).
HRESULT ArrayToVariant(const EffectSetArray& sets, VARIANT* out) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, out);
    ::VariantInit(out);
    SAFEARRAYBOUND bound{static_cast<ULONG>(sets.items.size()), sets.lowerBound};
    SAFEARRAY* array = ::SafeArrayCreate(VT_DISPATCH, 1, &bound);
    PKW_RETURN_HR_IF_NULL(E_OUTOFMEMORY, array);
    for (std::size_t i = 0; i < sets.items.size(); ++i) {
        LONG index = sets.lowerBound + static_cast<LONG>(i);
        // SafeArrayPutElement AddRefs the object it stores.
        const HRESULT hr = ::SafeArrayPutElement(array, &index, sets.items[i].Get());
        if (FAILED(hr)) {
            ::SafeArrayDestroy(array);
            return hr;
        }
    }
    out->vt = VT_ARRAY | VT_DISPATCH;
    out->parray = array;
    return S_OK;
}

// Reads an array of effect sets from a VARIANT. Anything else, or any
// element that is not an effect set, is a type mismatch.
HRESULT VariantToArray(const VARIANT& in, EffectSetArray& out) {
    com::ObjectArray objects;
    PKW_RETURN_IF_FAILED(com::ReadObjectArray(in, objects));
    EffectSetArray result;
    result.lowerBound = objects.lowerBound;
    for (const ComPtr<IUnknown>& object : objects.objects) {
        ComPtr<IEffectSet> set;
        ComPtr<IDispatch> item;
        if (!object || FAILED(object.As(&set)) || FAILED(set.As(&item))) return DISP_E_TYPEMISMATCH;
        result.items.push_back(std::move(item));
    }
    out = std::move(result);
    return S_OK;
}

} // namespace

// --- Helpers shared by several procedures -----------------------------------

bool SelectionControl::KeepsWideText(const std::wstring& current) const {
    return !ambientUserMode() &&
           text::ContainsWideChars(
               {reinterpret_cast<const char16_t*>(current.data()), current.size()});
}

HRESULT SelectionControl::RaiseClick() {
    return fireEvent(traits_.events.click);
}

HRESULT SelectionControl::SetPicture(ComPtr<IPictureDisp>& member, IPictureDisp* picture,
                                     const wchar_t* name) {
    member = picture;
    DrawControl();
    propertyChanged(name);
    return S_OK;
}

HRESULT SelectionControl::SetEffectSetArray(EffectSetArray& member, const VARIANT& sets) {
    EffectSetArray replacement;
    PKW_RETURN_IF_FAILED(VariantToArray(sets, replacement));
    member = std::move(replacement);
    // The effect sets' owner learns of them under "Enabled"; the caller
    // refreshes when it wants the new look.
    propertyChanged(L"Enabled");
    return S_OK;
}

// --- Properties ---------------------------------------------------------------

STDMETHODIMP SelectionControl::get_Alignment(NuAlignmentConstants* iAlignment) {
    return Give(iAlignment, state_.m_lAlignment);
}

STDMETHODIMP SelectionControl::put_Alignment(NuAlignmentConstants iAlignment) {
    return setProperty(L"Alignment", state_.m_lAlignment, iAlignment, [&] { return Refresh(); });
}

STDMETHODIMP SelectionControl::get_BackColor(OLE_COLOR* oColor) {
    return Give(oColor, backColor());
}

STDMETHODIMP SelectionControl::put_BackColor(OLE_COLOR oColor) {
    return setProperty(L"BackColor", state_.m_oBackColor, oColor, [&] {
        setBackColor(oColor);
        DrawControl();
    });
}

STDMETHODIMP SelectionControl::get_BackStyle(NuBackStyleConstants* iStyle) {
    return Give(iStyle, state_.m_lBackStyle);
}

STDMETHODIMP SelectionControl::put_BackStyle(NuBackStyleConstants iStyle) {
    state_.m_lBackStyle = iStyle;
    if (NeedsParentBackground()) CaptureParentBackground(true);
    DrawControl();
    propertyChanged(L"BackStyle");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_Caption(BSTR* sCaption) {
    return ToBstr(KeepsWideText(state_.m_sCaption) ? kUnicodeText : state_.m_sCaption, sCaption);
}

STDMETHODIMP SelectionControl::put_Caption(BSTR sCaption) {
    // At design time a wide caption is edited through UniCaption only: a
    // plain assignment (such as the browser writing back "(Unicode Text)")
    // must not overwrite it.
    if (!KeepsWideText(state_.m_sCaption)) state_.m_sCaption = FromBstr(sCaption);
    PKW_RETURN_IF_FAILED(Refresh());
    propertyChanged(L"Caption");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_UniCaption(BSTR* sCaption) {
    return ToBstr(state_.m_sCaption, sCaption);
}

STDMETHODIMP SelectionControl::put_UniCaption(BSTR sCaption) {
    return setProperty(L"Caption", state_.m_sCaption, FromBstr(sCaption),
                       [&] { return Refresh(); });
}

STDMETHODIMP SelectionControl::get_DrawFocusRectangle(VARIANT_BOOL* bDraw) {
    return Give(bDraw, ToVb(state_.m_bDrawFocusRectangle));
}

STDMETHODIMP SelectionControl::put_DrawFocusRectangle(VARIANT_BOOL bDraw) {
    return setProperty(L"DrawFocusRectangle", state_.m_bDrawFocusRectangle, bDraw != VARIANT_FALSE,
                       [&] { return Refresh(); });
}

STDMETHODIMP SelectionControl::get_DisabledForeColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oDisabledForeColor);
}

STDMETHODIMP SelectionControl::put_DisabledForeColor(OLE_COLOR oColor) {
    return setProperty(L"DisabledForeColor", state_.m_oDisabledForeColor, oColor,
                       [&] { DrawControl(); });
}

STDMETHODIMP SelectionControl::get_EffectsProps(VARIANT* oSets) {
    return ArrayToVariant(state_.m_EffectsProps, oSets);
}

STDMETHODIMP SelectionControl::put_EffectsProps(VARIANT oSets) {
    return SetEffectSetArray(state_.m_EffectsProps, oSets);
}

STDMETHODIMP SelectionControl::get_Enabled(VARIANT_BOOL* bEnabled) {
    return Give(bEnabled, ToVb(state_.m_bEnabled));
}

STDMETHODIMP SelectionControl::put_Enabled(VARIANT_BOOL bEnabled) {
    // Each step may fail on its own; the container hears of the change anyway.
    state_.m_bEnabled = bEnabled != VARIANT_FALSE;
    setEnabled(state_.m_bEnabled);
    ignore(Refresh());
    propertyChanged(L"Enabled");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_Font(IFontDisp** oFont) {
    return GiveObject(oFont, font());
}

STDMETHODIMP SelectionControl::put_Font(IFontDisp* oFont) {
    return SetFont(oFont);
}

STDMETHODIMP SelectionControl::putref_Font(IFontDisp* oFont) {
    return SetFont(oFont);
}

HRESULT SelectionControl::SetFont(IFontDisp* oFont) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, oFont);
    ComPtr<IFont> source;
    PKW_RETURN_IF_FAILED(oFont->QueryInterface(IID_PPV_ARGS(&source)));
    if (!state_.m_Font) SetFontObject(font());
    PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, state_.m_Font);
    ComPtr<IFont> target;
    PKW_RETURN_IF_FAILED(state_.m_Font.As(&target));

    // Each assignment makes m_Font report a change (m_Font_FontChanged).
    PKW_RETURN_IF_FAILED(ax::CopyFontAttributes(source.Get(), target.Get()));

    if (HasEffectSets()) CopyFontToEffectSets();
    propertyChanged(L"Font");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_ForeColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oForeColor);
}

STDMETHODIMP SelectionControl::put_ForeColor(OLE_COLOR oColor) {
    return setProperty(L"ForeColor", state_.m_oForeColor, oColor, [&] {
        setForeColor(oColor);
        DrawControl();
    });
}

STDMETHODIMP SelectionControl::get_hdc(LONG* lHdc) {
    return Give(lHdc, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hdc())));
}

STDMETHODIMP SelectionControl::get_hWnd(LONG* lHwnd) {
    return Give(lHwnd, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd())));
}

STDMETHODIMP SelectionControl::get_MouseIcon(IPictureDisp** oIcon) {
    return GiveObject(oIcon, mouseIcon());
}

STDMETHODIMP SelectionControl::putref_MouseIcon(IPictureDisp* oIcon) {
    PKW_RETURN_IF_FAILED(setMouseIcon(oIcon));
    propertyChanged(L"MouseIcon");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_MousePointer(NuMousePointerConstants* iPointer) {
    return Give(iPointer, mousePointer());
}

STDMETHODIMP SelectionControl::put_MousePointer(NuMousePointerConstants iPointer) {
    PKW_RETURN_IF_FAILED(setMousePointer(static_cast<short>(iPointer)));
    propertyChanged(L"MousePointer");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_Picture(IPictureDisp** oPicture) {
    return GiveObject(oPicture, state_.m_Picture);
}

STDMETHODIMP SelectionControl::put_Picture(IPictureDisp* oPicture) {
    return SetPicture(state_.m_Picture, oPicture, L"Picture");
}

STDMETHODIMP SelectionControl::putref_Picture(IPictureDisp* oPicture) {
    return SetPicture(state_.m_Picture, oPicture, L"Picture");
}

STDMETHODIMP SelectionControl::get_PictureDisabled(IPictureDisp** oPicture) {
    return GiveObject(oPicture, state_.m_PictureDisabled);
}

STDMETHODIMP SelectionControl::put_PictureDisabled(IPictureDisp* oPicture) {
    return SetPicture(state_.m_PictureDisabled, oPicture, L"PictureDisabled");
}

STDMETHODIMP SelectionControl::putref_PictureDisabled(IPictureDisp* oPicture) {
    return SetPicture(state_.m_PictureDisabled, oPicture, L"PictureDisabled");
}

STDMETHODIMP SelectionControl::get_TipEffectsProps(VARIANT* oSets) {
    return ArrayToVariant(state_.m_TipEffectsProps, oSets);
}

STDMETHODIMP SelectionControl::put_TipEffectsProps(VARIANT oSets) {
    return SetEffectSetArray(state_.m_TipEffectsProps, oSets);
}

STDMETHODIMP SelectionControl::get_TipAnimateSteps(short* iSteps) {
    return Give(iSteps, state_.m_iTipAnimateSteps);
}

STDMETHODIMP SelectionControl::put_TipAnimateSteps(short* iSteps) {
    return StoreAndNotifyFrom(state_.m_iTipAnimateSteps, iSteps, L"TipAnimateSteps");
}

STDMETHODIMP SelectionControl::get_TipPreTimer(float* sngSeconds) {
    return Give(sngSeconds, state_.m_sngTipPreTimer);
}

STDMETHODIMP SelectionControl::put_TipPreTimer(float* sngSeconds) {
    return StoreAndNotifyFrom(state_.m_sngTipPreTimer, sngSeconds, L"TipPreTimer");
}

STDMETHODIMP SelectionControl::get_TipPostTimer(float* sngSeconds) {
    return Give(sngSeconds, state_.m_sngTipPostTimer);
}

STDMETHODIMP SelectionControl::put_TipPostTimer(float* sngSeconds) {
    return StoreAndNotifyFrom(state_.m_sngTipPostTimer, sngSeconds, L"TipPostTimer");
}

STDMETHODIMP SelectionControl::get_TipShowMethod(NuTipShowMethodConstants* iMethod) {
    return Give(iMethod, state_.m_lTipShowMethod);
}

STDMETHODIMP SelectionControl::put_TipShowMethod(NuTipShowMethodConstants* iMethod) {
    return StoreAndNotifyFrom(state_.m_lTipShowMethod, iMethod, L"TipShowMethod");
}

STDMETHODIMP SelectionControl::get_TipHideMethod(NuTipHideMethodConstants* iMethod) {
    return Give(iMethod, state_.m_lTipHideMethod);
}

STDMETHODIMP SelectionControl::put_TipHideMethod(NuTipHideMethodConstants* iMethod) {
    return StoreAndNotifyFrom(state_.m_lTipHideMethod, iMethod, L"TipHideMethod");
}

STDMETHODIMP SelectionControl::get_UniToolTipText(BSTR* sText) {
    return ToBstr(state_.m_sNuToolTipText, sText);
}

STDMETHODIMP SelectionControl::put_UniToolTipText(BSTR sText) {
    state_.m_sNuToolTipText = FromBstr(sText);
    propertyChanged(L"NuToolTipText");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_NuToolTipText(BSTR* sText) {
    return ToBstr(KeepsWideText(state_.m_sNuToolTipText) ? kUnicodeText : state_.m_sNuToolTipText,
                  sText);
}

STDMETHODIMP SelectionControl::put_NuToolTipText(BSTR* sText) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, sText);
    if (!KeepsWideText(state_.m_sNuToolTipText)) state_.m_sNuToolTipText = FromBstr(*sText);
    propertyChanged(L"NuToolTipText");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_ValueSetClick(VARIANT_BOOL* bClick) {
    return Give(bClick, ToVb(state_.m_bValueSetClick));
}

STDMETHODIMP SelectionControl::put_ValueSetClick(VARIANT_BOOL bClick) {
    return StoreAndNotify(state_.m_bValueSetClick, bClick != VARIANT_FALSE, L"ValueSetClick");
}

STDMETHODIMP SelectionControl::get_VisualEffectStyle(NuVisualEffectStyleConstants* iStyle) {
    return Give(iStyle, state_.m_lVisualEffectStyle);
}

STDMETHODIMP SelectionControl::put_VisualEffectStyle(NuVisualEffectStyleConstants iStyle) {
    state_.m_lVisualEffectStyle = iStyle;
    PKW_RETURN_IF_FAILED(CreateEffectSets());
    if (iStyle == 0) {
        state_.m_BodyLayer.Reset();
        state_.m_EffectsScratch = {};
    }
    if (state_.m_bRedraw) PKW_RETURN_IF_FAILED(Refresh());
    propertyChanged(L"VisualEffectStyle");
    return S_OK;
}

STDMETHODIMP SelectionControl::get_ControlWidth(LONG* lWidth) {
    return Give(lWidth, state_.m_lControlWidth);
}

STDMETHODIMP SelectionControl::put_ControlWidth(LONG lWidth) {
    return StoreAndNotify(state_.m_lControlWidth, lWidth, L"ControlWidth");
}

STDMETHODIMP SelectionControl::get_ControlHeight(LONG* lHeight) {
    return Give(lHeight, state_.m_lControlHeight);
}

STDMETHODIMP SelectionControl::put_ControlHeight(LONG lHeight) {
    return StoreAndNotify(state_.m_lControlHeight, lHeight, L"ControlHeight");
}

STDMETHODIMP SelectionControl::get_XOffset(LONG* lOffset) {
    return Give(lOffset, state_.m_lXOffset);
}

STDMETHODIMP SelectionControl::put_XOffset(LONG lOffset) {
    return StoreAndNotify(state_.m_lXOffset, lOffset, L"XOffset");
}

STDMETHODIMP SelectionControl::get_YOffset(LONG* lOffset) {
    return Give(lOffset, state_.m_lYOffset);
}

STDMETHODIMP SelectionControl::put_YOffset(LONG lOffset) {
    return StoreAndNotify(state_.m_lYOffset, lOffset, L"YOffset");
}

// --- Methods ------------------------------------------------------------------

STDMETHODIMP SelectionControl::About() {
    return pages::ShowAboutBox(hwnd());
}

STDMETHODIMP SelectionControl::Refresh() {
    if (state_.m_lVisualEffectStyle == 0) {
        DrawStandard();
        return S_OK;
    }
    // The effects look may need more room than the drawing area: the
    // offsets are added, and Resize must not recompute the area meanwhile.
    state_.m_bSizing = true;
    const LONG width = (state_.m_lControlWidth + state_.m_lXOffset) * state_.m_iTwipsPerPixelX;
    const LONG height = (state_.m_lControlHeight + state_.m_lYOffset) * state_.m_iTwipsPerPixelY;
    HRESULT hr = S_OK;
    if (scaleWidthTwips() != width || scaleHeightTwips() != height) {
        hr = setSizeTwips(width, height);
    }
    state_.m_bSizing = false;
    PKW_RETURN_IF_FAILED(hr);
    DrawEffects();
    return S_OK;
}

STDMETHODIMP SelectionControl::Redraw() {
    return Refresh();
}

STDMETHODIMP SelectionControl::BeginUpdate() {
    state_.m_bRedraw = false;
    return S_OK;
}

STDMETHODIMP SelectionControl::EndUpdate() {
    state_.m_bRedraw = true;
    return Refresh();
}

STDMETHODIMP SelectionControl::ApplyCustomSkin() {
    // A QuerySkin handler may release the control: it lives until this call
    // is done with it.
    ComPtr<IUnknown> keep(identity());
    LoadCustomSkin();
    if (state_.m_bRedraw) return Refresh();
    return S_OK;
}

STDMETHODIMP SelectionControl::ApplyDefaultSkin() {
    LoadDefaultSkin();
    if (state_.m_bRedraw) return Refresh();
    return S_OK;
}

} // namespace pkw::selection
