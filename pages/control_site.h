// The site of one control on a page: client site, in-place site and
// control site, and the ambient properties through IDispatch (user mode,
// the page's font and colours, the control's name).
//
// A control may keep its site after the page let it go; an orphaned site
// then answers without a window, a frame or a font.
#pragma once

#include "common/com/server/object.h"

#include <ocidl.h>
#include <oleidl.h>
#include <wrl/client.h>

#include <string>

namespace pkw::pages {

class PageFrame;

// What the page offers its controls as ambient properties.
struct PageAmbients {
    Microsoft::WRL::ComPtr<IFontDisp> font;
    OLE_COLOR backColor = 0x8000000F; // button face
    OLE_COLOR foreColor = 0x80000012; // button text
};

class ControlSite : public IOleClientSite,
                    public IOleInPlaceSite,
                    public IOleControlSite,
                    public IDispatch {
public:
    using Interfaces =
        com::InterfaceMap<IOleClientSite, IOleInPlaceSite, com::As<IOleWindow, IOleInPlaceSite>,
                          IOleControlSite, IDispatch>;

    // `pixels`: where the control lies in the frame's window.
    ControlSite(PageFrame* frame, const PageAmbients* ambients, std::wstring name,
                const RECT& pixels);

    // The control behind the site, for OnPosRectChange (not counted: the
    // page holds the control while the site serves it).
    void serve(IOleInPlaceObject* control) noexcept { inPlace_ = control; }
    void setRect(const RECT& pixels) noexcept { rect_ = pixels; }
    const RECT& rect() const noexcept { return rect_; }
    void orphan() noexcept;

    // IOleClientSite
    STDMETHODIMP SaveObject() noexcept override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) noexcept override;
    STDMETHODIMP GetContainer(IOleContainer** container) noexcept override;
    STDMETHODIMP ShowObject() noexcept override;
    STDMETHODIMP OnShowWindow(BOOL show) noexcept override;
    STDMETHODIMP RequestNewObjectLayout() noexcept override;
    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* hwnd) noexcept override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) noexcept override;
    STDMETHODIMP CanInPlaceActivate() noexcept override;
    STDMETHODIMP OnInPlaceActivate() noexcept override;
    STDMETHODIMP OnUIActivate() noexcept override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                  LPRECT posRect, LPRECT clipRect,
                                  LPOLEINPLACEFRAMEINFO frameInfo) noexcept override;
    STDMETHODIMP Scroll(SIZE extent) noexcept override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) noexcept override;
    STDMETHODIMP OnInPlaceDeactivate() noexcept override;
    STDMETHODIMP DiscardUndoState() noexcept override;
    STDMETHODIMP DeactivateAndUndo() noexcept override;
    STDMETHODIMP OnPosRectChange(LPCRECT posRect) noexcept override;
    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() noexcept override;
    STDMETHODIMP LockInPlaceActive(BOOL lock) noexcept override;
    STDMETHODIMP GetExtendedControl(IDispatch** extender) noexcept override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container,
                                 DWORD flags) noexcept override;
    STDMETHODIMP TranslateAccelerator(MSG* msg, DWORD modifiers) noexcept override;
    STDMETHODIMP OnFocus(BOOL gotFocus) noexcept override;
    STDMETHODIMP ShowPropertyFrame() noexcept override;
    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) noexcept override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) noexcept override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept override;

protected:
    virtual ~ControlSite();

private:
    HWND window() const noexcept;

    Microsoft::WRL::ComPtr<PageFrame> frame_;
    const PageAmbients* ambients_;
    std::wstring name_;
    RECT rect_;
    IOleInPlaceObject* inPlace_ = nullptr;
};

} // namespace pkw::pages
