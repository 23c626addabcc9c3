// Built-in images of zelResSrv40: one shared DC per image and scheme, counted;
// and neither of its pools leaks.
#include "siblings/api/plain.h"

#include "test_windows.h"
#include "host/gdi_objects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using pkw::sib::ResSrv;

SIZE ImageSize(HDC dc) {
    BITMAP info{};
    const HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    if (!bitmap || ::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

bool Alive(HDC dc) {
    return ::GetObjectType(dc) == OBJ_MEMDC;
}

TEST(StaticResDc, BorrowersShareOneDcFreedWithTheLastReturn) {
    const HDC first = ResSrv().GetStaticResDc(1001, 0);
    const HDC second = ResSrv().GetStaticResDc(1001, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    const HDC other = ResSrv().GetStaticResDc(1006, 0);
    EXPECT_NE(other, first);

    EXPECT_EQ(ResSrv().ReleaseStaticResDc(first), 1);
    EXPECT_TRUE(Alive(first)) << "one borrower left";
    EXPECT_EQ(::GetPixel(first, 0, 0), RGB(255, 0, 255)) << "the strip's first corner is masked";
    EXPECT_EQ(ResSrv().ReleaseStaticResDc(second), 1);
    EXPECT_FALSE(Alive(first)) << "freed with the last return";
    EXPECT_EQ(ResSrv().ReleaseStaticResDc(first), 0) << "not ours any more";
    EXPECT_TRUE(Alive(other));
    EXPECT_EQ(ResSrv().ReleaseStaticResDc(other), 1);
}

TEST(StaticResDc, UnknownImagesAndDcsAreRefused) {
    for (LONG id : {0L, -1L, 1002L, 30000L, 70000L})
        EXPECT_EQ(ResSrv().GetStaticResDc(id, 0), nullptr) << id;
    EXPECT_EQ(ResSrv().ReleaseStaticResDc(nullptr), 0);
    pkw::UniqueMemoryDc foreign(::CreateCompatibleDC(nullptr));
    EXPECT_EQ(ResSrv().ReleaseStaticResDc(foreign.get()), 0);
    EXPECT_EQ(::GetObjectType(foreign.get()), DWORD(OBJ_MEMDC))
        << "someone else's DC is left alone";
}

// The push-button strips take colour schemes; an unknown scheme is scheme 0,
// and other images ignore the variant.
TEST(StaticResDc, VariantsSelectColourSchemesOfThePushButtonStrips) {
    for (LONG id : {1100L, 1496L}) {
        const HDC plain = ResSrv().GetStaticResDc(id, 0);
        const HDC graphite = ResSrv().GetStaticResDc(id, 1);
        const HDC unknown = ResSrv().GetStaticResDc(id, 99);
        ASSERT_NE(plain, nullptr);
        ASSERT_NE(graphite, nullptr);
        EXPECT_NE(plain, graphite);
        EXPECT_EQ(unknown, plain);
        const SIZE size = ImageSize(plain);
        int differing = 0, maskMismatch = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) {
                const COLORREF a = ::GetPixel(plain, x, y), b = ::GetPixel(graphite, x, y);
                differing += a != b;
                maskMismatch += (a == RGB(255, 0, 255)) != (b == RGB(255, 0, 255));
            }
        EXPECT_GT(differing, 0) << id << ": the accent changes";
        EXPECT_EQ(maskMismatch, 0) << id << ": the mask stays where it is";
        for (HDC dc : {plain, graphite, unknown})
            ResSrv().ReleaseStaticResDc(dc);
        EXPECT_FALSE(Alive(plain));
        EXPECT_FALSE(Alive(graphite));
    }
    const HDC a = ResSrv().GetStaticResDc(1001, 0), b = ResSrv().GetStaticResDc(1001, 3);
    EXPECT_EQ(a, b);
    ResSrv().ReleaseStaticResDc(a);
    ResSrv().ReleaseStaticResDc(b);
}

TEST(StaticResDc, CountsHoldUnderConcurrentBorrowing) {
    const HDC keep = ResSrv().GetStaticResDc(1006, 0);
    ASSERT_NE(keep, nullptr);
    std::vector<std::thread> threads;
    std::atomic<int> mismatches{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i) {
                const HDC dc = ResSrv().GetStaticResDc(1006, 0);
                if (dc != keep) ++mismatches;
                ResSrv().ReleaseStaticResDc(dc);
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(mismatches, 0);
    EXPECT_TRUE(Alive(keep));
    EXPECT_EQ(ResSrv().ReleaseStaticResDc(keep), 1);
    EXPECT_FALSE(Alive(keep));
}

// Every DC and bitmap of both pools goes with the last return.
TEST(ResSrv, ReturningEveryBorrowLeavesNoGdiObject) {
    const auto bitmap = pkw::test::MakeBitmap(20, 240, [](int x, int y) { return RGB(x, y, 7); });
    const auto cycle = [&] {
        const HDC a = ResSrv().GetStaticResDc(1001, 0), b = ResSrv().GetStaticResDc(1001, 0);
        const HDC c = ResSrv().GetStaticResDc(1496, 2);
        for (HDC dc : {a, b, c})
            ResSrv().ReleaseStaticResDc(dc);
        ResSrv().GetCustomResDc(bitmap.get(), "cycle", nullptr, nullptr);
        ResSrv().GetCustomResDc(bitmap.get(), "cycle", nullptr, nullptr);
        ResSrv().ReleaseCustomResDc("cycle");
        ResSrv().ReleaseCustomResDc("cycle");
    };
    cycle(); // the first DC of a process makes objects that live on
    const int before = pkw::test::CountGdiObjects();
    for (int i = 0; i < 5; ++i) // a leak shows in every cycle
        cycle();
    EXPECT_EQ(pkw::test::CountGdiObjects(), before);
}

} // namespace
