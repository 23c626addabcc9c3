// zelSCls40.dll beyond what every server of the project does: a window
// still routed through its procedure keeps it loaded, and the memory DC's
// handle reaches late-bound callers at full pointer size.
#include "scls_support.h"

#include "common/com/variant.h"
#include "host/dispatch.h"

namespace pkw::scls_test {
namespace {

using ServerTest = SclsTest;

TEST_F(ServerTest, ASubclassedWindowKeepsTheDllLoaded) {
    ASSERT_EQ(canUnloadNow(), S_OK);
    TestWindow window;
    const auto sink = Adopt(new TestSink("s", 2, nullptr));
    {
        auto global = create<IGlobalSubclass>(__uuidof(GlobalSubclass));
        ASSERT_EQ(global->AttachMessage(sink.Get(), window.hwnd(), kOther), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    {
        auto global = create<IGlobalSubclass>(__uuidof(GlobalSubclass));
        ASSERT_EQ(global->DetachMessage(sink.Get(), window.hwnd(), kOther), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ServerTest, TheMemoryDcHandleIsPointerSizedForLateBoundCallers) {
    auto memDc = create<IMemDC>(__uuidof(clsMemDC));
    ASSERT_TRUE(memDc);
    ASSERT_EQ(memDc->Create(4, 4, 0), S_OK);
    Variant hdc;
    ASSERT_EQ(host::getProperty(memDc.Get(), L"hDC", hdc), S_OK);
    HDC early = nullptr;
    memDc->get_hDC(&early);
    ASSERT_NE(early, nullptr);
    ASSERT_EQ(hdc.vt, sizeof(void*) == 8 ? VT_I8 : VT_I4);
    EXPECT_EQ(sizeof(void*) == 8 ? hdc.llVal : hdc.lVal, reinterpret_cast<LONG_PTR>(early));
}

} // namespace
} // namespace pkw::scls_test
