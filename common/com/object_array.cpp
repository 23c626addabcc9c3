#include "common/com/object_array.h"

#include "common/com/hresult.h"
#include "common/com/variant.h"

#include <utility>

namespace pkw::com {
namespace {

HRESULT ElementObject(SAFEARRAY* array, VARTYPE type, LONG index,
                      Microsoft::WRL::ComPtr<IUnknown>& object) {
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

} // namespace

HRESULT ReadObjectArray(const VARIANT& in, ObjectArray& out) {
    const VARIANT* v = &in;
    while (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    const VARTYPE type = v->vt & VT_TYPEMASK;
    if (!(v->vt & VT_ARRAY) || (type != VT_DISPATCH && type != VT_UNKNOWN && type != VT_VARIANT))
        return DISP_E_TYPEMISMATCH;
    SAFEARRAY* array = (v->vt & VT_BYREF) ? (v->pparray ? *v->pparray : nullptr) : v->parray;
    ObjectArray result;
    if (array) {
        if (::SafeArrayGetDim(array) != 1) return DISP_E_TYPEMISMATCH;
        LONG lower = 0, upper = -1;
        PKW_RETURN_IF_FAILED(::SafeArrayGetLBound(array, 1, &lower));
        PKW_RETURN_IF_FAILED(::SafeArrayGetUBound(array, 1, &upper));
        result.lowerBound = lower;
        for (LONG i = lower; i <= upper; ++i) {
            Microsoft::WRL::ComPtr<IUnknown> object;
            PKW_RETURN_IF_FAILED(ElementObject(array, type, i, object));
            result.objects.push_back(std::move(object));
        }
    }
    out = std::move(result);
    return S_OK;
}

} // namespace pkw::com
