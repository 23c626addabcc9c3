#include "host/input.h"

#include "host/form.h"
#include "host/message_loop.h"

#include <array>

namespace pkw::host::input {
namespace {

struct ButtonMessages {
    UINT down, up, dblclk;
    WPARAM mk;
    DWORD inputDown, inputUp;
};

const ButtonMessages& messages(Button b) {
    static const std::array<ButtonMessages, 3> table{{
        {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, MK_LBUTTON, MOUSEEVENTF_LEFTDOWN,
         MOUSEEVENTF_LEFTUP},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, MK_RBUTTON, MOUSEEVENTF_RIGHTDOWN,
         MOUSEEVENTF_RIGHTUP},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, MK_MBUTTON, MOUSEEVENTF_MIDDLEDOWN,
         MOUSEEVENTF_MIDDLEUP},
    }};
    return table[static_cast<std::size_t>(b)];
}

// Buttons that posted or sent messages hold down (hardware input keeps its
// own state).
thread_local WPARAM t_held = 0;

bool ourWindow(HWND hwnd) {
    return hwnd && ::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId();
}

WPARAM modifiers() {
    WPARAM mk = t_held;
    if (::GetKeyState(VK_SHIFT) < 0) mk |= MK_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0) mk |= MK_CONTROL;
    return mk;
}

// Where the system would send a mouse message for the cursor's position.
HWND mouseTarget(POINT& client) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    HWND target = ::GetCapture();
    if (!target) target = ::WindowFromPoint(cursor);
    if (!ourWindow(target)) return nullptr;
    client = cursor;
    ::ScreenToClient(target, &client);
    return target;
}

bool deliver(HWND target, UINT msg, WPARAM wParam, LPARAM lParam, Delivery delivery) {
    if (!target) return false;
    if (delivery == Delivery::Send) {
        ::SendMessageW(target, msg, wParam, lParam);
        return true;
    }
    if (!::PostMessageW(target, msg, wParam, lParam)) return false;
    pumpPending();
    return true;
}

bool mouseMessage(UINT msg, Delivery delivery) {
    POINT client{};
    HWND target = mouseTarget(client);
    return deliver(target, msg, modifiers(), MAKELPARAM(client.x, client.y), delivery);
}

bool sendInputs(INPUT* inputs, UINT count) {
    return ::SendInput(count, inputs, sizeof(INPUT)) == count;
}

// Waits until the loop has routed `more` further messages of these kinds.
bool awaitRouted(std::initializer_list<UINT> kinds, std::size_t more) {
    auto total = [kinds] {
        std::size_t n = 0;
        for (UINT k : kinds)
            n += routedCount(k);
        return n;
    };
    const std::size_t target = total() + more;
    return pumpUntil([&] { return total() >= target; });
}

INPUT mouseInput(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return in;
}

INPUT keyInput(UINT vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

LPARAM keyLParam(UINT vk, bool up, bool alt) {
    LPARAM l = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if (alt) l |= 1 << 29;
    if (up) l |= (1 << 30) | (static_cast<LPARAM>(1) << 31);
    return l;
}

HWND keyTarget() {
    HWND focus = ::GetFocus();
    return ourWindow(focus) ? focus : nullptr;
}

} // namespace

POINT screenPoint(const Site& site, POINT local) {
    POINT p{site.rect().left + local.x, site.rect().top + local.y};
    if (HWND window = site.window()) {
        p = local;
        ::ClientToScreen(window, &p);
    } else if (site.form()) {
        ::ClientToScreen(site.form()->hwnd(), &p);
    }
    return p;
}

POINT centre(const Site& site) {
    const RECT& r = site.rect();
    return {(r.right - r.left) / 2, (r.bottom - r.top) / 2};
}

bool moveCursor(POINT screen, Delivery delivery) {
    POINT now{};
    ::GetCursorPos(&now);
    if (now.x == screen.x && now.y == screen.y) return true;
    const std::size_t before = routedCount(WM_MOUSEMOVE);
    if (delivery == Delivery::Hardware) {
        const int width = ::GetSystemMetrics(SM_CXSCREEN);
        const int height = ::GetSystemMetrics(SM_CYSCREEN);
        INPUT move = mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        move.mi.dx = (screen.x * 65536 + width - 1) / width;
        move.mi.dy = (screen.y * 65536 + height - 1) / height;
        if (!sendInputs(&move, 1)) return false;
    } else if (!::SetCursorPos(screen.x, screen.y)) {
        return false;
    }
    if (!ourWindow(::GetCapture()) && !ourWindow(::WindowFromPoint(screen))) {
        return pumpUntil([&] {
            POINT p{};
            ::GetCursorPos(&p);
            return p.x == screen.x && p.y == screen.y;
        });
    }
    return pumpUntil([&] { return routedCount(WM_MOUSEMOVE) > before; });
}

bool moveTo(const Site& site, POINT local, Delivery delivery) {
    const POINT screen = screenPoint(site, local);
    POINT now{};
    ::GetCursorPos(&now);
    if (now.x != screen.x || now.y != screen.y) return moveCursor(screen, delivery);
    // Already there: the system sends nothing, so send the move ourselves.
    return mouseMessage(WM_MOUSEMOVE, delivery == Delivery::Send ? Delivery::Send : Delivery::Post);
}

