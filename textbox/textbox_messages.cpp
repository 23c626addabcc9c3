// The messages the text box attached on its own window and on the edit
// window, and its own context menu. Each message reaches the edit window's
// procedure once: either the subclassing library runs it (answer 2) or the
// handler passes it on itself (answer 0).
#include "textbox/nu_mtext40.h"

#include "activex/control_window.h"
#include "activex/hover.h"
#include "common/win/unique_handle.h"
#include "textbox/ipao_hook.h"

#include <algorithm>

namespace pkw::textbox {
namespace {

// The messages the control answers itself (the previous procedure runs
// only when the handler passes the message on).
constexpr UINT kConsumed[] = {WM_PAINT,     WM_MOUSEACTIVATE, WM_KEYDOWN, WM_CHAR,
                              WM_RBUTTONUP, WM_CUT,           WM_PASTE,   WM_CLEAR};

// The context menu shown while Locked, in item order ("-" a separator).
struct MenuItem {
    const wchar_t* caption;
    UINT message; // what choosing it sends to the edit window; 0 for none
};
constexpr MenuItem kMenu[] = {
    {L"&Undo", WM_UNDO},
    {L"-", 0},
    {L"Cu&t", WM_CUT},
    {L"&Copy", WM_COPY},
    {L"&Paste", WM_PASTE},
    {L"&Delete", WM_CLEAR},
    {L"-", 0},
    {L"Select &All", EM_SETSEL},
};
enum MenuIndex : UINT { kUndo = 0, kCut = 2, kCopy = 3, kPaste = 4, kDelete = 5, kSelectAll = 7 };

using UniqueMenu = UniqueHandle<HMENU, &::DestroyMenu>;

constexpr UINT kMenuIdBase = 1; // TrackPopupMenu answers 0 for "nothing chosen"

} // namespace

bool NuMText40::ConsumesMessage(UINT message) const noexcept {
    return std::find(std::begin(kConsumed), std::end(kConsumed), message) != std::end(kConsumed);
}

LRESULT NuMText40::HandleMessage(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    return hWnd == state_.m_hWndEdit.get() ? EditMessage(iMsg, wParam, lParam)
                                           : ControlMessage(hWnd, iMsg, wParam, lParam);
}

LRESULT NuMText40::ControlMessage(HWND self, UINT iMsg, WPARAM wParam, LPARAM lParam) {
    switch (iMsg) {
    case WM_PAINT:
        PaintControlWindow();
        return 0;
    case WM_CTLCOLOREDIT: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (reinterpret_cast<HWND>(lParam) != state_.m_hWndEdit.get())
            return CallOldWindowProc(self, iMsg, wParam, lParam);
        ::SetBkColor(dc, colours_.colour(Colour::Back));
        ::SetTextColor(dc, colours_.colour(Colour::Fore));
        return reinterpret_cast<LRESULT>(colours_.brush(Colour::Back));
    }
    case WM_SYSCOLORCHANGE:
        UpdateColors(false, true);
        return CallOldWindowProc(self, iMsg, wParam, lParam);
    case WM_MOUSEACTIVATE: {
        const LRESULT result = CallOldWindowProc(self, iMsg, wParam, lParam);
        if (state_.m_hWndEdit) ::SetFocus(state_.m_hWndEdit.get());
        return result;
    }
    case WM_TIMER: {
        const LRESULT result = CallOldWindowProc(self, iMsg, wParam, lParam);
        if (wParam == ax::hover::kTimerId) HoverTick(self);
        return result;
    }
    default:
        return CallOldWindowProc(self, iMsg, wParam, lParam);
    }
}

void NuMText40::HoverTick(HWND self) {
    if (state_.m_bHover && ax::hover::CursorOutside(self)) {
        ax::hover::Stop(self);
        state_.m_bHover = false;
    }
    if (state_.m_bHover || !state_.m_bHoverPaint) return;
    state_.m_bHoverPaint = false;
    DrawFrame();
}

