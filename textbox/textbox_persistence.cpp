// The text box reads its settings from the container's bag, in this order,
// and writes none back: the page that places it owns what it shows.
#include "textbox/nu_mtext40.h"

#include "activex/variant_ops.h"
#include "textbox/ipao_hook.h"
#include "textbox/unicode_conversion.h"

namespace pkw::textbox {
namespace {

bool asBool(const VARIANT& v) noexcept {
    return v.boolVal != VARIANT_FALSE;
}

// The stored value as `vt`; false when it cannot be one (the setting then
// keeps its default).
bool typed(const VARIANT& stored, VARTYPE vt, Variant& out) {
    return SUCCEEDED(ax::changeType(&out, stored, vt));
}

} // namespace

HRESULT NuMText40::onReadProperties(ax::PropertyBag& bag) {
    state_.m_hWndCtl = hwnd();
    ignore(hook::InstallIPAOHook(static_cast<_IPAO*>(this), state_.m_hWndCtl));

    using Store = void (*)(NuMText40&, const VARIANT&);
    struct Setting {
        const wchar_t* name;
        VARTYPE vt; // VT_EMPTY: taken as stored (objects, the text's bytes)
        Store store;
    };
    // Read in this order; a missing or ill-typed value leaves the default
    // that TextBoxState holds.
    static const Setting kSettings[] = {
        {L"CodePage", VT_I4, [](NuMText40& t, const VARIANT& v) { t.state_.m_lCodePage = v.lVal; }},
        {L"Alignment", VT_I4,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_lAlignment = v.lVal; }},
        {L"AutoHighLight", VT_BOOL,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_bAutoHighLight = asBool(v); }},
        {L"BackColor", VT_I4,
         [](NuMText40& t, const VARIANT& v) {
             t.state_.m_oBackColor = static_cast<OLE_COLOR>(v.lVal);
         }},
        {L"DisableContextMenu", VT_BOOL,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_bDisableContextMenu = asBool(v); }},
        {L"DisableColumnChangeEvent", VT_BOOL,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_bDisableColumnChangeEvent = asBool(v); }},
        {L"Font", VT_EMPTY,
         [](NuMText40& t, const VARIANT& v) {
             ComPtr<IFontDisp> font;
             if ((v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) && v.punkVal &&
                 SUCCEEDED(v.punkVal->QueryInterface(IID_PPV_ARGS(&font))))
                 ignore(t.setFont(font.Get()));
         }},
        {L"ForeColor", VT_I4,
         [](NuMText40& t, const VARIANT& v) {
             t.state_.m_oForeColor = static_cast<OLE_COLOR>(v.lVal);
         }},
        {L"HideSelection", VT_BOOL,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_bHideSelection = asBool(v); }},
        {L"IgnoreChangeEvent", VT_BOOL,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_bIgnoreChangeEvent = asBool(v); }},
        {L"Locked", VT_BOOL,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_bLocked = asBool(v); }},
        {L"MaxLength", VT_I2,
         [](NuMText40& t, const VARIANT& v) {
             t.state_.m_lMaxLength = static_cast<LONG>(static_cast<unsigned short>(v.iVal));
         }},
        {L"PasswordChar", VT_BSTR,
         [](NuMText40& t, const VARIANT& v) {
             t.state_.m_sPasswordChar.assign(v.bstrVal ? v.bstrVal : L"",
                                             v.bstrVal ? ::SysStringLen(v.bstrVal) : 0);
         }},
        {L"Text", VT_EMPTY,
         [](NuMText40& t, const VARIANT& v) {
             std::wstring text;
             if (SUCCEEDED(textbox::VarToUni(v, text))) t.state_.m_sText = std::move(text);
         }},
        {L"MousePointer", VT_I2,
         [](NuMText40& t, const VARIANT& v) { ignore(t.setMousePointer(v.iVal)); }},
        {L"MouseIcon", VT_EMPTY,
         [](NuMText40& t, const VARIANT& v) {
             ComPtr<IPictureDisp> icon;
             if ((v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) && v.punkVal &&
                 SUCCEEDED(v.punkVal->QueryInterface(IID_PPV_ARGS(&icon))))
                 ignore(t.setMouseIcon(icon.Get()));
         }},
        {L"TrapTab", VT_BOOL,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_bTrapTab = asBool(v); }},
        // Kept by older pages; it never had an effect.
        {L"ShowMenu", VT_BOOL, [](NuMText40&, const VARIANT&) {}},
        {L"MarginLeft", VT_I2,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_iMarginLeft = v.iVal; }},
        {L"MarginRight", VT_I2,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_iMarginRight = v.iVal; }},
        {L"BorderColor", VT_I4,
         [](NuMText40& t, const VARIANT& v) {
             t.state_.m_oBorderColor = static_cast<OLE_COLOR>(v.lVal);
         }},
        {L"Enabled", VT_BOOL,
         [](NuMText40& t, const VARIANT& v) { t.state_.m_bEnabled = asBool(v); }},
    };

    ignore(setFont(DefaultFont().Get()));
    for (const Setting& s : kSettings) {
        try {
            Variant stored;
            if (bag.read(s.name, Variant(), stored) != S_OK) continue;
            if (s.vt == VT_EMPTY) {
                s.store(*this, stored);
                continue;
            }
            Variant value;
            if (typed(stored, s.vt, value)) s.store(*this, value);
        } catch (...) {
            // A setting that cannot be read keeps its default.
        }
    }
    state_.m_sTabString = L"    ";
    state_.m_sLastText = state_.m_sText;
    FinishLoading();
    return S_OK;
}

HRESULT NuMText40::onWriteProperties(ax::PropertyBag&) {
    return S_OK;
}

} // namespace pkw::textbox
