// The option button draws the effects look through the same core as the
// check box: its state sets' fill, its own glyph on the body.
#include "tests/option/option_fixture.h"
#include "host/effect_sets.h"

namespace pkw::test {
namespace {

TEST_F(OptionTest, TheEffectsLookDrawsTheStateSetWithTheOptionGlyph) {
    constexpr COLORREF kFill = RGB(30, 140, 90);
    auto option = placeOption(L"Option1", 0);
    ASSERT_TRUE(option);
    put(*option.Get(), L"VisualEffectStyle", Variant::fromI4(1));
    const auto sets = EffectSetsOf(get(*option.Get(), L"EffectsProps"));
    ASSERT_EQ(sets.size(), 4u);
    for (const auto& set : sets) {
        ASSERT_TRUE(set);
        set->put_BackStyle(0);
        set->put_BackColor(kFill);
        set->put_Border(VARIANT_FALSE);
    }
    ASSERT_HRESULT_SUCCEEDED(callMethod(option->dispatch(), L"Refresh"));
    pumpPending();
    const Image image = captureWindow(option->window());
    ASSERT_FALSE(image.empty());
    EXPECT_GT(image.count(kFill), std::size_t(image.width() * image.height() / 2));
    // The glyph sits at the left, centred, over the fill.
    std::size_t glyph = 0;
    const LONG top = image.height() / 2 - 6;
    for (LONG y = top; y < top + 13; ++y)
        for (LONG x = 0; x < 13; ++x)
            glyph += image.color(x, y) != kFill;
    EXPECT_GT(glyph, 20u);
}

} // namespace
} // namespace pkw::test
