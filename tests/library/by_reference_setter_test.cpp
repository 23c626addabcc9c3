// The tool-tip setters take their value by reference in the type library.
// Late-bound clients (scripts, property pages) pass plain values; oleaut32's
// ITypeInfo::Invoke, which the controls' IDispatch relies on, must turn them
// into references. A stand-in object whose vtable slots come from the type
// library records what the setter received.
#include "server_module.h"
#include "common/com/bstr.h"
#include "zelPickwell40.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pkw::test {
namespace {

struct Received {
    short steps = 0;
    float seconds = 0;
    std::wstring text;
    int calls = 0;
};
Received g_received;

// A COM object of no particular interface: slots are filled per test.
struct StandIn {
    void** vtable;
};

HRESULT STDMETHODCALLTYPE standInQueryInterface(StandIn* self, REFIID, void** ppv) {
    *ppv = self;
    return S_OK;
}
ULONG STDMETHODCALLTYPE standInRefCount(StandIn*) {
    return 1;
}
HRESULT STDMETHODCALLTYPE unexpectedSlot(StandIn*) {
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE putSteps(StandIn*, short* steps) {
    ++g_received.calls;
    g_received.steps = *steps;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE putSeconds(StandIn*, float* seconds) {
    ++g_received.calls;
    g_received.seconds = *seconds;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE putText(StandIn*, BSTR* text) {
    ++g_received.calls;
    g_received.text = *text ? *text : L"";
    return S_OK;
}

class ByReferenceSetterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
        g_received = {};
        ComPtr<ITypeLib> typeLib = loadServerTypeLibrary();
        ASSERT_TRUE(typeLib);
        ComPtr<ITypeInfo> dispatch;
        ASSERT_HRESULT_SUCCEEDED(typeLib->GetTypeInfoOfGuid(IID__NuCheckBox40, &dispatch));
        HREFTYPE ref = 0;
        ASSERT_HRESULT_SUCCEEDED(dispatch->GetRefTypeOfImplType(-1, &ref));
        ASSERT_HRESULT_SUCCEEDED(dispatch->GetRefTypeInfo(ref, &info_));

        TYPEATTR* attr = nullptr;
        ASSERT_HRESULT_SUCCEEDED(info_->GetTypeAttr(&attr));
        slots_.assign(attr->cbSizeVft / sizeof(void*), reinterpret_cast<void*>(&unexpectedSlot));
        const UINT funcs = attr->cFuncs;
        info_->ReleaseTypeAttr(attr);
        slots_[0] = reinterpret_cast<void*>(&standInQueryInterface);
        slots_[1] = slots_[2] = reinterpret_cast<void*>(&standInRefCount);
        for (UINT i = 0; i < funcs; ++i) {
            FUNCDESC* func = nullptr;
            ASSERT_HRESULT_SUCCEEDED(info_->GetFuncDesc(i, &func));
            if (func->invkind == INVOKE_PROPERTYPUT) {
                void* fn = nullptr;
                if (func->memid == 0x6803000D) fn = reinterpret_cast<void*>(&putSteps);
                if (func->memid == 0x6803000C) fn = reinterpret_cast<void*>(&putSeconds);
                if (func->memid == 0x68030007) fn = reinterpret_cast<void*>(&putText);
                if (fn) slots_[func->oVft / sizeof(void*)] = fn;
            }
            info_->ReleaseFuncDesc(func);
        }
        object_.vtable = slots_.data();
    }
    void TearDown() override {
        info_.Reset();
        ::CoUninitialize();
    }

    HRESULT put(DISPID id, VARIANT value) {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params = {&value, &named, 1, 1};
        EXCEPINFO excep = {};
        UINT argErr = 0;
        return info_->Invoke(&object_, id, DISPATCH_PROPERTYPUT, &params, nullptr, &excep, &argErr);
    }

    ComPtr<ITypeInfo> info_;
    std::vector<void*> slots_;
    StandIn object_{};
};

TEST_F(ByReferenceSetterTest, PlainValuesReachTheSetters) {
    VARIANT v;
    v.vt = VT_I2;
    v.iVal = 7;
    EXPECT_HRESULT_SUCCEEDED(put(0x6803000D, v));
    EXPECT_EQ(g_received.steps, 7);

    // Any numeric type is converted to the setter's type.
    v.vt = VT_I4;
    v.lVal = 3;
    EXPECT_HRESULT_SUCCEEDED(put(0x6803000C, v));
    EXPECT_FLOAT_EQ(g_received.seconds, 3.0f);

    const Bstr text(L"tip text");
    v.vt = VT_BSTR;
    v.bstrVal = text.get();
    EXPECT_HRESULT_SUCCEEDED(put(0x68030007, v));
    EXPECT_EQ(g_received.text, L"tip text");
    EXPECT_EQ(g_received.calls, 3);
}

TEST_F(ByReferenceSetterTest, ReferencesFromEarlyBoundScriptsWorkToo) {
    short steps = 12;
    VARIANT v;
    v.vt = VT_I2 | VT_BYREF;
    v.piVal = &steps;
    EXPECT_HRESULT_SUCCEEDED(put(0x6803000D, v));
    EXPECT_EQ(g_received.steps, 12);
}

TEST_F(ByReferenceSetterTest, AValueOfTheWrongKindNeverReachesTheSetter) {
    VARIANT v;
    v.vt = VT_BSTR;
    const Bstr notNumber(L"many");
    v.bstrVal = notNumber.get();
    EXPECT_EQ(put(0x6803000D, v), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(g_received.calls, 0);
}

} // namespace
} // namespace pkw::test
