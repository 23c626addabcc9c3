// The in-place frame that a page's controls see: the page window, no
// menus, no tool space, and the object the controls make active (the text
// box's accelerator hook, which the page hands its keys to).
#pragma once

#include "common/com/server/object.h"

#include <oleidl.h>
#include <wrl/client.h>

namespace pkw::pages {

class PageFrame : public IOleInPlaceFrame {
public:
    using Interfaces = com::InterfaceMap<IOleInPlaceFrame, IOleInPlaceUIWindow, IOleWindow>;

    explicit PageFrame(HWND window) noexcept : window_(window) {}

    IOleInPlaceActiveObject* activeObject() const noexcept { return active_.Get(); }
    // The page is going: no window to give out, no object kept.
    void orphan() noexcept;

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* hwnd) noexcept override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) noexcept override;
    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT border) noexcept override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) noexcept override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) noexcept override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) noexcept override;
    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) noexcept override;
    STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND object) noexcept override;
    STDMETHODIMP RemoveMenus(HMENU shared) noexcept override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) noexcept override;
    STDMETHODIMP EnableModeless(BOOL enable) noexcept override;
    STDMETHODIMP TranslateAccelerator(LPMSG msg, WORD id) noexcept override;

protected:
    virtual ~PageFrame() = default;

private:
    HWND window_;
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> active_;
};

} // namespace pkw::pages
