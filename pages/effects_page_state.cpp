#include "pages/effects_page_state.h"

#include "common/com/hresult.h"
#include "common/com/late_bound.h"
#include "common/com/object_array.h"

#include <ocidl.h>
#include <wrl/client.h>

#include <array>
#include <string>

namespace pkw::pages {
namespace {

using Microsoft::WRL::ComPtr;

template <typename T>
void ReadInto(IDispatch* control, const wchar_t* name, VARTYPE type, T& out) {
    Variant value;
    if (FAILED(com::GetPropertyAs(control, name, type, value))) return;
    if constexpr (std::is_same_v<T, LONG>) out = value.lVal;
    if constexpr (std::is_same_v<T, SHORT>) out = value.iVal;
}

// The class name as a form runtime's TypeName() gives it: the coclass, or
// the dispatch interface's name without its leading underscore.
std::wstring TypeName(IDispatch* control) {
    ComPtr<IProvideClassInfo> provider;
    ComPtr<ITypeInfo> info;
    Bstr name;
    if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&provider))) &&
        SUCCEEDED(provider->GetClassInfo(&info)) && info &&
        SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)))
        return name.str();
    if (FAILED(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) || !info ||
        FAILED(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)))
        return {};
    std::wstring text = name.str();
    if (!text.empty() && text.front() == L'_') text.erase(0, 1);
    return text;
}

// A variant argument by reference.
VARIANT ByRef(VARTYPE type, void* value) {
    VARIANT arg;
    ::VariantInit(&arg);
    arg.vt = static_cast<VARTYPE>(VT_BYREF | type);
    arg.byref = value;
    return arg;
}

// The editor's answer: True (-1) means the caller keeps nothing.
bool KeepNothing(HRESULT hr, const VARIANT& result) {
    if (FAILED(hr)) return true;
    Variant number;
    return SUCCEEDED(::VariantChangeType(&number, const_cast<VARIANT*>(&result), 0, VT_I4)) &&
           number.lVal == -1;
}

HRESULT CallEditor(IDispatch* editor, const wchar_t* method, std::span<VARIANT> reversedArgs,
                   Variant& result) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, editor);
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(method)};
    PKW_RETURN_IF_FAILED(editor->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    DISPPARAMS params{reversedArgs.data(), nullptr, static_cast<UINT>(reversedArgs.size()), 0};
    return editor->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.put(),
                          nullptr, nullptr);
}

// The font of the first state set, or null.
ComPtr<IDispatch> FirstSetFont(const VARIANT& sets) {
    com::ObjectArray array;
    ComPtr<IDispatch> set;
    if (FAILED(com::ReadObjectArray(sets, array)) || array.objects.empty() || !array.objects[0] ||
        FAILED(array.objects[0].As(&set)))
        return nullptr;
    Variant font;
    if (FAILED(com::GetPropertyAs(set.Get(), L"Font", VT_DISPATCH, font)) || !font.pdispVal)
        return nullptr;
    return font.pdispVal;
}

// Calls the editor with the page's values; when it answers that nothing is
// to be kept, `edited` goes back to the copy saved before the call.
bool Edit(EffectsPageState& state, IDispatch* editor, const wchar_t* method,
          std::span<VARIANT> reversedArgs, Variant& edited, const Variant& saved) {
    Variant result;
    if (KeepNothing(CallEditor(editor, method, reversedArgs, result), result)) {
        edited = saved;
        return false;
    }
    state.dirty = true;
    return true;
}

} // namespace

void ReadFirstControl(EffectsPageState& state, IDispatch* control) {
    if (!control) return;
    Variant style;
    if (SUCCEEDED(com::GetPropertyAs(control, L"VisualEffectStyle", VT_I4, style)) &&
        style.lVal == 0)
        state.effectsEnabled = false;
    Variant caption;
    if (SUCCEEDED(com::GetPropertyAs(control, L"UniCaption", VT_BSTR, caption)))
        state.caption = Bstr(
            caption.bstrVal ? std::wstring_view(caption.bstrVal, ::SysStringLen(caption.bstrVal))
                            : std::wstring_view());
    if (TypeName(control) == L"NuOption40") state.controlType = 1;
    ReadInto(control, L"ControlWidth", VT_I4, state.controlWidth);
    ReadInto(control, L"ControlHeight", VT_I4, state.controlHeight);
    ReadInto(control, L"XOffset", VT_I4, state.xOffset);
    ReadInto(control, L"YOffset", VT_I4, state.yOffset);
    Variant sets;
    if (SUCCEEDED(com::GetProperty(control, L"EffectsProps", sets))) state.effectsProps = sets;
    if (SUCCEEDED(com::GetProperty(control, L"TipEffectsProps", sets)))
        state.tipEffectsProps = sets;
}

bool EditControlEffects(EffectsPageState& state, IDispatch* editor) {
    state.lastEditedControl = true;
    state.savedEffectsProps = state.effectsProps;
    // Invoke takes its arguments last to first.
    std::array<VARIANT, 7> args{
        ByRef(VT_I4, &state.yOffset),          ByRef(VT_I4, &state.xOffset),
        ByRef(VT_I4, &state.controlHeight),    ByRef(VT_I4, &state.controlWidth),
        ByRef(VT_I2, &state.controlType),      ByRef(VT_BSTR, state.caption.inOut()),
        ByRef(VT_VARIANT, &state.effectsProps)};
    return Edit(state, editor, L"InitSelectProps", args, state.effectsProps,
                state.savedEffectsProps);
}

bool EditTipEffects(EffectsPageState& state, IDispatch* editor) {
    state.lastEditedControl = false;
    state.savedTipEffectsProps = state.tipEffectsProps;
    std::array<VARIANT, 1> args{ByRef(VT_VARIANT, &state.tipEffectsProps)};
    return Edit(state, editor, L"InitTipProps", args, state.tipEffectsProps,
                state.savedTipEffectsProps);
}

void ApplyToControls(const EffectsPageState& state, std::span<IDispatch* const> controls) {
    const ComPtr<IDispatch> font = FirstSetFont(state.effectsProps);
    for (IDispatch* control : controls) {
        if (!control) continue;
        ignore(com::PutProperty(control, L"ControlWidth", Variant::fromI4(state.controlWidth)));
        ignore(com::PutProperty(control, L"ControlHeight", Variant::fromI4(state.controlHeight)));
        ignore(com::PutProperty(control, L"XOffset", Variant::fromI4(state.xOffset)));
        ignore(com::PutProperty(control, L"YOffset", Variant::fromI4(state.yOffset)));
        Variant caption;
        caption.vt = VT_BSTR;
        caption.bstrVal = state.caption.copy();
        ignore(com::PutProperty(control, L"UniCaption", caption));
        if (font) ignore(com::PutProperty(control, L"Font", Variant::fromDispatch(font.Get())));
        ignore(com::PutProperty(control, L"TipEffectsProps", state.tipEffectsProps));
        DISPID refresh = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(L"Refresh")};
        DISPPARAMS none{};
        if (SUCCEEDED(control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &refresh)))
            ignore(control->Invoke(refresh, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                   nullptr, nullptr, nullptr));
    }
}

} // namespace pkw::pages
