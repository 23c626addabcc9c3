// Property procedures and methods of _NuCheckBox40.
//
// A setter stores first, then draws or refreshes as the property needs,
// then tells the container the persisted property's name. Errors of the
// window or font objects are returned, except where a property says it
// ignores them (Value, Enabled, the effect-set part of Font).
#include "checkbox/nu_checkbox40.h"

#include "checkbox/checkbox_events.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/text/unicode_text.h"

#include <climits>

namespace pkw::checkbox {
namespace {

constexpr wchar_t kUnicodeText[] = L"(Unicode Text)";

std::wstring FromBstr(BSTR s) {
    return std::wstring(s ? s : L"", s ? ::SysStringLen(s) : 0);
}

HRESULT ToBstr(const std::wstring& text, BSTR* out) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, out);
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

VARIANT_BOOL ToVb(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

template <typename T, typename U>
HRESULT Give(T* out, U value) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, out);
    *out = static_cast<T>(value);
    return S_OK;
}

template <typename I>
HRESULT GiveObject(I** out, const ComPtr<I>& object) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, out);
    *out = object.Get();
    if (*out) (*out)->AddRef();
    return S_OK;
}

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

// The object an element of an effect-set array holds: arrays of objects
// come from compiled callers, arrays of Variants from scripts.
HRESULT ElementObject(SAFEARRAY* array, VARTYPE type, LONG index, ComPtr<IUnknown>& object) {
    if (type != VT_VARIANT)
        return ::SafeArrayGetElement(array, &index, object.ReleaseAndGetAddressOf());
    Variant element;
    PKW_RETURN_IF_FAILED(::SafeArrayGetElement(array, &index, &element));
    const VARIANT* v = &element;
    if (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal) v = v->pvarVal;
    if (v->vt != VT_DISPATCH && v->vt != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
    object = v->punkVal;
    return S_OK;
}

// Reads an array of effect sets from a VARIANT. Anything else, or any
// element that is not an effect set, is a type mismatch.
HRESULT VariantToArray(const VARIANT& in, EffectSetArray& out) {
    const VARIANT* v = &in;
    while (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    const VARTYPE type = v->vt & VT_TYPEMASK;
    if (!(v->vt & VT_ARRAY) || (type != VT_DISPATCH && type != VT_UNKNOWN && type != VT_VARIANT))
        return DISP_E_TYPEMISMATCH;
    SAFEARRAY* array = (v->vt & VT_BYREF) ? (v->pparray ? *v->pparray : nullptr) : v->parray;
    EffectSetArray result;
    if (array) {
        if (::SafeArrayGetDim(array) != 1) return DISP_E_TYPEMISMATCH;
        LONG lower = 0, upper = -1;
        PKW_RETURN_IF_FAILED(::SafeArrayGetLBound(array, 1, &lower));
        PKW_RETURN_IF_FAILED(::SafeArrayGetUBound(array, 1, &upper));
        result.lowerBound = lower;
        for (LONG i = lower; i <= upper; ++i) {
            ComPtr<IUnknown> object;
            ComPtr<IEffectSet> set;
            ComPtr<IDispatch> item;
            PKW_RETURN_IF_FAILED(ElementObject(array, type, i, object));
            if (!object || FAILED(object.As(&set)) || FAILED(set.As(&item)))
                return DISP_E_TYPEMISMATCH;
            result.items.push_back(std::move(item));
        }
    }
    out = std::move(result);
    return S_OK;
}

} // namespace

// --- Helpers shared by several procedures -----------------------------------

bool NuCheckBox40::KeepsWideText(const std::wstring& current) const {
    return !ambientUserMode() &&
           text::ContainsWideChars(
               {reinterpret_cast<const char16_t*>(current.data()), current.size()});
}

HRESULT NuCheckBox40::RaiseClick() {
    return fireEvent(event::kClick);
}

HRESULT NuCheckBox40::SetPicture(ComPtr<IPictureDisp>& member, IPictureDisp* picture,
                                 const wchar_t* name) {
    member = picture;
    DrawControl();
    propertyChanged(name);
    return S_OK;
}

HRESULT NuCheckBox40::SetEffectSetArray(EffectSetArray& member, const VARIANT& sets) {
    EffectSetArray replacement;
    PKW_RETURN_IF_FAILED(VariantToArray(sets, replacement));
    member = std::move(replacement);
    // The effect sets' owner learns of them under "Enabled"; the caller
    // refreshes when it wants the new look.
    propertyChanged(L"Enabled");
    return S_OK;
}

// --- Properties ---------------------------------------------------------------

STDMETHODIMP NuCheckBox40::get_Alignment(NuAlignmentConstants* iAlignment) {
    return Give(iAlignment, state_.m_lAlignment);
}

STDMETHODIMP NuCheckBox40::put_Alignment(NuAlignmentConstants iAlignment) {
    state_.m_lAlignment = iAlignment;
    PKW_RETURN_IF_FAILED(Refresh());
    propertyChanged(L"Alignment");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_BackColor(OLE_COLOR* oColor) {
    return Give(oColor, backColor());
}

STDMETHODIMP NuCheckBox40::put_BackColor(OLE_COLOR oColor) {
    state_.m_oBackColor = oColor;
    setBackColor(oColor);
    DrawControl();
    propertyChanged(L"BackColor");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_BackStyle(NuBackStyleConstants* iStyle) {
    return Give(iStyle, state_.m_lBackStyle);
}

STDMETHODIMP NuCheckBox40::put_BackStyle(NuBackStyleConstants iStyle) {
    state_.m_lBackStyle = iStyle;
    if (NeedsParentBackground()) CaptureParentBackground(true);
    DrawControl();
    propertyChanged(L"BackStyle");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_Caption(BSTR* sCaption) {
    return ToBstr(KeepsWideText(state_.m_sCaption) ? kUnicodeText : state_.m_sCaption, sCaption);
}

STDMETHODIMP NuCheckBox40::put_Caption(BSTR sCaption) {
    // At design time a wide caption is edited through UniCaption only: a
    // plain assignment (such as the browser writing back "(Unicode Text)")
    // must not overwrite it.
    if (!KeepsWideText(state_.m_sCaption)) state_.m_sCaption = FromBstr(sCaption);
    PKW_RETURN_IF_FAILED(Refresh());
    propertyChanged(L"Caption");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_UniCaption(BSTR* sCaption) {
    return ToBstr(state_.m_sCaption, sCaption);
}

STDMETHODIMP NuCheckBox40::put_UniCaption(BSTR sCaption) {
    state_.m_sCaption = FromBstr(sCaption);
    PKW_RETURN_IF_FAILED(Refresh());
    propertyChanged(L"Caption");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_DrawFocusRectangle(VARIANT_BOOL* bDraw) {
    return Give(bDraw, ToVb(state_.m_bDrawFocusRectangle));
}

STDMETHODIMP NuCheckBox40::put_DrawFocusRectangle(VARIANT_BOOL bDraw) {
    state_.m_bDrawFocusRectangle = bDraw != VARIANT_FALSE;
    PKW_RETURN_IF_FAILED(Refresh());
    propertyChanged(L"DrawFocusRectangle");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_DisabledForeColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oDisabledForeColor);
}

STDMETHODIMP NuCheckBox40::put_DisabledForeColor(OLE_COLOR oColor) {
    state_.m_oDisabledForeColor = oColor;
    DrawControl();
    propertyChanged(L"DisabledForeColor");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_EffectsProps(VARIANT* oSets) {
    return ArrayToVariant(state_.m_EffectsProps, oSets);
}

STDMETHODIMP NuCheckBox40::put_EffectsProps(VARIANT oSets) {
    return SetEffectSetArray(state_.m_EffectsProps, oSets);
}

STDMETHODIMP NuCheckBox40::get_Enabled(VARIANT_BOOL* bEnabled) {
    return Give(bEnabled, ToVb(state_.m_bEnabled));
}

STDMETHODIMP NuCheckBox40::put_Enabled(VARIANT_BOOL bEnabled) {
    // Each step may fail on its own; the container hears of the change anyway.
    state_.m_bEnabled = bEnabled != VARIANT_FALSE;
    setEnabled(state_.m_bEnabled);
    ignore(Refresh());
    propertyChanged(L"Enabled");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_Font(IFontDisp** oFont) {
    return GiveObject(oFont, font());
}

STDMETHODIMP NuCheckBox40::put_Font(IFontDisp* oFont) {
    return SetFont(oFont);
}

STDMETHODIMP NuCheckBox40::putref_Font(IFontDisp* oFont) {
    return SetFont(oFont);
}

HRESULT NuCheckBox40::SetFont(IFontDisp* oFont) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, oFont);
    ComPtr<IFont> source;
    PKW_RETURN_IF_FAILED(oFont->QueryInterface(IID_PPV_ARGS(&source)));
    if (!state_.m_Font) SetFontObject(font());
    PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, state_.m_Font);
    ComPtr<IFont> target;
    PKW_RETURN_IF_FAILED(state_.m_Font.As(&target));

    // Each assignment makes m_Font report a change (m_Font_FontChanged).
    Bstr name;
    PKW_RETURN_IF_FAILED(source->get_Name(name.put()));
    PKW_RETURN_IF_FAILED(target->put_Name(name.get()));
    CY size{};
    PKW_RETURN_IF_FAILED(source->get_Size(&size));
    PKW_RETURN_IF_FAILED(target->put_Size(size));
    BOOL flag = FALSE;
    PKW_RETURN_IF_FAILED(source->get_Bold(&flag));
    PKW_RETURN_IF_FAILED(target->put_Bold(flag));
    PKW_RETURN_IF_FAILED(source->get_Italic(&flag));
    PKW_RETURN_IF_FAILED(target->put_Italic(flag));
    PKW_RETURN_IF_FAILED(source->get_Underline(&flag));
    PKW_RETURN_IF_FAILED(target->put_Underline(flag));
    PKW_RETURN_IF_FAILED(source->get_Strikethrough(&flag));
    PKW_RETURN_IF_FAILED(target->put_Strikethrough(flag));

    if (HasEffectSets()) CopyFontToEffectSets();
    propertyChanged(L"Font");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_ForeColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oForeColor);
}

STDMETHODIMP NuCheckBox40::put_ForeColor(OLE_COLOR oColor) {
    state_.m_oForeColor = oColor;
    setForeColor(oColor);
    DrawControl();
    propertyChanged(L"ForeColor");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_hdc(LONG* lHdc) {
    return Give(lHdc, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hdc())));
}

STDMETHODIMP NuCheckBox40::get_hWnd(LONG* lHwnd) {
    return Give(lHwnd, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd())));
}

