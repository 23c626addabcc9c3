// The wide-character edit window inside the control's window: its creation
// from the settings, its place inside the one-pixel frame, and the messages
// attached on it and on its parent.
#include "textbox/nu_mtext40.h"

#include "activex/hover.h"
#include "common/com/module.h"
#include "siblings/api/scls.h"

#include <algorithm>

namespace pkw::textbox {
namespace {

constexpr int kFrame = 1; // the border, in pixels

// Single line: no ES_MULTILINE, ES_AUTOHSCROLL or scroll bars.
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;

// What the control hears of each window, in attach order.
constexpr UINT kEditMessages[] = {
    WM_SETFOCUS,  WM_CUT,           WM_PASTE,         WM_CLEAR,       WM_CHAR,
    WM_KEYUP,     WM_KEYDOWN,       WM_MOUSEACTIVATE, WM_MOUSEMOVE,   WM_LBUTTONDOWN,
    WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP,     WM_RBUTTONDOWN, WM_RBUTTONDBLCLK,
    WM_MBUTTONUP, WM_MBUTTONDOWN,   WM_MBUTTONDBLCLK,
};
constexpr UINT kParentMessages[] = {
    WM_TIMER,        WM_MOUSEMOVE,     WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP,
    WM_RBUTTONDOWN,  WM_MBUTTONUP,     WM_MBUTTONDOWN, WM_COMMAND,   WM_SYSCOLORCHANGE,
    WM_CTLCOLOREDIT, WM_MOUSEACTIVATE, WM_PAINT,
};

DWORD alignmentStyle(LONG alignment) noexcept {
    switch (alignment) {
    case 1:
        return ES_CENTER;
    case 2:
        return ES_RIGHT;
    default:
        return ES_LEFT;
    }
}

} // namespace

LRESULT NuMText40::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    // Without an edit window every member reads 0.
    return state_.m_hWndEdit ? ::SendMessageW(state_.m_hWndEdit.get(), msg, wParam, lParam) : 0;
}

std::pair<LONG, LONG> NuMText40::Selection() const {
    DWORD start = 0, end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<LONG>(start), static_cast<LONG>(end)};
}

void NuMText40::CreateEditWindow() {
    if (state_.m_bDesignMode) return;
    // Wide both ways: a re-created window keeps every character.
    std::wstring text = state_.m_sText;
    if (state_.m_hWndEdit) {
        text = ReadWindowText();
        DestroyEditWindow();
    }
    DWORD style = kEditStyle | alignmentStyle(state_.m_lAlignment);
    if (!state_.m_bHideSelection) style |= ES_NOHIDESEL;
    const RECT r = LayoutEditWindow(false);
    state_.m_hWndEdit.reset(::CreateWindowExW(0, L"Edit", L"", style, r.left, r.top,
                                              r.right - r.left, r.bottom - r.top, hwnd(), nullptr,
                                              module::handle(), nullptr));
    if (!state_.m_hWndEdit) return;
    const ComPtr<IFontDisp> fontDisp = font();
    ComPtr<IFont> f;
    HFONT hFont = nullptr;
    if (fontDisp && SUCCEEDED(fontDisp.As(&f))) ignore(f->get_hFont(&hFont));
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    Send(EM_LIMITTEXT, static_cast<WPARAM>(state_.m_lMaxLength));
    ::SetWindowTextW(state_.m_hWndEdit.get(), text.c_str());
    Send(EM_SETMARGINS, EC_LEFTMARGIN, 0);
    Send(EM_SETPASSWORDCHAR, state_.m_sPasswordChar.empty() ? 0 : state_.m_sPasswordChar[0]);
    ::ShowWindow(state_.m_hWndEdit.get(), SW_SHOW);
    AttachEditMessages();
}

void NuMText40::DestroyEditWindow() {
    if (!state_.m_hWndEdit) return;
    DetachEditMessages();
    state_.m_hWndEdit.reset();
}

RECT NuMText40::LayoutEditWindow(bool updateWidth) {
    const SIZE client = [this] {
        RECT r{};
        ::GetClientRect(hwnd(), &r);
        return SIZE{r.right, r.bottom};
    }();
    const int tppx = std::max<int>(twipsPerPixelX(), 1);
    const int left = kFrame + state_.m_iMarginLeft;
    const int top = kFrame;
    if (updateWidth) {
        // Kept in twips in 16 bits, as the settings keep it.
        const int pixels = client.cx - state_.m_iMarginLeft - 2 * kFrame;
        state_.m_iEditWidthTwips = static_cast<short>(pixels * tppx);
    }
    const int width = state_.m_iEditWidthTwips / tppx;
    int height = client.cy - (2 * kFrame + 2);
    if (!updateWidth) {
        // At least one line of the font with some room around it.
        SIZE w{};
        const HDC dc = hdc();
        if (dc) ::GetTextExtentPoint32W(dc, L"W", 1, &w);
        if (height - top < w.cy + 6) height = top + w.cy + 6;
    }
    return RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
}

void NuMText40::Resize() {
    state_.m_bResizing = true;
    try {
        const RECT r = LayoutEditWindow(true);
        if (state_.m_hWndEdit)
            ::SetWindowPos(state_.m_hWndEdit.get(), nullptr, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        DrawFrame();
    } catch (...) {
        // A failing resize leaves the last layout.
    }
    state_.m_bResizing = false;
}

void NuMText40::AttachEditMessages() {
    DetachEditMessages();
    if (!state_.m_hWndEdit) return;
    const HWND edit = state_.m_hWndEdit.get();
    state_.m_hWndParent = ::GetParent(edit);
    for (const UINT m : kEditMessages)
        AttachMessage(edit, m);
    for (const UINT m : kParentMessages)
        AttachMessage(state_.m_hWndParent, m);
}

void NuMText40::DetachEditMessages() {
    // Without its messages the hover timer would tick for nobody.
    if (state_.m_bHover && state_.m_hWndParent) ax::hover::Stop(state_.m_hWndParent);
    state_.m_bHover = false;
    ReleaseMessages();
}

} // namespace pkw::textbox
