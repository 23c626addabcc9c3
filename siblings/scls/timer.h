// Timer: raises DTimerEvents::ThatTime every Interval milliseconds on the
// thread that set the interval (a thread timer of that thread's message
// loop; no window needed).
#pragma once

#include "siblings/scls/connection_point.h"
#include "siblings/scls/type_library.h"
#include "zelSCls40.h"

#include <ocidl.h>

namespace pkw::scls {

class TimerObject : public Dual<ITimer>,
                    public IConnectionPointContainer,
                    public IProvideClassInfo {
public:
    TimerObject() noexcept;
    ~TimerObject();
    TimerObject(const TimerObject&) = delete;
    TimerObject& operator=(const TimerObject&) = delete;

    void* findInterface(REFIID iid) noexcept;

    // ITimer
    STDMETHODIMP get_Interval(LONG* milliseconds) noexcept override;
    STDMETHODIMP put_Interval(LONG milliseconds) noexcept override;
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) noexcept override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept override;
    // IProvideClassInfo
    STDMETHODIMP GetClassInfo(ITypeInfo** info) noexcept override;

    // One tick of the running timer (from the thread timer's callback).
    void tick();

private:
    HRESULT start() noexcept;
    void stop() noexcept;

    LONG interval_ = 0;
    UINT_PTR timerId_ = 0;
    bool raising_ = false;
    ConnectionPoint events_;
};

HRESULT createTimer(REFIID iid, void** ppv);

} // namespace pkw::scls
