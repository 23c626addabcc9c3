// OleControl: everything an ActiveX control of this library needs from
// its container, written once.
//
// A control derives from OleControl and from its own dual interface, keeps
// its state in its members, and overrides the lifecycle hooks below. The
// base owns the COM identity (reference count, QueryInterface for the OLE
// interfaces), the control's own child window and its messages, ambient
// properties, the extender, property-change notification, events through
// the connection point of the class's source interface, persistence
// (property bag and stream, one reading and one writing routine per
// control), in-place activation, access keys and mouse capture.
//
// Units: sizes exchanged with the container are twips; the window works in
// pixels. twipsPerPixelX/Y() are the screen's, rounded to whole numbers.
//
// A control class, in full (NuThing with dual interface INuThing):
//
//   class NuThing final : public pkw::ax::OleControl, public INuThing {
//   public:
//       NuThing() : OleControl(kNuThingClass) {}
//       // IUnknown: the dual interface is the identity; the plumbing answers
//       // every other OLE interface.
//       STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
//           if (!ppv) return E_POINTER;
//           if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_INuThing) {
//               *ppv = static_cast<INuThing*>(this);
//               addRef();
//               return S_OK;
//           }
//           return queryOleInterface(riid, ppv); // sets *ppv = null on failure
//       }
//       STDMETHODIMP_(ULONG) AddRef() override { return addRef(); }
//       STDMETHODIMP_(ULONG) Release() override { return release(); }
//       // IDispatch: from the type library.
//       STDMETHODIMP GetTypeInfoCount(UINT* n) override { return getTypeInfoCount(n); }
//       STDMETHODIMP GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
//           return getTypeInfo(i, l, t);
//       }
//       STDMETHODIMP GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
//           return getIDsOfNames(r, n, c, l, d);
//       }
//       STDMETHODIMP Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
//                           EXCEPINFO* e, UINT* a) override {
//           return invoke(d, r, l, f, p, v, e, a);
//       }
//       IDispatch* dispatch() noexcept override { return static_cast<INuThing*>(this); }
//       ... the INuThing methods, the hooks ...
//   };
//   // The class's entry, for the server's class table (see control_class.h):
//   const pkw::ax::ControlClass kNuThingClass{
//       {&CLSID_NuThing, L"NuThing", &pkw::ax::createControl<NuThing>,
//        pkw::com::Registration::Control, kMiscStatus, kToolboxBitmap},
//       &IID_INuThing, &DIID___NuThing, kPropertyPages};
//
// More interfaces of its own (ISubclass, ...) are answered in the same
// QueryInterface before queryOleInterface. The control never deletes
// itself: release() runs onTerminate once and deletes it.
#pragma once

#include "activex/control_class.h"
#include "activex/property_bag.h"
#include "common/com/com_ptr.h"
#include "common/com/variant.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

#include <memory>
#include <new>
#include <span>
#include <string>
#include <type_traits>
#include <utility>

namespace pkw::ax {

using Microsoft::WRL::ComPtr;

class OleControl {
public:
    explicit OleControl(const ControlClass& cls);
    virtual ~OleControl();
    OleControl(const OleControl&) = delete;
    OleControl& operator=(const OleControl&) = delete;

    // --- COM identity -----------------------------------------------------
    // The derived control forwards its IUnknown methods here; its
    // QueryInterface answers its own interfaces first and then calls
    // queryOleInterface for the plumbing's.
    ULONG addRef() noexcept;
    ULONG release() noexcept;
    HRESULT queryOleInterface(REFIID riid, void** ppv) noexcept;
    // The controlling IUnknown (for handing the control to others).
    IUnknown* identity() noexcept;
    // The default dual interface as IDispatch.
    virtual IDispatch* dispatch() noexcept = 0;

    // IDispatch of the default interface, from the library's type library
    // (ITypeInfo::Invoke on the vtable); the derived control forwards its
    // four IDispatch methods here.
    HRESULT getTypeInfoCount(UINT* count) noexcept;
    HRESULT getTypeInfo(UINT index, LCID lcid, ITypeInfo** info) noexcept;
    HRESULT getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                          DISPID* ids) noexcept;
    HRESULT invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* argErr) noexcept;

    const ControlClass& controlClass() const noexcept { return cls_; }

    // Runs onInitialize, once, now that the derived object is complete
    // (createControl does this). Each OLE entry point (SetClientSite,
    // InitNew, Load, DoVerb, the IDispatch calls) runs it too if nobody
    // did, so a control made with plain `new` still gets its Initialize
    // before anything else. Returns what onInitialize left: S_OK, or
    // E_OUTOFMEMORY / E_FAIL when it threw.
    HRESULT initialize() noexcept;

