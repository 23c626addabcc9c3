// zelFX40.dll under Wine: a layer taken from a DC and rendered back, the
// room a shadow adds and where the content then sits, undoing a step, and
// callers' mistakes answered with errors.
#include "common/win/dib_section.h"
#include "engine_support.h"

#include <gtest/gtest.h>

namespace pkw::fx::test {
namespace {

// A picture with detail in every channel, on a DC.
DibSection Picture(int width, int height) {
    DibSection dib(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dib.at(x, y) = std::uint32_t(x * 7 + y * 13) << 16 | std::uint32_t(x * y) << 8 |
                           std::uint32_t(255 - x * 3);
    return dib;
}

std::uint32_t ColourAt(const DibSection& dib, int x, int y) {
    ::GdiFlush();
    return dib.at(x, y) & 0xFFFFFF;
}

TEST_F(EngineTest, ALayerLoadedFromADcRendersBackUnchanged) {
    const DibSection picture = Picture(37, 21);
    ASSERT_EQ(layer->LoadFromDC(picture.dc(), 0, 0, 37, 21), S_OK);
    EXPECT_EQ(SizeOf(layer), (std::pair<LONG, LONG>{37, 21}));
    DibSection target(37, 21);
    target.fill(RGB(9, 9, 9));
    ASSERT_EQ(layer->RenderToDC(target.dc(), SRCCOPY, -1), S_OK);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 37; ++x)
            ASSERT_EQ(ColourAt(target, x, y), ColourAt(picture, x, y)) << x << ", " << y;
}

TEST_F(EngineTest, TheKeyColourLetsTheTargetShowThrough) {
    DibSection body(20, 10);
    body.fill(RGB(255, 0, 255));
    const RECT ink{5, 2, 15, 8};
    ::FillRect(body.dc(), &ink, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ASSERT_EQ(layer->LoadFromDC(body.dc(), 0, 0, 20, 10), S_OK);
    ASSERT_EQ(layer->SetTransparentColor(RGB(255, 0, 255)), S_OK);
    DibSection target(20, 10);
    target.fill(RGB(0, 200, 0));
    ASSERT_EQ(layer->RenderToDC(target.dc(), SRCCOPY, -1), S_OK);
    EXPECT_EQ(ColourAt(target, 1, 1), 0x00C800u);
    EXPECT_EQ(ColourAt(target, 10, 5), 0u);
    // Half the opacity: the ink over the green, half and half.
    target.fill(RGB(0, 200, 0));
    ASSERT_EQ(layer->RenderToDC(target.dc(), SRCCOPY, 128), S_OK);
    EXPECT_NEAR(int(ColourAt(target, 10, 5) >> 8), 100, 1);
}

// The shadow falls right and down: the layer grows by the shadow's reach,
// the content stays where it was (RenderToDC puts it at the origin), and
// the reported extra room holds every shadow pixel.
TEST_F(EngineTest, ADropShadowGrowsTheLayerAndKeepsTheContentInPlace) {
    ASSERT_EQ(layer->Create(20, 10, RGB(200, 0, 0), 255), S_OK);
    ASSERT_EQ(layer->DropShadow(4, 3, RGB(0, 0, 0), 255, 15, NoUndo()), S_OK);
    LONG dx = 0, dy = 0, ew = 0, eh = 0;
    layer->get_ShadowOffsetX(&dx);
    layer->get_ShadowOffsetY(&dy);
    layer->get_ShadowExtraWidth(&ew);
    layer->get_ShadowExtraHeight(&eh);
    EXPECT_EQ(SizeOf(layer), (std::pair<LONG, LONG>{20 + ew, 10 + eh}));
    EXPECT_GE(ew, 4);
    EXPECT_GE(eh, 3);

    DibSection target(20 + ew - dx, 10 + eh - dy);
    target.fill(RGB(255, 255, 255));
    ASSERT_EQ(layer->RenderToDC(target.dc(), SRCCOPY, -1), S_OK);
    EXPECT_EQ(ColourAt(target, 0, 0), 0xC80000u) << "the content at the origin";
    EXPECT_EQ(ColourAt(target, 19, 9), 0xC80000u);
    EXPECT_LT(ColourAt(target, 21, 11) & 0xFF, 200u) << "shadow just past the content";
    EXPECT_EQ(ColourAt(target, 21, 1), 0xFFFFFFu) << "no shadow above its offset";
}

TEST_F(EngineTest, UndoBringsBackThePixelsBeforeANamedStep) {
    ASSERT_EQ(layer->Create(8, 8, RGB(10, 20, 30), 255), S_OK);
    EXPECT_EQ(layer->Undo(), S_FALSE) << "nothing kept yet";
    ASSERT_EQ(layer->Rotate(90, NoUndo()), S_OK);
    EXPECT_EQ(layer->Undo(), S_FALSE) << "\"No Undo\" keeps nothing";
    ASSERT_EQ(layer->DropShadow(2, 2, 0, 127, 30, Bstr(L"Shadow").get()), S_OK);
    ASSERT_EQ(layer->Undo(), S_OK);
    EXPECT_EQ(SizeOf(layer), (std::pair<LONG, LONG>{8, 8}));
    LONG dx = -1;
    layer->get_ShadowOffsetX(&dx);
    EXPECT_EQ(dx, 0);
}

TEST_F(EngineTest, BadArgumentsFailAndLeaveTheLayerAlone) {
    ASSERT_EQ(layer->Create(6, 4, 0, 255), S_OK);
    EXPECT_EQ(layer->LoadFromDC(nullptr, 0, 0, 5, 5), E_INVALIDARG);
    EXPECT_EQ(layer->LoadFromDC(reinterpret_cast<HDC>(0x1234), 0, 0, 5, 5), E_INVALIDARG);
    DibSection dc(4, 4);
    EXPECT_EQ(layer->LoadFromDC(dc.dc(), 0, 0, 0, 5), E_INVALIDARG);
    EXPECT_EQ(layer->LoadFromDC(dc.dc(), 0, 0, 100000, 100000), E_INVALIDARG);
    EXPECT_EQ(layer->Create(-1, 5, 0, 255), E_INVALIDARG);
    EXPECT_EQ(layer->SetTransparentColor(0x12345678), E_INVALIDARG) << "not a colour";
    EXPECT_EQ(layer->PasteLayer(nullptr, 0, 0, NoUndo()), E_INVALIDARG);
    EXPECT_EQ(layer->FillAlpha(255, 7), E_INVALIDARG);
    EXPECT_EQ(layer->Rotate(std::numeric_limits<float>::infinity(), NoUndo()), E_INVALIDARG);
    EXPECT_EQ(layer->DropShadow(1 << 30, 0, 0, 255, 45, NoUndo()), E_INVALIDARG);
    EXPECT_EQ(layer->RenderToDC(nullptr, SRCCOPY, -1), E_INVALIDARG);
    EXPECT_EQ(SizeOf(layer), (std::pair<LONG, LONG>{6, 4}));
    // Out-of-range amounts are held, not refused.
    EXPECT_EQ(layer->BlurLayer(1 << 30, NoUndo()), S_OK);
    EXPECT_EQ(layer->SetLayerAlpha(-5, NoUndo()), S_OK);
}

} // namespace
} // namespace pkw::fx::test
