#include "activex/subclassed.h"

#include "common/com/hresult.h"

namespace pkw::ax {

STDMETHODIMP Subclassed::get_MsgResponse(LONG* response) {
    if (!response) return E_POINTER;
    UINT current = 0;
    if (subclass_) ignore(subclass_->get_CurrentMessage(&current));
    *response = ConsumesMessage(current) ? 0 : 2;
    return S_OK;
}

STDMETHODIMP Subclassed::WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam,
                                    LRESULT* result) {
    LRESULT answer = 0;
    try {
        const Microsoft::WRL::ComPtr<ISubclass> keepAlive(this);
        answer = HandleMessage(hWnd, iMsg, wParam, lParam);
    } catch (...) {
        // Nothing reaches the window or the container.
    }
    if (result) *result = answer;
    return S_OK;
}

bool Subclassed::AttachMessage(HWND window, UINT message) {
    if (!subclass_) subclass_ = sib::ThreadSubclass();
    if (!subclass_ || FAILED(subclass_->AttachMessage(this, window, message))) return false;
    attached_.emplace_back(window, message);
    return true;
}

void Subclassed::ReleaseMessages() noexcept {
    if (subclass_)
        for (const auto& [window, message] : attached_)
            ignore(subclass_->DetachMessage(this, window, message));
    attached_.clear();
    subclass_.Reset();
}

LRESULT Subclassed::CallOldWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (subclass_) ignore(subclass_->CallOldWindowProc(hWnd, iMsg, wParam, lParam, &result));
    return result;
}

} // namespace pkw::ax
