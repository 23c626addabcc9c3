// Controls whose fonts describe the same face draw with one GDI font.
//
// Each control keeps its own OLE font object, but never asks it for an
// HFONT (an OLE font object makes a GDI font of its own, one per
// control). Instead SharedFont::Of describes the font (what it saves of
// itself: name, size, weight, character set, italic, underline,
// strikethrough) and looks the description up among the fonts the
// thread's controls share; the first user of a description realises it
// through a private clone of its font object, so the HFONT is exactly the
// one the font object would have made. The HFONT goes with the last
// SharedFont of that description.
#pragma once

#include "activex/font_description.h"
#include "common/thread_shared.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

namespace pkw::ax {

class SharedFont {
public:
    // The shared GDI font of `font`'s description; the font's error when it
    // cannot be described or realised (`out` then stays empty).
    static HRESULT Of(IFont* font, SharedFont& out) noexcept;

    HFONT get() const noexcept { return shared_ ? shared_->handle : nullptr; }
    explicit operator bool() const noexcept { return static_cast<bool>(shared_); }
    void reset() noexcept { shared_.reset(); }

private:
    struct Entry {
        FontDescription description;
        // A clone of the first font of this description: it owns the
        // HFONT, and no control can change it.
        Microsoft::WRL::ComPtr<IFont> owner;
        HFONT handle = nullptr;
    };
    ThreadShared<Entry> shared_;
};

} // namespace pkw::ax