protected:
    // --- Lifecycle hooks, in the order a container drives them ------------
    // onInitialize: once, from initialize(). onInitProperties: InitNew of
    // either persistence interface (or the first DoVerb of a host that gives
    // no settings). onRead/WriteProperties: both persistence interfaces; a
    // stream is read whole and checked before onReadProperties runs.
    // onShow/onHide: the window becomes visible or hidden (in-place
    // activation, DoVerb HIDE, ...). onResize: the window's client size
    // changed. onPaint: WM_PAINT, between BeginPaint and EndPaint; draw into
    // hdc(). onTerminate: once, at the final release, window still there.
    // A hook that throws is stopped at the boundary; it never reaches the
    // container or the window.
    virtual void onInitialize() {}
    virtual void onInitProperties() {}
    // Errors are the control's business: return a failure only where its
    // rules say a load or save fails.
    virtual HRESULT onReadProperties(PropertyBag& bag) = 0;
    virtual HRESULT onWriteProperties(PropertyBag& bag) = 0;
    virtual void onShow() {}
    virtual void onHide() {}
    virtual void onResize() {}
    virtual void onPaint() {}
    virtual void onTerminate() {}
    // Keyboard and focus notifications of the control's window.
    virtual void onKeyDown(short keyCode, short shift) { (void)keyCode, (void)shift; }
    virtual void onKeyPress(short keyAscii) { (void)keyAscii; }
    virtual void onKeyUp(short keyCode, short shift) { (void)keyCode, (void)shift; }
    virtual void onAccessKeyPress(short keyAscii) { (void)keyAscii; }
    virtual void onDblClick() {}
    virtual void onGotFocus() {}
    virtual void onLostFocus() {}
    virtual void onAmbientChanged(DISPID id) { (void)id; }
    // True when every paint covers the whole window (composed off screen
    // and blitted): the window is then not erased first, which would only
    // be painted over.
    virtual bool paintsWholeWindow() const noexcept { return false; }

    // --- Ambient properties ----------------------------------------------
    // Each has a sane default when the container gives none (no site, no
    // ambient dispatch, or a failing or ill-typed answer).
    bool ambientUserMode() const;            // default True
    std::wstring ambientDisplayName() const; // default the class name
    // A font object for the control to keep: a clone of the container's
    // ambient font, or a new "MS Sans Serif" 8 pt font.
    ComPtr<IFontDisp> ambientFont() const;

    // --- The control's window ("the drawing surface") ----------------------
    // The window exists from construction (parked until the container
    // activates the control), so hwnd() is valid in every hook.
    HWND hwnd() const noexcept;
    HDC hdc() const noexcept; // the window's own DC (CS_OWNDC): valid for its life
    short twipsPerPixelX() const noexcept;
    short twipsPerPixelY() const noexcept;
    // Client size in twips (pixels × twips per pixel).
    LONG scaleWidthTwips() const noexcept;
    LONG scaleHeightTwips() const noexcept;
    // The container's size operation: asks the container to resize the
    // control (width and height in one call, OnPosRectChange when in place)
    // and resizes the window itself for hosts that ignore the request; runs
    // onResize when the size changed. setWidthTwips/setHeightTwips keep the
    // other dimension of the extent.
    HRESULT setSizeTwips(LONG widthTwips, LONG heightTwips);
    HRESULT setWidthTwips(LONG widthTwips);
    HRESULT setHeightTwips(LONG heightTwips);

    // Back colour erases the window (WM_ERASEBKGND) and is the DC's
    // background colour; fore colour is the DC's text colour. Neither
    // repaints: the control draws after setting them.
    OLE_COLOR backColor() const noexcept;
    void setBackColor(OLE_COLOR color);
    OLE_COLOR foreColor() const noexcept;
    void setForeColor(OLE_COLOR color);
    // The window's font object; the control may keep the same object. Never
    // null: a window without a font gets the default one on first use. Its
    // GDI font (fontHandle) is selected into hdc().
    ComPtr<IFontDisp> font() const;
    HRESULT setFont(IFontDisp* font);
    // The GDI font to draw the window's font with (shared with every control
    // of the thread whose font looks the same); null without a font.
    HFONT fontHandle() const;
    bool enabled() const noexcept;
    void setEnabled(bool enabled);
    // MousePointer enumeration of the form runtime: 0 default, 1 arrow,
    // 2 cross, 3 I-beam, ... 99 custom (MouseIcon).
    short mousePointer() const noexcept;
    HRESULT setMousePointer(short pointer);
    ComPtr<IPictureDisp> mouseIcon() const;
    HRESULT setMouseIcon(IPictureDisp* icon);
    // Characters that act as access keys (Alt+key and, at run time, the
    // key itself when the container routes it); "" for none. They are kept
    // lower-cased (the platform's case mapping). The container learns of
    // the change through OnControlInfoChanged.
    void setAccessKeys(const std::wstring& keys);
    const std::wstring& accessKeys() const noexcept;

    // --- Talking to the container ------------------------------------------
    // Property-change notification by the persisted property's name: the
    // DISPID comes from the default interface's type info, OnChanged goes to
    // every IPropertyNotifySink, and the control becomes dirty.
    void propertyChanged(const wchar_t* name);
    // The usual property put: stores `value` in `field`, runs `then` (the
    // drawing or refresh the property needs; an HRESULT it returns ends the
    // put when it failed) and tells the container under `name`.
    template <typename Field, typename Value, typename Then>
    HRESULT setProperty(const wchar_t* name, Field& field, Value&& value, Then&& then) {
        field = std::forward<Value>(value);
        if constexpr (std::is_same_v<std::invoke_result_t<Then>, HRESULT>) {
            if (const HRESULT hr = then(); FAILED(hr)) return hr;
        } else {
            then();
        }
        propertyChanged(name);
        return S_OK;
    }
    // Raises an event of the class's source interface. `args` are in the
    // order of the event's declaration (by-reference arguments point at the
    // caller's variables, which hold the handlers' answers afterwards). The
    // control stays alive while the handlers run, even if a handler releases
    // it. Returns S_OK when no sink is connected, S_FALSE while the
    // container has frozen events (nothing is raised then); handlers'
    // failures are not reported.
    HRESULT fireEvent(DISPID id, std::span<VARIANTARG> args = {});
    // The standard mouse events (Button, Shift, X, Y) and key events
    // (KeyCode, Shift; a handler may change the key code), by reference.
    struct MouseArgs {
        SHORT button = 0;
        SHORT shift = 0;
        float x = 0;
        float y = 0;
    };
    HRESULT fireMouseEvent(DISPID id, MouseArgs args);
    HRESULT fireKeyEvent(DISPID id, short& keyCode, short shift);
    // IRecordInfo for a record type of the library's type library (for
    // event arguments of record type).
    HRESULT recordInfo(REFGUID recordType, IRecordInfo** info) const;
    // The container's extender object for this control, if any.
    ComPtr<IDispatch> extender() const;
    // The client site, if sited.
    ComPtr<IOleClientSite> clientSite() const;
    bool isTerminating() const noexcept;

    // Sets the COM error info for the current call (for ISupportErrorInfo).
    HRESULT reportError(HRESULT hr, const wchar_t* description) const;

private:
    friend class OleControlImpl;
    const ControlClass& cls_;
    std::unique_ptr<class OleControlImpl> impl_;
};

// Runs `f` at a COM boundary: exceptions become HRESULTs.
template <typename F>
HRESULT guarded(F&& f) noexcept {
    try {
        return f();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// The class entry's Creator for a default-constructible control T: a new
// control that has run its Initialize, queried for iid.
template <typename T>
HRESULT createControl(REFIID iid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    T* control = nullptr;
    try {
        control = new T();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
    // The control's first reference, dropped once the caller holds its own.
    const ComPtr<IDispatch> held = Adopt(control->dispatch());
    const HRESULT hr = control->initialize();
    if (FAILED(hr)) return hr;
    return held->QueryInterface(iid, ppv);
}

} // namespace pkw::ax
