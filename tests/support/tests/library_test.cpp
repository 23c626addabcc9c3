// Reaching a library by registration and without it, tried on what Wine
// itself registers (the standard font object) and on a file that is not
// there.
#include "tests/support/container_test.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

std::wstring systemFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

TEST(LibraryTest, TheProgramFolderHoldsTheProgram) {
    const std::wstring folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_EQ(besideProgram(L"x.ocx"), folder + L"x.ocx");
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(std::wstring(self).rfind(folder, 0), 0u);
}

TEST(LibraryTest, AMissingLibrarySaysSo) {
    const std::wstring missing = besideProgram(L"no-such-library.ocx");
    const HRESULT notFound = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(registerLibrary(missing), notFound);
    EXPECT_EQ(registerLibrary(missing), notFound); // remembered
    ComPtr<IUnknown> object;
    EXPECT_EQ(createFromDll(missing, CLSID_StdFont, object), notFound);
    EXPECT_EQ(dllCanUnloadNow(missing), notFound);
    EXPECT_FALSE(object);
}

TEST(LibraryTest, ObjectsWithAndWithoutRegistration) {
    // OLE is the test environment's, initialised for the whole program.
    ComPtr<IUnknown> viaFactory, viaClsid, viaProgId;
    ASSERT_HRESULT_SUCCEEDED(createFromDll(systemFile(L"oleaut32.dll"), CLSID_StdFont, viaFactory));
    ASSERT_HRESULT_SUCCEEDED(createByClsid(CLSID_StdFont, viaClsid));
    ASSERT_HRESULT_SUCCEEDED(createByProgId(L"StdFont", viaProgId));
    for (IUnknown* object : {viaFactory.Get(), viaClsid.Get(), viaProgId.Get()}) {
        ComPtr<IFont> font;
        EXPECT_HRESULT_SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&font)));
    }
    EXPECT_EQ(createByProgId(L"No.Such.Class", viaProgId), CO_E_CLASSSTRING);
}

} // namespace
} // namespace pkw::test