STDMETHODIMP NuCheckBox40::get_MouseIcon(IPictureDisp** oIcon) {
    return GiveObject(oIcon, mouseIcon());
}

STDMETHODIMP NuCheckBox40::putref_MouseIcon(IPictureDisp* oIcon) {
    PKW_RETURN_IF_FAILED(setMouseIcon(oIcon));
    propertyChanged(L"MouseIcon");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_MousePointer(NuMousePointerConstants* iPointer) {
    return Give(iPointer, mousePointer());
}

STDMETHODIMP NuCheckBox40::put_MousePointer(NuMousePointerConstants iPointer) {
    PKW_RETURN_IF_FAILED(setMousePointer(static_cast<short>(iPointer)));
    propertyChanged(L"MousePointer");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_Picture(IPictureDisp** oPicture) {
    return GiveObject(oPicture, state_.m_Picture);
}

STDMETHODIMP NuCheckBox40::put_Picture(IPictureDisp* oPicture) {
    return SetPicture(state_.m_Picture, oPicture, L"Picture");
}

STDMETHODIMP NuCheckBox40::putref_Picture(IPictureDisp* oPicture) {
    return SetPicture(state_.m_Picture, oPicture, L"Picture");
}

STDMETHODIMP NuCheckBox40::get_PictureDisabled(IPictureDisp** oPicture) {
    return GiveObject(oPicture, state_.m_PictureDisabled);
}

STDMETHODIMP NuCheckBox40::put_PictureDisabled(IPictureDisp* oPicture) {
    return SetPicture(state_.m_PictureDisabled, oPicture, L"PictureDisabled");
}

STDMETHODIMP NuCheckBox40::putref_PictureDisabled(IPictureDisp* oPicture) {
    return SetPicture(state_.m_PictureDisabled, oPicture, L"PictureDisabled");
}

STDMETHODIMP NuCheckBox40::get_TipEffectsProps(VARIANT* oSets) {
    return ArrayToVariant(state_.m_TipEffectsProps, oSets);
}

STDMETHODIMP NuCheckBox40::put_TipEffectsProps(VARIANT oSets) {
    return SetEffectSetArray(state_.m_TipEffectsProps, oSets);
}

STDMETHODIMP NuCheckBox40::get_TipAnimateSteps(short* iSteps) {
    return Give(iSteps, state_.m_iTipAnimateSteps);
}

STDMETHODIMP NuCheckBox40::put_TipAnimateSteps(short* iSteps) {
    return StoreAndNotifyFrom(state_.m_iTipAnimateSteps, iSteps, L"TipAnimateSteps");
}

STDMETHODIMP NuCheckBox40::get_TipPreTimer(float* sngSeconds) {
    return Give(sngSeconds, state_.m_sngTipPreTimer);
}

STDMETHODIMP NuCheckBox40::put_TipPreTimer(float* sngSeconds) {
    return StoreAndNotifyFrom(state_.m_sngTipPreTimer, sngSeconds, L"TipPreTimer");
}

STDMETHODIMP NuCheckBox40::get_TipPostTimer(float* sngSeconds) {
    return Give(sngSeconds, state_.m_sngTipPostTimer);
}

STDMETHODIMP NuCheckBox40::put_TipPostTimer(float* sngSeconds) {
    return StoreAndNotifyFrom(state_.m_sngTipPostTimer, sngSeconds, L"TipPostTimer");
}

STDMETHODIMP NuCheckBox40::get_TipShowMethod(NuTipShowMethodConstants* iMethod) {
    return Give(iMethod, state_.m_lTipShowMethod);
}

STDMETHODIMP NuCheckBox40::put_TipShowMethod(NuTipShowMethodConstants* iMethod) {
    return StoreAndNotifyFrom(state_.m_lTipShowMethod, iMethod, L"TipShowMethod");
}

STDMETHODIMP NuCheckBox40::get_TipHideMethod(NuTipHideMethodConstants* iMethod) {
    return Give(iMethod, state_.m_lTipHideMethod);
}

STDMETHODIMP NuCheckBox40::put_TipHideMethod(NuTipHideMethodConstants* iMethod) {
    return StoreAndNotifyFrom(state_.m_lTipHideMethod, iMethod, L"TipHideMethod");
}

STDMETHODIMP NuCheckBox40::get_UniToolTipText(BSTR* sText) {
    return ToBstr(state_.m_sNuToolTipText, sText);
}

STDMETHODIMP NuCheckBox40::put_UniToolTipText(BSTR sText) {
    state_.m_sNuToolTipText = FromBstr(sText);
    propertyChanged(L"NuToolTipText");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_NuToolTipText(BSTR* sText) {
    return ToBstr(KeepsWideText(state_.m_sNuToolTipText) ? kUnicodeText : state_.m_sNuToolTipText,
                  sText);
}

STDMETHODIMP NuCheckBox40::put_NuToolTipText(BSTR* sText) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, sText);
    if (!KeepsWideText(state_.m_sNuToolTipText)) state_.m_sNuToolTipText = FromBstr(*sText);
    propertyChanged(L"NuToolTipText");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_Value(NuCheckBoxValueConstants* iValue) {
    return Give(iValue, static_cast<LONG>(state_.m_iValue));
}

STDMETHODIMP NuCheckBox40::put_Value(NuCheckBoxValueConstants iValue) {
    // A Click handler may release the control; finish this call first.
    ComPtr<IUnknown> keepAlive(identity());
    const SHORT oldTruth = state_.m_iValue != 0 ? -1 : 0;
    // A value beyond 16 bits cannot be stored: that step is skipped.
    if (iValue >= SHRT_MIN && iValue <= SHRT_MAX) state_.m_iValue = static_cast<SHORT>(iValue);
    DrawControl();
    if (state_.m_bValueSetClick && state_.m_iValue != oldTruth) ignore(RaiseClick());
    if (!isTerminating()) propertyChanged(L"Value");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_ValueSetClick(VARIANT_BOOL* bClick) {
    return Give(bClick, ToVb(state_.m_bValueSetClick));
}

STDMETHODIMP NuCheckBox40::put_ValueSetClick(VARIANT_BOOL bClick) {
    return StoreAndNotify(state_.m_bValueSetClick, bClick != VARIANT_FALSE, L"ValueSetClick");
}

STDMETHODIMP NuCheckBox40::get_VisualEffectStyle(NuVisualEffectStyleConstants* iStyle) {
    return Give(iStyle, state_.m_lVisualEffectStyle);
}

STDMETHODIMP NuCheckBox40::put_VisualEffectStyle(NuVisualEffectStyleConstants iStyle) {
    state_.m_lVisualEffectStyle = iStyle;
    PKW_RETURN_IF_FAILED(CreateEffectSets());
    if (iStyle == 0) state_.m_EffectsCanvas.Reset();
    if (state_.m_bRedraw) PKW_RETURN_IF_FAILED(Refresh());
    propertyChanged(L"VisualEffectStyle");
    return S_OK;
}

STDMETHODIMP NuCheckBox40::get_ControlWidth(LONG* lWidth) {
    return Give(lWidth, state_.m_lControlWidth);
}

STDMETHODIMP NuCheckBox40::put_ControlWidth(LONG lWidth) {
    return StoreAndNotify(state_.m_lControlWidth, lWidth, L"ControlWidth");
}

STDMETHODIMP NuCheckBox40::get_ControlHeight(LONG* lHeight) {
    return Give(lHeight, state_.m_lControlHeight);
}

STDMETHODIMP NuCheckBox40::put_ControlHeight(LONG lHeight) {
    return StoreAndNotify(state_.m_lControlHeight, lHeight, L"ControlHeight");
}

STDMETHODIMP NuCheckBox40::get_XOffset(LONG* lOffset) {
    return Give(lOffset, state_.m_lXOffset);
}

STDMETHODIMP NuCheckBox40::put_XOffset(LONG lOffset) {
    return StoreAndNotify(state_.m_lXOffset, lOffset, L"XOffset");
}

STDMETHODIMP NuCheckBox40::get_YOffset(LONG* lOffset) {
    return Give(lOffset, state_.m_lYOffset);
}

STDMETHODIMP NuCheckBox40::put_YOffset(LONG lOffset) {
    return StoreAndNotify(state_.m_lYOffset, lOffset, L"YOffset");
}

// --- Methods ------------------------------------------------------------------

STDMETHODIMP NuCheckBox40::About() {
    // A plain box until the about page exists; modal and without owner.
    ::MessageBoxW(nullptr, L"NuCheckBox40\nPickwell 4.0 selection controls", L"About NuCheckBox40",
                  MB_OK | MB_ICONINFORMATION);
    return S_OK;
}

STDMETHODIMP NuCheckBox40::Refresh() {
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

STDMETHODIMP NuCheckBox40::Redraw() {
    return Refresh();
}

STDMETHODIMP NuCheckBox40::BeginUpdate() {
    state_.m_bRedraw = false;
    return S_OK;
}

STDMETHODIMP NuCheckBox40::EndUpdate() {
    state_.m_bRedraw = true;
    return Refresh();
}

STDMETHODIMP NuCheckBox40::ApplyCustomSkin() {
    // A QuerySkin handler may release the control: it lives until this call
    // is done with it.
    ComPtr<IUnknown> keep(identity());
    LoadCustomSkin();
    if (state_.m_bRedraw) return Refresh();
    return S_OK;
}

STDMETHODIMP NuCheckBox40::ApplyDefaultSkin() {
    LoadDefaultSkin();
    if (state_.m_bRedraw) return Refresh();
    return S_OK;
}

} // namespace pkw::checkbox
