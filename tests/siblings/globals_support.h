// Test support for zelGlobals40.dll: the DLL beside the test program (no
// registration), an OLE apartment per test, and late-bound calls.
#pragma once

// common/com/bstr.h needs Windows' headers first.
#include <windows.h>

#include "common/com/bstr.h"
#include "common/com/variant.h"
#include "host/com_object.h"
#include "host/dispatch.h"
#include "host/typeless_dispatch.h"
#include "ole_test.h"

#include "tests/common/com_server/server_dll.h"
#include "tests/host/test_pictures.h"
#include "zelGlobals40.h"

#include <gtest/gtest.h>
#include <olectl.h>
#include <wrl/client.h>

#include <functional>
#include <ostream>
#include <vector>

namespace pkw::globals_test {

using Microsoft::WRL::ComPtr;

// The DLL under test, beside the test program.
inline const test::ServerDll& globalsDll() {
    static const test::ServerDll dll(L"zelGlobals40.dll");
    return dll;
}
template <class I>
ComPtr<I> create(REFCLSID clsid) {
    return globalsDll().create<I>(clsid);
}

using test::OleTest;

inline ComPtr<IFontDisp> newFont(const wchar_t* face, LONG points) {
    return test::makeFont(face, static_cast<LONGLONG>(points) * 10000);
}

inline bool sameObject(IUnknown* a, IUnknown* b) {
    if (!a || !b) return a == b;
    // Compares raw pointers: MinGW's ComPtr has no operator==, and a == b
    // would compare their truth values.
    ComPtr<IUnknown> ua;
    ComPtr<IUnknown> ub;
    a->QueryInterface(IID_PPV_ARGS(&ua));
    b->QueryInterface(IID_PPV_ARGS(&ub));
    return ua.Get() && ua.Get() == ub.Get();
}

// Where QueryPlacement puts the tip, as its by-reference arguments carry it.
struct Placement {
    LONG x = 0;
    LONG y = 0;
    SHORT xDisplay = 0;
    SHORT yDisplay = 0;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    bool operator==(const Placement&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Placement& p) {
    return os << "{" << p.x << ", " << p.y << ", " << p.xDisplay << ", " << p.yDisplay << ", "
              << p.cancel << "}";
}

// A DToolTipEvents sink: records what QueryPlacement brought and answers
// through the by-reference arguments.
class PlacementSink final : public host::ComObject<PlacementSink, host::TypelessDispatch> {
public:
    std::vector<Placement> received;
    std::function<void(Placement&)> answer;

    static ComPtr<PlacementSink> make() { return host::makeCom<PlacementSink>(); }
    ULONG references() {
        AddRef();
        return Release();
    }
    void* find(REFIID iid) noexcept {
        return iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DToolTipEvents
                   ? static_cast<IDispatch*>(this)
                   : nullptr;
    }

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                        EXCEPINFO*, UINT*) override {
        if (id != 1 || !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        VARIANTARG* a = params->rgvarg;
        const VARTYPE expected[] = {VT_BOOL, VT_I2, VT_I2, VT_I4, VT_I4};
        if (params->cArgs != 5) return DISP_E_BADPARAMCOUNT;
        for (int i = 0; i < 5; ++i)
            if (a[i].vt != (expected[i] | VT_BYREF)) return DISP_E_TYPEMISMATCH;
        Placement p{*a[4].plVal, *a[3].plVal, *a[2].piVal, *a[1].piVal, *a[0].pboolVal};
        received.push_back(p);
        if (answer) answer(p);
        *a[4].plVal = p.x;
        *a[3].plVal = p.y;
        *a[2].piVal = p.xDisplay;
        *a[1].piVal = p.yDisplay;
        *a[0].pboolVal = p.cancel;
        return S_OK;
    }
};

} // namespace pkw::globals_test