bool moveOutside(const Site& site, Delivery delivery) {
    const Form* form = site.form();
    if (form) {
        const RECT client = form->clientRect();
        // Scan the form's client area for a point no control covers.
        for (LONG y = client.bottom - 2; y > client.top; y -= 7) {
            for (LONG x = client.right - 2; x > client.left; x -= 7) {
                bool covered = false;
                for (const ComPtr<Site>& s : form->sites()) {
                    const RECT& r = s->rect();
                    covered = covered || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
                }
                if (covered) continue;
                POINT p{x, y};
                ::ClientToScreen(form->hwnd(), &p);
                return moveCursor(p, delivery);
            }
        }
    }
    // Past the bottom-right corner of the control's window.
    RECT r{};
    if (HWND w = site.window()) ::GetWindowRect(w, &r);
    return moveCursor({r.right + 40, r.bottom + 40}, delivery);
}

bool press(const Site& site, POINT local, Button button, Delivery delivery) {
    if (!moveTo(site, local, delivery)) return false;
    const ButtonMessages& m = messages(button);
    if (delivery == Delivery::Hardware) {
        INPUT down = mouseInput(m.inputDown);
        if (!sendInputs(&down, 1)) return false;
        return awaitRouted({m.down, m.dblclk}, 1);
    }
    t_held |= m.mk;
    return mouseMessage(m.down, delivery);
}

bool release(Button button, Delivery delivery) {
    const ButtonMessages& m = messages(button);
    if (delivery == Delivery::Hardware) {
        INPUT up = mouseInput(m.inputUp);
        if (!sendInputs(&up, 1)) return false;
        return awaitRouted({m.up}, 1);
    }
    t_held &= ~m.mk;
    return mouseMessage(m.up, delivery);
}

void resetButtons() {
    t_held = 0;
    for (const Button b : {Button::Left, Button::Right, Button::Middle}) {
        const int vk = b == Button::Left    ? VK_LBUTTON
                       : b == Button::Right ? VK_RBUTTON
                                            : VK_MBUTTON;
        if (::GetAsyncKeyState(vk) >= 0) continue;
        INPUT up = mouseInput(messages(b).inputUp);
        sendInputs(&up, 1);
    }
    if (ourWindow(::GetCapture())) ::ReleaseCapture();
    pumpPending();
}

bool click(const Site& site, POINT local, Button button, Delivery delivery) {
    return press(site, local, button, delivery) && release(button, delivery);
}

bool doubleClick(const Site& site, POINT local, Button button, Delivery delivery) {
    const ButtonMessages& m = messages(button);
    if (delivery == Delivery::Hardware) {
        if (!moveTo(site, local, delivery)) return false;
        INPUT inputs[] = {mouseInput(m.inputDown), mouseInput(m.inputUp), mouseInput(m.inputDown),
                          mouseInput(m.inputUp)};
        if (!sendInputs(inputs, 4)) return false;
        return awaitRouted({m.up}, 2);
    }
    if (!click(site, local, button, delivery)) return false;
    t_held |= m.mk;
    if (!mouseMessage(m.dblclk, delivery)) return false;
    return release(button, delivery);
}

bool keyDown(UINT vk, Delivery delivery) {
    if (delivery == Delivery::Hardware) {
        INPUT in = keyInput(vk, false);
        return sendInputs(&in, 1) && awaitRouted({WM_KEYDOWN, WM_SYSKEYDOWN}, 1);
    }
    return deliver(keyTarget(), WM_KEYDOWN, vk, keyLParam(vk, false, false), delivery);
}

bool keyUp(UINT vk, Delivery delivery) {
    if (delivery == Delivery::Hardware) {
        INPUT in = keyInput(vk, true);
        return sendInputs(&in, 1) && awaitRouted({WM_KEYUP, WM_SYSKEYUP}, 1);
    }
    return deliver(keyTarget(), WM_KEYUP, vk, keyLParam(vk, true, false), delivery);
}

bool pressKey(UINT vk, Delivery delivery) {
    return keyDown(vk, delivery) && keyUp(vk, delivery);
}

bool typeChar(wchar_t ch) {
    HWND target = keyTarget();
    return deliver(target, WM_CHAR, ch, 1, Delivery::Post);
}

bool altKey(Form& form, wchar_t key, Delivery delivery) {
    const SHORT scan = ::VkKeyScanW(key);
    if (scan == -1) return false;
    const UINT vk = LOBYTE(scan);
    if (delivery == Delivery::Hardware) {
        INPUT inputs[] = {keyInput(VK_MENU, false), keyInput(vk, false), keyInput(vk, true),
                          keyInput(VK_MENU, true)};
        return sendInputs(inputs, 4) && awaitRouted({WM_KEYUP, WM_SYSKEYUP}, 2);
    }
    HWND target = keyTarget();
    if (!target) target = form.hwnd();
    return deliver(target, WM_SYSKEYDOWN, VK_MENU, keyLParam(VK_MENU, false, true), delivery) &&
           deliver(target, WM_SYSKEYDOWN, vk, keyLParam(vk, false, true), delivery) &&
           deliver(target, WM_SYSKEYUP, vk, keyLParam(vk, true, true), delivery) &&
           deliver(target, WM_KEYUP, VK_MENU, keyLParam(VK_MENU, true, false), delivery);
}

} // namespace pkw::host::input
