#include "siblings/api/plain.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace pkw::sib;

std::wstring FolderOf(HMODULE module) {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = ::GetModuleFileNameW(module, path, DWORD(std::size(path)));
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

FARPROC Export(const wchar_t* dll, const char* name) {
    const HMODULE module = ::GetModuleHandleW(dll);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

template <typename F>
bool Same(F pointer, FARPROC exported) {
    return exported && reinterpret_cast<void*>(pointer) == reinterpret_cast<void*>(exported);
}

// Every pointer of every table is the export of that name, from the DLL
// beside this program.
TEST(PlainApi, TablesPointAtTheExportsOfTheDllsBesideTheProgram) {
    const auto& gfx = Gfx();
    const auto& mfc = Mfc();
    const auto& res = ResSrv();
    const auto& uni = Uni();
    const auto check = [](const wchar_t* dll, const char* name, auto pointer) {
        EXPECT_TRUE(Same(pointer, Export(dll, name))) << name;
    };
#define PKW_GFX(ret, name, params) check(L"zelGFX40.dll", #name, gfx.name);
#define PKW_MFC(ret, name, params) check(L"zelMFC40.dll", #name, mfc.name);
#define PKW_RES(ret, name, params) check(L"zelResSrv40.dll", #name, res.name);
#define PKW_UNI(ret, name, params) check(L"zelUni40.dll", #name, uni.name);
    PKW_GFX40_FUNCTIONS(PKW_GFX)
    PKW_MFC40_FUNCTIONS(PKW_MFC)
    PKW_RESSRV40_FUNCTIONS(PKW_RES)
    PKW_UNI40_FUNCTIONS(PKW_UNI)
#undef PKW_GFX
#undef PKW_MFC
#undef PKW_RES
#undef PKW_UNI

    for (const wchar_t* dll :
         {L"zelGFX40.dll", L"zelMFC40.dll", L"zelResSrv40.dll", L"zelUni40.dll"}) {
        const HMODULE module = ::GetModuleHandleW(dll);
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(FolderOf(module), FolderOf(nullptr));
    }
}

TEST(PlainApi, WithoutAModuleEveryFunctionIsAStubAnsweringZero) {
    const GfxApi gfx = ResolveGfx(nullptr);
    const MfcApi mfc = ResolveMfc(nullptr);
    const ResSrvApi res = ResolveResSrv(nullptr);
    const UniApi uni = ResolveUni(nullptr);
    RECT rect{0, 0, 1, 1};
    EXPECT_EQ(gfx.gfxTranslateColor(0x8000000F, nullptr), 0u);
    EXPECT_EQ(gfx.gfxDrawRect(nullptr, &rect, 0, 1), 0);
    EXPECT_EQ(gfx.gfxDrawSkin(nullptr, nullptr, 0, &rect, 0, 0, 1, 1, 1, 1, -1, 0, 0, 0, 0, 0), 0);
    SHORT button = 7;
    EXPECT_EQ(
        mfc.GetMouseParameters(WM_LBUTTONDOWN, MK_LBUTTON, 0, &button, nullptr, nullptr, nullptr),
        0);
    EXPECT_EQ(button, 7) << "a stub writes nothing";
    EXPECT_EQ(mfc.IsUnicodePlatform(), 0);
    EXPECT_EQ(res.GetStaticResDc(1001, 0), nullptr);
    EXPECT_EQ(res.ReleaseCustomResDc("x"), 0);
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
