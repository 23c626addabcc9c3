// Owning VARIANT.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace pkw {

class Variant : public VARIANT {
public:
    Variant() noexcept { ::VariantInit(this); }
    Variant(const Variant& other) {
        ::VariantInit(this);
        ::VariantCopy(this, const_cast<VARIANT*>(static_cast<const VARIANT*>(&other)));
    }
    explicit Variant(const VARIANT& other) {
        ::VariantInit(this);
        ::VariantCopy(this, const_cast<VARIANT*>(static_cast<const VARIANT*>(&other)));
    }
    Variant& operator=(const Variant& other) {
        if (this != &other)
            ::VariantCopy(this, const_cast<VARIANT*>(static_cast<const VARIANT*>(&other)));
        return *this;
    }
    ~Variant() { ::VariantClear(this); }

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

    void clear() noexcept { ::VariantClear(this); }
    VARIANT* put() noexcept {
        clear();
        return this;
    }
    // Hands the content to an [out] VARIANT* and leaves this one empty.
    void detach(VARIANT* out) noexcept {
        *out = *static_cast<VARIANT*>(this);
        ::VariantInit(this);
    }
};

} // namespace pkw
