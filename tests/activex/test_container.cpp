#include "test_container.h"

#include "common/com/com_ptr.h"

#include <new>

namespace pkw::test {
namespace {

constexpr const wchar_t* kFormClass = L"PkwAxTestForm";

std::wstring rectText(const RECT& rc) {
    return std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) + L"," +
           std::to_wstring(rc.right) + L"," + std::to_wstring(rc.bottom);
}

} // namespace

void pumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() > deadline) return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        pumpPending();
    }
    return true;
}

Form::Form() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kFormClass;
    ::RegisterClassExW(&wc); // a second form finds it registered
    window_.reset(::CreateWindowExW(0, kFormClass, L"form", WS_POPUP | WS_CLIPCHILDREN, 40, 40, 420,
                                    320, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    // Shown without activation: Wine then leaves the window to itself rather
    // than to a window manager, and hiding it later does not wait for one.
    ::ShowWindow(window_.get(), SW_SHOWNA);
    pumpPending();
}

// --- TestSite -----------------------------------------------------------------

ComPtr<TestSite> TestSite::create(HWND form) {
    return Adopt(new TestSite(form));
}

STDMETHODIMP TestSite::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleControlSite)
        *ppv = static_cast<IOleControlSite*>(this);
    else if (riid == IID_IDispatch && hasAmbients)
        *ppv = static_cast<IDispatch*>(this);
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TestSite::Release() {
    const LONG n = ::InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP TestSite::SaveObject() {
    calls.push_back(L"SaveObject");
    return S_OK;
}

STDMETHODIMP TestSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TestSite::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP TestSite::ShowObject() {
    calls.push_back(L"ShowObject");
    return S_OK;
}

STDMETHODIMP TestSite::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = form_;
    return S_OK;
}

STDMETHODIMP TestSite::OnInPlaceActivate() {
    calls.push_back(L"OnInPlaceActivate");
    return S_OK;
}

STDMETHODIMP TestSite::OnUIActivate() {
    calls.push_back(L"OnUIActivate");
    return S_OK;
}

STDMETHODIMP TestSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                        LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (frame) *frame = nullptr;
    if (doc) *doc = nullptr;
    if (pos) *pos = position;
    if (clip) ::GetClientRect(form_, clip);
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = form_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP TestSite::OnUIDeactivate(BOOL) {
    calls.push_back(L"OnUIDeactivate");
    return S_OK;
}

STDMETHODIMP TestSite::OnInPlaceDeactivate() {
    calls.push_back(L"OnInPlaceDeactivate");
    return S_OK;
}

STDMETHODIMP TestSite::OnPosRectChange(LPCRECT rect) {
    if (!rect) return E_POINTER;
    calls.push_back(L"OnPosRectChange " + rectText(*rect));
    posRectRequests.push_back(*rect);
    if (!honourPosRectChange || !control) return S_OK;
    position = *rect;
    return control->SetObjectRects(rect, rect);
}

STDMETHODIMP TestSite::OnControlInfoChanged() {
    calls.push_back(L"OnControlInfoChanged");
    return S_OK;
}

STDMETHODIMP TestSite::GetExtendedControl(IDispatch** extender) {
    if (!extender) return E_POINTER;
    *extender = nullptr;
    if (!extenderObject) return E_NOTIMPL;
    return extenderObject.CopyTo(extender);
}

STDMETHODIMP TestSite::OnFocus(BOOL gained) {
    calls.push_back(gained ? L"OnFocus 1" : L"OnFocus 0");
    return S_OK;
}

STDMETHODIMP TestSite::GetTypeInfoCount(UINT* n) {
    if (!n) return E_POINTER;
    *n = 0;
    return S_OK;
}

STDMETHODIMP TestSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                              EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    const auto it = ambients.find(id);
    if (it == ambients.end()) return DISP_E_MEMBERNOTFOUND;
    return ::VariantCopy(result, &it->second);
}

// --- EventSink ------------------------------------------------------------------

ComPtr<EventSink> EventSink::create(REFIID events) {
    return Adopt(new EventSink(events));
}

STDMETHODIMP EventSink::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == iid_) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) EventSink::Release() {
    const LONG n = ::InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* n) {
    if (!n) return E_POINTER;
    *n = 0;
    return S_OK;
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                               EXCEPINFO*, UINT*) {
    Event e{id, {}};
    if (params) {
        for (UINT i = params->cArgs; i-- > 0;) {
            Variant v;
            ::VariantCopyInd(&v, &params->rgvarg[i]);
            e.args.push_back(v);
        }
    }
    events.push_back(std::move(e));
    if (answer && params) answer(id, *params);
    return S_OK;
}

// --- PropertySink ---------------------------------------------------------------

ComPtr<PropertySink> PropertySink::create() {
    return Adopt(new PropertySink());
}

STDMETHODIMP PropertySink::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IPropertyNotifySink) {
        *ppv = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) PropertySink::Release() {
    const LONG n = ::InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP PropertySink::OnChanged(DISPID id) {
    changed.push_back(id);
    return S_OK;
}

HRESULT connect(IUnknown* control, REFIID iid, IUnknown* sink, DWORD* cookie) {
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = control->QueryInterface(IID_PPV_ARGS(&container));
    if (FAILED(hr)) return hr;
    ComPtr<IConnectionPoint> point;
    hr = container->FindConnectionPoint(iid, &point);
    if (FAILED(hr)) return hr;
    return point->Advise(sink, cookie);
}

} // namespace pkw::test
