// The images that the resource server lends are exactly the files the image
// generator wrote (and checked as it drew them).
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
};

constexpr Image kImages[] = {
    {1001, L"checkbox_1001.bmp"}, {1006, L"option_1006.bmp"}, {1100, L"button1_1100.bmp"},
    {1496, L"button2_1496.bmp"},  {1013, L"about_1013.bmp"},  {2000, L"close_2000.bmp"},
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

} // namespace
