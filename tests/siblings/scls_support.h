// Test support for zelSCls40.dll: the DLL loaded from the test's folder,
// a recording sink, a recording test window, and pumping messages until a
// condition holds.
#pragma once

#include <windows.h>

#include "common/com/com_ptr.h"
#include "host/com_object.h"
#include "host/message_loop.h"
#include "siblings/api/loader.h"
#include "tests/common/com_server/server_dll.h"
#include "zelSCls40.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

namespace pkw::scls_test {

using Microsoft::WRL::ComPtr;

// --- The DLL -------------------------------------------------------------
inline const test::ServerDll& sclsDll() {
    static const test::ServerDll dll(L"zelSCls40.dll");
    return dll;
}
template <class I>
ComPtr<I> create(REFCLSID clsid) {
    return sclsDll().create<I>(clsid);
}
inline HRESULT canUnloadNow() {
    return sclsDll().canUnloadNow();
}

// --- Messages ------------------------------------------------------------
using host::pumpUntil;

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

class TestSink final : public host::ComObject<TestSink, ISubclass> {
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

    void* find(REFIID iid) noexcept {
        return iid == IID_IUnknown || iid == __uuidof(ISubclass) ? static_cast<ISubclass*>(this)
                                                                 : nullptr;
    }
    STDMETHODIMP get_MsgResponse(LONG* value) override;
    STDMETHODIMP put_MsgResponse(LONG) override { return S_OK; }
    STDMETHODIMP WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) override;

private:
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

// With a GlobalSubclass object of the test's own.
class GlobalSubclassTest : public SclsTest {
protected:
    void SetUp() override {
        SclsTest::SetUp();
        global = create<IGlobalSubclass>(__uuidof(GlobalSubclass));
        ASSERT_TRUE(global);
    }
    void TearDown() override {
        global.Reset();
        SclsTest::TearDown();
    }
    ComPtr<IGlobalSubclass> global;
};

} // namespace pkw::scls_test
