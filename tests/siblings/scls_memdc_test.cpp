// clsMemDC: size, fill colour, recreation and cleanup of its GDI objects.
#include "scls_support.h"

#include <olectl.h>

namespace pkw::scls_test {
namespace {

class MemDcTest : public SclsTest {
protected:
    void SetUp() override {
        SclsTest::SetUp();
        dc = create<IMemDC>(__uuidof(clsMemDC));
        ASSERT_TRUE(dc);
    }
    void TearDown() override {
        dc.Reset();
        SclsTest::TearDown();
    }
    HDC hdc() {
        HDC h = nullptr;
        EXPECT_EQ(dc->get_hDC(&h), S_OK);
        return h;
    }
    ComPtr<IMemDC> dc;
};

DWORD bgrx(COLORREF rgb) {
    return GetRValue(rgb) << 16 | GetGValue(rgb) << 8 | GetBValue(rgb);
}

TEST_F(MemDcTest, CreateMakesATopDown32BitSurfaceFilledWithTheColour) {
    const struct {
        LONG width, height;
        OLE_COLOR fill;
        COLORREF rgb;
    } cases[] = {
        {13, 156, 0xFFFFFF, RGB(255, 255, 255)},
        {5, 7, 0x00123456, RGB(0x56, 0x34, 0x12)},
        // System colours are resolved.
        {4, 4, 0x8000000F, ::GetSysColor(COLOR_BTNFACE)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << "x" << c.height << " fill " << std::hex << c.fill);
        ASSERT_EQ(dc->Create(c.width, c.height, c.fill), S_OK);
        LONG w = 0, h = 0;
        dc->get_Width(&w);
        dc->get_Height(&h);
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);

        const HDC surface = hdc();
        ASSERT_NE(surface, nullptr);
        DIBSECTION dib{};
        const HGDIOBJ bitmap = ::GetCurrentObject(surface, OBJ_BITMAP);
        ASSERT_EQ(::GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
        EXPECT_EQ(dib.dsBm.bmWidth, c.width);
        EXPECT_EQ(dib.dsBm.bmHeight, c.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);

        ::GdiFlush();
        const auto* bits = static_cast<const DWORD*>(dib.dsBm.bmBits);
        const std::size_t count = static_cast<std::size_t>(c.width) * c.height;
        EXPECT_EQ(std::count_if(bits, bits + count,
                                [&](DWORD p) { return (p & 0xFFFFFF) != bgrx(c.rgb); }),
                  0);
        // Top-down: the first row in memory is the top row.
        ::SetPixel(surface, c.width - 1, 0, RGB(1, 2, 3));
        ::GdiFlush();
        EXPECT_EQ(bits[c.width - 1] & 0xFFFFFF, bgrx(RGB(1, 2, 3)));
    }
}

TEST_F(MemDcTest, RecreateFreesTheOldBitmapAndInvalidSizesChangeNothing) {
    ASSERT_EQ(dc->Create(8, 6, 0x0000FF), S_OK);
    const HDC surface = hdc();
    const HGDIOBJ first = ::GetCurrentObject(surface, OBJ_BITMAP);

    ASSERT_EQ(dc->Create(3, 2, 0xFF0000), S_OK);
    EXPECT_EQ(hdc(), surface);
    EXPECT_EQ(::GetObjectType(first), 0u) << "the old bitmap is deleted";
    EXPECT_EQ(::GetPixel(surface, 2, 1), RGB(0, 0, 255));

    const struct {
        LONG width, height;
        OLE_COLOR fill;
        HRESULT hr;
    } bad[] = {
        {0, 5, 0, E_INVALIDARG},
        {-1, 5, 0, E_INVALIDARG},
        {0x7FFFFFFF, 0x7FFFFFFF, 0, E_OUTOFMEMORY},
        {4, 4, 0x80001234, E_INVALIDARG}, // no such system colour
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        EXPECT_EQ(dc->Create(c.width, c.height, c.fill), c.hr);
        LONG w = 0, h = 0;
        dc->get_Width(&w);
        dc->get_Height(&h);
        EXPECT_EQ(w, 3);
        EXPECT_EQ(h, 2);
        EXPECT_EQ(hdc(), surface);
        EXPECT_EQ(::GetPixel(surface, 2, 1), RGB(0, 0, 255));
    }
}

TEST_F(MemDcTest, ReleasingFreesTheDcAndTheBitmap) {
    ASSERT_EQ(dc->Create(16, 9, 0xFFFFFF), S_OK);
    ASSERT_EQ(dc->Create(7, 8, 0x000080), S_OK);
    const HDC lastDc = hdc();
    const HGDIOBJ lastBitmap = ::GetCurrentObject(lastDc, OBJ_BITMAP);
    ASSERT_EQ(::GetObjectType(lastDc), static_cast<DWORD>(OBJ_MEMDC));
    ASSERT_EQ(::GetObjectType(lastBitmap), static_cast<DWORD>(OBJ_BITMAP));
    dc.Reset();
    EXPECT_EQ(::GetObjectType(lastDc), 0u);
    EXPECT_EQ(::GetObjectType(lastBitmap), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

} // namespace
} // namespace pkw::scls_test
