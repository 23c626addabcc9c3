// What buttons leave behind after many placements: nothing. GDI objects are
// counted in the process's GDI handle table, COM objects by the DLLs' own
// DllCanUnloadNow. The count is exact, so one round of every mix of mode,
// style and background catches a leak; PKW_PLACEMENTS=100 in the
// environment runs a longer series by hand.
#include "tests/button/button_fixture.h"

#include "host/gdi_objects.h"

#include <algorithm>
#include <cstdlib>

namespace pkw::test {
namespace {

class ButtonLifetimeTest : public ButtonTest {
protected:
    // Created, sited, shown, hovered, drawn, removed and released; run and
    // design time, both styles, opaque and transparent.
    void cycle(int i) {
        form().setUserMode(i % 2 == 0);
        PlacedButton b = loadButton({{L"ButtonStyle", Variant::fromI4(1 + i % 2)},
                                     {L"BackStyle", Variant::fromI4(i % 3 == 0 ? 0 : 1)}});
        ASSERT_TRUE(b);
        ASSERT_TRUE(input::moveTo(*b.site.Get(), {30, 15}));
        form().repaint();
        ASSERT_EQ(form().remove(*b.site.Get()), S_OK);
        b = {};
        pumpPending();
    }
};

TEST_F(ButtonLifetimeTest, RepeatedPlacementsLeaveNoGdiOrComObjectBehind) {
    for (int i = 0; i < 6; ++i)
        cycle(i); // first DCs, DLL loads, caches
    const int before = CountGdiObjects();
    ASSERT_GE(before, 0);
    const char* asked = std::getenv("PKW_PLACEMENTS");
    const int placements = asked ? std::max(6, std::atoi(asked)) : 6;
    for (int i = 0; i < placements; ++i) {
        cycle(i);
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(CountGdiObjects(), before);
    EXPECT_EQ(dllCanUnloadNow(), S_OK);
    EXPECT_EQ(host::dllCanUnloadNow(besideProgram(L"zelSCls40.dll")), S_OK);
}

} // namespace
} // namespace pkw::test
