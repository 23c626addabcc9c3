// The special-effects editor that the Effects page hands its sets to: a
// new object for each click, found by its ProgID.
#pragma once

#include <oaidl.h>
#include <wrl/client.h>

namespace pkw::pages {

inline constexpr wchar_t kEffectsEditorProgId[] = L"zelPropPage40.clsPropPage";

// The registered class of the ProgID; when the ProgID is not registered,
// the editor DLL that sits beside the library (the library reaches its
// other siblings that way too).
HRESULT CreateEffectsEditor(Microsoft::WRL::ComPtr<IDispatch>& editor) noexcept;

} // namespace pkw::pages
