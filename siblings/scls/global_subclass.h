// GlobalSubclass: the COM face of the subclassing registry, plus the
// window-property store and the wide window-text helpers.
#pragma once

#include "common/com/server/server.h"
#include "zelSCls40.h"

namespace pkw::scls {

class GlobalSubclassObject : public com::DualDispatch<IGlobalSubclass> {
public:
    using Interfaces = com::InterfaceMap<IGlobalSubclass, IDispatch>;

    STDMETHODIMP AttachMessage(ISubclass* sink, HWND hWnd, UINT iMsg) noexcept override;
    STDMETHODIMP DetachMessage(ISubclass* sink, HWND hWnd, UINT iMsg) noexcept override;
    STDMETHODIMP get_CurrentMessage(UINT* iMsg) noexcept override;
    STDMETHODIMP CallOldWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam,
                                   LRESULT* result) noexcept override;
    STDMETHODIMP SetWindowProperty(HWND hWnd, BSTR name, LONG_PTR value) noexcept override;
    STDMETHODIMP GetWindowProperty(HWND hWnd, BSTR name, LONG_PTR* value) noexcept override;
    STDMETHODIMP RemoveWindowProperty(HWND hWnd, BSTR name, LONG_PTR* oldValue) noexcept override;
    STDMETHODIMP SetWindowTextWide(HWND hWnd, BSTR text) noexcept override;
    STDMETHODIMP GetWindowTextWide(HWND hWnd, LPWSTR buffer, LONG capacity,
                                   LONG* length) noexcept override;
};

} // namespace pkw::scls
