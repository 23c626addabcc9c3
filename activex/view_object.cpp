// IViewObject2: the control's look drawn into a container's DC.
#include "activex/ole_control_impl.h"

namespace pkw::ax {
namespace {

void fillWith(HDC hdc, const RECT& rc, OLE_COLOR color) noexcept {
    COLORREF rgb = 0;
    if (FAILED(::OleTranslateColor(color, nullptr, &rgb))) rgb = ::GetSysColor(COLOR_BTNFACE);
    UniqueBrush brush(::CreateSolidBrush(rgb));
    if (brush) ::FillRect(hdc, &rc, brush.get());
}

} // namespace

STDMETHODIMP OleControlImpl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdc,
                                  LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                  ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!hdc || !bounds) return E_INVALIDARG;
    const RECT target{bounds->left, bounds->top, bounds->right, bounds->bottom};
    const HWND hwnd = window_.hwnd();
    const SIZE client = window_.clientSize();
    if (!hwnd || client.cx <= 0 || client.cy <= 0) return S_OK;
    ComPtr<IUnknown> keep(owner_.identity());
    if (!::IsWindowVisible(hwnd)) {
        // A hidden window has no pixels to copy: its background stands in.
        fillWith(hdc, target, surface_.backColor);
        return S_OK;
    }
    // The control paints now (onPaint, or whatever procedure is chained in
    // front of ours), then its window's pixels go to the target.
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const int saved = ::SaveDC(hdc);
    ::SetStretchBltMode(hdc, COLORONCOLOR);
    const BOOL copied = ::StretchBlt(hdc, target.left, target.top, target.right - target.left,
                                     target.bottom - target.top, window_.hdc(), 0, 0, client.cx,
                                     client.cy, SRCCOPY);
    if (saved) ::RestoreDC(hdc, saved);
    return copied ? S_OK : E_FAIL;
}

STDMETHODIMP OleControlImpl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                         LOGPALETTE** colors) {
    if (!colors) return E_POINTER;
    *colors = nullptr;
    return S_FALSE;
}

STDMETHODIMP OleControlImpl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze) *freeze = 0;
    return E_NOTIMPL;
}

STDMETHODIMP OleControlImpl::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

STDMETHODIMP OleControlImpl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = sink;
    if (sink && (flags & ADVF_PRIMEFIRST)) sendViewChange();
    return S_OK;
}

STDMETHODIMP OleControlImpl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) viewSink_.CopyTo(sink);
    return S_OK;
}

STDMETHODIMP OleControlImpl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

void OleControlImpl::sendViewChange() noexcept {
    if (!viewSink_ || !(viewAspects_ & DVASPECT_CONTENT)) return;
    ComPtr<IAdviseSink> sink = viewSink_;
    if (viewFlags_ & ADVF_ONLYONCE) viewSink_.Reset();
    sink->OnViewChange(DVASPECT_CONTENT, -1);
}

} // namespace pkw::ax
