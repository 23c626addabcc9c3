// zelSCls40.dll beyond what every server of the project does: a window
// still routed through its procedure keeps it loaded, and the memory DC's
// handle reaches late-bound callers at full pointer size.
#include "scls_support.h"

#include "common/com/excep_info.h"
#include "common/com/variant.h"

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
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(memDc.As(&dispatch), S_OK);
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"hDC")};
    DISPID id = 0;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, name, 1, 0, &id), S_OK);
    DISPPARAMS none{};
    Variant hdc;
    ExcepInfo excep;
    ASSERT_EQ(
        dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, hdc.put(), &excep, nullptr),
        S_OK);
    HDC early = nullptr;
    memDc->get_hDC(&early);
    ASSERT_NE(early, nullptr);
    ASSERT_EQ(hdc.vt, sizeof(void*) == 8 ? VT_I8 : VT_I4);
    EXPECT_EQ(sizeof(void*) == 8 ? hdc.llVal : hdc.lVal, reinterpret_cast<LONG_PTR>(early));
}

} // namespace
} // namespace pkw::scls_test
