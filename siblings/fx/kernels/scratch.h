// Working memory of the kernels. It is sized once, ahead of the calls
// (Reserve), and each kernel carves what it needs from it inside a Frame
// that hands the memory back when the kernel returns; a kernel that calls
// another (a glow blurs) carves on after its own pieces. Carving never
// allocates: asking for more than was reserved is a programming error and
// throws std::length_error.
#pragma once

#include <cstddef>
#include <memory>
#include <span>

namespace pkw::fx {

class Scratch {
public:
    Scratch() = default;
    // A copy has room of the same size, not the contents (they are the
    // kernels' passing business).
    Scratch(const Scratch& other) { Reserve(other.capacity_); }
    Scratch& operator=(const Scratch& other) {
        Reserve(other.capacity_);
        return *this;
    }
    Scratch(Scratch&&) noexcept = default;
    Scratch& operator=(Scratch&&) noexcept = default;

    // Scratch that every kernel can work in on a layer of this size.
    static std::size_t BytesFor(int width, int height) noexcept;

    void Reserve(std::size_t bytes);
    std::size_t Capacity() const noexcept { return capacity_; }

    class Frame {
    public:
        explicit Frame(Scratch& s) noexcept : scratch_(s), mark_(s.used_) {}
        ~Frame() { scratch_.used_ = mark_; }
        Frame(const Frame&) = delete;
        Frame& operator=(const Frame&) = delete;

        // Count elements (contents undefined), aligned for vector loads.
        template <class T>
        std::span<T> Take(std::size_t count) {
            return {static_cast<T*>(scratch_.Carve(count * sizeof(T))), count};
        }

    private:
        Scratch& scratch_;
        std::size_t mark_;
    };

private:
    void* Carve(std::size_t bytes);

    // Not cleared: pages a kernel never touches are never written.
    std::unique_ptr<std::byte[]> memory_;
    std::size_t capacity_ = 0; // usable bytes, after aligning the start
    std::size_t used_ = 0;
};

} // namespace pkw::fx
