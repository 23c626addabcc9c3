// How a texture covers a body: copied once, tiled or stretched.
#include "common/effects/texture_tiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace pkw::effects;

// How many blits cover each body pixel.
std::vector<int> Coverage(const std::vector<TextureBlit>& blits, int width, int height) {
    std::vector<int> count(static_cast<std::size_t>(width * height));
    for (const TextureBlit& b : blits)
        for (int y = b.y; y < b.y + b.height; ++y)
            for (int x = b.x; x < b.x + b.width; ++x)
                if (x >= 0 && y >= 0 && x < width && y < height) ++count[y * width + x];
    return count;
}

TEST(TextureBlits, ALargerTextureIsCopiedOnceFromItsCorner) {
    const std::vector<TextureBlit> want{{0, 0, 120, 24, 120, 24}};
    EXPECT_EQ(TextureBlits(200, 50, 120, 24, 0), want);
    EXPECT_EQ(TextureBlits(200, 50, 120, 24, 1), want) << "the size mode does not matter";
    EXPECT_EQ(TextureBlits(120, 24, 120, 24, 7), want) << "equal on both axes counts as larger";
}

TEST(TextureBlits, ASmallerTextureTilesUnscaledFromTheTopLeftCuttingTheLastRowAndColumn) {
    const auto blits = TextureBlits(10, 10, 25, 12, 0);
    const std::vector<TextureBlit> want{{0, 0, 10, 10, 10, 10}, {10, 0, 10, 10, 10, 10},
                                        {20, 0, 5, 10, 5, 10},  {0, 10, 10, 2, 10, 2},
                                        {10, 10, 10, 2, 10, 2}, {20, 10, 5, 2, 5, 2}};
    EXPECT_EQ(blits, want);
    for (int n : Coverage(blits, 25, 12))
        ASSERT_EQ(n, 1) << "every body pixel drawn exactly once";
}

// Larger on one axis only is not larger: it tiles along the other.
TEST(TextureBlits, LargerOnOneAxisOnlyStillTiles) {
    const auto blits = TextureBlits(200, 10, 120, 24, 0);
    ASSERT_EQ(blits.size(), 3u);
    EXPECT_EQ(blits[2], (TextureBlit{0, 20, 120, 4, 120, 4}));
    for (int n : Coverage(blits, 120, 24))
        ASSERT_EQ(n, 1);
}

TEST(TextureBlits, ModeOneStretchesOnceAndOtherModesDrawNothing) {
    EXPECT_EQ(TextureBlits(10, 8, 120, 24, 1), (std::vector<TextureBlit>{{0, 0, 120, 24, 10, 8}}));
    EXPECT_TRUE(TextureBlits(10, 8, 120, 24, 2).empty());
    EXPECT_TRUE(TextureBlits(10, 8, 120, 24, -1).empty());
}

TEST(TextureBlits, EmptyTextureOrBodyDrawsNothing) {
    EXPECT_TRUE(TextureBlits(0, 8, 120, 24, 0).empty()) << "no endless tiling of nothing";
    EXPECT_TRUE(TextureBlits(8, -3, 120, 24, 0).empty());
    EXPECT_TRUE(TextureBlits(8, 8, 0, 24, 0).empty());
}

} // namespace
