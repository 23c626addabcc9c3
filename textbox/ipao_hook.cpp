#include "textbox/ipao_hook.h"

#include "common/com/bstr.h"
#include "common/com/com_ptr.h"
#include "common/com/hresult.h"
#include "siblings/api/scls.h"

#include <shlobj.h>
#include <wrl/client.h>

#include <cstring>

namespace pkw::textbox::hook {
namespace {

using Microsoft::WRL::ComPtr;

struct HookRecord;

// IOleInPlaceActiveObject's slots in order: the record is an interface
// pointer because its first field points at this table.
struct HookVtable {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(HookRecord*, REFIID, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(HookRecord*);
    ULONG(STDMETHODCALLTYPE* Release)(HookRecord*);
    HRESULT(STDMETHODCALLTYPE* GetWindow)(HookRecord*, HWND*);
    HRESULT(STDMETHODCALLTYPE* ContextSensitiveHelp)(HookRecord*, BOOL);
    HRESULT(STDMETHODCALLTYPE* TranslateAccelerator)(HookRecord*, MSG*);
    HRESULT(STDMETHODCALLTYPE* OnFrameWindowActivate)(HookRecord*, BOOL);
    HRESULT(STDMETHODCALLTYPE* OnDocWindowActivate)(HookRecord*, BOOL);
    HRESULT(STDMETHODCALLTYPE* ResizeBorder)(HookRecord*, LPCRECT, IOleInPlaceUIWindow*, BOOL);
    HRESULT(STDMETHODCALLTYPE* EnableModeless)(HookRecord*, BOOL);
};

// Four pointers, in this order; no reference is held by any of them.
struct HookRecord {
    const HookVtable* vtable;
    IOleInPlaceActiveObject* real;
    _IPAO* ipao;
    HookRecord* self;
};
static_assert(sizeof(HookRecord) == 4 * sizeof(void*));

HRESULT STDMETHODCALLTYPE hookQueryInterface(HookRecord* r, REFIID riid, void** ppv) {
    if (riid == IID_IOleInPlaceActiveObject) {
        if (!ppv) return E_POINTER;
        *ppv = r->self;
        r->vtable->AddRef(r);
        return S_OK;
    }
    // Every other interface, IUnknown too, is the real control's.
    return r->real->QueryInterface(riid, ppv);
}

// The real control's count: the record lives as long as it is registered.
// Nothing of the record is touched after the call: the last Release may
// terminate the control, which frees the record.
ULONG STDMETHODCALLTYPE hookAddRef(HookRecord* r) {
    return r->real->AddRef();
}
ULONG STDMETHODCALLTYPE hookRelease(HookRecord* r) {
    return r->real->Release();
}

HRESULT STDMETHODCALLTYPE hookGetWindow(HookRecord* r, HWND* hwnd) {
    return r->real->GetWindow(hwnd);
}
HRESULT STDMETHODCALLTYPE hookContextSensitiveHelp(HookRecord* r, BOOL enter) {
    return r->real->ContextSensitiveHelp(enter);
}
HRESULT STDMETHODCALLTYPE hookOnFrameWindowActivate(HookRecord* r, BOOL activate) {
    return r->real->OnFrameWindowActivate(activate);
}
HRESULT STDMETHODCALLTYPE hookOnDocWindowActivate(HookRecord* r, BOOL activate) {
    return r->real->OnDocWindowActivate(activate);
}
HRESULT STDMETHODCALLTYPE hookResizeBorder(HookRecord* r, LPCRECT border,
                                           IOleInPlaceUIWindow* window, BOOL frame) {
    const ComPtr<IOleInPlaceUIWindow> held(window);
    return r->real->ResizeBorder(border, window, frame);
}
HRESULT STDMETHODCALLTYPE hookEnableModeless(HookRecord* r, BOOL enable) {
    return r->real->EnableModeless(enable);
}

HRESULT STDMETHODCALLTYPE hookTranslateAccelerator(HookRecord* r, MSG* msg) {
    if (!msg) return r->real->TranslateAccelerator(msg);
    // The control stays alive while it decides, even if a handler lets go.
    const ComPtr<_IPAO> control(r->ipao);
    const ComPtr<IOleInPlaceActiveObject> real(r->real);
    LONG_PTR wParam = static_cast<LONG_PTR>(msg->wParam);
    LONG_PTR lParam = msg->lParam;
    LONG y = msg->pt.y;
    LONG time = static_cast<LONG>(msg->time);
    LONG answer = 1;
    const HRESULT hr = control->TranslateAccelerator(
        reinterpret_cast<LONG_PTR>(msg->hwnd), static_cast<LONG>(msg->message), &wParam, &lParam,
        static_cast<short>(msg->wParam & 0x7FFF), msg->pt.x, &y, &time, &answer);
    // The control may rewrite the container's message.
    msg->wParam = static_cast<WPARAM>(wParam);
    msg->lParam = lParam;
    msg->pt.y = y;
    msg->time = static_cast<DWORD>(time);
    // A failing decision counts as "not mine": the real object decides.
    if (SUCCEEDED(hr) && answer == 0) return S_OK;
    return real->TranslateAccelerator(msg);
}

constexpr HookVtable kVtable{
    &hookQueryInterface,
    &hookAddRef,
    &hookRelease,
    &hookGetWindow,
    &hookContextSensitiveHelp,
    &hookTranslateAccelerator,
    &hookOnFrameWindowActivate,
    &hookOnDocWindowActivate,
    &hookResizeBorder,
    &hookEnableModeless,
};

HookRecord* registered(HWND hwnd) noexcept {
    ComPtr<IGlobalSubclass> subclass = sib::ThreadSubclass();
    if (!subclass || !hwnd) return nullptr;
    try {
        const Bstr name(PropertyName(hwnd));
        LONG_PTR value = 0;
        if (FAILED(subclass->GetWindowProperty(hwnd, name.get(), &value))) return nullptr;
        return reinterpret_cast<HookRecord*>(value);
    } catch (...) {
        return nullptr;
    }
}

} // namespace

std::wstring PropertyName(HWND hwnd) {
    return L"m_IPAOHookStruct_ID:" + std::to_wstring(reinterpret_cast<ULONG_PTR>(hwnd));
}

HRESULT InstallIPAOHook(_IPAO* control, HWND hwnd) noexcept {
    if (!control || !hwnd) return E_INVALIDARG;
    ComPtr<IMalloc> malloc;
    if (FAILED(::SHGetMalloc(&malloc)) || !malloc) return E_OUTOFMEMORY;
    try {
        ComPtr<IOleInPlaceActiveObject> real;
        PKW_RETURN_IF_FAILED(control->QueryInterface(IID_PPV_ARGS(&real)));
        ComPtr<IGlobalSubclass> subclass = sib::ThreadSubclass();
        if (!subclass) return S_FALSE;
        // A second install for the same window replaces the first.
        RemoveIPAOHook(hwnd);
        void* block = malloc->Alloc(sizeof(HookRecord));
        if (!block) return S_FALSE;
        auto* record = static_cast<HookRecord*>(block);
        *record = HookRecord{&kVtable, real.Get(), control, record};
        const Bstr name(PropertyName(hwnd));
        if (FAILED(subclass->SetWindowProperty(hwnd, name.get(),
                                               reinterpret_cast<LONG_PTR>(record)))) {
            malloc->Free(block);
            return S_FALSE;
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

void ActivateIPAOHook(_IPAO* control, HWND hwnd) noexcept {
    HookRecord* record = registered(hwnd);
    if (!record || !control) return;
    try {
        ComPtr<IOleObject> object;
        ComPtr<IOleClientSite> site;
        ComPtr<IOleInPlaceSite> inPlace;
        if (FAILED(control->QueryInterface(IID_PPV_ARGS(&object))) ||
            FAILED(object->GetClientSite(&site)) || !site || FAILED(site.As(&inPlace)))
            return;
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> doc;
        RECT pos{}, clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof(info);
        if (FAILED(inPlace->GetWindowContext(&frame, &doc, &pos, &clip, &info))) return;
        auto* active = reinterpret_cast<IOleInPlaceActiveObject*>(record);
        if (frame) ignore(frame->SetActiveObject(active, nullptr));
        if (doc) ignore(doc->SetActiveObject(active, nullptr));
    } catch (...) {
    }
}

void RemoveIPAOHook(HWND hwnd) noexcept {
    HookRecord* record = registered(hwnd);
    if (!record) return;
    ComPtr<IGlobalSubclass> subclass = sib::ThreadSubclass();
    ComPtr<IMalloc> malloc;
    try {
        const Bstr name(PropertyName(hwnd));
        LONG_PTR old = 0;
        if (subclass) ignore(subclass->RemoveWindowProperty(hwnd, name.get(), &old));
    } catch (...) {
        return; // still registered: freeing it would leave a dangling entry
    }
    if (SUCCEEDED(::SHGetMalloc(&malloc)) && malloc) malloc->Free(record);
}

IOleInPlaceActiveObject* RegisteredHook(HWND hwnd) noexcept {
    return reinterpret_cast<IOleInPlaceActiveObject*>(registered(hwnd));
}

} // namespace pkw::textbox::hook
