#include "siblings/proppage/prop_page.h"

#include "common/com/object_array.h"
#include "common/com/variant.h"
#include "siblings/proppage/editor_dialog.h"
#include "siblings/proppage/working_copy.h"

#include <array>
#include <string>

namespace pkw::proppage {
namespace {

using Microsoft::WRL::ComPtr;

// A control's sets are indexed by its visual state.
constexpr std::array<const wchar_t*, 4> kStateNames{L"Normal", L"Hot", L"Pressed", L"Disabled"};

// A sheet for every element that is an object with type information.
// Anything else in the array (or no array at all) simply shows no sheet:
// the caller's data never stops the editor.
void AddSets(WorkingCopy& copy, const VARIANT* sets, bool stateNames) {
    com::ObjectArray array;
    if (!sets || FAILED(com::ReadObjectArray(*sets, array))) return;
    for (std::size_t i = 0; i < array.objects.size(); ++i) {
        ComPtr<IDispatch> set;
        if (!array.objects[i] || FAILED(array.objects[i].As(&set))) continue;
        std::wstring title = stateNames && i < kStateNames.size() ? kStateNames[i]
                             : stateNames                         ? L"Set " + std::to_wstring(i)
                                                                  : std::wstring(L"Tip");
        copy.addSet(std::move(title), set.Get());
    }
}

const com::ValueType kText{VT_BSTR, com::ValueType::Kind::Plain, nullptr};
const com::ValueType kLong{VT_I4, com::ValueType::Kind::Plain, nullptr};

// True: the caller keeps nothing (cancelled, or OK without a change).
HRESULT Answer(VARIANT* cancelled, bool keepNothing) {
    ::VariantInit(cancelled);
    cancelled->vt = VT_BOOL;
    cancelled->boolVal = keepNothing ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

} // namespace

STDMETHODIMP PropPage::InitSelectProps(VARIANT* effectsProps, BSTR* caption, SHORT* controlType,
                                       LONG* width, LONG* height, LONG* xOffset, LONG* yOffset,
                                       VARIANT* cancelled) noexcept {
    if (!cancelled || !caption || !controlType || !width || !height || !xOffset || !yOffset)
        return E_POINTER;
    try {
        WorkingCopy copy;
        AddSets(copy, effectsProps, true);
        const std::size_t control = copy.addSheet(L"Control");
        Variant text = Variant::fromString(*caption ? *caption : L"");
        copy.addValue(control, L"Caption", kText, text);
        LONG* const numbers[] = {width, height, xOffset, yOffset};
        const wchar_t* const names[] = {L"ControlWidth", L"ControlHeight", L"XOffset", L"YOffset"};
        for (std::size_t i = 0; i < std::size(numbers); ++i)
            copy.addValue(control, names[i], kLong, Variant::fromI4(*numbers[i]));

        const wchar_t* title =
            *controlType == 1 ? L"Special Effects: Option Button" : L"Special Effects: Check Box";
        if (!RunEditor(::GetActiveWindow(), title, copy) || !copy.changed())
            return Answer(cancelled, true);
        copy.commit();
        const auto& rows = copy.sheets()[control].rows;
        if (rows[0].changed() && rows[0].value.vt == VT_BSTR) {
            BSTR fresh =
                ::SysAllocStringLen(rows[0].value.bstrVal, ::SysStringLen(rows[0].value.bstrVal));
            if (!fresh) return E_OUTOFMEMORY;
            ::SysFreeString(*caption);
            *caption = fresh;
        }
        for (std::size_t i = 0; i < std::size(numbers); ++i)
            if (rows[i + 1].value.vt == VT_I4) *numbers[i] = rows[i + 1].value.lVal;
        return Answer(cancelled, false);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP PropPage::InitTipProps(VARIANT* tipEffectsProps, VARIANT* cancelled) noexcept {
    if (!cancelled) return E_POINTER;
    try {
        WorkingCopy copy;
        AddSets(copy, tipEffectsProps, false);
        if (!RunEditor(::GetActiveWindow(), L"Tip Special Effects", copy) || !copy.changed())
            return Answer(cancelled, true);
        copy.commit();
        return Answer(cancelled, false);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::proppage
