#include "pixel_font.h"

#include <array>
#include <cmath>

namespace pkw::images {
namespace {

struct Glyph {
    char letter;
    int width;
    std::array<const char*, kFontHeight> rows; // '#' is a set pixel
};

constexpr Glyph kGlyphs[] = {
    {'C', 5, {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'l', 3, {"##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'o', 5, {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
    {'s', 5, {".....", ".....", ".####", "#....", ".###.", "....#", "####."}},
    {'e', 5, {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    {' ', 3, {"...", "...", "...", "...", "...", "...", "..."}},
};

const Glyph* Find(char letter) {
    for (const Glyph& g : kGlyphs)
        if (g.letter == letter) return &g;
    return nullptr;
}

int WidthOf(char letter) {
    const Glyph* g = Find(letter);
    return g ? g->width : 3;
}

} // namespace

int TextWidth(std::string_view text) {
    int width = 0;
    for (char c : text)
        width += WidthOf(c) + 1;
    return text.empty() ? 0 : width - 1;
}

bool TextCovers(std::string_view text, Point p) {
    if (p.x < 0 || p.y < 0) return false;
    const int row = int(std::floor(p.y));
    int column = int(std::floor(p.x));
    if (row >= kFontHeight) return false;
    for (char c : text) {
        const int w = WidthOf(c);
        if (column < w) {
            const Glyph* g = Find(c);
            return g && g->rows[std::size_t(row)][column] == '#';
        }
        column -= w + 1;
        if (column < 0) return false; // the gap between letters
    }
    return false;
}

} // namespace pkw::images
