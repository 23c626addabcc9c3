#include "scratch.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace pkw::fx {
namespace {

constexpr std::size_t kAlign = 64;

constexpr std::size_t AlignUp(std::size_t n) noexcept {
    return (n + kAlign - 1) & ~(kAlign - 1);
}

} // namespace

std::size_t Scratch::BytesFor(int width, int height) noexcept {
    const std::size_t w = std::max(width, 1), h = std::max(height, 1);
    const std::size_t image = AlignUp(w * h * 4);
    const std::size_t line = AlignUp((std::max(w, h) + 512) * 16);
    // The largest user: a glow keeps one image and blurs it (two more),
    // with a handful of lines for sums, padding and weights.
    return 3 * image + 6 * line;
}

void Scratch::Reserve(std::size_t bytes) {
    if (bytes <= capacity_) return;
    memory_.reset(new std::byte[bytes + kAlign]);
    capacity_ = bytes;
    used_ = 0;
}

void* Scratch::Carve(std::size_t bytes) {
    const std::size_t size = AlignUp(bytes);
    if (size > capacity_ - used_) throw std::length_error("effects scratch too small");
    const auto base = reinterpret_cast<std::uintptr_t>(memory_.get());
    const auto start = (base + kAlign - 1) & ~std::uintptr_t(kAlign - 1);
    void* p = reinterpret_cast<void*>(start + used_);
    used_ += size;
    return p;
}

} // namespace pkw::fx
