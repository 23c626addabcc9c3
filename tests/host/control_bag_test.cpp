// A check box saved to a property-bag file and placed again from it is the
// same control at the same size, and saves the same file.
#include "host/container_test.h"
#include "host/control_bag.h"
#include "host/font_text.h"
#include "tests/host/test_pictures.h"

#include "common/win/unique_handle.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

constexpr wchar_t kCheckBox[] = L"zelPickwell40.NuCheckBox40";

class ControlBagTest : public ContainerTest {};

TEST_F(ControlBagTest, ACheckBoxComesBackTheSameAtTheSameSize) {
    auto first = placeFromLibrary(kCheckBox, L"Check1", {10, 10, 160, 40});
    ASSERT_TRUE(first);
    ComPtr<IFontDisp> font;
    std::wstring why;
    ASSERT_TRUE(
        parseFont(L"name=\"Tahoma\" size=11.25 weight=700 italic=True underline=True", font, why));
    ASSERT_HRESULT_SUCCEEDED(first->put(L"Caption", Variant::fromString(L"Hi")));
    ASSERT_HRESULT_SUCCEEDED(first->put(L"Value", Variant::fromI4(1)));
    ASSERT_HRESULT_SUCCEEDED(first->put(L"VisualEffectStyle", Variant::fromI4(1)));
    ASSERT_HRESULT_SUCCEEDED(first->put(L"ForeColor", Variant::fromI4(0x00336699)));
    ASSERT_HRESULT_SUCCEEDED(first->putRef(L"Font", font.Get()));
    ASSERT_HRESULT_SUCCEEDED(
        first->putRef(L"Picture", bitmapPicture(12, 12, RGB(0, 160, 0)).Get()));

    std::string text;
    std::vector<BagProblem> problems;
    ASSERT_HRESULT_SUCCEEDED(saveControlText(*first.Get(), L"Check1", text, problems));
    EXPECT_TRUE(problems.empty());
    for (const char* line :
         {"\nForeColor = colour: 0x00336699\n", "\nValue = i2: 1\n",
          "\nFont = font: name=\"Tahoma\" size=11.25 weight=700 charset=", "\nPicture = picture: "})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    const Image before = captureControl(form(), *first.Get());
    ASSERT_HRESULT_SUCCEEDED(form().remove(*first.Get()));

    const LoadedBag loaded = loadControlText(text);
    EXPECT_TRUE(loaded.problems.empty());
    ASSERT_TRUE(loaded.pixels);
    EXPECT_EQ(loaded.pixels->cx, 150);
    EXPECT_EQ(loaded.pixels->cy, 30);
    AddOptions fromFile;
    fromFile.init = AddOptions::Init::PropertyBag;
    fromFile.bag = loaded.bag.Get();
    auto second = placeFromLibrary(
        kCheckBox, L"Check1", {10, 10, 10 + loaded.pixels->cx, 10 + loaded.pixels->cy}, fromFile);
    ASSERT_TRUE(second);
    const Image after = captureControl(form(), *second.Get());
    ASSERT_EQ(after.width(), before.width());
    EXPECT_EQ(after.pixels(), before.pixels());

    std::string again;
    ASSERT_HRESULT_SUCCEEDED(
        saveControlText(*second.Get(), L"Check1", again, problems, loaded.order));
    EXPECT_EQ(again, text);
}

TEST_F(ControlBagTest, TheFilesExtentSizesTheControlWhenItIsASize) {
    // Two inches by half an inch.
    const LoadedBag sized = loadControlText("_ExtentX = i4: 5080\n_ExtentY = i4: 1270\n");
    const WindowDc screen(nullptr);
    ASSERT_TRUE(sized.pixels);
    EXPECT_EQ(sized.pixels->cx, 2 * ::GetDeviceCaps(screen.get(), LOGPIXELSX));
    EXPECT_EQ(sized.pixels->cy, ::GetDeviceCaps(screen.get(), LOGPIXELSY) / 2);
    for (const char* text : {"_ExtentX = i4: -20\n_ExtentY = i4: 1270\n",
                             "_ExtentX = i4: 2000000000\n_ExtentY = i4: 1270\n",
                             "_ExtentX = string: \"wide\"\n_ExtentY = i4: 1270\n"}) {
        const LoadedBag odd = loadControlText(text);
        EXPECT_FALSE(odd.pixels) << text;
        EXPECT_EQ(odd.problems.size(), 1u) << text;
    }
}

} // namespace
} // namespace pkw::test
