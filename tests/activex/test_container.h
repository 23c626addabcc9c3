// A minimal hand-written OLE container for the plumbing's tests: a form
// window, a client site with in-place and control sites and (optionally)
// ambient properties, an event sink and a property-change sink, each
// recording what reached it.
#pragma once

#include "common/com/variant.h"
#include "common/win/unique_handle.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pkw::test {

using Microsoft::WRL::ComPtr;

// Pumps this thread's messages until `done` answers true or a generous
// deadline passes; answers `done()` at the end.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
void pumpPending();

// A visible top-level window for controls to live in.
class Form {
public:
    Form();
    HWND hwnd() const noexcept { return window_.get(); }

private:
    UniqueWindow window_;
};

class TestSite final : public IOleClientSite,
                       public IOleInPlaceSite,
                       public IOleControlSite,
                       public IDispatch {
public:
    static ComPtr<TestSite> create(HWND form);

    // Settings a test may change.
    bool hasAmbients = true;            // false: no IDispatch on the site at all
    std::map<DISPID, Variant> ambients; // missing: DISP_E_MEMBERNOTFOUND
    RECT position{10, 20, 110, 50};
    bool honourPosRectChange = true;      // answer OnPosRectChange with SetObjectRects
    IOleInPlaceObject* control = nullptr; // not owned: the control owns the site
    ComPtr<IDispatch> extenderObject;

    // What reached the site, in order.
    std::vector<std::wstring> calls;
    std::vector<RECT> posRectRequests;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override;
    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT rect) override;
    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** extender) override;
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL gained) override;
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }
    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    explicit TestSite(HWND form) : form_(form) {}
    ~TestSite() = default;
    LONG refs_ = 1;
    HWND form_;
};

// An event sink: records each event with its arguments in declaration
// order (by-reference arguments dereferenced, as they were on arrival), and
// lets the test answer.
class EventSink final : public IDispatch {
public:
    struct Event {
        DISPID id;
        std::vector<Variant> args;
    };

    static ComPtr<EventSink> create(REFIID events);

    std::vector<Event> events;
    // Runs after recording, with the raw parameters (last argument first).
    std::function<void(DISPID, DISPPARAMS&)> answer;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* n) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override;

private:
    explicit EventSink(REFIID events) : iid_(events) {}
    ~EventSink() = default;
    LONG refs_ = 1;
    IID iid_;
};

class PropertySink final : public IPropertyNotifySink {
public:
    static ComPtr<PropertySink> create();

    std::vector<DISPID> changed;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

private:
    PropertySink() = default;
    ~PropertySink() = default;
    LONG refs_ = 1;
};

// Connects `sink` to the connection point `iid` of `control`.
HRESULT connect(IUnknown* control, REFIID iid, IUnknown* sink, DWORD* cookie);

} // namespace pkw::test
