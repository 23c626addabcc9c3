// Timer: raises DTimerEvents::ThatTime every Interval milliseconds on the
// thread that set the interval (a thread timer of that thread's message
// loop; no window needed).
#pragma once

#include "common/com/server/server.h"
#include "zelSCls40.h"

#include <ocidl.h>

namespace pkw::scls {

class TimerObject : public com::DualDispatch<ITimer>,
                    public com::ConnectionPointContainer,
                    public IProvideClassInfo {
public:
    using Interfaces =
        com::InterfaceMap<ITimer, IDispatch, IConnectionPointContainer, IProvideClassInfo>;

    TimerObject() noexcept;
    ~TimerObject();
    TimerObject(const TimerObject&) = delete;
    TimerObject& operator=(const TimerObject&) = delete;

    // ITimer
    STDMETHODIMP get_Interval(LONG* milliseconds) noexcept override;
    STDMETHODIMP put_Interval(LONG milliseconds) noexcept override;
    // IProvideClassInfo
    STDMETHODIMP GetClassInfo(ITypeInfo** info) noexcept override;

    // One tick of the running timer (from the thread timer's callback).
    void tick();

private:
    com::ConnectionPoint* connectionPoint(std::size_t index) noexcept override {
        return index == 0 ? &events_ : nullptr;
    }
    HRESULT start() noexcept;
    void stop() noexcept;

    LONG interval_ = 0;
    UINT_PTR timerId_ = 0;
    bool raising_ = false;
    com::ConnectionPoint events_;
};

} // namespace pkw::scls
