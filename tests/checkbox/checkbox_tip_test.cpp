// The rich tool tip's timing while the cursor rests on a check box, and the
// container's say in it through QueryTipPlacement.
#include "tests/checkbox/checkbox_fixture.h"

namespace pkw::test {
namespace {

constexpr POINT kInside{6, 8};

class CheckBoxTipTest : public CheckBoxTest {
protected:
    // A box whose tip set says `caption`, shown after `preTimer` seconds.
    PlacedBox tippedBox(float preTimer, const wchar_t* caption) {
        PlacedBox b = placeBox();
        if (!b) return b;
        put(b, L"TipPreTimer", R4(preTimer));
        put(b, L"TipPostTimer", R4(600.0f));
        Variant sets = get(b, L"TipEffectsProps");
        EXPECT_EQ(sets.vt, VT_ARRAY | VT_DISPATCH);
        if (sets.vt == (VT_ARRAY | VT_DISPATCH)) {
            LONG index = 0;
            ComPtr<IDispatch> first;
            EXPECT_HRESULT_SUCCEEDED(
                ::SafeArrayGetElement(sets.parray, &index, first.GetAddressOf()));
            if (first) {
                EXPECT_HRESULT_SUCCEEDED(putProperty(first.Get(), L"Caption", Str(caption)));
            }
        }
        return b;
    }

    std::size_t queries(const PlacedBox& b) { return b.site->events().count(L"QueryTipPlacement"); }
};

TEST_F(CheckBoxTipTest, TheContainerPlacesTheTipOnceAfterTheDelay) {
    auto b = tippedBox(0.05f, L"Hello");
    ASSERT_TRUE(b);
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    ASSERT_TRUE(pumpUntil([&] { return queries(b) > 0; }));
    const RecordedEvent* query = b.site->events().last(L"QueryTipPlacement");
    const POINT cursor = input::screenPoint(*b.site.Get(), kInside);
    EXPECT_EQ(NumberOf(query->arg(L"X")->value), cursor.x);
    EXPECT_EQ(NumberOf(query->arg(L"Y")->value), cursor.y);
    EXPECT_EQ(TextOf(query->arg(L"TipText")->value), L"Hello");
    EXPECT_EQ(NumberOf(query->arg(L"bCancel")->value), 0);
    // Shown once per hover.
    pumpTicks(10);
    EXPECT_EQ(queries(b), 1u);
}

TEST_F(CheckBoxTipTest, NoDelayMeansNoTip) {
    auto b = tippedBox(0.0f, L"Hello");
    ASSERT_TRUE(b);
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    pumpTicks(20);
    EXPECT_EQ(queries(b), 0u);
}

TEST_F(CheckBoxTipTest, ACancelledTipWaitsForTheCursorToLeaveAndComeBack) {
    auto b = tippedBox(0.02f, L"Hello");
    ASSERT_TRUE(b);
    b.site->events().on(L"QueryTipPlacement", [](EventCall& call) {
        EXPECT_HRESULT_SUCCEEDED(call.set(L"bCancel", I4(-1)));
    });
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    ASSERT_TRUE(pumpUntil([&] { return queries(b) > 0; }));
    pumpTicks(10);
    EXPECT_EQ(queries(b), 1u) << "asked again during the same hover";

    ASSERT_TRUE(input::moveOutside(*b.site.Get()));
    pumpTicks(3);
    ASSERT_TRUE(input::moveTo(*b.site.Get(), kInside));
    EXPECT_TRUE(pumpUntil([&] { return queries(b) > 1; })) << "not asked after re-entering";
}

} // namespace
} // namespace pkw::test
