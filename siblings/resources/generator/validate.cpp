#include "validate.h"

namespace pkw::images {

Image FrameOf(const ImageLayout& layout, const Image& image, int k) {
    return Crop(image, k * layout.strideX, k * layout.strideY, layout.frameWidth,
                layout.frameHeight);
}

std::vector<std::string> Validate(const ImageLayout& layout, const Image& image) {
    std::vector<std::string> problems;
    const std::string name = layout.file;
    if (image.width() != layout.width || image.height() != layout.height) {
        problems.push_back(name + ": size differs from the catalogue");
        return problems;
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (NearMask(image.at(x, y)))
                problems.push_back(name + ": pixel " + std::to_string(x) + "," + std::to_string(y) +
                                   " blends with the mask colour");

    std::vector<Image> frames;
    for (int k = 0; k < layout.frames; ++k)
        frames.push_back(FrameOf(layout, image, k));
    for (int a = 0; a < layout.frames; ++a)
        for (int b = a + 1; b < layout.frames; ++b)
            if (frames[a] == frames[b])
                problems.push_back(name + ": frames " + std::to_string(a) + " and " +
                                   std::to_string(b) + " are the same");

    for (int k = 0; k < layout.frames; ++k) {
        const Image& f = frames[std::size_t(k)];
        const bool cornerMasked = f.at(0, 0) == kMask;
        const bool centreMasked = f.at(f.width() / 2, f.height() / 2) == kMask;
        bool anyMasked = false;
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x)
                anyMasked = anyMasked || f.at(x, y) == kMask;
        if (layout.masked && (!cornerMasked || centreMasked))
            problems.push_back(name + ": frame " + std::to_string(k) +
                               " is not masked around its glyph");
        if (!layout.masked && anyMasked)
            problems.push_back(name + ": frame " + std::to_string(k) + " holds the mask colour");
    }
    return problems;
}

} // namespace pkw::images
