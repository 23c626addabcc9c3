#include "host/site.h"

#include "common/com/hresult.h"
#include "host/dispatch.h"
#include "host/dispatch_table.h"
#include "host/extender.h"
#include "host/form.h"
#include "host/units.h"

#include <olectl.h>

#include <cmath>
#include <cwctype>

namespace pkw::host {

Site::Site(Form& form, std::wstring name, const RECT& pixels)
    : form_(&form), name_(std::move(name)), displayName_(name_), rect_(pixels),
      notify_(makeCom<NotifyRecorder>()), events_(makeCom<EventRecorder>()) {
    controlInfo_.cb = sizeof(controlInfo_);
}

Site::~Site() = default;

void* Site::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        return static_cast<IOleClientSite*>(this);
    if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite || riid == IID_IOleInPlaceSiteEx)
        return static_cast<IOleInPlaceSiteEx*>(this);
    if (riid == IID_IOleControlSite) return static_cast<IOleControlSite*>(this);
    if (riid == IID_IAdviseSink) return static_cast<IAdviseSink*>(this);
    // A host without ambient properties has no IDispatch on its site.
    if (riid == IID_IDispatch && (!form_ || form_->behaviour().ambientDispatch))
        return static_cast<IDispatch*>(this);
    return nullptr;
}

IDispatch* Site::extender() const noexcept {
    return extender_.Get();
}

HWND Site::window() const {
    HWND hwnd = nullptr;
    if (inPlaceObject_) inPlaceObject_->GetWindow(&hwnd);
    return hwnd;
}

RECT Site::clipRect() const {
    if (form_) return form_->clientRect();
    return rect_;
}

// --- Activation and removal ---------------------------------------------------------

HRESULT Site::attach(IUnknown* control, const AddOptions& options) {
    if (!control) return E_POINTER;
    PKW_RETURN_IF_FAILED(control->QueryInterface(IID_PPV_ARGS(&control_)));
    PKW_RETURN_IF_FAILED(control_.As(&oleObject_));
    control_.As(&dispatch_);
    control_.As(&oleControl_);
    control_.As(&inPlaceObject_);
    extender_ = makeCom<Extender>(this, name_, dispatch_, ComPtr<IDispatch>(form_->dispatch()));

    // Listen first, so that what the control reports while it initialises
    // is recorded too.
    if (options.recordNotifications) {
        ComPtr<NotifyRecorder> recorder;
        if (SUCCEEDED(NotifyRecorder::connect(control_.Get(), recorder, options.onChange)))
            notify_ = recorder;
    }
    if (options.recordEvents) {
        ComPtr<EventRecorder> recorder;
        if (SUCCEEDED(EventRecorder::connect(control_.Get(), recorder, options.onEvent)))
            events_ = recorder;
    }

    DWORD misc = 0;
    if (FAILED(oleObject_->GetMiscStatus(DVASPECT_CONTENT, &misc))) misc = 0;
    const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst) {
        PKW_RETURN_IF_FAILED(oleObject_->SetClientSite(this));
        clientSiteSet_ = true;
    }
    PKW_RETURN_IF_FAILED(initialize(options));
    if (!siteFirst) {
        PKW_RETURN_IF_FAILED(oleObject_->SetClientSite(this));
        clientSiteSet_ = true;
    }
    pkw::ignore(oleObject_->SetHostNames(L"Pickwell control host", name_.c_str()));
    if (FAILED(oleObject_->Advise(this, &adviseCookie_))) adviseCookie_ = 0;
    if (SUCCEEDED(control_.As(&viewObject_)))
        pkw::ignore(viewObject_->SetAdvise(DVASPECT_CONTENT, 0, this));

    // A control may keep a size of its own: a refused extent is not an error.
    SIZEL extent = units::pixelsToHimetric({rect_.right - rect_.left, rect_.bottom - rect_.top});
    pkw::ignore(oleObject_->SetExtent(DVASPECT_CONTENT, &extent));
    if (options.activate) PKW_RETURN_IF_FAILED(doVerb(OLEIVERB_INPLACEACTIVATE));
    pkw::ignore(refreshControlInfo());
    return S_OK;
}

