#include "spy_control.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "tests/support/library.h"
#include "tests/support/units.h"

#include <string>

namespace pkw::test {
namespace {

std::wstring rectText(const RECT& r) {
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

LONG g_nextHwnd = 5000;

} // namespace

HRESULT spyTypeLib(ComPtr<ITypeLib>& lib) {
    static ComPtr<ITypeLib> cached;
    if (!cached) {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        const std::wstring resource = std::wstring(path) + L"\\2";
        PKW_RETURN_IF_FAILED(::LoadTypeLibEx(resource.c_str(), REGKIND_NONE, &cached));
    }
    lib = cached;
    return S_OK;
}

HRESULT spyTypeInfo(REFGUID guid, ComPtr<ITypeInfo>& info) {
    ComPtr<ITypeLib> lib;
    PKW_RETURN_IF_FAILED(spyTypeLib(lib));
    return lib->GetTypeInfoOfGuid(guid, &info);
}

HRESULT spyRecordInfo(const wchar_t* recordName, ComPtr<IRecordInfo>& info) {
    ComPtr<ITypeLib> lib;
    PKW_RETURN_IF_FAILED(spyTypeLib(lib));
    std::wstring name(recordName);
    ITypeInfo* found = nullptr;
    MEMBERID id = 0;
    USHORT count = 1;
    PKW_RETURN_IF_FAILED(lib->FindName(name.data(), 0, &found, &id, &count));
    if (count == 0 || !found) return TYPE_E_ELEMENTNOTFOUND;
    ComPtr<ITypeInfo> type = Adopt(found);
    return ::GetRecordInfoFromTypeInfo(type.Get(), &info);
}

// --- SpyConnectionPoint -------------------------------------------------------------

void* SpyConnectionPoint::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint)
        return static_cast<IConnectionPoint*>(this);
    return nullptr;
}

std::vector<ComPtr<IUnknown>> SpyConnectionPoint::sinks() const {
    std::vector<ComPtr<IUnknown>> result;
    for (const auto& s : sinks_)
        result.push_back(s.second);
    return result;
}

STDMETHODIMP SpyConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP SpyConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** owner) {
    if (!owner) return E_POINTER;
    *owner = owner_;
    owner_->AddRef();
    return S_OK;
}

STDMETHODIMP SpyConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    ComPtr<IUnknown> typed;
    // A sink must answer the interface it is advised for.
    if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(typed.GetAddressOf()))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = ++next_;
    sinks_.emplace_back(*cookie, typed);
    return S_OK;
}

STDMETHODIMP SpyConnectionPoint::Unadvise(DWORD cookie) {
    const auto before = sinks_.size();
    std::erase_if(sinks_, [&](const auto& s) { return s.first == cookie; });
    return sinks_.size() < before ? S_OK : CONNECT_E_NOCONNECTION;
}

STDMETHODIMP SpyConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}

// --- SpyControl --------------------------------------------------------------------------

SpyControl::SpyControl() : fakeHwnd(::InterlockedIncrement(&g_nextHwnd)) {
    events_ = makeCom<SpyConnectionPoint>(DIID_DSpyEvents, this);
    notify_ = makeCom<SpyConnectionPoint>(IID_IPropertyNotifySink, this);
    pkw::ignore(spyTypeInfo(IID_ISpy, typeInfo_));
}

SpyControl::~SpyControl() = default;

void* SpyControl::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_ISpy)
        return static_cast<ISpy*>(this);
    if (riid == IID_IOleObject) return static_cast<IOleObject*>(this);
    if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
        return static_cast<IOleInPlaceObject*>(this);
    if (riid == IID_IOleControl) return static_cast<IOleControl*>(this);
    if (riid == IID_IPersist || riid == IID_IPersistStreamInit)
        return static_cast<IPersistStreamInit*>(this);
    if (riid == IID_IPersistPropertyBag && hasPropertyBag)
        return static_cast<IPersistPropertyBag*>(&bag_);
    if (riid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
    if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
        return static_cast<IProvideClassInfo2*>(this);
    return nullptr;
}

