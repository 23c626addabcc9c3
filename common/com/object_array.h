// The objects of a one-dimensional array held in a VARIANT, as late-bound
// callers pass them: arrays of objects (VT_DISPATCH, VT_UNKNOWN) from
// compiled callers, arrays of Variants from scripts, by value or by
// reference.
#pragma once

#include <oaidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <vector>

namespace pkw::com {

struct ObjectArray {
    LONG lowerBound = 0;
    // One entry per element, in index order; an empty element is null.
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> objects;
};

// DISP_E_TYPEMISMATCH for anything but such an array (a null array is an
// empty one), or for an element of a Variant array that holds no object.
HRESULT ReadObjectArray(const VARIANT& in, ObjectArray& out);

} // namespace pkw::com
