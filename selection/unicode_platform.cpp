#include "selection/unicode_platform.h"

#include <atomic>

namespace pkw::selection {
namespace {
std::atomic<bool> gUnicodePlatform{true};
} // namespace

void SetUnicodePlatform(bool unicode) noexcept {
    gUnicodePlatform.store(unicode);
}
bool UnicodePlatform() noexcept {
    return gUnicodePlatform.load();
}

} // namespace pkw::selection
