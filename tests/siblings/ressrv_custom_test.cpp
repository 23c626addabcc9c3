// Host images of zelResSrv40: copies kept by name, counted per name.
#include "siblings/api/plain.h"

#include "test_windows.h"
#include "host/gdi_objects.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::ResSrv;
using pkw::test::MakeBitmap;

COLORREF Gradient(int x, int y) {
    return RGB(x * 10, y, 77);
}

bool Alive(HDC dc) {
    return ::GetObjectType(dc) == OBJ_MEMDC;
}

// The host's bitmap may be held by a DC of its own (as a picture object's
// is); the copy outlives it.
TEST(CustomResDc, KeepsACopyOfTheHostBitmapAndWritesItsSize) {
    HDC dc = nullptr;
    {
        auto bitmap = MakeBitmap(20, 240, Gradient);
        pkw::UniqueMemoryDc holder(::CreateCompatibleDC(nullptr));
        pkw::SelectedObject held(holder.get(), bitmap.get());
        LONG w = 0, h = 0;
        dc = ResSrv().GetCustomResDc(bitmap.get(), "skin copy", &w, &h);
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(w, 20);
        EXPECT_EQ(h, 240);
    } // the host's bitmap is gone
    for (int y : {0, 119, 239})
        for (int x : {0, 7, 19})
            EXPECT_EQ(::GetPixel(dc, x, y), Gradient(x, y)) << x << "," << y;
    EXPECT_EQ(ResSrv().ReleaseCustomResDc("skin copy"), 1);
    EXPECT_FALSE(Alive(dc));
}

TEST(CustomResDc, ANameIsBorrowedUntilItsLastReturn) {
    auto first = MakeBitmap(20, 250, Gradient);
    auto other = MakeBitmap(5, 5, [](int, int) { return RGB(1, 1, 1); });
    LONG w = 0, h = 0;
    const HDC a = ResSrv().GetCustomResDc(first.get(), "Shared", &w, &h);
    ASSERT_NE(a, nullptr);
    // The same name with another bitmap is the image already held.
    w = h = 0;
    const HDC b = ResSrv().GetCustomResDc(other.get(), "Shared", &w, &h);
    EXPECT_EQ(b, a);
    EXPECT_EQ(w, 20);
    EXPECT_EQ(h, 250);
    // Names are compared exactly.
    const HDC c = ResSrv().GetCustomResDc(other.get(), "shared", nullptr, nullptr);
    ASSERT_NE(c, nullptr);
    EXPECT_NE(c, a);

    EXPECT_EQ(ResSrv().ReleaseCustomResDc("Shared"), 1);
    EXPECT_TRUE(Alive(a));
    EXPECT_EQ(ResSrv().ReleaseCustomResDc("Shared"), 1);
    EXPECT_FALSE(Alive(a));
    EXPECT_EQ(ResSrv().ReleaseCustomResDc("Shared"), 0) << "nothing left under the name";
    EXPECT_TRUE(Alive(c));
    EXPECT_EQ(ResSrv().ReleaseCustomResDc("shared"), 1);
    EXPECT_FALSE(Alive(c));
}

TEST(CustomResDc, NoBitmapOrNoNameMakesNoEntry) {
    auto bitmap = MakeBitmap(4, 4, Gradient);
    LONG w = 9, h = 9;
    EXPECT_EQ(ResSrv().GetCustomResDc(nullptr, "none", &w, &h), nullptr);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(ResSrv().ReleaseCustomResDc("none"), 0);
    EXPECT_EQ(ResSrv().GetCustomResDc(bitmap.get(), "", &w, &h), nullptr);
    EXPECT_EQ(ResSrv().GetCustomResDc(bitmap.get(), nullptr, &w, &h), nullptr);
    EXPECT_EQ(ResSrv().ReleaseCustomResDc(""), 0);
    EXPECT_EQ(ResSrv().ReleaseCustomResDc(nullptr), 0);
    // Something that is not a bitmap.
    pkw::UniqueBrush brush(::CreateSolidBrush(0));
    EXPECT_EQ(ResSrv().GetCustomResDc(reinterpret_cast<HBITMAP>(brush.get()), "brush", &w, &h),
              nullptr);
    EXPECT_EQ(ResSrv().ReleaseCustomResDc("brush"), 0);
}

} // namespace
