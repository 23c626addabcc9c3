// Off-screen composition for one paint: a memory DC made for that paint,
// drawing into a bitmap that every control of the thread shares.
//
//   PaintScratchUser  held by each control: the thread's scratch bitmap
//                     lives while the thread has a user of it
//   PaintBuffer       the per-paint DC with the scratch bitmap selected
//
// The DC is new for every paint, so no drawing state passes from one
// control to the next; the bitmap is not: it is grown to the largest size
// any paint asked for and then reused, so a paint makes no bitmap. A
// paint that starts while another holds the scratch (a paint inside a
// paint) gets a bitmap of its own. The pixels left in the scratch are
// those of an earlier paint: the caller covers its whole area.
#pragma once

#include "common/win/unique_handle.h"

#include <windows.h>

#include <cstdint>

namespace pkw {

class PaintScratchUser {
public:
    PaintScratchUser() noexcept;
    ~PaintScratchUser();
    PaintScratchUser(const PaintScratchUser&) = delete;
    PaintScratchUser& operator=(const PaintScratchUser&) = delete;
};

class PaintBuffer {
public:
    // A 32-bit top-down surface of at least width × height pixels.
    PaintBuffer(int width, int height) noexcept;
    ~PaintBuffer();
    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;

    // Null when no DC or bitmap could be had.
    HDC dc() const noexcept { return ready_ ? dc_.get() : nullptr; }
    explicit operator bool() const noexcept { return ready_; }
    // Paints the whole width × height in one colour, writing the pixels
    // directly (a GDI fill on a DC this new costs far more).
    void fill(COLORREF color) const noexcept;

private:
    UniqueMemoryDc dc_;
    UniqueBitmap own_; // only when the scratch was taken
    HGDIOBJ original_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
    int stride_ = 0; // pixels per row of the bitmap
    int width_ = 0;
    int height_ = 0;
    bool scratch_ = false;
    bool ready_ = false;
};

} // namespace pkw
