#include "render.h"

namespace pkw::images {

void Render(Image& image, Cell cell, const Shader& shader, const RenderOptions& options) {
    const int n = options.samples;
    const float step = 1.0f / float(n);
    const Color back{ToLinear(options.backdrop.r), ToLinear(options.backdrop.g),
                     ToLinear(options.backdrop.b)};
    for (int y = 0; y < cell.height; ++y) {
        for (int x = 0; x < cell.width; ++x) {
            int covered = 0;
            Color sum{0, 0, 0};
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const Point p{float(x) + (float(sx) + 0.5f) * step,
                                  float(y) + (float(sy) + 0.5f) * step};
                    const Paint paint = shader(p);
                    Color linear = back;
                    if (paint.inside) {
                        ++covered;
                        linear = {ToLinear(paint.color.r), ToLinear(paint.color.g),
                                  ToLinear(paint.color.b)};
                    }
                    sum = {sum.r + linear.r, sum.g + linear.g, sum.b + linear.b};
                }
            }
            Rgb& out = image.at(cell.x + x, cell.y + y);
            if (options.masked && covered * 2 < n * n) {
                out = kMask;
                continue;
            }
            // Masked: the samples outside count only by the backdrop's weight.
            const int outside = n * n - covered;
            const float weight = options.masked ? options.backdropWeight : 1.0f;
            const float total = float(covered) + weight * float(outside);
            sum = {sum.r - (1 - weight) * float(outside) * back.r,
                   sum.g - (1 - weight) * float(outside) * back.g,
                   sum.b - (1 - weight) * float(outside) * back.b};
            out = ToRgb(
                {FromLinear(sum.r / total), FromLinear(sum.g / total), FromLinear(sum.b / total)});
        }
    }
}

} // namespace pkw::images
