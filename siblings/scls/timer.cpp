#include "siblings/scls/timer.h"

#include "siblings/scls/com_object.h"

#include <olectl.h>

#include <map>
#include <mutex>
#include <new>
#include <utility>

namespace pkw::scls {
namespace {

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
    : events_(static_cast<IConnectionPointContainer&>(*this), __uuidof(DTimerEvents)) {}

TimerObject::~TimerObject() {
    stop();
}

void* TimerObject::findInterface(REFIID iid) noexcept {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(ITimer)) {
        return static_cast<ITimer*>(this);
    }
    if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
    if (iid == IID_IProvideClassInfo) return static_cast<IProvideClassInfo*>(this);
    return nullptr;
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
    for (const auto& sink : events_.snapshot()) {
        if (!events_.isAdvised(sink.cookie)) continue;
        // A failing handler is the handler's business.
        pkw::ignore(sink.dispatch->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                          nullptr, nullptr, nullptr));
    }
    raising_ = false;
}

STDMETHODIMP TimerObject::EnumConnectionPoints(IEnumConnectionPoints** points) noexcept {
    try {
        return createEnumConnectionPoints({ComPtr<IConnectionPoint>(&events_)}, points);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP TimerObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid != __uuidof(DTimerEvents)) return CONNECT_E_NOCONNECTION;
    events_.AddRef();
    *point = &events_;
    return S_OK;
}

STDMETHODIMP TimerObject::GetClassInfo(ITypeInfo** info) noexcept {
    return loadTypeInfo(__uuidof(Timer), info);
}

HRESULT createTimer(REFIID iid, void** ppv) {
    return createObject<TimerObject>(iid, ppv);
}

} // namespace pkw::scls
