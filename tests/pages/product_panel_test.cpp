// The product panel drawn off screen: the maker line shows the year it is
// given (the pages pass the clock's at every paint).
#include "common/win/dib_section.h"
#include "pages/product_panel.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pkw::test {
namespace {

TEST(ProductPanel, TheMakerLineShowsTheYearItIsGiven) {
    constexpr SIZE kArea{361, 300};
    const DibSection now(kArea.cx, kArea.cy), later(kArea.cx, kArea.cy);
    ASSERT_TRUE(now.valid() && later.valid());
    pages::DrawProductPanel(now.dc(), kArea, {15, 15}, 2026);
    pages::DrawProductPanel(later.dc(), kArea, {15, 15}, 2031);
    ::GdiFlush();
    EXPECT_FALSE(std::equal(now.pixels(), now.pixels() + kArea.cx * kArea.cy, later.pixels()));
}

} // namespace
} // namespace pkw::test
