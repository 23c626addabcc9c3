// The tip's picture: its text measured, the balloon placed, and everything
// drawn into a 32-bit premultiplied-alpha bitmap for a layered window.
//
//   TipText      the header line and the text
//   TipPicture   the finished bitmap, selected into its memory DC, with the
//                screen position of its top-left pixel
//   drawTip      measures, places (tip_layout.h) and draws one tip
//
// The body and its header and caption are built as layers of the effects
// engine from the tip's own effect set (tip_body.h, tip_text_layer.h); then
// the shape's distance field (tip_shape.h) cuts them to the balloon, rings
// it with the border and lays the shadow, all anti-aliased.
#pragma once

#include "common/win/dib_section.h"
#include "siblings/globals/tip_style.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace pkw::globals {

struct TipText {
    std::wstring_view header;
    std::wstring_view text;
};

class TipPicture {
public:
    bool create(int width, int height) noexcept { return surface_.create(width, height); }
    explicit operator bool() const noexcept { return surface_.valid(); }

    HDC dc() const noexcept { return surface_.dc(); }
    SIZE size() const noexcept { return surface_.size(); }
    std::uint32_t* pixels() const noexcept { return surface_.pixels(); }
    const DibSection& surface() const noexcept { return surface_; }

    POINT origin{};    // screen position of the top-left pixel
    bool below = true; // the balloon stands below its point

private:
    DibSection surface_;
};

// The picture of a tip pointing at `point`, kept on `workArea`. An empty
// picture when the bitmap cannot be made.
TipPicture drawTip(const TipStyle& style, TipText text, POINT point, SHORT xDisplay, SHORT yDisplay,
                   const RECT& workArea);

} // namespace pkw::globals
