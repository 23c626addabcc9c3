// The OLE side of OleControl: every interface a container talks to, the
// control's window reports, and the state they share. One class, its
// methods spread over one file per concern:
//
//   ole_control.cpp       identity, lifecycle, reference count, QueryInterface
//   ole_object.cpp        IOleObject
//   inplace.cpp           in-place and UI activation, IOleInPlaceObject,
//                         IOleInPlaceActiveObject, the container's size operation
//   control_info.cpp      IOleControl (access keys, ambient changes, frozen events)
//   view_object.cpp       IViewObject2
//   persistence.cpp       IPersistStreamInit, IPersistPropertyBag
//   connection_points.cpp IConnectionPointContainer, events, property changes
//   class_info.cpp        IProvideClassInfo2, ISpecifyPropertyPages, ISupportErrorInfo
//   dispatch.cpp          IDispatch of the default interface
//   ambient.cpp           ambient properties, extender
//   surface.cpp           the window's colours, font, pointer, enabled state
//   window_events.cpp     the window's reports turned into hooks and container calls
#pragma once

#include "activex/accelerators.h"
#include "activex/control_window.h"
#include "activex/shared_font.h"
#include "activex/ole_control.h"
#include "activex/units.h"
#include "common/com/hresult.h"
#include "common/com/module.h"
#include "common/com/server/connection_point.h"
#include "common/com/server/dual_type_info.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>

namespace pkw::ax {

class OleControlImpl final : public IOleObject,
                             public IOleInPlaceObject,
                             public IOleInPlaceActiveObject,
                             public IOleControl,
                             public IViewObject2,
                             public IPersistStreamInit,
                             public IPersistPropertyBag,
                             public com::ConnectionPointContainer,
                             public IProvideClassInfo2,
                             public ISpecifyPropertyPages,
                             public ISupportErrorInfo,
                             private WindowListener {
public:
    explicit OleControlImpl(OleControl& owner);
    ~OleControlImpl();
    OleControlImpl(const OleControlImpl&) = delete;
    OleControlImpl& operator=(const OleControlImpl&) = delete;

    // --- Identity and lifecycle (ole_control.cpp) --------------------------
    HRESULT query(REFIID riid, void** ppv) noexcept;
    ULONG addRef() noexcept;
    ULONG release() noexcept;
    HRESULT initialize() noexcept;
    bool terminating() const noexcept { return terminating_; }

    // --- IUnknown: the control's identity -----------------------------------
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // --- IOleObject (ole_object.cpp) ----------------------------------------
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                        LPCRECT posRect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* userType) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP Unadvise(DWORD connection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

    // --- IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject (inplace.cpp)
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT posRect, LPCRECT clipRect) override;
    STDMETHODIMP ReactivateAndUndo() override;
    STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;

