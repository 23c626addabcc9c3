// clsMemDC: a top-down 32-bit surface of the size and colour asked for,
// one DC for the object's life, and its GDI objects freed.
#include "scls_support.h"

#include "common/com/variant.h"
#include "common/win/dib_section.h"
#include "host/dispatch.h"

#include <algorithm>
#include <utility>

namespace pkw::scls_test {
namespace {

class MemDcTest : public SclsTest {
protected:
    void SetUp() override {
        SclsTest::SetUp();
        dc = create<IMemDC>(__uuidof(clsMemDC));
        ASSERT_TRUE(dc);
    }
    HDC hdc() {
        HDC h = nullptr;
        EXPECT_EQ(dc->get_hDC(&h), S_OK);
        return h;
    }
    void expectSize(LONG width, LONG height) {
        LONG w = 0, h = 0;
        dc->get_Width(&w);
        dc->get_Height(&h);
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
    }
    void TearDown() override {
        dc.Reset();
        SclsTest::TearDown();
    }
    ComPtr<IMemDC> dc;
};

TEST_F(MemDcTest, CreateMakesATopDownSurfaceFilledWithTheColour) {
    // A system colour is resolved.
    const std::pair<OLE_COLOR, COLORREF> fills[] = {{0x00123456, RGB(0x56, 0x34, 0x12)},
                                                    {0x8000000F, ::GetSysColor(COLOR_BTNFACE)}};
    for (const auto& [fill, rgb] : fills) {
        SCOPED_TRACE(testing::Message() << std::hex << fill);
        ASSERT_EQ(dc->Create(5, 7, fill), S_OK);
        expectSize(5, 7);
        DIBSECTION dib{};
        ASSERT_EQ(::GetObjectW(::GetCurrentObject(hdc(), OBJ_BITMAP), sizeof dib, &dib),
                  int(sizeof dib));
        ::GdiFlush();
        const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
        EXPECT_EQ(std::count(bits, bits + 35, PixelFromColorRef(rgb)), 35);
        // The first row in memory is the top row.
        ::SetPixel(hdc(), 4, 0, RGB(1, 2, 3));
        ::GdiFlush();
        EXPECT_EQ(bits[4], PixelFromColorRef(RGB(1, 2, 3)));
    }
}

TEST_F(MemDcTest, RecreatingOrReleasingFreesTheBitmapAndFailuresChangeNothing) {
    ASSERT_EQ(dc->Create(8, 6, 0x0000FF), S_OK);
    const HDC surface = hdc();
    const HGDIOBJ first = ::GetCurrentObject(surface, OBJ_BITMAP);
    ASSERT_EQ(dc->Create(3, 2, 0xFF0000), S_OK);
    EXPECT_EQ(hdc(), surface);
    EXPECT_EQ(::GetObjectType(first), 0u) << "the old bitmap is deleted";

    const struct {
        LONG width, height;
        OLE_COLOR fill;
        HRESULT hr;
    } bad[] = {
        {0, 5, 0, E_INVALIDARG},
        {0x7FFFFFFF, 0x7FFFFFFF, 0, E_OUTOFMEMORY},
        {4, 4, 0x80001234, E_INVALIDARG}, // no such system colour
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        EXPECT_EQ(dc->Create(c.width, c.height, c.fill), c.hr);
        expectSize(3, 2);
        EXPECT_EQ(hdc(), surface);
        EXPECT_EQ(::GetPixel(surface, 2, 1), RGB(0, 0, 255));
    }

    const HGDIOBJ last = ::GetCurrentObject(surface, OBJ_BITMAP);
    dc.Reset();
    EXPECT_EQ(::GetObjectType(surface), 0u);
    EXPECT_EQ(::GetObjectType(last), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

// Late-bound callers get the handle at full pointer size.
TEST_F(MemDcTest, TheHandleReachesLateBoundCallersWhole) {
    ASSERT_EQ(dc->Create(4, 4, 0), S_OK);
    Variant handle;
    ASSERT_EQ(host::getProperty(dc.Get(), L"hDC", handle), S_OK);
    ASSERT_EQ(handle.vt, sizeof(void*) == 8 ? VT_I8 : VT_I4);
    EXPECT_EQ(sizeof(void*) == 8 ? handle.llVal : handle.lVal, reinterpret_cast<LONG_PTR>(hdc()));
}

} // namespace
} // namespace pkw::scls_test
