// ISubclass for a control whose window messages the subclassing library
// (zelSCls40) routes to it: the control names the messages it consumes
// (answered 0, so the window's own procedure does not run for them; any
// other is answered 2, the procedure runs first) and handles them. A
// handler may release the control: it lives until the answer is given, and
// nothing a handler throws reaches the window or the container.
#pragma once

#include "common/com/com_ptr.h"
#include "siblings/api/scls.h"

#include <utility>
#include <vector>

namespace pkw::ax {

class Subclassed : public ISubclass {
public:
    STDMETHODIMP get_MsgResponse(LONG* response) override;
    STDMETHODIMP put_MsgResponse(LONG) override { return S_OK; }
    STDMETHODIMP WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) override;

protected:
    ~Subclassed() = default;

    virtual bool ConsumesMessage(UINT message) const noexcept = 0;
    virtual LRESULT HandleMessage(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) = 0;

    // Routes `message` of `window` here through the thread's subclassing
    // object; false when there is none or it refuses.
    bool AttachMessage(HWND window, UINT message);
    // Gives back exactly what was attached, and the subclassing object.
    void ReleaseMessages() noexcept;
    bool Subclassing() const noexcept { return subclass_ != nullptr; }
    // The window's procedure below the subclassing library; 0 without one.
    LRESULT CallOldWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);

private:
    Microsoft::WRL::ComPtr<IGlobalSubclass> subclass_;
    std::vector<std::pair<HWND, UINT>> attached_;
};

} // namespace pkw::ax
