#include "host/form.h"
#include "host/names.h"

#include "common/com/hresult.h"
#include "host/form_dispatch.h"
#include "host/frame.h"

#include <olectl.h>

#include <algorithm>

namespace pkw::host {
namespace {

constexpr wchar_t kFormClass[] = L"PickwellTestForm";

void registerFormClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kFormClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

Form::Form() : Form(Options{}) {}

Form::Form(Options options) : options_(std::move(options)) {
    ambients_.font = defaultAmbientFont();
    frame_ = makeCom<Frame>(this);
    dispatch_ = makeCom<FormDispatch>(this);
    registerFormClass(&Form::windowProc);
    // Sized so that the client area is exactly as asked.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frameRect{0, 0, options_.clientSize.cx, options_.clientSize.cy};
    ::AdjustWindowRectEx(&frameRect, style, FALSE, 0);
    window_.reset(::CreateWindowExW(
        0, kFormClass, options_.caption.c_str(), style, options_.position.x, options_.position.y,
        frameRect.right - frameRect.left, frameRect.bottom - frameRect.top, nullptr, nullptr,
        ::GetModuleHandleW(nullptr), this));
    addMessageFilter(this);
    if (options_.show) show();
}

Form::~Form() {
    removeMessageFilter(this);
    removeAll();
    activeObject_.Reset();
    frame_->orphan();
    dispatch_->orphan();
    if (window_) ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

IOleInPlaceFrame* Form::frame() const noexcept {
    return frame_.Get();
}
IOleContainer* Form::container() const noexcept {
    return frame_.Get();
}
IDispatch* Form::dispatch() const noexcept {
    return dispatch_.Get();
}

RECT Form::clientRect() const {
    RECT r{};
    if (window_) ::GetClientRect(window_.get(), &r);
    return r;
}

// --- Controls --------------------------------------------------------------------------

ComPtr<Site> Form::add(IUnknown* control, std::wstring name, const RECT& pixels,
                       const AddOptions& options, HRESULT* hr) {
    HRESULT result = window_ ? S_OK : E_UNEXPECTED;
    ComPtr<Site> site;
    if (SUCCEEDED(result) && !control) result = E_POINTER;
    if (SUCCEEDED(result)) {
        site = makeCom<Site>(*this, std::move(name), pixels);
        // In the list before activation: the control may look for its
        // siblings (EnumObjects, Parent.Controls) while it initialises.
        sites_.push_back(site);
        result = site->attach(control, options);
        if (FAILED(result)) {
            remove(*site.Get());
            site.Reset();
        }
    }
    if (hr) *hr = result;
    return site;
}

ComPtr<Site> Form::add(REFCLSID clsid, std::wstring name, const RECT& pixels,
                       const AddOptions& options, HRESULT* hr) {
    ComPtr<IUnknown> control;
    const HRESULT created =
        ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
    if (FAILED(created)) {
        if (hr) *hr = created;
        return nullptr;
    }
    return add(control.Get(), std::move(name), pixels, options, hr);
}

ComPtr<Site> Form::add(const wchar_t* progId, std::wstring name, const RECT& pixels,
                       const AddOptions& options, HRESULT* hr) {
    CLSID clsid{};
    const HRESULT found = progId ? ::CLSIDFromProgID(progId, &clsid) : E_POINTER;
    if (FAILED(found)) {
        if (hr) *hr = found;
        return nullptr;
    }
    return add(clsid, std::move(name), pixels, options, hr);
}

HRESULT Form::remove(Site& site) {
    ComPtr<Site> keep(&site);
    auto it = std::find_if(sites_.begin(), sites_.end(),
                           [&](const ComPtr<Site>& s) { return s.Get() == &site; });
    if (it == sites_.end()) return S_FALSE;
    if (uiActive_ == &site) uiActive_ = nullptr;
    if (focused_ == &site) focused_ = nullptr;
    site.detach();
    // Look again: detaching runs the control's code, which may have
    // removed other controls.
    std::erase_if(sites_, [&](const ComPtr<Site>& s) { return s.Get() == &site; });
    return S_OK;
}

void Form::removeAll() {
    // Last added first, as a form unloads its controls.
    while (!sites_.empty())
        remove(*sites_.back().Get());
}

Site* Form::site(std::wstring_view name) const {
    for (const ComPtr<Site>& s : sites_)
        if (sameName(s->name(), name)) return s.Get();
    return nullptr;
}

// --- Ambient properties ------------------------------------------------------------------

void Form::notifyAmbientChange(DISPID id) {
    for (const ComPtr<Site>& site : sites())
        site->ambientChanged(id);
}

void Form::setUserMode(bool userMode) {
    ambients_.userMode = userMode;
    notifyAmbientChange(DISPID_AMBIENT_USERMODE);
}

void Form::setAmbientFont(IFontDisp* font) {
    ambients_.font = font;
    notifyAmbientChange(DISPID_AMBIENT_FONT);
}

void Form::setAmbient(DISPID id, const VARIANT& value) {
    std::erase(ambients_.missing, id);
    std::erase_if(ambients_.overrides, [&](const auto& o) { return o.first == id; });
    ambients_.overrides.emplace_back(id, Variant(value));
    notifyAmbientChange(id);
}

void Form::removeAmbient(DISPID id) {
    std::erase_if(ambients_.overrides, [&](const auto& o) { return o.first == id; });
    ambients_.missing.push_back(id);
    notifyAmbientChange(id);
}

// --- Focus and keys ---------------------------------------------------------------------

HRESULT Form::focus(Site& site) {
    PKW_RETURN_IF_FAILED(site.doVerb(OLEIVERB_UIACTIVATE));
    HWND target = site.window();
    if (!target) return S_OK; // windowless: UI activation is all there is
    HWND now = ::GetFocus();
    if (now != target && !::IsChild(target, now)) ::SetFocus(target);
    now = ::GetFocus();
    return now == target || ::IsChild(target, now) ? S_OK : S_FALSE;
}

void Form::setActiveObject(IOleInPlaceActiveObject* object) {
    activeObject_ = object;
}

void Form::onUIActivate(Site& site) {
    // One UI-active control per form: the previous one steps down.
    if (uiActive_ && uiActive_ != &site) {
        ComPtr<Site> previous(uiActive_);
        uiActive_ = nullptr;
        if (IOleObject* object = previous->oleObject()) {
            ComPtr<IOleInPlaceObject> inPlace;
            if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&inPlace))))
                pkw::ignore(inPlace->UIDeactivate());
        }
    }
    uiActive_ = &site;
}