HRESULT Site::initialize(const AddOptions& options) {
    switch (options.init) {
    case AddOptions::Init::PropertyBag: {
        if (!options.bag) return E_INVALIDARG;
        ComPtr<IPersistPropertyBag> persist;
        PKW_RETURN_IF_FAILED(control_.As(&persist));
        return persist->Load(options.bag, nullptr);
    }
    case AddOptions::Init::Stream: {
        if (!options.stream) return E_INVALIDARG;
        ComPtr<IPersistStreamInit> persist;
        PKW_RETURN_IF_FAILED(control_.As(&persist));
        const LARGE_INTEGER start{};
        PKW_RETURN_IF_FAILED(options.stream->Seek(start, STREAM_SEEK_SET, nullptr));
        return persist->Load(options.stream);
    }
    case AddOptions::Init::New:
        break;
    }
    ComPtr<IPersistPropertyBag> bag;
    ComPtr<IPersistStreamInit> stream;
    control_.As(&bag);
    control_.As(&stream);
    if (bag && (options.initNewThroughPropertyBag || !stream)) return bag->InitNew();
    if (stream) return stream->InitNew();
    return S_OK; // nothing to initialise
}

void Site::detach() {
    ComPtr<Site> keepAlive(this);
    notify_->disconnect();
    events_->disconnect();
    if (viewObject_) pkw::ignore(viewObject_->SetAdvise(DVASPECT_CONTENT, 0, nullptr));
    if (oleObject_ && adviseCookie_) pkw::ignore(oleObject_->Unadvise(adviseCookie_));
    adviseCookie_ = 0;
    if (inPlaceObject_) {
        if (uiActive_) pkw::ignore(inPlaceObject_->UIDeactivate());
        if (inPlaceActive_) pkw::ignore(inPlaceObject_->InPlaceDeactivate());
    }
    if (oleObject_) {
        pkw::ignore(oleObject_->Close(OLECLOSE_NOSAVE));
        if (clientSiteSet_) pkw::ignore(oleObject_->SetClientSite(nullptr));
    }
    clientSiteSet_ = false;
    if (extender_) extender_->orphan();
    viewObject_.Reset();
    inPlaceObject_.Reset();
    oleControl_.Reset();
    dispatch_.Reset();
    oleObject_.Reset();
    control_.Reset();
    inPlaceActive_ = uiActive_ = hasFocus_ = false;
    form_ = nullptr;
}

// --- Container operations ----------------------------------------------------------

HRESULT Site::doVerb(LONG verb) {
    if (!oleObject_) return E_UNEXPECTED;
    if (!form_) return E_UNEXPECTED;
    RECT r = rect_;
    return oleObject_->DoVerb(verb, nullptr, this, 0, form_->hwnd(), &r);
}

HRESULT Site::move(const RECT& pixels) {
    rect_ = pixels;
    if (!oleObject_) return E_UNEXPECTED;
    SIZEL extent = units::pixelsToHimetric({rect_.right - rect_.left, rect_.bottom - rect_.top});
    pkw::ignore(oleObject_->SetExtent(DVASPECT_CONTENT, &extent));
    if (inPlaceObject_ && inPlaceActive_) {
        const RECT clip = clipRect();
        return inPlaceObject_->SetObjectRects(&rect_, &clip);
    }
    return S_OK;
}

