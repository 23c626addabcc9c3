// The window's reports, turned into the control's hooks and the container's
// notifications.
#include "activex/ole_control_impl.h"

#include "activex/mouse_pointer.h"

namespace pkw::ax {
namespace {

// Runs a hook; a throwing hook must not reach the window procedure.
template <typename F>
void hook(F&& f) noexcept {
    try {
        f();
    } catch (...) {
    }
}

} // namespace

void OleControlImpl::windowEnter() noexcept {
    addRef();
}
void OleControlImpl::windowLeave() noexcept {
    release();
}

void OleControlImpl::windowPaint() noexcept {
    if (hooksLive()) hook([this] { owner_.onPaint(); });
}

bool OleControlImpl::windowEraseBackground(HDC hdc) noexcept {
    if (owner_.paintsWholeWindow()) return true;
    COLORREF rgb = 0;
    if (FAILED(::OleTranslateColor(surface_.backColor, nullptr, &rgb))) return false;
    RECT rc{};
    ::GetClientRect(window_.hwnd(), &rc);
    // The DC's own brush: no brush object to make for each erase.
    const COLORREF previous = ::SetDCBrushColor(hdc, rgb);
    ::FillRect(hdc, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    ::SetDCBrushColor(hdc, previous);
    return true;
}

bool OleControlImpl::windowSetCursor() noexcept {
    const HCURSOR cursor = surface_.mousePointer == mouse_pointer::kCustom
                               ? mouse_pointer::iconCursor(surface_.mouseIcon.Get())
                               : mouse_pointer::systemCursor(surface_.mousePointer);
    if (!cursor) return false;
    ::SetCursor(cursor);
    return true;
}

void OleControlImpl::windowKeyDown(short keyCode, short shift) noexcept {
    if (hooksLive()) hook([&] { owner_.onKeyDown(keyCode, shift); });
}

void OleControlImpl::windowKeyPress(short keyAscii) noexcept {
    if (hooksLive()) hook([&] { owner_.onKeyPress(keyAscii); });
}

void OleControlImpl::windowKeyUp(short keyCode, short shift) noexcept {
    if (hooksLive()) hook([&] { owner_.onKeyUp(keyCode, shift); });
}

void OleControlImpl::windowButtonDown() noexcept {
    // At run time a click gives the control the focus; at design time the
    // container decides what a click selects.
    const HWND hwnd = window_.hwnd();
    if (!hooksLive() || !surface_.enabled || ::GetFocus() == hwnd) return;
    bool userMode = true;
    hook([&] { userMode = owner_.ambientUserMode(); });
    if (userMode) ::SetFocus(hwnd);
}

void OleControlImpl::windowDoubleClick() noexcept {
    if (hooksLive()) hook([this] { owner_.onDblClick(); });
}

void OleControlImpl::windowFocus(bool gained) noexcept {
    if (!hooksLive()) return;
    ComPtr<IOleControlSite> site = controlSite_;
    if (gained) {
        if (inPlaceActive_ && !uiActive_) ignore(uiActivate());
        if (site) ignore(site->OnFocus(TRUE));
        hook([this] { owner_.onGotFocus(); });
    } else {
        hook([this] { owner_.onLostFocus(); });
        if (site) ignore(site->OnFocus(FALSE));
    }
}

void OleControlImpl::windowVisible(bool visible) noexcept {
    if (visible == visible_) return;
    visible_ = visible;
    if (!hooksLive()) return;
    if (visible) {
        hook([this] { owner_.onShow(); });
    } else {
        hook([this] { owner_.onHide(); });
    }
}

void OleControlImpl::windowSized(SIZE client) noexcept {
    // The extent follows the window, unless it already stands for this
    // size (keeping the container's finer value).
    const SIZE fromExtent = units::pixelsFromHimetric(extent_, tpp_);
    if (fromExtent.cx != client.cx || fromExtent.cy != client.cy)
        extent_ = units::himetricFromPixels(client, tpp_);
    if (inPlaceActive_) {
        posRect_.right = posRect_.left + client.cx;
        posRect_.bottom = posRect_.top + client.cy;
    }
    if (client.cx == lastClient_.cx && client.cy == lastClient_.cy) return;
    lastClient_ = client;
    if (hooksLive()) hook([this] { owner_.onResize(); });
}

} // namespace pkw::ax
