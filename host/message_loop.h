// The test thread's message loop. Every message goes through the
// registered filters first (a form gives the UI-active control and the
// access keys their chance, as a container's loop does), then
// TranslateMessage and DispatchMessage. Waiting is done by pumping until a
// condition holds, never by sleeping a fixed time.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace pkw::host {

class MessageFilter {
public:
    // True when the message was handled and must not be dispatched.
    virtual bool preTranslate(MSG& msg) = 0;

protected:
    ~MessageFilter() = default;
};

void addMessageFilter(MessageFilter* filter);
void removeMessageFilter(MessageFilter* filter);

// Generous: a loaded machine under Wine may take seconds for what usually
// takes milliseconds.
inline constexpr std::chrono::milliseconds kDefaultDeadline{15000};

// Routes one message (filters, translate, dispatch).
void routeMessage(MSG& msg);
// Handles every message already in the queue, and what handling them
// posts, until the queue is empty.
void pumpPending();
// Pumps until `done` holds or the deadline passes; true when it held.
bool pumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds deadline = kDefaultDeadline);
// Pumps while a 10 ms thread timer ticks `ticks` times: time for a window
// timer of the same period to tick about as often (tests that expect
// nothing to happen wait this long).
void pumpTicks(int ticks);
// Pumps until WM_QUIT or `done` (checked after every message); for
// interactive programs.
int runMessageLoop(const std::function<bool()>& done = {});

// How many messages of this kind the loop has routed so far on this thread
// (input helpers wait for their messages to arrive by it).
std::size_t routedCount(UINT message);

} // namespace pkw::host
