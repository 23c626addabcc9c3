#include "emboss.h"

#include "blur.h"

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
    auto heightAt = [&](int x, int y) {
        return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : float(AlphaOf(height.At(x, y)));
    };

    // Towards the light, 45 degrees up; screen y runs down.
    const float turn = s.angle * std::numbers::pi_v<float> / 180.0f;
    const float up = std::numbers::sqrt2_v<float> / 2;
    const float lx = std::cos(turn) * up, ly = -std::sin(turn) * up, lz = up;
    // Slopes of the height map in pixels per pixel: alpha 255 stands `depth` high.
    const float rise = float(s.depth) / 255.0f / 2.0f;

    for (int y = 0; y < h; ++y) {
        Pixel* row = view.Row(y);
        for (int x = 0; x < w; ++x) {
            const float nx = -(heightAt(x + 1, y) - heightAt(x - 1, y)) * rise;
            const float ny = -(heightAt(x, y + 1) - heightAt(x, y - 1)) * rise;
            const float lit = (nx * lx + ny * ly + lz) / std::sqrt(nx * nx + ny * ny + 1.0f);
            // Against a flat surface's light: towards 1 fully lit, towards 0 fully dark.
            const bool bright = lit > lz;
            const float strength = bright ? (lit - lz) / (1 - lz) : (lz - lit) / lz;
            const std::uint8_t colourAlpha = bright ? s.highlightAlpha : s.shadowAlpha;
            const auto alpha = std::uint32_t(std::lround(std::min(strength, 1.0f) * colourAlpha));
            if (alpha == 0) continue;
            row[x] = Over(Premultiply(bright ? s.highlight : s.shadow, alpha), row[x]);
        }
    }
}

} // namespace pkw::fx
