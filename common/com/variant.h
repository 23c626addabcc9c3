// Owning VARIANT. Numbers own nothing: they are made and dropped without
// calling oleaut32, which a save or a load of a few hundred settings notices.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace pkw {

class Variant : public VARIANT {
public:
    Variant() noexcept : VARIANT{} {}
    Variant(const Variant& other) : VARIANT{} {
        ::VariantCopy(this, const_cast<VARIANT*>(static_cast<const VARIANT*>(&other)));
    }
    explicit Variant(const VARIANT& other) : VARIANT{} {
        ::VariantCopy(this, const_cast<VARIANT*>(static_cast<const VARIANT*>(&other)));
    }
    Variant& operator=(const Variant& other) {
        if (this != &other)
            ::VariantCopy(this, const_cast<VARIANT*>(static_cast<const VARIANT*>(&other)));
        return *this;
    }
    ~Variant() { clear(); }

    static Variant fromI2(SHORT v) {
        Variant r;
        r.vt = VT_I2;
        r.iVal = v;
        return r;
    }
    static Variant fromI4(LONG v) {
        Variant r;
        r.vt = VT_I4;
        r.lVal = v;
        return r;
    }
    static Variant fromBool(bool v) {
        Variant r;
        r.vt = VT_BOOL;
        r.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
        return r;
    }
    static Variant fromR4(float v) {
        Variant r;
        r.vt = VT_R4;
        r.fltVal = v;
        return r;
    }
    static Variant fromString(const wchar_t* s) {
        Variant r;
        r.vt = VT_BSTR;
        r.bstrVal = ::SysAllocString(s);
        return r;
    }
    // AddRefs the object.
    static Variant fromDispatch(IDispatch* d) {
        Variant r;
        r.vt = VT_DISPATCH;
        r.pdispVal = d;
        if (d) d->AddRef();
        return r;
    }
    static Variant fromUnknown(IUnknown* u) {
        Variant r;
        r.vt = VT_UNKNOWN;
        r.punkVal = u;
        if (u) u->AddRef();
        return r;
    }

    void clear() noexcept {
        if (isPlainValue(vt) || (vt & VT_BYREF))
            vt = VT_EMPTY;
        else
            ::VariantClear(this);
    }
    VARIANT* put() noexcept {
        clear();
        return this;
    }
    // Hands the content to an [out] VARIANT* and leaves this one empty.
    void detach(VARIANT* out) noexcept {
        *out = *static_cast<VARIANT*>(this);
        vt = VT_EMPTY;
    }

    // A value held in place, which a plain copy duplicates and nothing frees.
    static constexpr bool isPlainValue(VARTYPE type) noexcept {
        switch (type) {
        case VT_EMPTY:
        case VT_NULL:
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
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BOOL:
        case VT_ERROR:
            return true;
        default:
            return false;
        }
    }
};

} // namespace pkw
