// The tool-tip object's QueryPlacement exchange with its sinks before it
// shows: what they are offered, what they decide, and a sink that lets the
// tip go from inside the event.
#include "tip_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace pkw::globals_test;

using ToolTipEvents = TipWindow;

Placement shownAt(IToolTip* tip) {
    Placement p;
    tip->get_X(&p.x);
    tip->get_Y(&p.y);
    tip->get_XDisplay(&p.xDisplay);
    tip->get_YDisplay(&p.yDisplay);
    return p;
}

// The sink is offered the cursor and the tip's own placement values.
TEST_F(ToolTipEvents, QueryPlacementDecidesWhereAndWhether) {
    struct Case {
        const char* what;
        std::function<void(Placement&)> answer;
        bool shows;
    };
    const Case cases[] = {
        {"moved",
         [](Placement& p) {
             p = Placement{10, -20, 1, 3, VARIANT_FALSE};
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
        newTip();
        ASSERT_EQ(tip_->put_XDisplay(2), S_OK);
        ASSERT_EQ(tip_->put_YDisplay(3), S_OK);
        sink_->answer = c.answer;
        POINT cursor{};
        ASSERT_TRUE(::GetCursorPos(&cursor));
        const Placement offered{cursor.x, cursor.y, 2, 3, VARIANT_FALSE};

        LONG result = -1;
        ASSERT_EQ(tip_->ShowTip(0, &result), S_OK);
        ASSERT_EQ(sink_->received.size(), 1u);
        EXPECT_EQ(sink_->received[0], offered);
        VARIANT_BOOL shown = VARIANT_FALSE;
        tip_->get_Shown(&shown);
        EXPECT_EQ(shown != VARIANT_FALSE, c.shows);
        EXPECT_EQ(result, c.shows ? 1 : 0);
        Placement answered = offered;
        c.answer(answered);
        const Placement taken = c.shows ? answered : Placement{0, 0, 2, 3, VARIANT_FALSE};
        EXPECT_EQ(shownAt(tip_.Get()), taken) << "a cancelled show takes nothing";
    }
}

TEST_F(ToolTipEvents, LaterSinksSeeEarlierAnswers) {
    ComPtr<PlacementSink> second = PlacementSink::make();
    sink_->answer = [](Placement& p) { p.x = 5; };
    second->answer = [](Placement& p) { p.cancel = VARIANT_TRUE; };
    advise(second.Get());
    LONG result = -1;
    ASSERT_EQ(tip_->ShowTip(0, &result), S_OK);
    ASSERT_EQ(second->received.size(), 1u);
    EXPECT_EQ(second->received[0].x, 5);
    EXPECT_EQ(result, 0);
}

TEST_F(ToolTipEvents, SinkMayReleaseTheTipWhileItShows) {
    EXPECT_EQ(sink_->references(), 2u) << "held by the connection";
    IToolTip* raw = tip_.Get();
    sink_->answer = [this](Placement&) { tip_.Reset(); };
    LONG result = -1;
    EXPECT_EQ(raw->ShowTip(0, &result), S_OK);
    EXPECT_FALSE(tip_);
    EXPECT_EQ(sink_->references(), 1u) << "the tip is gone and let its sink go";
}

} // namespace
