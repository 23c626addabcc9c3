// A windowless OLE control that records, in order, every call its container
// makes, so the container's own order of operations can be checked. It has
// a dual interface and an event source from the tests' type library, one
// connection point for events and one for property-change notification,
// and persistence of three properties.
#pragma once

#include "common/com/variant.h"
#include "tests/support/com_object.h"

#include "spy_types.h"

#include <ocidl.h>
#include <olectl.h>

#include <span>
#include <string>
#include <vector>

namespace pkw::test {

// The tests' type library (resource 2 of the test program).
HRESULT spyTypeLib(ComPtr<ITypeLib>& lib);
HRESULT spyTypeInfo(REFGUID guid, ComPtr<ITypeInfo>& info);
HRESULT spyRecordInfo(const wchar_t* recordName, ComPtr<IRecordInfo>& info);

class SpyConnectionPoint : public ComObject<SpyConnectionPoint, IConnectionPoint> {
public:
    SpyConnectionPoint(REFIID iid, IConnectionPointContainer* owner) : iid_(iid), owner_(owner) {}
    std::vector<ComPtr<IUnknown>> sinks() const;

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** owner) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;
    void* find(REFIID riid) noexcept;

private:
    IID iid_;
    IConnectionPointContainer* owner_; // owns this point
    std::vector<std::pair<DWORD, ComPtr<IUnknown>>> sinks_;
    DWORD next_ = 0;
};

class SpyControl
    : public ComObject<SpyControl, ISpy, IOleObject, IOleInPlaceObject, IOleControl,
                       IPersistStreamInit, IConnectionPointContainer, IProvideClassInfo2> {
public:
    SpyControl();
    ~SpyControl() override;
    IUnknown* unknown() noexcept { return static_cast<ISpy*>(this); }

    // --- For the tests --------------------------------------------------
    DWORD miscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE;
    bool hasPropertyBag = true;      // answer IPersistPropertyBag
    std::vector<std::wstring> calls; // the container's calls, in order
    short groupId = 0;
    bool value = false;
    std::wstring caption;
    LONG fakeHwnd; // a distinct number per spy, not a window

    HRESULT ambient(DISPID id, Variant& value) const;         // through the site's IDispatch
    HRESULT requestPosRect(const RECT& rect);                 // the control's size operation
    HRESULT fire(DISPID id, std::span<VARIANTARG> args = {}); // arguments in declaration order
    IOleClientSite* site() const noexcept { return site_.Get(); }

    // ISpy
    STDMETHODIMP get_Value(VARIANT_BOOL* v) override;
    STDMETHODIMP put_Value(VARIANT_BOOL v) override;
    STDMETHODIMP get_GroupID(short* v) override;
    STDMETHODIMP put_GroupID(short v) override;
    STDMETHODIMP get_hWnd(LONG* v) override;
    STDMETHODIMP get_Caption(BSTR* v) override;
    STDMETHODIMP put_Caption(BSTR v) override;
    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;
    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    STDMETHODIMP Close(DWORD save) override;
    STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                        LPCRECT pos) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* name) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;
    // IOleWindow / IOleInPlaceObject (windowless)
    STDMETHODIMP GetWindow(HWND* hwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;
    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* msg) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;
    // IPersist, IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    void* find(REFIID riid) noexcept;

private:
    // IPersistPropertyBag on an object of its own: its InitNew has the same
    // signature as IPersistStreamInit's, and the log must tell them apart.
    class BagPersistence : public IPersistPropertyBag {
    public:
        explicit BagPersistence(SpyControl& outer) : outer_(outer) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
            return outer_.QueryInterface(riid, ppv);
        }
        STDMETHODIMP_(ULONG) AddRef() override { return outer_.AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return outer_.Release(); }
        STDMETHODIMP GetClassID(CLSID* clsid) override { return outer_.GetClassID(clsid); }
        STDMETHODIMP InitNew() override;
        STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
        STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    private:
        SpyControl& outer_;
    };

    void log(std::wstring entry) { calls.push_back(std::move(entry)); }
    HRESULT activate(bool ui);
    HRESULT notifyChanged(DISPID id);

    BagPersistence bag_{*this};
    ComPtr<IOleClientSite> site_;
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    ComPtr<IAdviseSink> adviseSink_;
    ComPtr<SpyConnectionPoint> events_;
    ComPtr<SpyConnectionPoint> notify_;
    ComPtr<ITypeInfo> typeInfo_;
    RECT rect_{};
    SIZEL extent_{2540, 635};
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool dirty_ = false;
};

} // namespace pkw::test