HRESULT SpyControl::ambient(DISPID id, Variant& value) const {
    ComPtr<IDispatch> ambients;
    if (!site_) return E_UNEXPECTED;
    PKW_RETURN_IF_FAILED(site_.As(&ambients));
    DISPPARAMS none{};
    return ambients->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                            value.put(), nullptr, nullptr);
}

HRESULT SpyControl::requestPosRect(const RECT& rect) {
    if (!inPlaceSite_) return E_UNEXPECTED;
    return inPlaceSite_->OnPosRectChange(&rect);
}

HRESULT SpyControl::fire(DISPID id, std::span<VARIANTARG> args) {
    ComPtr<SpyControl> keepAlive(this);
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    for (const ComPtr<IUnknown>& sink : events_->sinks()) {
        ComPtr<IDispatch> dispatch;
        if (FAILED(sink.As(&dispatch))) continue;
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        PKW_RETURN_IF_FAILED(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                              &params, nullptr, nullptr, nullptr));
    }
    return S_OK;
}

HRESULT SpyControl::notifyChanged(DISPID id) {
    for (const ComPtr<IUnknown>& sink : notify_->sinks()) {
        ComPtr<IPropertyNotifySink> notify;
        if (SUCCEEDED(sink.As(&notify)) && notify->OnRequestEdit(id) != S_OK) return E_ACCESSDENIED;
    }
    for (const ComPtr<IUnknown>& sink : notify_->sinks()) {
        ComPtr<IPropertyNotifySink> notify;
        if (SUCCEEDED(sink.As(&notify))) notify->OnChanged(id);
    }
    dirty_ = true;
    return S_OK;
}

// --- ISpy / IDispatch ---------------------------------------------------------------------

STDMETHODIMP SpyControl::get_Value(VARIANT_BOOL* v) {
    if (!v) return E_POINTER;
    *v = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP SpyControl::put_Value(VARIANT_BOOL v) {
    value = v != VARIANT_FALSE;
    return notifyChanged(0);
}

STDMETHODIMP SpyControl::get_GroupID(short* v) {
    if (!v) return E_POINTER;
    *v = groupId;
    return S_OK;
}

STDMETHODIMP SpyControl::put_GroupID(short v) {
    groupId = v;
    return notifyChanged(1);
}

STDMETHODIMP SpyControl::get_hWnd(LONG* v) {
    if (!v) return E_POINTER;
    *v = fakeHwnd;
    return S_OK;
}

STDMETHODIMP SpyControl::get_Caption(BSTR* v) {
    if (!v) return E_POINTER;
    *v = ::SysAllocString(caption.c_str());
    return S_OK;
}

STDMETHODIMP SpyControl::put_Caption(BSTR v) {
    const std::wstring old = caption;
    caption = v ? v : L"";
    const HRESULT hr = notifyChanged(DISPID_CAPTION);
    if (FAILED(hr)) caption = old;
    return hr;
}

STDMETHODIMP SpyControl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = typeInfo_ ? 1 : 0;
    return S_OK;
}

STDMETHODIMP SpyControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0 || !typeInfo_) return DISP_E_BADINDEX;
    return typeInfo_.CopyTo(info);
}

STDMETHODIMP SpyControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!typeInfo_) return E_UNEXPECTED;
    return ::DispGetIDsOfNames(typeInfo_.Get(), names, count, ids);
}

STDMETHODIMP SpyControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (!typeInfo_) return E_UNEXPECTED;
    return ::DispInvoke(static_cast<ISpy*>(this), typeInfo_.Get(), id, flags, params, result, excep,
                        argErr);
}

// --- IOleObject ---------------------------------------------------------------------------------

STDMETHODIMP SpyControl::SetClientSite(IOleClientSite* site) {
    log(site ? L"SetClientSite" : L"SetClientSite(null)");
    site_ = site;
    inPlaceSite_.Reset();
    return S_OK;
}

STDMETHODIMP SpyControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    return site_.CopyTo(site);
}

STDMETHODIMP SpyControl::SetHostNames(LPCOLESTR, LPCOLESTR object) {
    log(std::wstring(L"SetHostNames ") + (object ? object : L""));
    return S_OK;
}

