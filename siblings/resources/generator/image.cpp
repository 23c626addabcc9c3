#include "image.h"

namespace pkw::images {

Image Crop(const Image& image, int x, int y, int w, int h) {
    Image part(w, h, kMask);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            part.at(col, row) = image.at(x + col, y + row);
    return part;
}

} // namespace pkw::images
