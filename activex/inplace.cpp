// In-place and UI activation, the in-place object interfaces and the
// container's size operation.
#include "activex/ole_control_impl.h"

#include "common/com/hresult.h"

namespace pkw::ax {
namespace {

bool isEmpty(const RECT& rc) noexcept {
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

// Clips the window to the part of `pos` inside `clip` (both in the
// parent's coordinates); no region when nothing is cut off.
void applyClip(HWND hwnd, const RECT& pos, const RECT* clip) noexcept {
    if (!hwnd) return;
    RECT visible = pos;
    if (clip && !::IntersectRect(&visible, &pos, clip)) visible = RECT{};
    if (!clip || ::EqualRect(&visible, &pos)) {
        ::SetWindowRgn(hwnd, nullptr, TRUE);
        return;
    }
    ::OffsetRect(&visible, -pos.left, -pos.top);
    UniqueRegion region(::CreateRectRgnIndirect(&visible));
    // The window owns the region once it is set.
    if (region && ::SetWindowRgn(hwnd, region.get(), TRUE)) static_cast<void>(region.release());
}

} // namespace

HRESULT OleControlImpl::inPlaceActivate(bool uiActivateToo) noexcept {
    if (!site_) return E_UNEXPECTED;
    if (!inPlaceActive_) {
        ComPtr<IOleInPlaceSite> site;
        PKW_RETURN_IF_FAILED(site_.As(&site));
        if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
        PKW_RETURN_IF_FAILED(site->OnInPlaceActivate());
        inPlaceSite_ = site;
        inPlaceActive_ = true;

        HWND parent = nullptr;
        if (FAILED(site->GetWindow(&parent)) || !parent) {
            InPlaceDeactivate();
            return E_FAIL;
        }
        RECT pos{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof(frameInfo);
        if (FAILED(site->GetWindowContext(&frame_, &uiWindow_, &pos, &clip, &frameInfo))) {
            pos = clip = RECT{};
        }
        if (isEmpty(pos)) {
            // A container without a position yet: our extent, at its origin.
            const SIZE px = units::pixelsFromHimetric(extent_, tpp_);
            pos = RECT{pos.left, pos.top, pos.left + px.cx, pos.top + px.cy};
        }
        posRect_ = pos;
        window_.place(parent, pos);
        applyClip(window_.hwnd(), pos, isEmpty(clip) ? nullptr : &clip);
    }
    return uiActivateToo ? uiActivate() : S_OK;
}

HRESULT OleControlImpl::uiActivate() noexcept {
    if (!inPlaceActive_ || !inPlaceSite_) return E_UNEXPECTED;
    if (uiActive_) return S_OK;
    uiActive_ = true;
    ComPtr<IOleInPlaceSite> site = inPlaceSite_;
    ignore(site->OnUIActivate());
    auto* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (frame_) {
        ignore(frame_->SetActiveObject(active, cls_.className));
        ignore(frame_->SetBorderSpace(nullptr));
    }
    if (uiWindow_) {
        ignore(uiWindow_->SetActiveObject(active, cls_.className));
        ignore(uiWindow_->SetBorderSpace(nullptr));
    }
    // The focus last: a control whose focus handler puts another active
    // object in place (an accelerator hook) keeps it.
    const HWND hwnd = window_.hwnd();
    const HWND focus = ::GetFocus();
    if (hwnd && focus != hwnd && !::IsChild(hwnd, focus)) ::SetFocus(hwnd);
    return S_OK;
}

void OleControlImpl::uiDeactivate() noexcept {
    if (!uiActive_) return;
    uiActive_ = false;
    if (uiWindow_) ignore(uiWindow_->SetActiveObject(nullptr, nullptr));
    if (frame_) ignore(frame_->SetActiveObject(nullptr, nullptr));
    if (ComPtr<IOleInPlaceSite> site = inPlaceSite_) ignore(site->OnUIDeactivate(FALSE));
}

STDMETHODIMP OleControlImpl::InPlaceDeactivate() {
    if (!inPlaceActive_) return S_OK;
    ComPtr<IUnknown> keep(owner_.identity());
    uiDeactivate();
    inPlaceActive_ = false;
    window_.park();
    ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
    frame_.Reset();
    uiWindow_.Reset();
    if (site) ignore(site->OnInPlaceDeactivate());
    return S_OK;
}

STDMETHODIMP OleControlImpl::UIDeactivate() {
    uiDeactivate();
    return S_OK;
}

STDMETHODIMP OleControlImpl::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = window_.hwnd();
    return *hwnd ? S_OK : E_FAIL;
}

STDMETHODIMP OleControlImpl::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP OleControlImpl::SetObjectRects(LPCRECT posRect, LPCRECT clipRect) {
    if (!posRect) return E_POINTER;
    posRect_ = *posRect;
    window_.move(*posRect);
    applyClip(window_.hwnd(), *posRect, clipRect);
    return S_OK;
}

STDMETHODIMP OleControlImpl::ReactivateAndUndo() {
    return INPLACE_E_NOTUNDOABLE;
}

// Keys go to the window by the normal dispatch; the container keeps Tab
// and its own accelerators.
STDMETHODIMP OleControlImpl::TranslateAccelerator(LPMSG) {
    return S_FALSE;
}

STDMETHODIMP OleControlImpl::OnFrameWindowActivate(BOOL) {
    return S_OK;
}
STDMETHODIMP OleControlImpl::OnDocWindowActivate(BOOL) {
    return S_OK;
}
STDMETHODIMP OleControlImpl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}
STDMETHODIMP OleControlImpl::EnableModeless(BOOL) {
    return S_OK;
}

HRESULT OleControlImpl::setSizeTwips(LONG widthTwips, LONG heightTwips) noexcept {
    if (widthTwips < 0 || heightTwips < 0) return E_INVALIDARG;
    const SIZEL extent{units::himetricFromTwips(widthTwips), units::himetricFromTwips(heightTwips)};
    const SIZE px{units::pixelsFromTwips(widthTwips, tpp_.x),
                  units::pixelsFromTwips(heightTwips, tpp_.y)};
    // The size it has already: nothing to ask the container, nothing to
    // redraw (a load asks for the saved size, usually the current one).
    const SIZE current = window_.clientSize();
    if (extent.cx == extent_.cx && extent.cy == extent_.cy && current.cx == px.cx &&
        current.cy == px.cy)
        return S_OK;
    extent_ = extent;
    if (inPlaceActive_ && inPlaceSite_) {
        // The container decides; a good one answers with SetObjectRects.
        RECT wanted{posRect_.left, posRect_.top, posRect_.left + px.cx, posRect_.top + px.cy};
        ComPtr<IOleInPlaceSite> site = inPlaceSite_;
        ignore(site->OnPosRectChange(&wanted));
    }
    // Hosts that ignore the request still see the control at its size.
    const SIZE now = window_.clientSize();
    if (now.cx != px.cx || now.cy != px.cy) window_.resize(px);
    sendViewChange();
    return S_OK;
}

SIZEL OleControlImpl::extentTwips() const noexcept {
    return SIZEL{units::twipsFromHimetric(extent_.cx), units::twipsFromHimetric(extent_.cy)};
}

} // namespace pkw::ax
