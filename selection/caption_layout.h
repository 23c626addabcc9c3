// The measured size of a control's caption, kept until the caption, the
// font or the rectangle it wraps in (the control's size and alignment)
// change: measuring word-wrapped text costs more than drawing it.
#pragma once

#include <windows.h>

#include <string>

namespace pkw::selection {

class CaptionLayout {
public:
    // The width and height of `text` in `font` wrapped within `bounds`:
    // measure(rect) fills rect as DrawText's DT_CALCRECT does, and runs
    // only when one of the three differs from the last call.
    template <typename Measure>
    SIZE size(const std::wstring& text, HFONT font, const RECT& bounds, Measure&& measure) {
        if (!valid_ || font != font_ || !::EqualRect(&bounds, &bounds_) || text != text_) {
            RECT rc = bounds;
            measure(rc);
            text_ = text;
            font_ = font;
            bounds_ = bounds;
            size_ = SIZE{rc.right - rc.left, rc.bottom - rc.top};
            valid_ = true;
        }
        return size_;
    }

private:
    std::wstring text_;
    HFONT font_ = nullptr;
    RECT bounds_{};
    SIZE size_{};
    bool valid_ = false;
};

} // namespace pkw::selection