void NuMText40::PaintControlWindow() {
    {
        const PaintDc paint(hwnd());
        DrawFrame();
    }
    // Clip the edit window out of our painting as the container clips us.
    const HWND parent = ::GetParent(hwnd());
    const LONG_PTR parentStyle = parent ? ::GetWindowLongPtrW(parent, GWL_STYLE) : 0;
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    const bool want = (parentStyle & WS_CLIPCHILDREN) != 0;
    if (want != ((style & WS_CLIPCHILDREN) != 0)) {
        ::SetWindowLongPtrW(hwnd(), GWL_STYLE,
                            want ? (style | WS_CLIPCHILDREN)
                                 : (style & ~LONG_PTR{WS_CLIPCHILDREN}));
        ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
}

LRESULT NuMText40::EditMessage(UINT iMsg, WPARAM wParam, LPARAM lParam) {
    const HWND edit = state_.m_hWndEdit.get();
    const auto passOn = [&] { return CallOldWindowProc(edit, iMsg, wParam, lParam); };
    switch (iMsg) {
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
        if (state_.m_bLocked) return 0;
        // Change comes first: the edit window carries the operation out after.
        RaiseChange();
        if (!state_.m_hWndEdit) return 0;
        Send(EM_SETMODIFY, TRUE);
        return passOn();
    case WM_CHAR: {
        if (wParam == VK_TAB) return 0;
        if (state_.m_bLocked) return 0;
        short keyAscii = static_cast<short>(wParam);
        const short shift = ax::ControlWindow::shiftState();
        ignore(fireKeyEvent(event::kKeyPress, keyAscii, shift));
        if (keyAscii == 0 || !state_.m_hWndEdit) return 0;
        if (!state_.m_bIgnoreChangeEvent) RequestEvent(PendingEvent::TextChange, 1);
        return CallOldWindowProc(
            edit, iMsg, static_cast<WPARAM>(static_cast<unsigned short>(keyAscii)), lParam);
    }
    case WM_SETFOCUS:
        hook::ActivateIPAOHook(static_cast<_IPAO*>(this), state_.m_hWndCtl);
        return passOn();
    case WM_MOUSEACTIVATE:
        RequestEvent(PendingEvent::PositionCheck, 25);
        if (::GetFocus() == edit) return passOn();
        state_.m_bFocusByMouse = true;
        ::SetFocus(hwnd());
        return MA_NOACTIVATE;
    case WM_KEYDOWN: {
        const WORD key = LOWORD(wParam);
        const bool navigation =
            key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_SPACE;
        if (!navigation) {
            if (key == VK_INSERT && ::GetKeyState(VK_SHIFT) < 0 && state_.m_bLocked) return 0;
            if (key == VK_DELETE) {
                if (state_.m_bLocked) return 0;
                if (!state_.m_bIgnoreChangeEvent) RequestEvent(PendingEvent::TextChange, 25);
            }
        }
        state_.m_iLastKeyDown = key;
        short keyCode = static_cast<short>(key);
        ignore(fireKeyEvent(event::kKeyDown, keyCode, ax::ControlWindow::shiftState()));
        if (!state_.m_hWndEdit) return 0;
        return passOn();
    }
    case WM_KEYUP: {
        state_.m_iLastKeyDown = 0;
        short keyCode = static_cast<short>(LOWORD(wParam));
        ignore(fireKeyEvent(event::kKeyUp, keyCode, ax::ControlWindow::shiftState()));
        RequestEvent(PendingEvent::PositionCheck, 25);
        return passOn();
    }
    case WM_MOUSEMOVE:
        state_.m_bHoverPaint = true;
        if (!state_.m_bHover && state_.m_hWndParent) {
            state_.m_bHover = true;
            ax::hover::Start(state_.m_hWndParent);
        }
        return passOn();
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        state_.m_bMouseDown = true;
        return passOn();
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
        state_.m_bMouseDown = false;
        RequestEvent(PendingEvent::PositionCheck, 25);
        return passOn();
    case WM_RBUTTONUP:
        state_.m_bMouseDown = false;
        if (state_.m_bDisableContextMenu) return 0;
        if (state_.m_bLocked) {
            ShowPopupMenu();
            return 0;
        }
        return CallOldWindowProc(edit, iMsg, wParam, lParam); // the edit window's own menu
    default:
        return passOn();
    }
}

void NuMText40::ShowPopupMenu() {
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    const auto [start, end] = Selection();
    const bool selected = end > start;
    const bool editable = !state_.m_bLocked;
    const LONG length = static_cast<LONG>(ReadWindowText().size());
    for (UINT i = 0; i < std::size(kMenu); ++i) {
        const MenuItem& item = kMenu[i];
        if (item.caption[0] == L'-' && !item.caption[1]) {
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        bool enabled = false;
        switch (i) {
        case kUndo:
            enabled = editable && Send(EM_CANUNDO) != 0;
            break;
        case kCut:
        case kDelete:
            enabled = editable && selected;
            break;
        case kCopy:
            enabled = selected;
            break;
        case kPaste:
            enabled = editable && ::IsClipboardFormatAvailable(CF_TEXT);
            break;
        case kSelectAll:
            enabled = end - start != length;
            break;
        default:
            break;
        }
        ::AppendMenuW(menu.get(), MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), kMenuIdBase + i,
                      item.caption);
    }
    POINT at{};
    ::GetCursorPos(&at);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr));
    if (chosen >= kMenuIdBase) RunMenuCommand(chosen - kMenuIdBase);
}

void NuMText40::RunMenuCommand(UINT item) {
    if (item >= std::size(kMenu) || !kMenu[item].message) return;
    if (kMenu[item].message == EM_SETSEL) {
        Send(EM_SETSEL, 0, -1);
        return;
    }
    // Through the edit window, so Locked and Change apply as for keys.
    ::SendMessageW(state_.m_hWndEdit.get(), kMenu[item].message, 0, 0);
}

} // namespace pkw::textbox
