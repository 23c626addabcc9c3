#include "edges.h"

#include <algorithm>
#include <cmath>

namespace pkw::fx {

void DetectEdges(View view, Scratch& scratch) {
    const int w = view.width, h = view.height;
    if (view.Empty()) return;
    Scratch::Frame frame(scratch);
    const View src{frame.Take<Pixel>(std::size_t(w) * h).data(), w, h, w};
    Copy(view, src);
    // Bytes of the source, transparent beyond its edges.
    auto at = [&](int x, int y, int c) -> int {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0;
        return int(src.At(x, y) >> (8 * c) & 0xFF);
    };
    for (int y = 0; y < h; ++y) {
        Pixel* row = view.Row(y);
        for (int x = 0; x < w; ++x) {
            std::uint32_t edge[4];
            for (int c = 0; c < 4; ++c) {
                const int gx = at(x + 1, y - 1, c) + 2 * at(x + 1, y, c) + at(x + 1, y + 1, c) -
                               at(x - 1, y - 1, c) - 2 * at(x - 1, y, c) - at(x - 1, y + 1, c);
                const int gy = at(x - 1, y + 1, c) + 2 * at(x, y + 1, c) + at(x + 1, y + 1, c) -
                               at(x - 1, y - 1, c) - 2 * at(x, y - 1, c) - at(x + 1, y - 1, c);
                const double m = std::sqrt(double(gx) * gx + double(gy) * gy) / 4.0;
                edge[c] = std::uint32_t(std::min(std::lround(m), 255L));
            }
            const std::uint32_t a = std::max({edge[0], edge[1], edge[2], edge[3]});
            row[x] = Bgra(std::min(edge[0], a), std::min(edge[1], a), std::min(edge[2], a), a);
        }
    }
}

} // namespace pkw::fx
