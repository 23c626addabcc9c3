// Test support for zelSCls40.dll: the DLL loaded from the test's folder,
// a recording sink, a recording test window, and pumping messages until a
// condition holds.
#pragma once

#include <windows.h>

#include "siblings/api/loader.h"
#include "zelSCls40.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

namespace pkw::scls_test {

using Microsoft::WRL::ComPtr;

// --- The DLL -------------------------------------------------------------
inline HMODULE sclsDll() {
    return pkw::sib::LoadSiblingModule(L"zelSCls40.dll");
}

template <class F>
F sclsExport(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(sclsDll(), name)));
}

inline HRESULT canUnloadNow() {
    const auto f = sclsExport<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow");
    return f ? f() : E_FAIL;
}

inline HRESULT classFactory(REFCLSID clsid, IClassFactory** factory) {
    const auto get =
        sclsExport<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
    if (!get) return E_FAIL;
    return get(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory));
}

// Through LoadLibrary + DllGetClassObject.
template <class I>
ComPtr<I> create(REFCLSID clsid) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(classFactory(clsid, &factory), S_OK);
    ComPtr<I> object;
    if (factory) {
        EXPECT_EQ(factory->CreateInstance(nullptr, __uuidof(I),
                                          reinterpret_cast<void**>(object.GetAddressOf())),
                  S_OK);
    }
    return object;
}

// Takes over the one reference a new test object starts with. (MinGW's
// ComPtr::Attach adds a reference of its own, unlike Microsoft's.)
template <class T>
ComPtr<T> owned(T* fresh) {
    ComPtr<T> p(fresh);
    fresh->Release();
    return p;
}

// --- Messages ------------------------------------------------------------
// Pumps this thread's messages until done() holds or the deadline passes.
bool pumpUntil(const std::function<bool()>& done, DWORD deadlineMs = 20000);

// --- A window that records what its own procedure sees -------------------
// Its procedure answers kAnswer with 77 and everything else through
// DefWindowProc.
inline constexpr UINT kTipTextSize = 0x0DE0; // the controls' private query message
inline constexpr UINT kAnswer = WM_APP + 7;
inline constexpr UINT kOther = WM_APP + 8;

class TestWindow {
public:
    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Messages that reached the window's own procedure, in order.
    const std::vector<UINT>& seen() const { return seen_; }
    int seenCount(UINT message) const;
    void clearSeen() { seen_.clear(); }
    // Destroys the window now (the destructor then does nothing).
    void destroy();

    static WNDPROC ownProcedure();

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    std::vector<UINT> seen_;
};

WNDPROC currentProcedure(HWND hwnd);

// --- A sink that records calls -------------------------------------------
struct SinkCall {
    std::string sink;
    UINT message;
    UINT currentMessage; // CurrentMessage of the global object during the call
};

class TestSink final : public ISubclass {
public:
    // log: shared by the sinks of a test, in call order.
    TestSink(std::string name, LONG response, std::vector<SinkCall>* log,
             IGlobalSubclass* global = nullptr);
    ~TestSink();

    // What WindowProc answers (result), or runs instead when set; with
    // `failure` set it fails instead and leaves the result alone.
    LRESULT answer = 0;
    HRESULT failure = S_OK;
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> onMessage;
    // Written by the destructor: that it ran, and CurrentMessage then.
    bool* destroyed = nullptr;
    UINT* currentAtDestruction = nullptr;
    // Messages for which get_MsgResponse was asked, with CurrentMessage then.
    std::vector<UINT> asked;

    LONG response;

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP get_MsgResponse(LONG* value) override;
    STDMETHODIMP put_MsgResponse(LONG) override { return S_OK; }
    STDMETHODIMP WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) override;

    ULONG refs() const { return refs_; }

private:
    ULONG refs_ = 1;
    std::string name_;
    std::vector<SinkCall>* log_;
    ComPtr<IGlobalSubclass> global_;
};

// --- Fixture ---------------------------------------------------------------
class SclsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace pkw::scls_test
