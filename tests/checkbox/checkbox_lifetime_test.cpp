// What a check box leaves behind: nothing. GDI objects are counted in the
// process's GDI handle table (GetGuiResources is a stub under Wine), COM
// objects by the DLLs' own DllCanUnloadNow.
#include "tests/checkbox/checkbox_fixture.h"

#include "host/gdi_objects.h"

namespace pkw::test {
namespace {

class CheckBoxLifetimeTest : public CheckBoxTest {
protected:
    // One placement as a form makes it: created, sited, shown, drawn,
    // removed and released. Alternates design and run time, and opaque and
    // transparent backgrounds (the latter keeps a background DC).
    void cycle(int i) {
        form().setUserMode(i % 2 == 0);
        auto b = placeBox(L"Check" + std::to_wstring(i % 7));
        ASSERT_TRUE(b);
        if (i % 3 == 0) put(b, L"BackStyle", I4(0));
        ASSERT_HRESULT_SUCCEEDED(b.box->put_Value(nuChecked));
        ASSERT_HRESULT_SUCCEEDED(form().remove(*b.site.Get()));
        b = {};
        pumpPending();
    }
};

TEST_F(CheckBoxLifetimeTest, RepeatedPlacementsLeaveNoGdiOrComObjectBehind) {
    for (int i = 0; i < 6; ++i)
        cycle(i); // first DCs, DLL loads, caches
    const int before = CountGdiObjects();
    ASSERT_GE(before, 0);
    // Every mix of mode and back style once more: a leak shows in each.
    for (int i = 0; i < 6; ++i) {
        cycle(i);
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(CountGdiObjects(), before);
    EXPECT_EQ(dllCanUnloadNow(), S_OK);
    EXPECT_EQ(CanUnloadLoadedDll(L"zelGlobals40.dll"), S_OK);
    EXPECT_EQ(CanUnloadLoadedDll(L"zelSCls40.dll"), S_OK);
}

// Under Wine a shown child window with its own DC costs GDI objects of the
// system's (DCs, regions, surfaces); what counts is what the control holds
// beyond a plain window of the same kind and size.
TEST_F(CheckBoxLifetimeTest, AShownIdleCheckBoxHoldsFewGdiObjectsOfItsOwn) {
    WNDCLASSW plain{};
    plain.style = CS_OWNDC;
    plain.lpfnWndProc = ::DefWindowProcW;
    plain.hInstance = ::GetModuleHandleW(nullptr);
    plain.lpszClassName = L"PkwPlainOwnDc";
    ::RegisterClassW(&plain);
    auto shownWindowCost = [&](int top) {
        const int before = CountGdiObjects();
        const HWND w = ::CreateWindowExW(0, L"PkwPlainOwnDc", L"", WS_CHILD | WS_VISIBLE, 10, top,
                                         120, 24, form().hwnd(), nullptr, nullptr, nullptr);
        form().repaint();
        pumpPending();
        const int cost = CountGdiObjects() - before;
        ::DestroyWindow(w);
        pumpPending();
        return cost;
    };
    // Warm-up: the shared glyph image is borrowed by the first control, and
    // the first windows make what the system keeps for the form.
    auto first = placeBox(L"First");
    ASSERT_TRUE(first);
    shownWindowCost(100);
    const int windowCost = shownWindowCost(100);

    const int before = CountGdiObjects();
    auto second = placeBox(L"Second", {10, 60, 130, 84});
    ASSERT_TRUE(second);
    form().repaint();
    pumpPending();
    const int held = CountGdiObjects() - before;
    std::cout << "GDI objects: a shown plain window " << windowCost << ", a shown check box "
              << held << "\n";
    EXPECT_LE(held - windowCost, 4);
}

} // namespace
} // namespace pkw::test
