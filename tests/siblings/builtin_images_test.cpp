// The images that the resource server lends are exactly the files the image
// generator wrote, and keep the mask rules through the resource library.
#include "siblings/api/plain.h"

#include "test_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pkw::sib::DibSurface;
using pkw::sib::ResSrv;

struct Image {
    LONG id;
    const wchar_t* file;
    int frameWidth, frameHeight, frames; // frames stacked top to bottom; 0 for others
};

constexpr Image kImages[] = {
    {1001, L"checkbox_1001.bmp", 13, 13, 12}, {1006, L"option_1006.bmp", 13, 13, 8},
    {1100, L"button1_1100.bmp", 18, 21, 8},   {1496, L"button2_1496.bmp", 20, 23, 6},
    {1013, L"about_1013.bmp", 350, 230, 0},   {2000, L"close_2000.bmp", 230, 25, 0},
};

DibSurface CopyOf(HDC dc, int w, int h) {
    DibSurface copy(w, h);
    ::BitBlt(copy.dc(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
    return copy;
}

SIZE ImageSize(HBITMAP bitmap) {
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(BuiltinImages, AreTheGeneratedFilesPixelForPixel) {
    for (const Image& image : kImages) {
        const std::wstring path = std::wstring(PKW_IMAGE_DIR) + L"/" + image.file;
        pkw::UniqueBitmap file(static_cast<HBITMAP>(::LoadImageW(
            nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        ASSERT_TRUE(file) << "cannot read the generated file " << image.id;
        const SIZE size = ImageSize(file.get());
        pkw::UniqueMemoryDc fileDc(::CreateCompatibleDC(nullptr));
        pkw::SelectedObject selected(fileDc.get(), file.get());
        const DibSurface expected = CopyOf(fileDc.get(), size.cx, size.cy);

        const HDC lent = ResSrv().GetStaticResDc(image.id, 0);
        ASSERT_NE(lent, nullptr) << image.id;
        const DibSurface actual = CopyOf(lent, size.cx, size.cy);
        ResSrv().ReleaseStaticResDc(lent);
        int differing = 0;
        for (int i = 0; i < size.cx * size.cy; ++i)
            differing += (expected.pixels()[i] & 0xFFFFFF) != (actual.pixels()[i] & 0xFFFFFF);
        EXPECT_EQ(differing, 0) << image.id;
    }
}

// Every frame of a glyph or button strip: its corner is the mask colour, its
// centre is not, and no pixel is a blend of the mask colour with another.
TEST(BuiltinImages, StripsAreMaskedCleanly) {
    constexpr std::uint32_t kMask = 0xFF00FF;
    for (const Image& image : kImages) {
        if (!image.frames) continue;
        const HDC lent = ResSrv().GetStaticResDc(image.id, 0);
        ASSERT_NE(lent, nullptr);
        const DibSurface s = CopyOf(lent, image.frameWidth, image.frameHeight * image.frames);
        ResSrv().ReleaseStaticResDc(lent);
        for (int k = 0; k < image.frames; ++k) {
            const int top = k * image.frameHeight;
            EXPECT_EQ(s.at(0, top) & 0xFFFFFF, kMask) << image.id << " frame " << k;
            EXPECT_NE(s.at(image.frameWidth / 2, top + image.frameHeight / 2) & 0xFFFFFF, kMask)
                << image.id << " frame " << k;
        }
        for (int i = 0; i < s.width() * s.height(); ++i) {
            const std::uint32_t p = s.pixels()[i] & 0xFFFFFF;
            const int r = int(p >> 16), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
            ASSERT_TRUE(p == kMask || std::min(r, b) - g <= 48) << image.id << " pixel " << i;
        }
    }
}

} // namespace
