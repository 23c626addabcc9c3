#include "emboss.h"

#include "blur.h"
#include "composite.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pkw::fx {

void Emboss(View view, const EmbossSettings& s, Scratch& scratch) {
    if (s.depth <= 0 || view.Empty()) return;
    const int w = view.width, h = view.height;
    Scratch::Frame frame(scratch);
    const float radius = 0.5f + float(std::max(s.softness, 0)) / 100.0f;
    const View height = BlurredCopy(view, 0, 0, w, h, radius, frame, scratch);
    // Three rows of heights, each with a transparent pixel at either end,
    // and a row of the tints to lay over the layer.
    const std::size_t span = std::size_t(w) + 2;
    float* rows[3] = {frame.Take<float>(span).data(), frame.Take<float>(span).data(),
                      frame.Take<float>(span).data()};
    auto tints = frame.Take<Pixel>(std::size_t(w));
    auto load = [&](int y, float* out) {
        out[0] = out[w + 1] = 0;
        for (int x = 0; x < w; ++x)
            out[x + 1] = y >= 0 && y < h ? float(AlphaOf(height.At(x, y))) : 0;
    };

    // Towards the light, 45 degrees up; screen y runs down.
    const float turn = s.angle * std::numbers::pi_v<float> / 180.0f;
    const float up = std::numbers::sqrt2_v<float> / 2;
    const float lx = std::cos(turn) * up, ly = -std::sin(turn) * up, lz = up;
    // Slopes in pixels per pixel: alpha 255 stands `depth` high, and the
    // differences below span two pixels.
    const float rise = float(s.depth) / 255.0f / 2.0f;
    // The tint for each strength of light (positive) or shade (negative).
    Pixel highlight[256], shadow[256];
    for (std::uint32_t a = 0; a < 256; ++a) {
        highlight[a] = Premultiply(s.highlight, Div255(a * s.highlightAlpha));
        shadow[a] = Premultiply(s.shadow, Div255(a * s.shadowAlpha));
    }

    load(-1, rows[0]);
    load(0, rows[1]);
    for (int y = 0; y < h; ++y) {
        load(y + 1, rows[2]);
        const float *above = rows[0] + 1, *here = rows[1], *below = rows[2] + 1;
        for (int x = 0; x < w; ++x) {
            const float nx = (here[x] - here[x + 2]) * rise, ny = (above[x] - below[x]) * rise;
            const float lit = (nx * lx + ny * ly + lz) / std::sqrt(nx * nx + ny * ny + 1.0f);
            // Against a flat surface's light: towards 1 fully lit, towards 0 fully dark.
            const float strength = lit > lz ? (lit - lz) / (1 - lz) : (lit - lz) / lz;
            const int level = int(std::clamp(strength, -1.0f, 1.0f) * 255.0f + 255.5f) - 255;
            tints[x] = level >= 0 ? highlight[level] : shadow[-level];
        }
        OverRow(tints.data(), view.Row(y), w);
        std::rotate(rows, rows + 1, rows + 3);
    }
}

} // namespace pkw::fx
