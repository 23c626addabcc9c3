// Each sibling DLL exports exactly its names, undecorated, in both
// architectures' builds, and imports only Windows' own DLLs.
#include "pe_exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {

using pkw::test::PeNames;

const std::set<std::string> kComServer = {"DllCanUnloadNow", "DllGetClassObject", "DllInstall",
                                          "DllRegisterServer", "DllUnregisterServer"};

const std::map<std::wstring, std::set<std::string>> kExports = {
    {L"zelGFX40.dll",
     {"gfxTranslateColor", "gfxDrawRect", "gfxDrawRect2", "gfxDrawLine", "gfxDrawBitmapToDC",
      "gfxDrawTransparentBitmap", "gfxDrawTransparentDC", "gfxGetTransBG", "gfxDrawSkin"}},
    {L"zelMFC40.dll",
     {"IsUnicodePlatform", "GetMouseParameters", "IsMouseOver", "UpdateParent",
      "ChangeWindowStyle"}},
    {L"zelResSrv40.dll",
     {"GetStaticResDc", "ReleaseStaticResDc", "GetCustomResDc", "ReleaseCustomResDc"}},
    {L"zelUni40.dll", {"uniGetDefaultCharSet", "uniGetDefaultCodePage"}},
    {L"PKW40Res.dll", {}},
    {L"zelGlobals40.dll", kComServer},
    {L"zelSCls40.dll", kComServer},
};

// The runtime DLLs of MinGW, which a DLL linked statically never names.
const std::set<std::string> kToolchainDlls = {"libstdc++-6.dll", "libgcc_s_seh-1.dll",
                                              "libgcc_s_dw2-1.dll", "libwinpthread-1.dll"};

std::wstring ThisFolder() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    std::wstring s(path, n);
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

std::string Narrow(const std::wstring& s) {
    return std::string(s.begin(), s.end());
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

void CheckFolder(const std::wstring& folder, WORD machine) {
    for (const auto& [dll, names] : kExports) {
        PeNames pe;
        std::string error;
        ASSERT_TRUE(pkw::test::ReadPeNames(folder + dll, pe, error))
            << Narrow(folder + dll) << ": " << error;
        EXPECT_EQ(pe.machine, machine) << Narrow(dll);
        const std::set<std::string> exported(pe.exports.begin(), pe.exports.end());
        EXPECT_EQ(exported, names) << Narrow(dll);
        EXPECT_EQ(exported.size(), pe.exports.size()) << Narrow(dll) << ": a name exported twice";
        for (const std::string& imported : pe.imports)
            EXPECT_EQ(kToolchainDlls.count(Lower(imported)), 0u)
                << Narrow(dll) << " imports " << imported;
    }
}

constexpr bool k64 = sizeof(void*) == 8;

TEST(SiblingExports, ThisBuildsDllsExportExactlyTheirNames) {
    CheckFolder(ThisFolder(), k64 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
}

TEST(SiblingExports, TheOtherArchitecturesDllsExportExactlyTheirNames) {
    std::wstring folder = PKW_OTHER_ARCH_BIN_DIR;
    folder += L"/";
    if (::GetFileAttributesW((folder + L"zelGFX40.dll").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no build of the other architecture at " << Narrow(folder)
                     << " (set PICKWELL_OTHER_ARCH_BIN_DIR)";
    CheckFolder(folder, k64 ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64);
}

} // namespace
