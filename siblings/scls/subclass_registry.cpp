#include "siblings/scls/subclass_registry.h"

#include "common/com/module.h"

#include <wrl/client.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

// How a routed message is delivered (one rule for every window):
//  - Every sink attached to the message is asked MsgResponse (with
//    CurrentMessage set) before anything runs. If any answers 0 the message
//    is consumed: the window's own procedure does not see it. Any other
//    answer (2, "post-process") lets the window's own procedure run first.
//  - Then each sink's WindowProc runs, in attach order, skipping a sink
//    that was detached meanwhile. The result is that of the last sink that
//    answered (a failing sink leaves the result as it was), so the answer
//    of a post-processing sink reaches the sender even for messages the
//    window's procedure only passes to DefWindowProc (the controls' private
//    query messages). With no sink answering, the result is the window
//    procedure's (or 0 when consumed).
//  - WM_NCDESTROY always reaches the window's own procedure, whatever the
//    sinks answer; afterwards the window's record is dropped.
//  - While sinks run, CallOldWindowProc for the very message being
//    post-processed returns the answer the window's procedure already gave
//    instead of running it a second time.

namespace pkw::scls {
namespace {

using Microsoft::WRL::ComPtr;

LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

struct Attachment {
    ISubclass* sink; // not owned (see the header)
    UINT message;
    bool operator==(const Attachment&) const = default;
};

struct WindowRecord {
    WNDPROC original = nullptr;
    std::vector<Attachment> attachments; // in attach order
    // Our procedure is in the window's chain: the DLL must stay loaded.
    module::ObjectLock moduleLock;
};

std::mutex g_lock;
std::unordered_map<HWND, std::shared_ptr<WindowRecord>> g_windows;

// One frame per message being dispatched on this thread (innermost first).
struct DispatchFrame {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool originalRan = false;
    LRESULT originalResult = 0;
    DispatchFrame* outer = nullptr;
};

thread_local DispatchFrame* t_frame = nullptr;

class FrameScope {
public:
    explicit FrameScope(DispatchFrame& frame) noexcept : frame_(frame) {
        frame_.outer = t_frame;
        t_frame = &frame_;
    }
    FrameScope(const FrameScope&) = delete;
    FrameScope& operator=(const FrameScope&) = delete;
    ~FrameScope() { t_frame = frame_.outer; }

private:
    DispatchFrame& frame_;
};

WNDPROC currentProcedure(HWND hwnd) noexcept {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
}

// Puts the original procedure back when ours is still on top of the chain
// and says whether the record may go. When someone subclassed on top of us
// meanwhile, our procedure stays as a pass-through so that their chain
// keeps working; the record then lives until WM_NCDESTROY. g_lock held.
bool restoreIfOnTop(HWND hwnd, const WindowRecord& record) noexcept {
    if (!::IsWindow(hwnd)) return true;
    if (currentProcedure(hwnd) != &subclassProc) return false;
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.original));
    return true;
}

// What one message needs: the record and the sinks attached to the message,
// held for the whole dispatch.
struct Delivery {
    std::shared_ptr<WindowRecord> record;
    std::vector<ComPtr<ISubclass>> sinks;
};

Delivery prepare(HWND hwnd, UINT message) noexcept {
    Delivery delivery;
    std::lock_guard guard(g_lock);
    const auto it = g_windows.find(hwnd);
    if (it == g_windows.end()) return delivery;
    delivery.record = it->second;
    try {
        for (const Attachment& a : delivery.record->attachments) {
            if (a.message == message) delivery.sinks.emplace_back(a.sink);
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: the window's own procedure still gets the message.
        delivery.sinks.clear();
    }
    return delivery;
}

bool isAttached(HWND hwnd, ISubclass* sink, UINT message) {
    std::lock_guard guard(g_lock);
    const auto it = g_windows.find(hwnd);
    if (it == g_windows.end()) return false;
    const auto& list = it->second->attachments;
    return std::find(list.begin(), list.end(), Attachment{sink, message}) != list.end();
}

// The window is going away: drop its record whatever is still attached.
void forget(HWND hwnd, const std::shared_ptr<WindowRecord>& record) {
    std::lock_guard guard(g_lock);
    const auto it = g_windows.find(hwnd);
    if (it == g_windows.end() || it->second != record) return;
    restoreIfOnTop(hwnd, *record);
    g_windows.erase(it);
}

LRESULT deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const Delivery& delivery) {
    DispatchFrame frame{hwnd, message, wParam, lParam};
    const FrameScope scope(frame);

    bool consumed = false;
    for (const auto& sink : delivery.sinks) {
        LONG response = 2;
        if (FAILED(sink->get_MsgResponse(&response))) response = 2;
        if (response == 0) consumed = true;
    }
    if (message == WM_NCDESTROY) consumed = false;

    LRESULT result = 0;
    if (!consumed) {
        result = ::CallWindowProcW(delivery.record->original, hwnd, message, wParam, lParam);
        frame.originalRan = true;
        frame.originalResult = result;
    }
    for (const auto& sink : delivery.sinks) {
        if (!isAttached(hwnd, sink.Get(), message)) continue;
        LRESULT answer = 0;
        if (SUCCEEDED(sink->WindowProc(hwnd, message, wParam, lParam, &answer))) result = answer;
    }
    return result;
}

LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const Delivery delivery = prepare(hwnd, message);
    // Reached without a record only through a stale copy of our procedure.
    if (!delivery.record) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = delivery.sinks.empty()
                     ? ::CallWindowProcW(delivery.record->original, hwnd, message, wParam, lParam)
                     : deliver(hwnd, message, wParam, lParam, delivery);
        if (message == WM_NCDESTROY) forget(hwnd, delivery.record);
    } catch (...) {
        // Nothing may unwind through the window manager.
    }
    return result;
}

HRESULT currentError() noexcept {
    const DWORD error = ::GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

} // namespace

HRESULT attachMessage(ISubclass* sink, HWND hwnd, UINT message) {
    if (!sink) return E_POINTER;
    if (!::IsWindow(hwnd)) return E_INVALIDARG;
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != ::GetCurrentProcessId()) return E_ACCESSDENIED;
    const Attachment attachment{sink, message};
    try {
        std::lock_guard guard(g_lock);
        if (const auto it = g_windows.find(hwnd); it != g_windows.end()) {
            auto& list = it->second->attachments;
            if (std::find(list.begin(), list.end(), attachment) != list.end()) return S_FALSE;
            list.push_back(attachment);
            return S_OK;
        }
        auto record = std::make_shared<WindowRecord>();
        record->attachments.push_back(attachment);
        auto& slot = g_windows[hwnd];
        ::SetLastError(0);
        const LONG_PTR previous =
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc));
        if (!previous) {
            const HRESULT hr = currentError();
            g_windows.erase(hwnd);
            return hr;
        }
        record->original = reinterpret_cast<WNDPROC>(previous);
        slot = std::move(record);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT detachMessage(ISubclass* sink, HWND hwnd, UINT message) {
    if (!sink) return E_POINTER;
    std::shared_ptr<WindowRecord> dropped; // freed once the lock is released
    try {
        std::lock_guard guard(g_lock);
        const auto it = g_windows.find(hwnd);
        if (it == g_windows.end()) return S_FALSE;
        auto& list = it->second->attachments;
        const auto at = std::find(list.begin(), list.end(), Attachment{sink, message});
        if (at == list.end()) return S_FALSE;
        list.erase(at);
        if (list.empty() && restoreIfOnTop(hwnd, *it->second)) {
            dropped = std::move(it->second);
            g_windows.erase(it);
        }
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

UINT currentMessage() noexcept {
    return t_frame ? t_frame->message : 0;
}

HRESULT callOldWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (!result) return E_POINTER;
    *result = 0;
    if (const DispatchFrame* frame = t_frame; frame && frame->originalRan && frame->hwnd == hwnd &&
                                              frame->message == message &&
                                              frame->wParam == wParam && frame->lParam == lParam) {
        *result = frame->originalResult;
        return S_OK;
    }
    WNDPROC procedure = nullptr;
    try {
        std::lock_guard guard(g_lock);
        if (const auto it = g_windows.find(hwnd); it != g_windows.end()) {
            procedure = it->second->original;
        }
    } catch (...) {
        return E_UNEXPECTED;
    }
    if (!procedure) {
        // Not subclassed here: the window's own procedure is its current one.
        if (!::IsWindow(hwnd)) return E_INVALIDARG;
        procedure = currentProcedure(hwnd);
    }
    *result = ::CallWindowProcW(procedure, hwnd, message, wParam, lParam);
    return S_OK;
}

} // namespace pkw::scls
