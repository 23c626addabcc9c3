#include "host/message_loop.h"

#include <algorithm>
#include <map>
#include <vector>

namespace pkw::host {
namespace {

thread_local std::vector<MessageFilter*> t_filters;
thread_local std::map<UINT, std::size_t> t_routed;
thread_local int t_ticks = 0;

void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) {
    ++t_ticks;
}

} // namespace

void addMessageFilter(MessageFilter* filter) {
    t_filters.push_back(filter);
}

void removeMessageFilter(MessageFilter* filter) {
    std::erase(t_filters, filter);
}

std::size_t routedCount(UINT message) {
    auto it = t_routed.find(message);
    return it == t_routed.end() ? 0 : it->second;
}

void routeMessage(MSG& msg) {
    ++t_routed[msg.message];
    // A filter may remove itself (a form destroyed by a handler).
    const std::vector<MessageFilter*> filters = t_filters;
    for (MessageFilter* filter : filters) {
        if (std::find(t_filters.begin(), t_filters.end(), filter) == t_filters.end()) continue;
        if (filter->preTranslate(msg)) return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void pumpPending() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave it for the program's own loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        routeMessage(msg);
    }
}

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        if (done()) return true;
        pumpPending();
        if (done()) return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= end) return false;
        // Wake for input, or re-check now and then for conditions that
        // change without a message (another process, the clock).
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<long long>(left, 20)),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void pumpTicks(int ticks) {
    t_ticks = 0;
    const UINT_PTR id = ::SetTimer(nullptr, 0, 10, &countTick);
    pumpUntil([&] { return t_ticks >= ticks; });
    ::KillTimer(nullptr, id);
}

int runMessageLoop(const std::function<bool()>& done) {
    MSG msg;
    for (;;) {
        if (done && done()) return 0;
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got < 0) return -1;
        routeMessage(msg);
    }
}

} // namespace pkw::host
