// The product panel drawn off screen: the maker line follows the year it
// is given (the pages pass the clock's at every paint).
#include "common/win/dib_section.h"
#include "pages/product_panel.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace pkw::test {
namespace {

constexpr ax::units::TwipsPerPixel k15{15, 15};
constexpr SIZE kArea{361, 300};

DibSection PanelOf(int year) {
    DibSection dib(kArea.cx, kArea.cy);
    pages::DrawProductPanel(dib.dc(), kArea, k15, year);
    ::GdiFlush();
    return dib;
}

TEST(ProductPanel, TheMakerLineShowsTheYearItIsGiven) {
    const DibSection first = PanelOf(2026), again = PanelOf(2026), later = PanelOf(2031);
    ASSERT_TRUE(first.valid() && again.valid() && later.valid());
    std::size_t unstable = 0, changed = 0, changedAbove = 0;
    // Below the image come the version line (at 3600 twips) and the maker line.
    const int linesTop = 3600 / 15;
    for (int y = 0; y < kArea.cy; ++y)
        for (int x = 0; x < kArea.cx; ++x) {
            if (first.at(x, y) != again.at(x, y)) ++unstable;
            if (first.at(x, y) == later.at(x, y)) continue;
            ++changed;
            if (y < linesTop) ++changedAbove;
        }
    EXPECT_EQ(unstable, 0u);
    EXPECT_GT(changed, 0u);
    EXPECT_EQ(changedAbove, 0u);
}

} // namespace
} // namespace pkw::test
