// Records the messages that reach one window, in order: posted and input
// messages as the loop takes them (WH_GETMESSAGE), sent ones as they are
// sent (WH_CALLWNDPROC). A neutral observer for input tests: it sees what
// the window got whatever the window does with it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace pkw::host {

class MessageSpy {
public:
    struct Entry {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool sent;
    };

    // Only the listed kinds when `kinds` is not empty.
    explicit MessageSpy(HWND window, std::initializer_list<UINT> kinds = {});
    ~MessageSpy();
    MessageSpy(const MessageSpy&) = delete;
    MessageSpy& operator=(const MessageSpy&) = delete;

    const std::vector<Entry>& entries() const noexcept { return entries_; }
    std::vector<UINT> messages() const;
    std::size_t count(UINT message) const;
    void clear() { entries_.clear(); }

private:
    static LRESULT CALLBACK getMessageHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK callWndProcHook(int code, WPARAM wParam, LPARAM lParam);
    void record(const MSG& msg, bool sent);

    HWND window_;
    std::vector<UINT> kinds_;
    std::vector<Entry> entries_;
    HHOOK getMessage_ = nullptr;
    HHOOK callWndProc_ = nullptr;
};

} // namespace pkw::host
