// A real host that asks little: Wine's ATL control host (atl100.dll),
// which attaches an existing control to a window. It gives no ambient
// properties, never asks GetMiscStatus, passes SetExtent the window's
// pixels as if they were HIMETRIC and never calls InitNew for an attached
// control; SetObjectRects then gives the real size.
#include "probe_test.h"

namespace pkw::test {
namespace {

using AttachControl = HRESULT(WINAPI*)(IUnknown* control, HWND host, IUnknown** container);

using AtlHostTest = ProbeTest;

TEST_F(AtlHostTest, TheAtlHostShowsTheControlAtTheSizeOfItsWindow) {
    const HMODULE atl = ::LoadLibraryW(L"atl100.dll"); // stays loaded: it keeps hooks
    ASSERT_TRUE(atl);
    // Through void*: FARPROC and the real type differ, as with any GetProcAddress.
    const auto attach = reinterpret_cast<AttachControl>(
        reinterpret_cast<void*>(::GetProcAddress(atl, "AtlAxAttachControl")));
    ASSERT_TRUE(attach);

    const HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 150, 60,
                                        form().hwnd(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    MadeProbe m = makeProbe();
    {
        ComPtr<IUnknown> container;
        ASSERT_EQ(attach(m.probe.Get(), host, &container), S_OK);
        pumpPending();
        const HWND w = m.raw->hwnd();
        EXPECT_EQ(::GetParent(w), host);
        EXPECT_TRUE(::IsWindowVisible(w));
        RECT rc{};
        ::GetClientRect(w, &rc);
        EXPECT_EQ(rc.right, 150);
        EXPECT_EQ(rc.bottom, 60);
        EXPECT_EQ(countLog(L"InitProperties"), 1);
        EXPECT_EQ(countLog(L"Show"), 1);
        // A host that never initialises still gets fresh settings before showing.
        EXPECT_LT(logIndex(L"InitProperties"), logIndex(L"Show"));
        // No ambients from this host: the defaults hold.
        EXPECT_TRUE(m.raw->ambientUserMode());
        EXPECT_EQ(m.raw->ambientDisplayName(), L"Probe");
        ::DestroyWindow(host); // the host lets go of the control
    }
    pumpPending();
    m.probe.Reset();
    EXPECT_EQ(countLog(L"Terminate"), 1);
    EXPECT_EQ(countLog(L"Destroyed"), 1);
}

} // namespace
} // namespace pkw::test