void Form::onUIDeactivate(Site& site) {
    if (uiActive_ == &site) uiActive_ = nullptr;
}

void Form::onFocus(Site& site, bool gotFocus) {
    if (gotFocus)
        focused_ = &site;
    else if (focused_ == &site)
        focused_ = nullptr;
}

Site* Form::mnemonic(wchar_t key, bool alt) {
    const SHORT scan = ::VkKeyScanW(key);
    if (scan == -1) return nullptr;
    MSG msg{};
    msg.hwnd = ::GetFocus();
    if (!owns(msg.hwnd)) msg.hwnd = window_.get();
    msg.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = LOBYTE(scan);
    msg.lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(LOBYTE(scan), MAPVK_VK_TO_VSC)) << 16) |
                 (alt ? (1 << 29) : 0);
    msg.time = ::GetMessageTime();
    for (const ComPtr<Site>& site : sites()) {
        if (!site->matchesMnemonic(msg)) continue;
        pkw::ignore(site->sendMnemonic(msg));
        return site.Get();
    }
    return nullptr;
}

bool Form::owns(HWND hwnd) const {
    return hwnd && window_ && (hwnd == window_.get() || ::IsChild(window_.get(), hwnd));
}

bool Form::preTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !owns(msg.hwnd)) return false;
    // The UI-active control first, as a frame's message loop does.
    if (activeObject_) {
        ComPtr<IOleInPlaceActiveObject> active = activeObject_;
        if (active->TranslateAccelerator(&msg) == S_OK) return true;
    }
    // Then the access keys of every control.
    const bool mnemonicKey =
        msg.message == WM_SYSKEYDOWN || (behaviour_.plainKeyMnemonics && msg.message == WM_KEYDOWN);
    if (!mnemonicKey) return false;
    for (const ComPtr<Site>& site : sites()) {
        if (!site->matchesMnemonic(msg)) continue;
        pkw::ignore(site->sendMnemonic(msg));
        return true;
    }
    return false;
}

// --- Window -------------------------------------------------------------------------------

void Form::show() {
    if (!window_) return;
    closed_ = false;
    ::ShowWindow(window_.get(), SW_SHOWNORMAL);
    ::SetForegroundWindow(window_.get());
    ::UpdateWindow(window_.get());
}

void Form::hide() {
    if (window_) ::ShowWindow(window_.get(), SW_HIDE);
}

void Form::repaint() {
    if (!window_) return;
    ::RedrawWindow(window_.get(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpPending();
}

void Form::paintBackground(HWND hwnd, HDC dc) const {
    COLORREF color = 0;
    if (FAILED(::OleTranslateColor(ambients_.backColor, nullptr, &color)))
        color = ::GetSysColor(COLOR_BTNFACE);
    UniqueBrush brush(::CreateSolidBrush(color));
    RECT r{};
    ::GetClientRect(hwnd, &r);
    ::FillRect(dc, &r, brush.get());
}

LRESULT CALLBACK Form::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    return form->handle(hwnd, msg, wParam, lParam);
}

LRESULT Form::handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        paintBackground(hwnd, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PRINTCLIENT:
        // Controls that show what lies behind them ask the form to draw.
        paintBackground(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SYSCOMMAND:
        // No menu mode: Alt alone must not start a modal loop in a test.
        if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
        break;
    case WM_CLOSE:
        closed_ = true;
        hide();
        return 0;
    case WM_ACTIVATE:
        if (activeObject_) {
            ComPtr<IOleInPlaceActiveObject> active = activeObject_;
            pkw::ignore(active->OnFrameWindowActivate(LOWORD(wParam) != WA_INACTIVE));
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace pkw::host
