#include "host/screen_lock.h"

namespace pkw::host {

ScreenLock::ScreenLock(std::chrono::milliseconds deadline)
    : mutex_(::CreateMutexW(nullptr, FALSE, L"Local\\PickwellTestScreen")) {
    if (!mutex_) return;
    // Waiting blocks this thread's messages; nothing of this test is on the
    // screen yet, so nothing needs them.
    const DWORD r = ::WaitForSingleObject(mutex_.get(), static_cast<DWORD>(deadline.count()));
    // An abandoned lock (a test process that crashed) is ours all the same.
    held_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

ScreenLock::~ScreenLock() {
    if (held_) ::ReleaseMutex(mutex_.get());
}

} // namespace pkw::host