STDMETHODIMP SpyControl::Close(DWORD) {
    log(L"Close");
    if (inPlaceActive_) InPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP SpyControl::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

STDMETHODIMP SpyControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP SpyControl::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

STDMETHODIMP SpyControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP SpyControl::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT pos) {
    log(L"DoVerb " + std::to_wstring(verb));
    if (pos) rect_ = *pos;
    switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_SHOW:
        return activate(false);
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_PRIMARY:
        return activate(true);
    case OLEIVERB_HIDE:
        return UIDeactivate();
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT SpyControl::activate(bool ui) {
    if (!site_) return E_UNEXPECTED;
    if (!inPlaceSite_) PKW_RETURN_IF_FAILED(site_.As(&inPlaceSite_));
    if (!inPlaceActive_) {
        if (inPlaceSite_->CanInPlaceActivate() != S_OK) return E_FAIL;
        PKW_RETURN_IF_FAILED(inPlaceSite_->OnInPlaceActivate());
        inPlaceActive_ = true;
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> doc;
        RECT pos{}, clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof(info);
        PKW_RETURN_IF_FAILED(inPlaceSite_->GetWindowContext(&frame, &doc, &pos, &clip, &info));
        rect_ = pos;
    }
    if (ui && !uiActive_) {
        uiActive_ = true;
        PKW_RETURN_IF_FAILED(inPlaceSite_->OnUIActivate());
        ComPtr<IOleControlSite> controlSite;
        if (SUCCEEDED(site_.As(&controlSite))) controlSite->OnFocus(TRUE);
    }
    return S_OK;
}

STDMETHODIMP SpyControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs) *verbs = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP SpyControl::Update() {
    return S_OK;
}
STDMETHODIMP SpyControl::IsUpToDate() {
    return S_OK;
}

STDMETHODIMP SpyControl::GetUserClassID(CLSID* clsid) {
    return GetClassID(clsid);
}

STDMETHODIMP SpyControl::GetUserType(DWORD, LPOLESTR* name) {
    if (name) *name = nullptr;
    return OLE_S_USEREG;
}

STDMETHODIMP SpyControl::SetExtent(DWORD, SIZEL* size) {
    if (!size) return E_POINTER;
    log(L"SetExtent " + std::to_wstring(size->cx) + L"x" + std::to_wstring(size->cy));
    extent_ = *size;
    return S_OK;
}

STDMETHODIMP SpyControl::GetExtent(DWORD, SIZEL* size) {
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP SpyControl::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    log(L"Advise");
    adviseSink_ = sink;
    *cookie = 1;
    return S_OK;
}

STDMETHODIMP SpyControl::Unadvise(DWORD) {
    log(L"Unadvise");
    adviseSink_.Reset();
    return S_OK;
}

STDMETHODIMP SpyControl::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise) *advise = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP SpyControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    log(L"GetMiscStatus");
    *status = miscStatus;
    return S_OK;
}

STDMETHODIMP SpyControl::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

// --- IOleInPlaceObject -------------------------------------------------------------------------

STDMETHODIMP SpyControl::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = nullptr;
    return E_FAIL; // windowless
}

STDMETHODIMP SpyControl::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP SpyControl::InPlaceDeactivate() {
    log(L"InPlaceDeactivate");
    if (!inPlaceActive_) return S_OK;
    if (uiActive_) UIDeactivate();
    inPlaceActive_ = false;
    if (inPlaceSite_) inPlaceSite_->OnInPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP SpyControl::UIDeactivate() {
    log(L"UIDeactivate");
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP SpyControl::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (!pos) return E_POINTER;
    log(L"SetObjectRects " + rectText(*pos));
    rect_ = *pos;
    return S_OK;
}

STDMETHODIMP SpyControl::ReactivateAndUndo() {
    return E_NOTIMPL;
}

// --- IOleControl
// ------------------------------------------------------------------------------------

STDMETHODIMP SpyControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr; // the plumbing's tests cover access keys
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP SpyControl::OnMnemonic(MSG* msg) {
    if (!msg) return E_POINTER;
    log(L"OnMnemonic " + std::to_wstring(msg->message) + L" " + std::to_wstring(msg->wParam));
    return S_OK;
}

STDMETHODIMP SpyControl::OnAmbientPropertyChange(DISPID id) {
    log(L"OnAmbientPropertyChange " + std::to_wstring(id));
    return S_OK;
}

STDMETHODIMP SpyControl::FreezeEvents(BOOL) {
    return S_OK;
}

// --- Persistence
// ---------------------------------------------------------------------------------------

STDMETHODIMP SpyControl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_SpyControl;
    return S_OK;
}

