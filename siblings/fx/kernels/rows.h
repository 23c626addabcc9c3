// The inner loops of the blurs, over rows of bytes (four per pixel, every
// channel alike). They are written once, in rows.inl, as plain loops that
// the compiler vectorises, and built twice: for the baseline processor and,
// on x86, for AVX2; Rows() picks the AVX2 build when the processor has it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pkw::fx {

inline constexpr int kMaxTaps = 17;

struct RowOps {
    // acc[i] += row[i]
    void (*sum)(std::uint16_t* acc, const std::uint8_t* row, std::size_t n);
    // out[i] = (acc[i] + offset) / count, rounded down (offset taken modulo
    // 2^16, so it may lower the sum; scale is 65536 / count rounded down),
    // then acc[i] += add[i] - sub[i]: one step of a box filter's running
    // sum (16 bits hold boxes up to 257 wide).
    void (*slide)(std::uint16_t* acc, const std::uint8_t* add, const std::uint8_t* sub,
                  std::uint8_t* out, std::size_t n, std::uint16_t scale, std::uint16_t offset,
                  std::uint16_t count);
    // out[i] = sum over k of weight[k] * rows[k][i], / 256 rounded; taps is
    // odd, 3 to kMaxTaps, and the weights add up to 256.
    void (*convolve)(const std::uint8_t* const* rows, const std::uint16_t* weight, int taps,
                     std::uint8_t* out, std::size_t n);
};

// The build in use on this processor.
const RowOps& Rows() noexcept;

// Every build this processor can run, by name (for the tests, which hold
// each to the same results).
struct RowOpsBuild {
    const char* name;
    const RowOps* ops;
};
std::span<const RowOpsBuild> RowOpsBuilds() noexcept;

} // namespace pkw::fx
