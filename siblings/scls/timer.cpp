#include "siblings/scls/timer.h"

#include "common/com/hresult.h"

#include <olectl.h>
#include <wrl/client.h>

#include <map>
#include <mutex>
#include <new>
#include <utility>

namespace pkw::scls {
namespace {

using Microsoft::WRL::ComPtr;

// Running timers by (thread, timer id): the callback only gets the id.
// Callbacks run on the thread that set the timer, and each object starts
// and stops its timer on that thread, so an entry is never stale there.
using TimerKey = std::pair<DWORD, UINT_PTR>;
std::mutex g_timersLock;
std::map<TimerKey, TimerObject*> g_timers;

void CALLBACK timerProc(HWND, UINT, UINT_PTR id, DWORD) {
    ComPtr<ITimer> hold; // a handler may release the timer
    TimerObject* timer = nullptr;
    {
        std::lock_guard guard(g_timersLock);
        const auto it = g_timers.find({::GetCurrentThreadId(), id});
        if (it == g_timers.end()) return; // a tick queued before the timer stopped
        timer = it->second;
        hold = timer;
    }
    timer->tick();
}

} // namespace

TimerObject::TimerObject() noexcept
    : events_(*this, __uuidof(DTimerEvents), com::SinkKind::Dispatch) {}

TimerObject::~TimerObject() {
    stop();
}

STDMETHODIMP TimerObject::get_Interval(LONG* milliseconds) noexcept {
    if (!milliseconds) return E_POINTER;
    *milliseconds = interval_;
    return S_OK;
}

// Setting the interval (again) restarts the count; 0 stops.
STDMETHODIMP TimerObject::put_Interval(LONG milliseconds) noexcept {
    if (milliseconds < 0) return E_INVALIDARG;
    interval_ = milliseconds;
    if (milliseconds == 0) {
        stop();
        return S_OK;
    }
    return start();
}

HRESULT TimerObject::start() noexcept {
    stop();
    const UINT_PTR id = ::SetTimer(nullptr, 0, static_cast<UINT>(interval_), &timerProc);
    if (!id) {
        interval_ = 0;
        const DWORD error = ::GetLastError();
        return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    try {
        std::lock_guard guard(g_timersLock);
        g_timers[{::GetCurrentThreadId(), id}] = this;
    } catch (...) {
        ::KillTimer(nullptr, id);
        interval_ = 0;
        return E_OUTOFMEMORY;
    }
    timerId_ = id;
    return S_OK;
}

void TimerObject::stop() noexcept {
    if (!timerId_) return;
    ::KillTimer(nullptr, timerId_);
    {
        std::lock_guard guard(g_timersLock);
        g_timers.erase({::GetCurrentThreadId(), timerId_});
    }
    timerId_ = 0;
}

// A handler that pumps messages (a modal dialog) does not get ticks nested
// inside its own ThatTime; the next tick after it returns comes as usual.
void TimerObject::tick() {
    if (raising_ || interval_ == 0) return;
    raising_ = true;
    DISPPARAMS none{};
    // Every sink connected when the tick came gets it, even when an earlier
    // handler stops the timer; one that was unadvised meanwhile does not.
    pkw::ignore(events_.raise(1, none));
    raising_ = false;
}

STDMETHODIMP TimerObject::GetClassInfo(ITypeInfo** info) noexcept {
    return com::typeInfoOf(__uuidof(Timer), info);
}

} // namespace pkw::scls
