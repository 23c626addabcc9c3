// Where the image and caption layers land on the body, by what the control
// holds and the glyph's side; the layers here carry shadows, so that their
// content is smaller than the layer and starts inside it.
#include "common/effects/layout.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::effects;

// A 16 x 16 image in a 20 x 20 layer, its content 1 pixel in.
constexpr LayerExtent kImage{20, 20, 1, 1, 4, 4};
// A 44 x 14 caption in a 50 x 18 layer, its content 2 pixels from the left.
constexpr LayerExtent kCaption{50, 18, 2, 0, 6, 4};

struct LayoutCase {
    const char* name;
    int height;
    int alignment;
    std::optional<LayerExtent> image, caption;
    std::optional<int> imageLeft, imageTop, captionLeft, captionTop;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class LayoutEffectsTest : public testing::TestWithParam<LayoutCase> {};

// Body 120 wide, glyph 13, margins 3 (left) and 5 (right), border on: the
// margin is 4 with the glyph at the left, 6 at the right.
TEST_P(LayoutEffectsTest, PlacesEachLayer) {
    const LayoutCase& c = GetParam();
    LayoutInput in;
    in.bodyWidth = 120;
    in.bodyHeight = c.height;
    in.glyphWidth = 13;
    in.glyphAlignment = c.alignment;
    in.marginLeft = 3;
    in.marginRight = 5;
    in.border = true;
    in.image = c.image;
    in.caption = c.caption;
    const EffectsLayout out = LayoutEffects(in);

    ASSERT_EQ(out.image.has_value(), c.image.has_value());
    ASSERT_EQ(out.caption.has_value(), c.caption.has_value());
    if (out.image) {
        EXPECT_EQ(out.image->left, c.imageLeft) << "image left";
        EXPECT_EQ(out.image->top, c.imageTop) << "image top";
    }
    if (out.caption) {
        EXPECT_EQ(out.caption->left, c.captionLeft) << "caption left";
        EXPECT_EQ(out.caption->top, c.captionTop) << "caption top";
    }
}

constexpr LayerExtent WholeWidth(LayerExtent e) {
    e.excludeX = true;
    return e;
}
constexpr LayerExtent WholeHeight(LayerExtent e) {
    e.excludeY = true;
    return e;
}

const std::nullopt_t none = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Contents, LayoutEffectsTest,
    testing::Values(
        // Image only: at the margin, over the glyph's column.
        LayoutCase{"ImageOnlyGlyphLeft", 24, 0, kImage, none, 3, 3, none, none},
        LayoutCase{"ImageOnlyGlyphRight", 24, 1, kImage, none, 97, 3, none, none},
        LayoutCase{"ImageOnlyOddHeightTruncates", 25, 0, kImage, none, 3, 3, none, none},
        LayoutCase{"ImageOnlyShadowCountedIn", 24, 0, WholeHeight(WholeWidth(kImage)), none, 4, 2,
                   none, none},
        // Caption only: beyond the glyph's column.
        LayoutCase{"CaptionOnlyGlyphLeft", 24, 0, none, kCaption, none, none, 17, 5},
        LayoutCase{"CaptionOnlyGlyphRight", 24, 1, none, kCaption, none, none, 57, 5},
        LayoutCase{"CaptionOnlyOddHeightHalfToEven", 25, 0, none, kCaption, none, none, 17, 6},
        LayoutCase{"CaptionOnlyShadowCountedIn", 24, 0, none, WholeWidth(kCaption), none, none, 19,
                   5},
        LayoutCase{"CaptionOnlyShadowCountedInAtTheRight", 24, 1, none, WholeWidth(kCaption), none,
                   none, 49, 5},
        // Both: the image beside the glyph, the caption 2 pixels on.
        LayoutCase{"BothGlyphLeft", 24, 0, kImage, kCaption, 19, 4, 35, 5},
        LayoutCase{"BothGlyphRight", 24, 1, kImage, kCaption, 84, 4, 40, 5},
        LayoutCase{"BothOddHeightHalvesToEven", 25, 0, kImage, kCaption, 19, 4, 35, 6},
        // No column for a glyph that is neither left nor right.
        LayoutCase{"NoColumnForOtherAlignments", 24, 2, kImage, kCaption, none, 4, none, 5},
        LayoutCase{"NothingToPlace", 24, 0, none, none, none, none, none, none}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

} // namespace
