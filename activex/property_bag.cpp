#include "activex/property_bag.h"
#include "activex/variant_ops.h"

#include <wrl/client.h>

#include <cstring>
#include <cwchar>
#include <optional>

namespace pkw::ax {
namespace {

enum class Kind { None, Integer, Real, String, Bytes, Object, Other };

Kind kindOf(const VARIANT& v) noexcept {
    switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return Kind::None;
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_BOOL:
    case VT_ERROR:
        return Kind::Integer;
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
        return Kind::Real;
    case VT_BSTR:
        return Kind::String;
    case VT_ARRAY | VT_UI1:
    case VT_ARRAY | VT_I1:
        return Kind::Bytes;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return v.punkVal ? Kind::Object : Kind::None;
    default:
        return Kind::Other;
    }
}

bool asType(const VARIANT& v, VARTYPE vt, Variant& out) {
    return SUCCEEDED(changeType(&out, v, vt));
}

bool integersEqual(const VARIANT& a, const VARIANT& b) {
    Variant x, y;
    // VT_ERROR does not convert; compare its code as a number.
    const auto widen = [](const VARIANT& v, Variant& out) {
        if (v.vt == VT_ERROR) {
            out.vt = VT_I8;
            out.llVal = v.scode;
            return true;
        }
        return asType(v, VT_I8, out);
    };
    return widen(a, x) && widen(b, y) && x.llVal == y.llVal;
}

bool realsEqual(const VARIANT& a, const VARIANT& b) {
    Variant x, y;
    return asType(a, VT_R8, x) && asType(b, VT_R8, y) && x.dblVal == y.dblVal;
}

bool stringsEqual(BSTR a, BSTR b) {
    const UINT la = a ? ::SysStringLen(a) : 0;
    const UINT lb = b ? ::SysStringLen(b) : 0;
    return la == lb && (la == 0 || std::wmemcmp(a, b, la) == 0);
}

// Bytes of a one-dimensional byte array; false when it is not one.
bool byteSpan(SAFEARRAY* array, const BYTE*& data, ULONG& count) {
    data = nullptr;
    count = 0;
    if (!array) return true;
    if (::SafeArrayGetDim(array) != 1 || ::SafeArrayGetElemsize(array) != 1) return false;
    count = array->rgsabound[0].cElements;
    data = static_cast<const BYTE*>(array->pvData);
    return count == 0 || data != nullptr;
}

bool bytesEqual(const VARIANT& a, const VARIANT& b) {
    const BYTE* da;
    const BYTE* db;
    ULONG na, nb;
    if (!byteSpan(a.parray, da, na) || !byteSpan(b.parray, db, nb)) return false;
    return na == nb && (na == 0 || std::memcmp(da, db, na) == 0);
}

bool sameObject(IUnknown* a, IUnknown* b) {
    Microsoft::WRL::ComPtr<IUnknown> ia, ib;
    if (FAILED(a->QueryInterface(IID_PPV_ARGS(&ia))) ||
        FAILED(b->QueryInterface(IID_PPV_ARGS(&ib))))
        return a == b;
    return ia.Get() == ib.Get();
}

// The common case of a save, a number against its default of the same
// type, without copies or conversions; nullopt for the general rules.
std::optional<bool> SameTypeNumbersEqual(const VARIANT& a, const VARIANT& b) noexcept {
    if (a.vt != b.vt) return std::nullopt;
    switch (a.vt) {
    case VT_I2:
        return a.iVal == b.iVal;
    case VT_I4:
        return a.lVal == b.lVal;
    case VT_BOOL:
        return a.boolVal == b.boolVal;
    case VT_R4:
        return a.fltVal == b.fltVal;
    default:
        return std::nullopt;
    }
}

} // namespace

bool ValuesEqual(const VARIANT& a, const VARIANT& b) {
    if (const std::optional<bool> same = SameTypeNumbersEqual(a, b)) return *same;
    // By-reference values compare by what they point at.
    Variant da, db;
    if (FAILED(copyVariantInd(&da, a)) || FAILED(copyVariantInd(&db, b))) return false;
    const Kind ka = kindOf(da);
    const Kind kb = kindOf(db);
    const bool numericA = ka == Kind::Integer || ka == Kind::Real;
    const bool numericB = kb == Kind::Integer || kb == Kind::Real;
    if (numericA && numericB) {
        return ka == Kind::Integer && kb == Kind::Integer ? integersEqual(da, db)
                                                          : realsEqual(da, db);
    }
    if (ka != kb) return false;
    switch (ka) {
    case Kind::None:
        return true;
    case Kind::String:
        return stringsEqual(da.bstrVal, db.bstrVal);
    case Kind::Bytes:
        return bytesEqual(da, db);
    case Kind::Object:
        return sameObject(da.punkVal, db.punkVal);
    default:
        return false;
    }
}

HRESULT PropertyBag::read(const wchar_t* name, const VARIANT& defaultValue, Variant& value) const {
    if (bag_ && name) {
        Variant stored;
        if (SUCCEEDED(bag_->Read(name, &stored, log_)) && stored.vt != VT_EMPTY) {
            value.clear();
            stored.detach(&value);
            return S_OK;
        }
    }
    const HRESULT hr = copyVariant(&value, defaultValue);
    return FAILED(hr) ? hr : S_FALSE;
}

HRESULT PropertyBag::write(const wchar_t* name, const VARIANT& value,
                           const VARIANT& defaultValue) const {
    if (!bag_ || !name) return E_POINTER;
    if (ValuesEqual(value, defaultValue)) return S_OK;
    Variant copy;
    const HRESULT hr = copyVariantInd(&copy, value);
    if (FAILED(hr)) return hr;
    return bag_->Write(name, &copy);
}

} // namespace pkw::ax
