// The numbers of an effects body: its key colour, the glyph's place on it
// and picture sizes in pixels. Plain arithmetic, shared by every drawing
// that builds an effects body (the selection controls, the rich tool tip).
#pragma once

#include <cstdint>
#include <optional>

namespace pkw::effects {

// The colour that stands for "nothing" on a body with this border colour
// (0x00BBGGRR): each component one higher, 255 wrapping to 0, so that the
// border itself is never keyed out.
std::uint32_t KeyColour(std::uint32_t borderRgb) noexcept;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Where the glyph's top-left corner goes on a body of bodyWidth x
// bodyHeight, inside a border allowance: alignment 0 at the left, 1 at the
// right, any other value no glyph.
std::optional<Point> GlyphPosition(int alignment, int allowance, int bodyWidth, int bodyHeight,
                                   int glyphWidth, int glyphHeight) noexcept;

// A picture's HiMetric extent in screen pixels, at `twipsPerPixel` on that
// axis (1 HiMetric = 0.5669292 twips); halves to even, 0 for a non-positive
// twips-per-pixel.
long PicturePixels(long himetric, int twipsPerPixel) noexcept;

} // namespace pkw::effects