void Site::setVisible(bool visible) {
    visible_ = visible;
    if (HWND hwnd = window()) ::ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void Site::setDisplayName(std::wstring name) {
    displayName_ = std::move(name);
    ambientChanged(DISPID_AMBIENT_DISPLAYNAME);
}

void Site::ambientChanged(DISPID id) {
    if (oleControl_) pkw::ignore(oleControl_->OnAmbientPropertyChange(id));
}

HRESULT Site::refreshControlInfo() {
    accelerators_.clear();
    controlInfo_ = {};
    controlInfo_.cb = sizeof(controlInfo_);
    if (!oleControl_) return E_NOINTERFACE;
    CONTROLINFO info{};
    info.cb = sizeof(info);
    PKW_RETURN_IF_FAILED(oleControl_->GetControlInfo(&info));
    controlInfo_ = info;
    // The table is the control's: copy it while it is valid.
    if (info.hAccel && info.cAccel > 0) {
        accelerators_.resize(info.cAccel);
        const int copied = ::CopyAcceleratorTableW(info.hAccel, accelerators_.data(), info.cAccel);
        accelerators_.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    }
    return S_OK;
}

bool Site::matchesMnemonic(const MSG& msg) const {
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    if (!keyDown) return false;
    const bool alt = msg.message == WM_SYSKEYDOWN || (msg.lParam & (1 << 29));
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const UINT vk = static_cast<UINT>(msg.wParam);
    const wchar_t ch = static_cast<wchar_t>(::MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0xFFFF);
    for (const ACCEL& a : accelerators_) {
        if (((a.fVirt & FALT) != 0) != alt) continue;
        if (a.fVirt & FVIRTKEY) {
            if (((a.fVirt & FSHIFT) != 0) != shift || ((a.fVirt & FCONTROL) != 0) != ctrl) continue;
            if (a.key == vk) return true;
        } else if (ch && std::towupper(static_cast<wint_t>(a.key)) ==
                             std::towupper(static_cast<wint_t>(ch))) {
            return true;
        }
    }
    return false;
}

HRESULT Site::sendMnemonic(MSG& msg) {
    if (!oleControl_) return E_NOINTERFACE;
    return oleControl_->OnMnemonic(&msg);
}

// --- Late-bound helpers --------------------------------------------------------------

HRESULT Site::get(const wchar_t* name, Variant& value) const {
    return getProperty(extender_.Get(), name, value);
}

HRESULT Site::put(const wchar_t* name, const VARIANT& value) {
    return putProperty(extender_.Get(), name, value);
}

HRESULT Site::putRef(const wchar_t* name, IUnknown* value) {
    return putRefProperty(extender_.Get(), name, value);
}

HRESULT Site::call(const wchar_t* name, std::span<const Variant> args, Variant* result) {
    return callMethod(extender_.Get(), name, args, result);
}

// --- IOleClientSite ---------------------------------------------------------------------

STDMETHODIMP Site::SaveObject() {
    return S_OK;
}

STDMETHODIMP Site::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Site::GetContainer(IOleContainer** container) {
    if (!container) return E_POINTER;
    *container = form_ ? form_->container() : nullptr;
    if (!*container) return E_NOINTERFACE;
    (*container)->AddRef();
    return S_OK;
}

STDMETHODIMP Site::ShowObject() {
    return S_OK;
}
STDMETHODIMP Site::OnShowWindow(BOOL) {
    return S_OK;
}

STDMETHODIMP Site::RequestNewObjectLayout() {
    ++counters_.layoutRequests;
    if (!oleObject_) return E_UNEXPECTED;
    SIZEL extent{};
    PKW_RETURN_IF_FAILED(oleObject_->GetExtent(DVASPECT_CONTENT, &extent));
    RECT r = rect_;
    r.right = r.left + units::himetricToPixelsX(extent.cx);
    r.bottom = r.top + units::himetricToPixelsY(extent.cy);
    rect_ = r;
    if (inPlaceObject_ && inPlaceActive_) {
        const RECT clip = clipRect();
        return inPlaceObject_->SetObjectRects(&rect_, &clip);
    }
    return S_OK;
}

// --- IOleInPlaceSite(Ex) -------------------------------------------------------------------

STDMETHODIMP Site::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = form_ ? form_->hwnd() : nullptr;
    return *hwnd ? S_OK : E_FAIL;
}

STDMETHODIMP Site::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP Site::CanInPlaceActivate() {
    return form_ ? S_OK : S_FALSE;
}

STDMETHODIMP Site::OnInPlaceActivate() {
    inPlaceActive_ = true;
    // The control may have had no IOleInPlaceObject before activation.
    if (!inPlaceObject_ && control_) control_.As(&inPlaceObject_);
    return S_OK;
}

STDMETHODIMP Site::OnUIActivate() {
    uiActive_ = true;
    ++counters_.uiActivations;
    if (form_) form_->onUIActivate(*this);
    return S_OK;
}

