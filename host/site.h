// Site: the container's side of one control on a form. It is the
// control's client site, in-place site and control site, answers the
// ambient properties through IDispatch, owns the control's extender and
// the recorders of its property-change notifications and events.
//
// A Site outlives its removal from the form when someone still holds it
// (a test's ComPtr, a control that leaked its client site): it then
// answers without a form and holds nothing of the control.
#pragma once

#include "common/com/variant.h"
#include "host/com_object.h"
#include "host/typeless_dispatch.h"
#include "host/event_recorder.h"
#include "host/notify_recorder.h"

#include <ocidl.h>
#include <oleidl.h>

#include <span>
#include <string>
#include <vector>

namespace pkw::host {

class Form;
class Extender;

// How Form::add initialises and activates a control.
struct AddOptions {
    enum class Init { New, PropertyBag, Stream };
    Init init = Init::New;
    IPropertyBag* bag = nullptr; // for Init::PropertyBag
    IStream* stream = nullptr;   // for Init::Stream (read from its start)
    // InitNew through IPersistPropertyBag instead of IPersistStreamInit.
    bool initNewThroughPropertyBag = false;
    // DoVerb(OLEIVERB_INPLACEACTIVATE) at once.
    bool activate = true;
    bool recordEvents = true;
    bool recordNotifications = true;
    // Hear events and notifications as they come, from the first one the
    // control raises while it initialises.
    EventRecorder::Observer onEvent;
    NotifyRecorder::Observer onChange;
};

class Site : public ComObject<Site, IOleClientSite, IOleInPlaceSiteEx, IOleControlSite,
                              TypelessDispatch, IAdviseSink> {
public:
    struct Counters {
        int posRectChanges = 0; // IOleInPlaceSite::OnPosRectChange
        int layoutRequests = 0; // IOleClientSite::RequestNewObjectLayout
        int controlInfoChanges = 0;
        int viewChanges = 0; // IAdviseSink::OnViewChange
        int focusGot = 0;    // IOleControlSite::OnFocus(TRUE)
        int focusLost = 0;
        int locks = 0; // LockInPlaceActive(TRUE) minus (FALSE)
        int uiActivations = 0;
        int ambientReads = 0; // ambient properties the control asked for
    };

    Site(Form& form, std::wstring name, const RECT& pixels);
    ~Site() override;

    const std::wstring& name() const noexcept { return name_; }
    Form* form() const noexcept { return form_; } // null once removed

    // --- The control -------------------------------------------------------
    IUnknown* control() const noexcept { return control_.Get(); }
    IOleObject* oleObject() const noexcept { return oleObject_.Get(); }
    IDispatch* dispatch() const noexcept { return dispatch_.Get(); } // the control's own
    IDispatch* extender() const noexcept;
    // The control's in-place window (null when not active or windowless).
    HWND window() const;
    // Position in the form's client area, in pixels.
    const RECT& rect() const noexcept { return rect_; }
    // Moves and sizes the control as a container does: SetExtent in
    // HIMETRIC, then SetObjectRects.
    HRESULT move(const RECT& pixels);
    HRESULT doVerb(LONG verb);
    bool visible() const noexcept { return visible_; }
    void setVisible(bool visible);

    bool inPlaceActive() const noexcept { return inPlaceActive_; }
    bool uiActive() const noexcept { return uiActive_; }
    bool hasFocus() const noexcept { return hasFocus_; }

    // --- Ambients of this site ---------------------------------------------
    const std::wstring& displayName() const noexcept { return displayName_; }
    // Changes DisplayName and tells the control (OnAmbientPropertyChange).
    void setDisplayName(std::wstring name);
    // Tells the control that an ambient property changed.
    void ambientChanged(DISPID id);

    // --- What the control reported -------------------------------------------
    // Recorders exist for every site; connected() tells whether the control
    // offered the connection point.
    NotifyRecorder& notifications() noexcept { return *notify_.Get(); }
    EventRecorder& events() noexcept { return *events_.Get(); }
    const Counters& counters() const noexcept { return counters_; }
    // The control's IOleControl::GetControlInfo, fetched after activation
    // and again after every OnControlInfoChanged.
    const CONTROLINFO& controlInfo() const noexcept { return controlInfo_; }
    const std::vector<ACCEL>& accelerators() const noexcept { return accelerators_; }
    HRESULT refreshControlInfo();
    // True when one of the control's accelerators matches the key message.
    bool matchesMnemonic(const MSG& msg) const;
    // IOleControl::OnMnemonic.
    HRESULT sendMnemonic(MSG& msg);

    // --- Late-bound access through the extender (extender names first) ------
    HRESULT get(const wchar_t* name, Variant& value) const;
    HRESULT put(const wchar_t* name, const VARIANT& value);
    HRESULT putRef(const wchar_t* name, IUnknown* value);
    HRESULT call(const wchar_t* name, std::span<const Variant> args = {},
                 Variant* result = nullptr);

    // --- IOleClientSite ------------------------------------------------------
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;
    // --- IOleWindow / IOleInPlaceSite(Ex) ------------------------------------
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                  LPRECT posRect, LPRECT clipRect,
                                  LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT posRect) override;
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override;
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL noRedraw) override;
    STDMETHODIMP RequestUIActivate() override;
    // --- IOleControlSite -------------------------------------------------------
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL lock) override;
    STDMETHODIMP GetExtendedControl(IDispatch** extender) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG* msg, DWORD modifiers) override;
    STDMETHODIMP OnFocus(BOOL gotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override;
    // --- IDispatch: the ambient properties -------------------------------------
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;
    // --- IAdviseSink -------------------------------------------------------------
    STDMETHODIMP_(void) OnDataChange(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG index) override;
    STDMETHODIMP_(void) OnRename(IMoniker* moniker) override;
    STDMETHODIMP_(void) OnSave() override;
    STDMETHODIMP_(void) OnClose() override;

    void* find(REFIID riid) noexcept;

private:
    friend class Form;
    // The container's order: recorders, GetMiscStatus, client site before
    // or after initialisation as the control asks, InitNew or Load,
    // SetExtent, DoVerb(OLEIVERB_INPLACEACTIVATE).
    HRESULT attach(IUnknown* control, const AddOptions& options);
    HRESULT initialize(const AddOptions& options);
    // UI and in-place deactivation, Close, SetClientSite(null), and every
    // reference to the control let go.
    void detach();
    RECT clipRect() const;

    Form* form_;
    std::wstring name_;
    std::wstring displayName_;
    RECT rect_;
    bool visible_ = true;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool hasFocus_ = false;
    bool clientSiteSet_ = false;
    DWORD adviseCookie_ = 0;

    ComPtr<IUnknown> control_;
    ComPtr<IOleObject> oleObject_;
    ComPtr<IOleInPlaceObject> inPlaceObject_;
    ComPtr<IOleControl> oleControl_;
    ComPtr<IDispatch> dispatch_;
    ComPtr<IViewObject> viewObject_;
    ComPtr<Extender> extender_;
    ComPtr<NotifyRecorder> notify_;
    ComPtr<EventRecorder> events_;

    CONTROLINFO controlInfo_{};
    std::vector<ACCEL> accelerators_;
    Counters counters_;
};

} // namespace pkw::host
