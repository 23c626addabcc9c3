#include "pages/effects_editor.h"

#include "siblings/api/loader.h"

#include "zelPropPage40.h"

namespace pkw::pages {

HRESULT CreateEffectsEditor(Microsoft::WRL::ComPtr<IDispatch>& editor) noexcept {
    editor.Reset();
    CLSID clsid{};
    if (SUCCEEDED(::CLSIDFromProgID(kEffectsEditorProgId, &clsid)))
        return ::CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_PPV_ARGS(&editor));
    return sib::CreateSiblingObject(L"zelPropPage40.dll", CLSID_clsPropPage, IID_PPV_ARGS(&editor));
}

} // namespace pkw::pages