STDMETHODIMP Site::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                    LPRECT posRect, LPRECT clipRect,
                                    LPOLEINPLACEFRAMEINFO frameInfo) {
    if (!frame || !doc || !posRect || !clipRect || !frameInfo) return E_POINTER;
    *frame = nullptr;
    *doc = nullptr; // the frame is the document window too
    if (!form_) return E_UNEXPECTED;
    *frame = form_->frame();
    (*frame)->AddRef();
    *posRect = rect_;
    *clipRect = this->clipRect();
    frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = form_->hwnd();
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP Site::Scroll(SIZE) {
    return E_NOTIMPL;
}

STDMETHODIMP Site::OnUIDeactivate(BOOL) {
    uiActive_ = false;
    if (form_) form_->onUIDeactivate(*this);
    return S_OK;
}

STDMETHODIMP Site::OnInPlaceDeactivate() {
    inPlaceActive_ = false;
    uiActive_ = false;
    return S_OK;
}

STDMETHODIMP Site::DiscardUndoState() {
    return S_OK;
}

STDMETHODIMP Site::DeactivateAndUndo() {
    return inPlaceObject_ ? inPlaceObject_->UIDeactivate() : E_UNEXPECTED;
}

// The control's own size operation: take its rectangle and confirm it.
STDMETHODIMP Site::OnPosRectChange(LPCRECT posRect) {
    if (!posRect) return E_POINTER;
    ++counters_.posRectChanges;
    // A poorer host hears the request and keeps the control where it was.
    if (form_ && !form_->behaviour().honourPosRectChange) return S_OK;
    rect_ = *posRect;
    if (!inPlaceObject_) return S_OK;
    const RECT clip = clipRect();
    return inPlaceObject_->SetObjectRects(&rect_, &clip);
}

STDMETHODIMP Site::OnInPlaceActivateEx(BOOL* noRedraw, DWORD) {
    if (noRedraw) *noRedraw = FALSE;
    return OnInPlaceActivate();
}

STDMETHODIMP Site::OnInPlaceDeactivateEx(BOOL) {
    return OnInPlaceDeactivate();
}

STDMETHODIMP Site::RequestUIActivate() {
    return form_ ? S_OK : S_FALSE;
}

// --- IOleControlSite ----------------------------------------------------------------------

STDMETHODIMP Site::OnControlInfoChanged() {
    ++counters_.controlInfoChanges;
    pkw::ignore(refreshControlInfo());
    return S_OK;
}

STDMETHODIMP Site::LockInPlaceActive(BOOL lock) {
    counters_.locks += lock ? 1 : -1;
    return S_OK;
}

STDMETHODIMP Site::GetExtendedControl(IDispatch** extender) {
    if (!extender) return E_POINTER;
    *extender = nullptr;
    if (!extender_ || (form_ && !form_->behaviour().extender)) return E_NOTIMPL;
    *extender = extender_.Get();
    (*extender)->AddRef();
    return S_OK;
}

// Container units are twips (the form's scale); HIMETRIC on the control's side.
STDMETHODIMP Site::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container) return E_POINTER;
    constexpr float kTwipsPerHimetric = 1440.0f / 2540.0f;
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x) * kTwipsPerHimetric;
        container->y = static_cast<float>(himetric->y) * kTwipsPerHimetric;
        return S_OK;
    }
    if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = std::lround(container->x / kTwipsPerHimetric);
        himetric->y = std::lround(container->y / kTwipsPerHimetric);
        return S_OK;
    }
    return E_INVALIDARG;
}

STDMETHODIMP Site::TranslateAccelerator(MSG*, DWORD) {
    return S_FALSE;
}

STDMETHODIMP Site::OnFocus(BOOL gotFocus) {
    hasFocus_ = gotFocus != FALSE;
    ++(gotFocus ? counters_.focusGot : counters_.focusLost);
    if (form_) form_->onFocus(*this, hasFocus_);
    return S_OK;
}

STDMETHODIMP Site::ShowPropertyFrame() {
    return E_NOTIMPL;
}

// --- IDispatch: ambient properties -------------------------------------------------------------

STDMETHODIMP Site::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    const AmbientProperty* property = names[0] ? findAmbient(std::wstring_view(names[0])) : nullptr;
    HRESULT hr = S_OK;
    ids[0] = property ? property->id : DISPID_UNKNOWN;
    if (!property) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP Site::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO*, UINT*) {
    ++counters_.ambientReads;
    if (!form_) return DISP_E_MEMBERNOTFOUND;
    if (isPut(flags) || !isGet(flags)) return DISP_E_MEMBERNOTFOUND;
    if (positionalCount(params) != 0) return DISP_E_BADPARAMCOUNT;
    Variant value;
    PKW_RETURN_IF_FAILED(readAmbient(form_->ambients(), displayName_, id, value));
    if (result) value.detach(result);
    return S_OK;
}

// --- IAdviseSink
// -----------------------------------------------------------------------------------

STDMETHODIMP_(void) Site::OnDataChange(FORMATETC*, STGMEDIUM*) {}
STDMETHODIMP_(void) Site::OnViewChange(DWORD, LONG) {
    ++counters_.viewChanges;
}
STDMETHODIMP_(void) Site::OnRename(IMoniker*) {}
STDMETHODIMP_(void) Site::OnSave() {}
STDMETHODIMP_(void) Site::OnClose() {}

} // namespace pkw::host
