// Test support for zelGlobals40.dll: the DLL beside the test program (no
// registration), an OLE apartment per test, and late-bound calls.
#pragma once

// common/com/bstr.h needs Windows' headers first.
#include <windows.h>

#include "common/com/bstr.h"
#include "common/com/excep_info.h"
#include "common/com/variant.h"

#include "tests/common/com_server/server_dll.h"
#include "zelGlobals40.h"

#include <gtest/gtest.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <initializer_list>
#include <string>
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
inline HRESULT canUnloadNow() {
    return globalsDll().canUnloadNow();
}

// Every test runs in its own single-threaded OLE apartment.
class OleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::OleInitialize(nullptr), S_OK); }
    void TearDown() override { ::OleUninitialize(); }
};

using pkw::ExcepInfo;

// The outcome of a late-bound call: the dispatch result, and the member's
// own error when it raised one (DISP_E_EXCEPTION carries it in scode).
struct Call {
    HRESULT hr = E_FAIL;
    HRESULT error = E_FAIL;
    pkw::Variant result;
};

inline DISPID dispid(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return DISPID_UNKNOWN;
    return id;
}

// args in natural order; a put passes the value last.
inline Call invoke(IDispatch* object, const wchar_t* name, WORD flags,
                   std::initializer_list<VARIANT> args = {}) {
    Call call;
    const DISPID id = dispid(object, name);
    if (id == DISPID_UNKNOWN) {
        call.hr = call.error = DISP_E_UNKNOWNNAME;
        return call;
    }
    std::vector<VARIANT> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()),
                      put ? 1u : 0u};
    ExcepInfo excep;
    UINT argErr = 0;
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                             put ? nullptr : call.result.put(), &excep, &argErr);
    call.error = call.hr == DISP_E_EXCEPTION ? excep.scode : call.hr;
    return call;
}

inline Call get(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> args = {}) {
    return invoke(object, name, DISPATCH_PROPERTYGET, args);
}

inline Call put(IDispatch* object, const wchar_t* name, const VARIANT& value,
                WORD flags = DISPATCH_PROPERTYPUT) {
    return invoke(object, name, flags, {value});
}

inline Call putAt(IDispatch* object, const wchar_t* name, LONG index, const VARIANT& value) {
    return invoke(object, name, DISPATCH_PROPERTYPUT, {pkw::Variant::fromI4(index), value});
}

inline ComPtr<IFontDisp> newFont(const wchar_t* face, LONG points) {
    std::wstring name(face);
    FONTDESC desc{sizeof(FONTDESC), name.data(), {}, FW_NORMAL, ANSI_CHARSET, FALSE, FALSE, FALSE};
    desc.cySize.int64 = static_cast<LONGLONG>(points) * 10000;
    ComPtr<IFontDisp> font;
    EXPECT_EQ(::OleCreateFontIndirect(&desc, IID_IFontDisp,
                                      reinterpret_cast<void**>(font.GetAddressOf())),
              S_OK);
    return font;
}

// A picture that owns a small bitmap.
inline ComPtr<IPictureDisp> newPicture() {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = ::CreateBitmap(2, 2, 1, 32, nullptr);
    ComPtr<IPictureDisp> picture;
    EXPECT_EQ(::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                         reinterpret_cast<void**>(picture.GetAddressOf())),
              S_OK);
    return picture;
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
class PlacementSink final : public IDispatch {
public:
    std::vector<Placement> received;
    std::function<void(Placement&)> answer;

    // MinGW's ComPtr adds a reference in Attach too: the count starts at 0
    // and the constructor takes the first one.
    static ComPtr<PlacementSink> make() { return ComPtr<PlacementSink>(new PlacementSink); }
    ULONG references() {
        AddRef();
        return Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DToolTipEvents) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT*, EXCEPINFO*, UINT*) override {
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

private:
    PlacementSink() = default;
    ULONG refs_ = 0;
};

} // namespace pkw::globals_test
