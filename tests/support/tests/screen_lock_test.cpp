#include "tests/support/screen_lock.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

// The lock is a named mutex, so a holder anywhere (another test program of
// the run, or here another thread) keeps everyone else out until it lets go.
TEST(ScreenLockTest, OneHolderAtATime) {
    bool whileHeld = true, afterwards = false;
    {
        ScreenLock first; // may wait for a test of another program
        ASSERT_TRUE(first.held());
        std::thread([&] { whileHeld = ScreenLock(std::chrono::milliseconds(0)).held(); }).join();
    }
    std::thread([&] { afterwards = ScreenLock().held(); }).join();
    EXPECT_FALSE(whileHeld);
    EXPECT_TRUE(afterwards);
}

} // namespace
} // namespace pkw::test
