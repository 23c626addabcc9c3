// Initialize ... Terminate of the text box, and the timer object that
// carries its delayed notifications.
#include "textbox/nu_mtext40.h"

#include "siblings/api/loader.h"
#include "siblings/api/plain.h"
#include "textbox/ipao_hook.h"

namespace pkw::textbox {

void NuMText40::onInitialize() {
    CreateTimer();
}

void NuMText40::onInitProperties() {
    state_.m_hWndCtl = hwnd();
    // A new box takes its keys as much as a loaded one.
    ignore(hook::InstallIPAOHook(static_cast<_IPAO*>(this), state_.m_hWndCtl));
    ignore(setFont(DefaultFont().Get()));
    state_.m_lCodePage = sib::Uni().uniGetDefaultCodePage();
    state_.m_sText = ambientDisplayName();
    state_.m_sLastText = state_.m_sText;
    FinishLoading();
}

void NuMText40::FinishLoading() {
    setEnabled(state_.m_bEnabled);
    state_.m_bDesignMode = !ambientUserMode();
    UpdateColors(false, false);
    CreateEditWindow();
    state_.m_bLoaded = true;
    state_.m_bRedraw = true;
    Resize();
}

void NuMText40::onResize() {
    if (state_.m_bLoaded) Resize();
}

void NuMText40::onPaint() {
    DrawFrame();
}

void NuMText40::onGotFocus() {
    // The edit window is where typing goes.
    if (state_.m_hWndEdit && ::GetFocus() != state_.m_hWndEdit.get())
        ::SetFocus(state_.m_hWndEdit.get());
}

void NuMText40::onTerminate() {
    DestroyEditWindow();
    ReleaseTimer();
    hook::RemoveIPAOHook(state_.m_hWndCtl);
    ReleaseMessages();
}

void NuMText40::CreateTimer() {
    void* created = nullptr;
    if (FAILED(sib::CreateSiblingObject(L"zelSCls40.dll", __uuidof(Timer), __uuidof(ITimer),
                                        &created)))
        return;
    timer_ = Adopt(static_cast<ITimer*>(created));
    // The sink calls back only while connected; the control owns the connection.
    timerSink_ = ax::DispatchEventSink::Create(__uuidof(DTimerEvents), [this](DISPID, DISPPARAMS*) {
        const ComPtr<IUnknown> keepAlive(identity());
        try {
            DelayedEventTick();
        } catch (...) {
        }
        return S_OK;
    });
    if (timerSink_ &&
        FAILED(timerConnection_.connect(timer_.Get(), __uuidof(DTimerEvents), timerSink_.Get())))
        timerSink_.Reset();
}

void NuMText40::ReleaseTimer() {
    if (timer_) ignore(timer_->put_Interval(0));
    if (timerSink_) timerSink_->disconnect();
    timerConnection_.reset();
    timerSink_.Reset();
    timer_.Reset();
}

void NuMText40::StartTimer(LONG milliseconds) {
    if (timer_) ignore(timer_->put_Interval(milliseconds));
}

void NuMText40::StopTimer() {
    if (timer_) ignore(timer_->put_Interval(0));
}

} // namespace pkw::textbox
