// One test at a time on the screen. Test programs run in parallel share
// one display, one cursor and one keyboard focus: a test that moves the
// cursor, clicks, types or reads pixels holds this lock (a mutex named
// within the Wine prefix, so every process of the run sees it).
#pragma once

#include "common/win/unique_handle.h"

#include <chrono>

namespace pkw::host {

class ScreenLock {
public:
    // Waits up to `deadline` (a whole other test may hold it meanwhile).
    explicit ScreenLock(std::chrono::milliseconds deadline = std::chrono::minutes(5));
    ~ScreenLock();
    ScreenLock(const ScreenLock&) = delete;
    ScreenLock& operator=(const ScreenLock&) = delete;

    bool held() const noexcept { return held_; }

private:
    UniqueHandle<HANDLE, &::CloseHandle> mutex_;
    bool held_ = false;
};

} // namespace pkw::host
