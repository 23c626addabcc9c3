// zelGlobals40.dll as an in-process server: exports, class objects, unload
// accounting and registration.
#include "globals_support.h"
#include "pe_exports.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <set>
#include <string>

namespace {

using namespace pkw::globals_test;

class GlobalsServer : public OleTest {};

// Both architectures' DLLs, read from disk: exactly the four entries,
// undecorated, and no MinGW runtime DLL among the imports.
void checkExports(const std::wstring& dll, WORD machine) {
    pkw::test::PeNames pe;
    std::string error;
    ASSERT_TRUE(pkw::test::ReadPeNames(dll, pe, error)) << error;
    EXPECT_EQ(pe.machine, machine);
    EXPECT_EQ(std::multiset<std::string>(pe.exports.begin(), pe.exports.end()),
              (std::multiset<std::string>{"DllCanUnloadNow", "DllGetClassObject",
                                          "DllRegisterServer", "DllUnregisterServer"}));
    for (std::string imported : pe.imports) {
        for (char& ch : imported)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(imported.find("libstdc++"), std::string::npos);
        EXPECT_EQ(imported.find("libgcc"), std::string::npos);
        EXPECT_EQ(imported.find("libwinpthread"), std::string::npos);
    }
}

constexpr bool k64 = sizeof(void*) == 8;

TEST_F(GlobalsServer, ExportsAreTheFourServerEntries) {
    checkExports(besideTest(L"zelGlobals40.dll"),
                 k64 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
}

TEST_F(GlobalsServer, OtherArchitectureExportsTheSameEntries) {
    const std::wstring dll = std::wstring(PKW_OTHER_ARCH_BIN_DIR) + L"/zelGlobals40.dll";
    if (::GetFileAttributesW(dll.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no build of the other architecture beside this one";
    checkExports(dll, k64 ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64);
}

// The embedded type library is this architecture's (record sizes and the
// platform field differ between the two).
TEST_F(GlobalsServer, EmbeddedTypeLibraryIsThisArchitectures) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(::LoadTypeLibEx(besideTest(L"zelGlobals40.dll").c_str(), REGKIND_NONE, &library),
              S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, LIBID_zelNuGlobals40Lib);
    EXPECT_EQ(attr->syskind, k64 ? SYS_WIN64 : SYS_WIN32);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    library->ReleaseTLibAttr(attr);
}

TEST_F(GlobalsServer, CanUnloadOnlyWithoutObjectsAndLocks) {
    ASSERT_EQ(canUnloadNow(), S_OK) << "an earlier test left an object alive";

    ComPtr<IEffectSet> set = create<IEffectSet>(CLSID_EffectSet);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    ComPtr<IGradInfo> stops;
    ASSERT_EQ(set->get_HeaderGradInfo(&stops), S_OK);
    set.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "the stop list outlives its set";
    stops.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(classFactory(CLSID_ToolTip, &factory), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "locked";
    ASSERT_EQ(classFactory(CLSID_ToolTip, &factory), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    // A tip with its connection point handed out and enumerated.
    ComPtr<IConnectionPointContainer> tip = create<IConnectionPointContainer>(CLSID_ToolTip);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(tip->EnumConnectionPoints(&points), S_OK);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(points->Next(1, &point, nullptr), S_OK);
    tip.Reset();
    points.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "the connection point holds its tip";
    point.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(GlobalsServer, ClassObjectsOnlyForItsClasses) {
    ComPtr<IClassFactory> factory;
    const CLSID unknown = {0x1234, 0x5678, 0x9abc, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(classFactory(unknown, &factory), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(classFactory(CLSID_GradInfo, &factory), S_OK);
    ComPtr<IUnknown> object;
    ComPtr<IUnknown> outer = create<IUnknown>(CLSID_EffectSet);
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IToolTip, &object), E_NOINTERFACE);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IGradInfo, &object), S_OK);
}

std::optional<std::wstring> registryText(const std::wstring& key, const wchar_t* value = nullptr) {
    wchar_t buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof buffer;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ, nullptr, buffer,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer);
}

bool keyExists(const std::wstring& key) {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(h);
    return true;
}

std::wstring text(REFGUID guid) {
    wchar_t buffer[40] = {};
    ::StringFromGUID2(guid, buffer, 40);
    return buffer;
}

TEST_F(GlobalsServer, RegistrationWritesItsEntriesAndRemovesOnlyThose) {
    const auto registerServer = globalsExport<HRESULT(STDAPICALLTYPE*)()>("DllRegisterServer");
    const auto unregisterServer = globalsExport<HRESULT(STDAPICALLTYPE*)()>("DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);
    ASSERT_EQ(registerServer(), S_OK);

    const std::wstring dllPath = besideTest(L"zelGlobals40.dll");
    struct Class {
        const CLSID* clsid;
        const wchar_t* progId;
    };
    const Class classes[] = {{&CLSID_EffectSet, L"zelGlobals40.EffectSet"},
                             {&CLSID_GradInfo, L"zelGlobals40.GradInfo"},
                             {&CLSID_ToolTip, L"zelGlobals40.ToolTip"}};
    for (const Class& c : classes) {
        const std::wstring key = L"CLSID\\" + text(*c.clsid);
        EXPECT_EQ(registryText(key + L"\\ProgID"), c.progId);
        EXPECT_EQ(registryText(std::wstring(c.progId) + L"\\CLSID"), text(*c.clsid));
        EXPECT_EQ(registryText(key + L"\\TypeLib"), text(LIBID_zelNuGlobals40Lib));
        EXPECT_EQ(registryText(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        const auto server = registryText(key + L"\\InprocServer32");
        ASSERT_TRUE(server);
        EXPECT_EQ(::lstrcmpiW(server->c_str(), dllPath.c_str()), 0) << *server;
        CLSID fromProgId{};
        EXPECT_EQ(::CLSIDFromProgID(c.progId, &fromProgId), S_OK);
        EXPECT_EQ(fromProgId, *c.clsid);
    }
    ComPtr<IToolTip> byRegistry;
    EXPECT_EQ(
        ::CoCreateInstance(CLSID_ToolTip, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&byRegistry)),
        S_OK);
    byRegistry.Reset();
    ComPtr<ITypeLib> library;
    ASSERT_EQ(::LoadRegTypeLib(LIBID_zelNuGlobals40Lib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);
    library.Reset();
    EXPECT_TRUE(keyExists(L"Interface\\" + text(IID_IEffectSet)));

    // Something another program put under one of our keys stays.
    const std::wstring foreign = L"CLSID\\" + text(CLSID_EffectSet) + L"\\Foreign";
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, foreign.c_str(), 0, nullptr, 0, KEY_WRITE,
                                nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(h);

    ASSERT_EQ(unregisterServer(), S_OK);
    for (const Class& c : classes) {
        const std::wstring key = L"CLSID\\" + text(*c.clsid);
        EXPECT_FALSE(keyExists(key + L"\\InprocServer32"));
        EXPECT_FALSE(keyExists(key + L"\\ProgID"));
        EXPECT_FALSE(keyExists(c.progId));
        if (*c.clsid != CLSID_EffectSet) {
            EXPECT_FALSE(keyExists(key));
        }
    }
    EXPECT_TRUE(keyExists(foreign));
    EXPECT_FALSE(registryText(L"CLSID\\" + text(CLSID_EffectSet))) << "our value went";
    EXPECT_FALSE(keyExists(L"Interface\\" + text(IID_IEffectSet)));
    EXPECT_NE(::LoadRegTypeLib(LIBID_zelNuGlobals40Lib, 1, 0, LOCALE_NEUTRAL, &library), S_OK);

    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, foreign.c_str());
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"CLSID\\" + text(CLSID_EffectSet)).c_str());
    // Unregistering twice is harmless.
    EXPECT_EQ(unregisterServer(), S_OK);
}

} // namespace
