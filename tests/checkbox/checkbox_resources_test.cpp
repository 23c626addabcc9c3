// What check boxes share so that each costs little: one GDI font for the
// controls whose fonts look alike, and one paint bitmap per thread, grown
// when a control grows.
#include "tests/checkbox/checkbox_fixture.h"

namespace pkw::test {
namespace {

class CheckBoxResourcesTest : public CheckBoxTest {
protected:
    // The font selected into the control's own DC (its hdc property).
    static HFONT FontOf(const PlacedBox& b) {
        LONG handle = 0;
        EXPECT_HRESULT_SUCCEEDED(b.box->get_hdc(&handle));
        const auto hdc = reinterpret_cast<HDC>(static_cast<LONG_PTR>(handle));
        return static_cast<HFONT>(::GetCurrentObject(hdc, OBJ_FONT));
    }
    static LONG WeightOf(HFONT font) {
        LOGFONTW lf{};
        return ::GetObjectW(font, sizeof lf, &lf) == sizeof lf ? lf.lfWeight : -1;
    }
    static ComPtr<IFont> FontObject(const PlacedBox& b) {
        ComPtr<IFontDisp> disp;
        ComPtr<IFont> font;
        EXPECT_HRESULT_SUCCEEDED(b.box->get_Font(&disp));
        if (disp) {
            EXPECT_HRESULT_SUCCEEDED(disp.As(&font));
        }
        return font;
    }
};

TEST_F(CheckBoxResourcesTest, EqualFontsShareOneGdiFontAndChangeApart) {
    auto one = placeBox(L"Check1", {10, 10, 130, 34});
    auto two = placeBox(L"Check2", {10, 40, 130, 64});
    ASSERT_TRUE(one && two);
    const HFONT shared = FontOf(one);
    ASSERT_TRUE(shared);
    EXPECT_NE(shared, static_cast<HFONT>(::GetStockObject(SYSTEM_FONT)));
    EXPECT_EQ(FontOf(two), shared);
    const ComPtr<IFont> first = FontObject(one), second = FontObject(two);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.Get(), second.Get()) << "each control keeps its own font object";

    // Bold on the first: it draws with a bold font of its own, the second
    // keeps the shared one and its own font object stays as it was.
    ASSERT_HRESULT_SUCCEEDED(first->put_Bold(TRUE));
    pumpPending();
    EXPECT_NE(FontOf(one), shared);
    EXPECT_EQ(WeightOf(FontOf(one)), FW_BOLD);
    EXPECT_EQ(FontOf(two), shared);
    EXPECT_EQ(WeightOf(shared), FW_NORMAL);
    BOOL bold = TRUE;
    ASSERT_HRESULT_SUCCEEDED(second->get_Bold(&bold));
    EXPECT_FALSE(bold);

    // Back to normal: the two share again.
    ASSERT_HRESULT_SUCCEEDED(first->put_Bold(FALSE));
    pumpPending();
    EXPECT_EQ(FontOf(one), FontOf(two));
}

// A control that grows past every size painted so far on the thread
// draws its whole new area (the paint bitmap grows with it), and looks as
// a control placed at that size from the start.
TEST_F(CheckBoxResourcesTest, AGrownControlPaintsItsWholeNewArea) {
    constexpr COLORREF kBack = RGB(255, 255, 255), kInk = RGB(200, 0, 0);
    constexpr RECT kSmall{10, 10, 70, 27}, kLarge{10, 40, 310, 80}, kReference{10, 90, 310, 130};
    const auto styled = [&](const wchar_t* name, const RECT& at) {
        auto b = placeBox(name, at);
        if (!b) return b;
        put(b, L"BackColor", I4(LONG(kBack)));
        put(b, L"ForeColor", I4(LONG(kInk)));
        put(b, L"UniCaption", Str(L"HHHHHHHHHHHHHHHHHHHHHHHHHHHH"));
        return b;
    };
    auto grown = styled(L"Grown", kSmall);
    ASSERT_TRUE(grown);
    ASSERT_HRESULT_SUCCEEDED(grown.site->move(kLarge));
    auto reference = styled(L"Reference", kReference);
    ASSERT_TRUE(reference);
    pumpPending();
    ::RedrawWindow(grown.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    const Image image = captureWindow(grown.window());
    ASSERT_EQ(image.width(), kLarge.right - kLarge.left);
    ASSERT_EQ(image.height(), kLarge.bottom - kLarge.top);
    // Past the old width: the back colour in the corners, the caption's ink.
    EXPECT_EQ(image.color(image.width() - 1, 0), kBack);
    EXPECT_EQ(image.color(image.width() - 1, image.height() - 1), kBack);
    std::size_t inkBeyond = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = kSmall.right - kSmall.left; x < image.width(); ++x)
            inkBeyond += image.color(x, y) == kInk;
    EXPECT_GT(inkBeyond, 50u);
    EXPECT_EQ(image.pixels(), captureWindow(reference.window()).pixels());
}

} // namespace
} // namespace pkw::test
