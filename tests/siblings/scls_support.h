// Test support for zelSCls40.dll: the DLL beside the test program, a
// recording sink, and a window that counts what its own procedure sees.
#pragma once

#include <windows.h>

#include "common/com/com_ptr.h"
#include "common/win/unique_handle.h"
#include "host/com_object.h"
#include "host/message_loop.h"
#include "ole_test.h"
#include "test_windows.h"
#include "tests/common/com_server/server_dll.h"
#include "zelSCls40.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pkw::scls_test {

using host::pumpUntil;
using Microsoft::WRL::ComPtr;
using SclsTest = test::OleTest;

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

// The window's own procedure answers kAnswer with 77 and the rest through
// DefWindowProc.
inline constexpr UINT kAnswer = WM_APP + 7;
inline constexpr UINT kOther = WM_APP + 8;

class TestWindow {
public:
    TestWindow() {
        test::RegisterClassFor(L"pkw.scls.TestWindow", &proc);
        window_.reset(::CreateWindowExW(0, L"pkw.scls.TestWindow", L"", WS_OVERLAPPEDWINDOW, 0, 0,
                                        200, 100, nullptr, nullptr, nullptr, this));
        EXPECT_TRUE(window_);
    }
    HWND hwnd() const { return window_.get(); }
    // How often the window's own procedure saw the message.
    int seenCount(UINT message) const { return seen_.contains(message) ? seen_.at(message) : 0; }
    void destroy() { window_.reset(); }
    static WNDPROC ownProcedure() { return &proc; }

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                                LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        if (auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            ++self->seen_[message];
        return message == kAnswer ? 77 : ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    std::map<UINT, int> seen_;
    UniqueWindow window_; // declared last: goes first, while seen_ still counts
};

inline WNDPROC currentProcedure(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

struct SinkCall {
    std::string sink;
    UINT currentMessage; // the global object's CurrentMessage during the call
};

// A sink that logs its calls (the log shared by a test's sinks, in call
// order) and answers `answer`, or runs onMessage instead, or fails with
// `failure`.
class TestSink final : public host::ComObject<TestSink, ISubclass> {
public:
    TestSink(std::string name, LONG response, std::vector<SinkCall>* log,
             IGlobalSubclass* global = nullptr)
        : response(response), name_(std::move(name)), log_(log), global_(global) {}
    ~TestSink() {
        if (onDestroy) onDestroy();
    }

    LONG response;
    LRESULT answer = 0;
    HRESULT failure = S_OK;
    std::function<LRESULT(HWND, UINT)> onMessage;
    std::function<void()> onDestroy;
    // CurrentMessage each time MsgResponse was asked.
    std::vector<UINT> asked;

    void* find(REFIID iid) noexcept {
        return iid == IID_IUnknown || iid == __uuidof(ISubclass) ? static_cast<ISubclass*>(this)
                                                                 : nullptr;
    }
    STDMETHODIMP get_MsgResponse(LONG* value) override {
        asked.push_back(current());
        *value = response;
        return S_OK;
    }
    STDMETHODIMP put_MsgResponse(LONG) override { return S_OK; }
    STDMETHODIMP WindowProc(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* result) override {
        if (log_) log_->push_back({name_, current()});
        if (FAILED(failure)) return failure;
        *result = onMessage ? onMessage(hwnd, message) : answer;
        return S_OK;
    }

private:
    UINT current() const {
        UINT message = 0;
        if (global_) global_->get_CurrentMessage(&message);
        return message;
    }
    std::string name_;
    std::vector<SinkCall>* log_;
    ComPtr<IGlobalSubclass> global_;
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
