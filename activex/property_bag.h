// The control's view of its container's property bag: named values read
// with a default (a missing key yields the default) and written with a
// default (a value equal to its default leaves no entry).
#pragma once

#include "common/com/variant.h"

#include <ocidl.h>
#include <windows.h>
#include <wrl/client.h>

namespace pkw::ax {

class PropertyBag {
public:
    PropertyBag(IPropertyBag* bag, IErrorLog* log) noexcept : bag_(bag), log_(log) {}

    // Reads `name`. A missing key (or a bag that fails the read) gives a
    // copy of `defaultValue` and S_FALSE; otherwise the stored value, as the
    // bag returns it (no conversion), and S_OK.
    HRESULT read(const wchar_t* name, const VARIANT& defaultValue, Variant& value) const;

    // Writes `value` under `name` unless it equals `defaultValue`
    // (ValuesEqual). Returns the bag's error, if any.
    HRESULT write(const wchar_t* name, const VARIANT& value, const VARIANT& defaultValue) const;

    IPropertyBag* get() const noexcept { return bag_; }

private:
    IPropertyBag* bag_;
    IErrorLog* log_;
};

// Equality used to decide whether a value is at its default: numbers by
// value across integer and real types, Booleans, strings by content, byte
// arrays by content and length, objects by COM identity (IUnknown), and
// VT_EMPTY / VT_NULL / a null object as "none".
bool ValuesEqual(const VARIANT& a, const VARIANT& b);

} // namespace pkw::ax
