// The tool-tip object: what it keeps, and the QueryPlacement exchange with
// its sinks before it shows.
#include "globals_support.h"

#include "host/screen_lock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace pkw::globals_test;
using pkw::Variant;

class GlobalsToolTip : public OleTest {
protected:
    void SetUp() override {
        OleTest::SetUp();
        tip_ = create<IToolTip>(CLSID_ToolTip);
        ASSERT_TRUE(tip_);
    }
    void TearDown() override {
        tip_.Reset();
        OleTest::TearDown();
    }

    DWORD connect(IUnknown* sink) {
        ComPtr<IConnectionPointContainer> container;
        EXPECT_EQ(tip_.As(&container), S_OK);
        ComPtr<IConnectionPoint> point;
        EXPECT_EQ(container->FindConnectionPoint(DIID_DToolTipEvents, &point), S_OK);
        DWORD cookie = 0;
        EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
        return cookie;
    }

    Placement shownAt() {
        Placement p;
        tip_->get_X(&p.x);
        tip_->get_Y(&p.y);
        tip_->get_XDisplay(&p.xDisplay);
        tip_->get_YDisplay(&p.yDisplay);
        return p;
    }

    // The tip shows on the screen and follows the cursor.
    pkw::host::ScreenLock screen_;
    ComPtr<IToolTip> tip_;
};

TEST_F(GlobalsToolTip, QueryPlacementDecidesWhereAndWhether) {
    struct Case {
        const char* what;
        std::function<void(Placement&)> answer;
        bool shows;
    };
    const Case cases[] = {
        {"as offered", nullptr, true},
        {"moved",
         [](Placement& p) {
             p.x = 10;
             p.y = -20;
             p.xDisplay = 1;
             p.yDisplay = 3;
         },
         true},
        {"cancelled",
         [](Placement& p) {
             p.x = 99;
             p.cancel = VARIANT_TRUE;
         },
         false},
    };
    ASSERT_TRUE(::SetCursorPos(137, 59));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tip_ = create<IToolTip>(CLSID_ToolTip);
        ASSERT_EQ(tip_->put_XDisplay(2), S_OK);
        ASSERT_EQ(tip_->put_YDisplay(3), S_OK);
        ComPtr<PlacementSink> sink = PlacementSink::make();
        sink->answer = c.answer;
        connect(sink.Get());

        POINT cursor{};
        ASSERT_TRUE(::GetCursorPos(&cursor));
        const Placement offered{cursor.x, cursor.y, 2, 3, VARIANT_FALSE};
        Placement answered = offered;
        if (c.answer) c.answer(answered);

        LONG result = -1;
        ASSERT_EQ(tip_->ShowTip(0, &result), S_OK);
        ASSERT_EQ(sink->received.size(), 1u);
        EXPECT_EQ(sink->received[0], offered);
        VARIANT_BOOL shown = VARIANT_FALSE;
        tip_->get_Shown(&shown);
        EXPECT_EQ(shown != VARIANT_FALSE, c.shows);
        EXPECT_EQ(result, c.shows ? 1 : 0);
        if (c.shows) {
            answered.cancel = VARIANT_FALSE;
            EXPECT_EQ(shownAt(), answered);
        } else {
            EXPECT_EQ(shownAt(), (Placement{0, 0, 2, 3, VARIANT_FALSE})) << "nothing taken";
        }
    }
}

TEST_F(GlobalsToolTip, LaterSinksSeeEarlierAnswers) {
    ComPtr<PlacementSink> first = PlacementSink::make();
    ComPtr<PlacementSink> second = PlacementSink::make();
    first->answer = [](Placement& p) { p.x = 5; };
    second->answer = [](Placement& p) { p.cancel = VARIANT_TRUE; };
    connect(first.Get());
    connect(second.Get());
    LONG result = -1;
    ASSERT_EQ(tip_->ShowTip(0, &result), S_OK);
    ASSERT_EQ(second->received.size(), 1u);
    EXPECT_EQ(second->received[0].x, 5);
    EXPECT_EQ(result, 0);
}

TEST_F(GlobalsToolTip, SinkMayReleaseTheTipWhileItShows) {
    ComPtr<PlacementSink> sink = PlacementSink::make();
    connect(sink.Get());
    EXPECT_EQ(sink->references(), 2u) << "held by the connection";
    IToolTip* raw = tip_.Get();
    sink->answer = [this](Placement&) { tip_.Reset(); };
    LONG result = -1;
    EXPECT_EQ(raw->ShowTip(0, &result), S_OK);
    EXPECT_FALSE(tip_);
    EXPECT_EQ(sink->references(), 1u) << "the tip is gone and let its sink go";
}

} // namespace
