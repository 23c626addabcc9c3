// Controls whose fonts describe the same face draw with one GDI font.
//
// Each control keeps its own OLE font object, but never asks it for an
// HFONT (an OLE font object realises a GDI font of its own, one per
// control). Instead SharedFont::Of describes the font (name, size,
// weight, character set, italic, underline, strikethrough) and looks the
// description up in a small per-thread cache; the first user of a
// description realises it through a private clone of its font object, so
// the HFONT is exactly the one the font object would have made. The entry
// and its HFONT go when the last SharedFont of that description goes.
// The controls are apartment threaded, so each thread has its own cache
// and nothing is locked.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

namespace pkw::ax {

class SharedFont {
public:
    SharedFont() noexcept = default;
    SharedFont(SharedFont&& other) noexcept;
    SharedFont& operator=(SharedFont&& other) noexcept;
    SharedFont(const SharedFont&) = delete;
    SharedFont& operator=(const SharedFont&) = delete;
    ~SharedFont();

    // The shared GDI font of `font`'s description; the font's error when it
    // cannot be described or realised (`out` then stays empty).
    static HRESULT Of(IFont* font, SharedFont& out) noexcept;

    HFONT get() const noexcept;
    explicit operator bool() const noexcept { return entry_ != nullptr; }
    void reset() noexcept;

    // How many descriptions the calling thread's cache holds (for tests).
    static int CachedCount() noexcept;

    struct Entry;

private:
    Entry* entry_ = nullptr;
};

} // namespace pkw::ax
