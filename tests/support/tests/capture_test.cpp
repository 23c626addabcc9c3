#include "tests/support/container_test.h"

#include "common/win/unique_handle.h"

#include <olectl.h>
#include <wincodec.h>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

using CaptureTest = ContainerTest;

COLORREF buttonFace() {
    COLORREF c = 0;
    ::OleTranslateColor(0x8000000F, nullptr, &c);
    return c;
}

// Decodes a PNG file through WIC into 32-bit pixels (0x00RRGGBB).
Image readPng(const std::wstring& path) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return {};
    UINT w = 0, h = 0;
    converter->GetSize(&w, &h);
    Image image(static_cast<int>(w), static_cast<int>(h));
    if (FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4,
                                     reinterpret_cast<BYTE*>(image.pixels().data()))))
        return {};
    for (auto& p : image.pixels())
        p &= 0x00FFFFFF;
    return image;
}

// PrintWindow asks the window to draw itself into our DC (WM_PRINT); what
// it shows depends on the window answering WM_PRINT, as standard controls do.
TEST_F(CaptureTest, PrintWindowDrawsAWindowThatAnswersIt) {
    UniqueWindow rect(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 10,
                                        10, 30, 20, form().hwnd(), nullptr, nullptr, nullptr));
    ASSERT_TRUE(rect);
    form().repaint();
    const Image printed = printWindow(rect.get());
    ASSERT_EQ(printed.width(), 30);
    ASSERT_EQ(printed.height(), 20);
    const Image shown = captureWindow(rect.get());
    EXPECT_EQ(printed.pixels(), shown.pixels());
    EXPECT_EQ(printed.count(printed.color(0, 0)), 600u);
    EXPECT_NE(printed.color(0, 0), buttonFace());
}

TEST_F(CaptureTest, ImagesAreWrittenAsPng) {
    UniqueWindow rect(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 20,
                                        30, 120, 24, form().hwnd(), nullptr, nullptr, nullptr));
    ASSERT_TRUE(rect);
    const Image shown = captureForm(form());
    ASSERT_EQ(shown.width(), 480);
    ASSERT_EQ(shown.height(), 320);
    EXPECT_EQ(shown.color(19, 30), buttonFace());
    EXPECT_EQ(shown.count(shown.color(20, 30)), 120u * 24u);
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"pickwell-capture-test.png";
    ::DeleteFileW(path.c_str());
    ASSERT_HRESULT_SUCCEEDED(shown.savePng(path));
    const Image read = readPng(path);
    ::DeleteFileW(path.c_str());
    ASSERT_EQ(read.width(), shown.width());
    ASSERT_EQ(read.height(), shown.height());
    EXPECT_EQ(read.pixels(), shown.pixels());
    EXPECT_EQ(Image().savePng(path), E_UNEXPECTED);
}

TEST(ImageTest, CropStaysInsideTheImage) {
    Image image(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            image.at(x, y) = static_cast<std::uint32_t>(y * 4 + x);
    const Image part = image.crop({2, 1, 9, 9});
    ASSERT_EQ(part.width(), 2);
    ASSERT_EQ(part.height(), 2);
    EXPECT_EQ(part.at(0, 0), 6u);
    EXPECT_EQ(part.at(1, 1), 11u);
    EXPECT_TRUE(image.crop({5, 5, 1, 1}).empty());
    image.at(0, 0) = 0x00112233;
    EXPECT_EQ(image.color(0, 0), RGB(0x11, 0x22, 0x33));
}

} // namespace
} // namespace pkw::test
