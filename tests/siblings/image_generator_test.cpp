// The image generator's rules, natively: sizes, clean masks, distinct frames,
// readable looks, and the bitmap file format that resource compilers take.
#include "bmp.h"
#include "catalog.h"
#include "validate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace pkw::images;

const ImageLayout& LayoutOf(int id) {
    for (const ImageLayout& s : Catalog())
        if (s.id == id) return s;
    throw std::runtime_error("no image " + std::to_string(id));
}

// Every image keeps every rule: the generator checks that as it draws
// them (a broken rule fails the build); here, that the check catches faults.
TEST(ImageGenerator, TheValidatorCatchesBlendsWithTheMask) {
    const ImageLayout& layout = LayoutOf(1001);
    Image image = layout.draw();
    image.at(6, 6) = Rgb{255, 128, 255}; // half magenta, half white
    EXPECT_FALSE(Validate(layout, image).empty());
    Image copy = layout.draw();
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            copy.at(x, 13 + y) = copy.at(x, y); // frame 1 = frame 0
    EXPECT_FALSE(Validate(layout, copy).empty());
}

// Luminance and colourfulness of a frame's drawn pixels.
struct Tone {
    double luminance = 0;
    double chroma = 0;
};

Tone ToneOf(const Image& frame) {
    Tone t;
    int n = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const Rgb p = frame.at(x, y);
            if (p == kMask) continue;
            t.luminance += 0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b;
            t.chroma += std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b});
            ++n;
        }
    if (n) {
        t.luminance /= n;
        t.chroma /= n;
    }
    return t;
}

// Per value: pressed is darker than hot, and disabled is grey.
TEST(ImageGenerator, GlyphLooksReadAsTheirStates) {
    for (int id : {1001, 1006}) {
        const ImageLayout& layout = LayoutOf(id);
        const Image strip = layout.draw();
        for (int value = 0; value < layout.frames / 4; ++value) {
            const Tone normal = ToneOf(FrameOf(layout, strip, value * 4));
            const Tone hot = ToneOf(FrameOf(layout, strip, value * 4 + 1));
            const Tone pressed = ToneOf(FrameOf(layout, strip, value * 4 + 2));
            const Tone disabled = ToneOf(FrameOf(layout, strip, value * 4 + 3));
            EXPECT_LT(pressed.luminance, hot.luminance) << id << " value " << value;
            EXPECT_LT(disabled.chroma, 8.0) << id << " value " << value;
            EXPECT_GT(std::abs(hot.luminance - normal.luminance) +
                          std::abs(hot.chroma - normal.chroma),
                      4.0)
                << id << " value " << value;
        }
    }
}

// The mask around the option's circle is symmetric both ways in every frame.
TEST(ImageGenerator, TheOptionCircleIsSymmetric) {
    const ImageLayout& layout = LayoutOf(1006);
    const Image strip = layout.draw();
    for (int k = 0; k < layout.frames; ++k) {
        const Image f = FrameOf(layout, strip, k);
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                ASSERT_EQ(f.at(x, y) == kMask, f.at(12 - x, y) == kMask)
                    << k << ": " << x << "," << y;
                ASSERT_EQ(f.at(x, y) == kMask, f.at(x, 12 - y) == kMask)
                    << k << ": " << x << "," << y;
            }
    }
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

TEST(BmpWriter, WritesBottomUpRowsPaddedToFourBytes) {
    Image image(3, 2, kMask);
    image.at(0, 0) = {1, 2, 3}; // top-left
    image.at(2, 1) = {7, 8, 9}; // bottom-right
    const auto bytes = EncodeBmp24(image);
    const std::size_t stride = 12; // 3 pixels x 3 bytes, padded
    ASSERT_EQ(bytes.size(), 54 + stride * 2);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(U32(bytes, 2), bytes.size());
    EXPECT_EQ(U32(bytes, 10), 54u);
    EXPECT_EQ(U32(bytes, 18), 3u);
    EXPECT_EQ(U32(bytes, 22), 2u);
    EXPECT_EQ(bytes[28], 24);
    // The first row in the file is the bottom row: its last pixel is (7, 8, 9) as B, G, R.
    EXPECT_EQ(bytes[54 + 6], 9);
    EXPECT_EQ(bytes[54 + 7], 8);
    EXPECT_EQ(bytes[54 + 8], 7);
    EXPECT_EQ(bytes[54 + 9], 0) << "padding";
    EXPECT_EQ(bytes[54 + stride + 0], 3);
    EXPECT_EQ(bytes[54 + stride + 2], 1);
}

} // namespace
