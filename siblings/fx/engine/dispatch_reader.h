// Settings read by name from any automation object (an effect set, or
// whatever else answers the same names). A setting that is missing, fails
// or does not convert reads as the default given: a half-filled object
// never stops a drawing.
#pragma once

#include "common/com/variant.h"
#include "siblings/fx/kernels/pixel.h"

#include <oaidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <optional>
#include <string>
#include <utility>

namespace pkw::fx {

class DispatchReader {
public:
    // Names given to the readers below have every '%' replaced by prefix
    // ("Text", "Header": "%Blur" reads TextBlur or HeaderBlur).
    DispatchReader(IDispatch* source, std::wstring prefix);

    LONG Int(const wchar_t* name, LONG fallback = 0) const;
    bool Bool(const wchar_t* name) const;
    Rgb Colour(const wchar_t* name, Rgb fallback = {}) const;
    std::uint8_t Alpha(const wchar_t* name, LONG fallback = 255) const;
    // An object setting (a font, a picture, a stop list), or null.
    Microsoft::WRL::ComPtr<IDispatch> Object(const wchar_t* name) const;
    // An indexed property of an object: GradColor(j).
    static std::optional<LONG> IntAt(IDispatch* object, const wchar_t* name, LONG index);

private:
    // The raw value, VT_EMPTY when it cannot be read.
    Variant Read(const wchar_t* name) const;

    IDispatch* source_;
    std::wstring prefix_;
    std::optional<GUID> type_; // what the names are cached under
};

} // namespace pkw::fx
