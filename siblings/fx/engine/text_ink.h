// The ink of a text: how much of each pixel of the text's box its glyphs
// cover. Anti-aliased ink is drawn aliased at four times the size and
// averaged over each 4 × 4 block, so that it looks the same whatever
// smoothing the system's font rendering does; aliased ink is drawn as is.
#pragma once

#include "siblings/fx/kernels/layer.h"

#include <windows.h>

#include <string_view>

namespace pkw::fx {

struct TextInkRequest {
    HFONT font = nullptr; // null: the default GUI font
    std::wstring_view text;
    int width = 0;   // the box the caller measured; the ink's box is at
    int height = 0;  // least this and at least what the text needs
    UINT format = 0; // DrawText flags (DT_CALCRECT is ignored)
    bool antiAlias = true;
};

inline constexpr int kTextOversampling = 4;

// The coverage in every channel of each pixel (white seen through it).
HRESULT DrawTextInk(const TextInkRequest& request, Layer& ink);

} // namespace pkw::fx
