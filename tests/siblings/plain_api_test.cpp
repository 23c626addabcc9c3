#include "siblings/api/plain.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::sib;

TEST(PlainApi, WithoutAModuleEveryFunctionIsAStubAnsweringZero) {
    const GfxApi gfx = ResolveGfx(nullptr);
    const MfcApi mfc = ResolveMfc(nullptr);
    const ResSrvApi res = ResolveResSrv(nullptr);
    const UniApi uni = ResolveUni(nullptr);
    EXPECT_EQ(gfx.gfxTranslateColor(0x8000000F, nullptr), 0u);
    SHORT button = 7;
    EXPECT_EQ(
        mfc.GetMouseParameters(WM_LBUTTONDOWN, MK_LBUTTON, 0, &button, nullptr, nullptr, nullptr),
        0);
    EXPECT_EQ(button, 7) << "a stub writes nothing";
    EXPECT_EQ(mfc.IsUnicodePlatform(), 0);
    EXPECT_EQ(res.GetStaticResDc(1001, 0), nullptr);
    EXPECT_EQ(uni.uniGetDefaultCodePage(), 0);
}

// A DLL that lacks a function gives a stub for it and real pointers for the rest.
TEST(PlainApi, FunctionsMissingFromTheModuleBecomeStubs) {
    Uni(); // loads zelUni40.dll
    const HMODULE uniModule = ::GetModuleHandleW(L"zelUni40.dll");
    ASSERT_NE(uniModule, nullptr);
    const MfcApi wrong = ResolveMfc(uniModule);
    EXPECT_EQ(wrong.IsUnicodePlatform(), 0);
    const UniApi right = ResolveUni(uniModule);
    EXPECT_EQ(right.uniGetDefaultCodePage(), LONG(::GetACP()));
    EXPECT_EQ(Mfc().IsUnicodePlatform(), 1);
}

} // namespace
