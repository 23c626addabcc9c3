#include "scls_support.h"

#include <algorithm>
#include <utility>

namespace pkw::scls_test {

// --- TestWindow --------------------------------------------------------------
namespace {

const wchar_t kClassName[] = L"pkw.scls.TestWindow";

ATOM registerTestClass() {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = TestWindow::ownProcedure();
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc);
}

} // namespace

WNDPROC TestWindow::ownProcedure() {
    return &TestWindow::proc;
}

TestWindow::TestWindow() {
    static const ATOM atom = registerTestClass();
    (void)atom;
    hwnd_ = ::CreateWindowExW(0, kClassName, L"scls test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    EXPECT_NE(hwnd_, nullptr);
}

TestWindow::~TestWindow() {
    destroy();
}

void TestWindow::destroy() {
    if (hwnd_) ::DestroyWindow(std::exchange(hwnd_, nullptr));
}

int TestWindow::seenCount(UINT message) const {
    return static_cast<int>(std::count(seen_.begin(), seen_.end(), message));
}

LRESULT CALLBACK TestWindow::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TestWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) self->seen_.push_back(message);
    if (message == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (message == kAnswer) return 77;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

WNDPROC currentProcedure(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

// --- TestSink ----------------------------------------------------------------
TestSink::TestSink(std::string name, LONG response_, std::vector<SinkCall>* log,
                   IGlobalSubclass* global)
    : response(response_), name_(std::move(name)), log_(log), global_(global) {}

TestSink::~TestSink() {
    if (destroyed) *destroyed = true;
    if (global_ && currentAtDestruction) global_->get_CurrentMessage(currentAtDestruction);
}

STDMETHODIMP TestSink::get_MsgResponse(LONG* value) {
    UINT current = 0;
    if (global_) global_->get_CurrentMessage(&current);
    asked.push_back(current);
    *value = response;
    return S_OK;
}

STDMETHODIMP TestSink::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  LRESULT* result) {
    UINT current = 0;
    if (global_) global_->get_CurrentMessage(&current);
    if (log_) log_->push_back({name_, message, current});
    if (FAILED(failure)) return failure;
    *result = onMessage ? onMessage(hwnd, message, wParam, lParam) : answer;
    return S_OK;
}

// --- Fixture ---------------------------------------------------------------
void SclsTest::SetUp() {
    ASSERT_EQ(::OleInitialize(nullptr), S_OK);
}
void SclsTest::TearDown() {
    ::OleUninitialize();
}

} // namespace pkw::scls_test
