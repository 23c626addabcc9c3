#include "pages/control_site.h"

#include "common/com/variant.h"
#include "pages/page_frame.h"

#include <olectl.h>

#include <utility>

namespace pkw::pages {
namespace {

Variant Colour(OLE_COLOR colour) {
    return Variant::fromI4(static_cast<LONG>(colour)); // OLE_COLOR travels as a 32-bit integer
}

} // namespace

ControlSite::ControlSite(PageFrame* frame, const PageAmbients* ambients, std::wstring name,
                         const RECT& pixels)
    : frame_(frame), ambients_(ambients), name_(std::move(name)), rect_(pixels) {}

ControlSite::~ControlSite() = default;

void ControlSite::orphan() noexcept {
    frame_.Reset();
    ambients_ = nullptr;
    inPlace_ = nullptr;
}

HWND ControlSite::window() const noexcept {
    HWND hwnd = nullptr;
    if (frame_) frame_->GetWindow(&hwnd);
    return hwnd;
}

// --- IOleClientSite -------------------------------------------------------------

// The page's controls keep no settings: there is nothing to save.
STDMETHODIMP ControlSite::SaveObject() noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) noexcept {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetContainer(IOleContainer** container) noexcept {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ControlSite::ShowObject() noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::OnShowWindow(BOOL) noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::RequestNewObjectLayout() noexcept {
    return E_NOTIMPL;
}

// --- IOleInPlaceSite --------------------------------------------------------------

STDMETHODIMP ControlSite::GetWindow(HWND* hwnd) noexcept {
    if (!hwnd) return E_POINTER;
    *hwnd = window();
    return *hwnd ? S_OK : E_FAIL;
}

STDMETHODIMP ControlSite::ContextSensitiveHelp(BOOL) noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::CanInPlaceActivate() noexcept {
    return window() ? S_OK : S_FALSE;
}

STDMETHODIMP ControlSite::OnInPlaceActivate() noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::OnUIActivate() noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                           LPRECT posRect, LPRECT clipRect,
                                           LPOLEINPLACEFRAMEINFO frameInfo) noexcept {
    if (!frame || !doc || !posRect || !clipRect || !frameInfo) return E_POINTER;
    *frame = nullptr;
    *doc = nullptr; // the page is the frame's only document
    const HWND hwnd = window();
    if (!hwnd) return E_UNEXPECTED;
    frame_.CopyTo(frame);
    *posRect = rect_;
    ::GetClientRect(hwnd, clipRect);
    // Callers do not always set the size field.
    frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = hwnd;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::Scroll(SIZE) noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::OnUIDeactivate(BOOL) noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::OnInPlaceDeactivate() noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::DiscardUndoState() noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::DeactivateAndUndo() noexcept {
    return inPlace_ ? inPlace_->UIDeactivate() : S_OK;
}

// The page grants every size its controls ask for.
STDMETHODIMP ControlSite::OnPosRectChange(LPCRECT posRect) noexcept {
    if (!posRect) return E_POINTER;
    rect_ = *posRect;
    const HWND hwnd = window();
    if (!inPlace_ || !hwnd) return S_OK;
    RECT clip{};
    ::GetClientRect(hwnd, &clip);
    return inPlace_->SetObjectRects(&rect_, &clip);
}

// --- IOleControlSite ---------------------------------------------------------------

STDMETHODIMP ControlSite::OnControlInfoChanged() noexcept {
    return S_OK; // a page routes no access keys to its controls
}

STDMETHODIMP ControlSite::LockInPlaceActive(BOOL) noexcept {
    return S_OK; // the controls stay active until the page goes
}

STDMETHODIMP ControlSite::GetExtendedControl(IDispatch** extender) noexcept {
    if (extender) *extender = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::TransformCoords(POINTL*, POINTF*, DWORD) noexcept {
    return E_NOTIMPL;
}

STDMETHODIMP ControlSite::TranslateAccelerator(MSG*, DWORD) noexcept {
    return S_FALSE;
}

STDMETHODIMP ControlSite::OnFocus(BOOL) noexcept {
    return S_OK;
}

STDMETHODIMP ControlSite::ShowPropertyFrame() noexcept {
    return E_NOTIMPL;
}

// --- IDispatch: the ambient properties --------------------------------------------

STDMETHODIMP ControlSite::GetTypeInfoCount(UINT* count) noexcept {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

// Controls ask for ambients by DISPID only.
STDMETHODIMP ControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) noexcept {
    if (ids)
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP ControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                 EXCEPINFO*, UINT*) noexcept {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!result) return E_POINTER;
    Variant value;
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        // The text box makes its edit window only for a running form.
        value = Variant::fromBool(true);
        break;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
        value = Variant::fromBool(false);
        break;
    case DISPID_AMBIENT_DISPLAYNAME:
        value = Variant::fromString(name_.c_str());
        break;
    case DISPID_AMBIENT_LOCALEID:
        value = Variant::fromI4(static_cast<LONG>(::GetUserDefaultLCID()));
        break;
    case DISPID_AMBIENT_FONT:
        if (!ambients_ || !ambients_->font) return DISP_E_MEMBERNOTFOUND;
        value = Variant::fromDispatch(ambients_->font.Get());
        break;
    case DISPID_AMBIENT_BACKCOLOR:
        if (!ambients_) return DISP_E_MEMBERNOTFOUND;
        value = Colour(ambients_->backColor);
        break;
    case DISPID_AMBIENT_FORECOLOR:
        if (!ambients_) return DISP_E_MEMBERNOTFOUND;
        value = Colour(ambients_->foreColor);
        break;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    value.detach(result);
    return S_OK;
}

} // namespace pkw::pages
