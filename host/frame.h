// The form as its controls' in-place frame (IOleInPlaceFrame, which is
// also the UI window) and as their IOleContainer. A separate COM object so
// that a control holding it after the form is gone gets answers, not a
// crash.
#pragma once

#include "host/com_object.h"

#include <oleidl.h>

#include <string>

namespace pkw::host {

class Form;

class Frame : public ComObject<Frame, IOleInPlaceFrame, IOleContainer> {
public:
    explicit Frame(Form* form) : form_(form) {}
    void orphan() noexcept { form_ = nullptr; }
    const std::wstring& statusText() const noexcept { return status_; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT border) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
    STDMETHODIMP RemoveMenus(HMENU shared) override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG msg, WORD id) override;
    // IParseDisplayName / IOleContainer
    STDMETHODIMP ParseDisplayName(IBindCtx* context, LPOLESTR name, ULONG* eaten,
                                  IMoniker** moniker) override;
    STDMETHODIMP EnumObjects(DWORD flags, IEnumUnknown** objects) override;
    STDMETHODIMP LockContainer(BOOL lock) override;

    void* find(REFIID riid) noexcept;

private:
    Form* form_;
    std::wstring status_;
};

} // namespace pkw::host