    // --- IOleControl (control_info.cpp) -------------------------------------
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* msg) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // --- IViewObject2 (view_object.cpp) -------------------------------------
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                      HDC targetDevice, HDC hdc, LPCRECTL bounds, LPCRECTL metafileBounds,
                      BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
    STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                             HDC targetDevice, LOGPALETTE** colors) override;
    STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    STDMETHODIMP Unfreeze(DWORD freeze) override;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // --- IPersistStreamInit, IPersistPropertyBag (persistence.cpp) ----------
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // --- IConnectionPointContainer (connection_points.cpp) -------------------
    com::ConnectionPoint* connectionPoint(std::size_t index) noexcept override;

    // --- IProvideClassInfo2, ISpecifyPropertyPages, ISupportErrorInfo --------
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;
    STDMETHODIMP GetPages(CAUUID* pages) override;
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // --- Services for OleControl's protected API ----------------------------
    // connection_points.cpp
    void propertyChanged(const wchar_t* name) noexcept;
    HRESULT fireEvent(DISPID id, std::span<VARIANTARG> args) noexcept;
    void sendViewChange() noexcept;
    // ambient.cpp
    HRESULT ambient(DISPID id, Variant& value) const noexcept;
    // A new "MS Sans Serif" 8 pt font; null when it cannot be made.
    static ComPtr<IFontDisp> defaultFont() noexcept;
    ComPtr<IDispatch> extender() const noexcept;
    // inplace.cpp
    HRESULT setSizeTwips(LONG widthTwips, LONG heightTwips) noexcept;
    SIZEL extentTwips() const noexcept;
    // control_info.cpp
    void setAccessKeys(const std::wstring& keys);

    // State the public API reads and writes directly.
    struct Surface {
        OLE_COLOR backColor = 0x8000000F;
        OLE_COLOR foreColor = 0x80000012;
        ComPtr<IFontDisp> font;
        SharedFont selectedFont; // the font's GDI font, selected into the DC
        bool enabled = true;
        short mousePointer = 0;
        ComPtr<IPictureDisp> mouseIcon;
        std::wstring accessKeys;
    };
    // surface.cpp
    void applyColors() noexcept;
    HRESULT applyFont(IFontDisp* font) noexcept;
    void releaseSelectedFont() noexcept;

    OleControl& owner_;
    const ControlClass& cls_;
    // IDispatch of the default interface (dispatch.cpp).
    com::DualTypeInfo typeInfo_;
    module::ObjectLock moduleLock_;
    const units::TwipsPerPixel tpp_;
    Surface surface_;
    ControlWindow window_;

private:
    // WindowListener (window_events.cpp)
    void windowEnter() noexcept override;
    void windowLeave() noexcept override;
    void windowPaint() noexcept override;
    bool windowEraseBackground(HDC hdc) noexcept override;
    bool windowSetCursor() noexcept override;
    void windowKeyDown(short keyCode, short shift) noexcept override;
    void windowKeyPress(short keyAscii) noexcept override;
    void windowKeyUp(short keyCode, short shift) noexcept override;
    void windowButtonDown() noexcept override;
    void windowDoubleClick() noexcept override;
    void windowFocus(bool gained) noexcept override;
    void windowVisible(bool visible) noexcept override;
    void windowSized(SIZE client) noexcept override;

    // Lifecycle (ole_control.cpp)
    void shutdown() noexcept;
    // Hooks run only while the control is whole: initialised, not terminated.
    bool hooksLive() const noexcept { return initialized_ && !terminating_; }

    // Activation (inplace.cpp)
    HRESULT inPlaceActivate(bool uiActivate) noexcept;
    HRESULT uiActivate() noexcept;
    void uiDeactivate() noexcept;
    void dropSite() noexcept;

    // Persistence (persistence.cpp)
    HRESULT runInitProperties() noexcept;
    HRESULT readFrom(IPropertyBag* bag, IErrorLog* log) noexcept;
    HRESULT writeTo(IPropertyBag* bag) noexcept;

    // Access keys (control_info.cpp)
    void rebuildAccelerators();

    LONG refs_ = 1;
    bool initialized_ = false;      // onInitialize ran
    bool propertiesLoaded_ = false; // InitNew or Load ran
    bool terminating_ = false;      // onTerminate started
    bool dirty_ = false;
    LONG frozen_ = 0;

    // The container.
    ComPtr<IOleClientSite> site_;
    ComPtr<IOleControlSite> controlSite_;
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    ComPtr<IOleInPlaceFrame> frame_;
    ComPtr<IOleInPlaceUIWindow> uiWindow_;
    ComPtr<IOleAdviseHolder> adviseHolder_;
    ComPtr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    RECT posRect_{};
    SIZEL extent_{};    // HIMETRIC
    SIZE lastClient_{}; // the size onResize last saw
    bool visible_ = false;

    // Events and property changes.
    com::ConnectionPoint eventPoint_;
    com::ConnectionPoint propertyPoint_;

    accelerators::UniqueAccel accel_;
    int accelCount_ = 0;
};

} // namespace pkw::ax
