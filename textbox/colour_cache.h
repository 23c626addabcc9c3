// The text box's colours and the GDI objects made from them: six colours
// (fore, button shadow, button face, back, highlight, highlight text), pens
// for the first three and brushes for back and highlight, each created on
// first request and kept until the colours change.
#pragma once

#include "common/win/unique_handle.h"

#include <ocidl.h>
#include <windows.h>

#include <array>

namespace pkw::textbox {

enum class Colour : int {
    Fore = 0,
    ButtonShadow = 1,
    ButtonFace = 2,
    Back = 3,
    Highlight = 4,
    HighlightText = 5,
};

class ColourCache {
public:
    // Drops the cached pens and the back brush.
    void releaseObjects() noexcept;
    // Translates the control's colours and reads the system's; true when
    // the back or fore colour changed.
    bool update(OLE_COLOR back, OLE_COLOR fore) noexcept;

    COLORREF colour(Colour c) const noexcept { return colours_[index(c)]; }
    HPEN pen(Colour c) noexcept;     // Fore, ButtonShadow, ButtonFace
    HBRUSH brush(Colour c) noexcept; // Back, Highlight

private:
    static constexpr std::size_t index(Colour c) noexcept { return static_cast<std::size_t>(c); }

    std::array<COLORREF, 6> colours_{};
    std::array<UniquePen, 3> pens_;
    std::array<UniqueBrush, 2> brushes_; // Back, Highlight
};

} // namespace pkw::textbox
