// The built-in glyph strip ready to draw in one blit: a 32-bit copy with
// premultiplied alpha in which the mask colour is fully transparent and
// every other pixel fully opaque, so AlphaBlend draws exactly what a
// transparent blit of the strip draws, without the masks such a blit
// makes for every call. One copy per source bitmap and mask colour is
// shared by the controls of a thread and goes with its last user.
#pragma once

#include "common/thread_shared.h"
#include "common/win/dib_section.h"

#include <windows.h>

namespace pkw::selection {

class PremultipliedStrip {
public:
    // The strip of the bitmap selected into `source`, with `mask`
    // transparent; empty when it cannot be made.
    static PremultipliedStrip Of(HDC source, COLORREF mask) noexcept;
    // Whether this is the strip Of would give for these arguments.
    bool matches(HDC source, COLORREF mask) const noexcept;

    explicit operator bool() const noexcept { return static_cast<bool>(shared_); }
    // Draws the part (srcX, srcY, w, h) at (x, y), unscaled.
    bool draw(HDC target, int x, int y, int w, int h, int srcX, int srcY) const noexcept;
    void reset() noexcept { shared_.reset(); }

private:
    struct Entry {
        HBITMAP source = nullptr; // what it was copied from (identity only)
        COLORREF mask = 0;
        DibSection copy;
    };
    ThreadShared<Entry> shared_;
};

} // namespace pkw::selection