STDMETHODIMP SpyControl::IsDirty() {
    return dirty_ ? S_OK : S_FALSE;
}

STDMETHODIMP SpyControl::InitNew() {
    log(L"InitNew(stream)");
    return S_OK;
}

STDMETHODIMP SpyControl::Load(IStream* stream) {
    log(L"Load(stream)");
    if (!stream) return E_POINTER;
    struct {
        short group;
        VARIANT_BOOL value;
        ULONG length;
    } head{};
    PKW_RETURN_IF_FAILED(stream->Read(&head, sizeof(head), nullptr));
    if (head.length > 4096) return E_FAIL;
    std::wstring text(head.length, L'\0');
    if (head.length)
        PKW_RETURN_IF_FAILED(stream->Read(text.data(), head.length * sizeof(wchar_t), nullptr));
    groupId = head.group;
    value = head.value != VARIANT_FALSE;
    caption = text;
    return S_OK;
}

STDMETHODIMP SpyControl::Save(IStream* stream, BOOL clearDirty) {
    log(L"Save(stream)");
    if (!stream) return E_POINTER;
    struct {
        short group;
        VARIANT_BOOL value;
        ULONG length;
    } head{groupId, value ? VARIANT_TRUE : VARIANT_FALSE, static_cast<ULONG>(caption.size())};
    PKW_RETURN_IF_FAILED(stream->Write(&head, sizeof(head), nullptr));
    PKW_RETURN_IF_FAILED(stream->Write(caption.data(), head.length * sizeof(wchar_t), nullptr));
    if (clearDirty) dirty_ = false;
    return S_OK;
}

STDMETHODIMP SpyControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = 16 + caption.size() * sizeof(wchar_t);
    return S_OK;
}

STDMETHODIMP SpyControl::BagPersistence::InitNew() {
    outer_.log(L"InitNew(bag)");
    return S_OK;
}

// The stored types are asked for, as a control reading its settings does.
STDMETHODIMP SpyControl::BagPersistence::Load(IPropertyBag* bag, IErrorLog* log) {
    outer_.log(L"Load(bag)");
    if (!bag) return E_POINTER;
    Variant v;
    v.vt = VT_BSTR;
    if (SUCCEEDED(bag->Read(L"Caption", &v, log))) outer_.caption = v.bstrVal ? v.bstrVal : L"";
    v.clear();
    v.vt = VT_I2;
    if (SUCCEEDED(bag->Read(L"GroupID", &v, log))) outer_.groupId = v.iVal;
    v.clear();
    v.vt = VT_BOOL;
    if (SUCCEEDED(bag->Read(L"Value", &v, log))) outer_.value = v.boolVal != VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP SpyControl::BagPersistence::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    outer_.log(L"Save(bag)");
    if (!bag) return E_POINTER;
    Variant caption = Variant::fromString(outer_.caption.c_str());
    Variant group = Variant::fromI2(outer_.groupId);
    Variant value = Variant::fromBool(outer_.value);
    PKW_RETURN_IF_FAILED(bag->Write(L"Caption", &caption));
    PKW_RETURN_IF_FAILED(bag->Write(L"GroupID", &group));
    PKW_RETURN_IF_FAILED(bag->Write(L"Value", &value));
    if (clearDirty) outer_.dirty_ = false;
    return S_OK;
}

// --- Connection points and class info
// ------------------------------------------------------------------

STDMETHODIMP SpyControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP SpyControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid == DIID_DSpyEvents) return events_.CopyTo(point);
    if (iid == IID_IPropertyNotifySink) return notify_.CopyTo(point);
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP SpyControl::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeInfo> coclass;
    PKW_RETURN_IF_FAILED(spyTypeInfo(CLSID_SpyControl, coclass));
    return coclass.CopyTo(info);
}

STDMETHODIMP SpyControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = DIID_DSpyEvents;
    return S_OK;
}

} // namespace pkw::test
