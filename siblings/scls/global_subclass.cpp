#include "siblings/scls/global_subclass.h"

#include "siblings/scls/subclass_registry.h"

namespace pkw::scls {
namespace {

HRESULT lastError() noexcept {
    const DWORD error = ::GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

bool validPropertyName(BSTR name) noexcept {
    return name && *name;
}

} // namespace

STDMETHODIMP GlobalSubclassObject::AttachMessage(ISubclass* sink, HWND hWnd, UINT iMsg) noexcept {
    return attachMessage(sink, hWnd, iMsg);
}

STDMETHODIMP GlobalSubclassObject::DetachMessage(ISubclass* sink, HWND hWnd, UINT iMsg) noexcept {
    return detachMessage(sink, hWnd, iMsg);
}

STDMETHODIMP GlobalSubclassObject::get_CurrentMessage(UINT* iMsg) noexcept {
    if (!iMsg) return E_POINTER;
    *iMsg = currentMessage();
    return S_OK;
}

STDMETHODIMP GlobalSubclassObject::CallOldWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam,
                                                     LPARAM lParam, LRESULT* result) noexcept {
    return callOldWindowProc(hWnd, iMsg, wParam, lParam, result);
}

// Window properties: the window manager's own property list, so a value
// stays with its window and needs no bookkeeping here.
STDMETHODIMP GlobalSubclassObject::SetWindowProperty(HWND hWnd, BSTR name,
                                                     LONG_PTR value) noexcept {
    if (!::IsWindow(hWnd) || !validPropertyName(name)) return E_INVALIDARG;
    if (!::SetPropW(hWnd, name, reinterpret_cast<HANDLE>(value))) return lastError();
    return S_OK;
}

STDMETHODIMP GlobalSubclassObject::GetWindowProperty(HWND hWnd, BSTR name,
                                                     LONG_PTR* value) noexcept {
    if (!value) return E_POINTER;
    *value = 0;
    if (!::IsWindow(hWnd) || !validPropertyName(name)) return E_INVALIDARG;
    *value = reinterpret_cast<LONG_PTR>(::GetPropW(hWnd, name));
    return S_OK;
}

STDMETHODIMP GlobalSubclassObject::RemoveWindowProperty(HWND hWnd, BSTR name,
                                                        LONG_PTR* oldValue) noexcept {
    if (!oldValue) return E_POINTER;
    *oldValue = 0;
    if (!::IsWindow(hWnd) || !validPropertyName(name)) return E_INVALIDARG;
    *oldValue = reinterpret_cast<LONG_PTR>(::RemovePropW(hWnd, name));
    return S_OK;
}

STDMETHODIMP GlobalSubclassObject::SetWindowTextWide(HWND hWnd, BSTR text) noexcept {
    if (!::IsWindow(hWnd)) return E_INVALIDARG;
    if (!::SetWindowTextW(hWnd, text ? text : L"")) return lastError();
    return S_OK;
}

STDMETHODIMP GlobalSubclassObject::GetWindowTextWide(HWND hWnd, LPWSTR buffer, LONG capacity,
                                                     LONG* length) noexcept {
    if (!length) return E_POINTER;
    *length = 0;
    if (!buffer || capacity <= 0) return S_OK;
    if (!::IsWindow(hWnd)) {
        buffer[0] = L'\0';
        return E_INVALIDARG;
    }
    *length = ::GetWindowTextW(hWnd, buffer, capacity);
    return S_OK;
}

} // namespace pkw::scls
