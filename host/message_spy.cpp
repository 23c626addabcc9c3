#include "host/message_spy.h"

#include <algorithm>

namespace pkw::host {
namespace {

thread_local std::vector<MessageSpy*> t_spies;

} // namespace

MessageSpy::MessageSpy(HWND window, std::initializer_list<UINT> kinds)
    : window_(window), kinds_(kinds) {
    const DWORD thread = ::GetCurrentThreadId();
    getMessage_ = ::SetWindowsHookExW(WH_GETMESSAGE, &MessageSpy::getMessageHook, nullptr, thread);
    callWndProc_ =
        ::SetWindowsHookExW(WH_CALLWNDPROC, &MessageSpy::callWndProcHook, nullptr, thread);
    t_spies.push_back(this);
}

MessageSpy::~MessageSpy() {
    std::erase(t_spies, this);
    if (getMessage_) ::UnhookWindowsHookEx(getMessage_);
    if (callWndProc_) ::UnhookWindowsHookEx(callWndProc_);
}

void MessageSpy::record(const MSG& msg, bool sent) {
    if (msg.hwnd != window_) return;
    if (!kinds_.empty() && std::find(kinds_.begin(), kinds_.end(), msg.message) == kinds_.end())
        return;
    entries_.push_back({msg.message, msg.wParam, msg.lParam, sent});
}

std::vector<UINT> MessageSpy::messages() const {
    std::vector<UINT> result;
    for (const Entry& e : entries_)
        result.push_back(e.message);
    return result;
}

std::size_t MessageSpy::count(UINT message) const {
    return static_cast<std::size_t>(std::count_if(
        entries_.begin(), entries_.end(), [&](const Entry& e) { return e.message == message; }));
}

LRESULT CALLBACK MessageSpy::getMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    // Only messages taken off the queue, not those merely peeked at.
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        for (MessageSpy* spy : t_spies)
            spy->record(msg, false);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageSpy::callWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const CWPSTRUCT& cwp = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        MSG msg{cwp.hwnd, cwp.message, cwp.wParam, cwp.lParam, 0, {}};
        for (MessageSpy* spy : t_spies)
            spy->record(msg, true);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace pkw::host
