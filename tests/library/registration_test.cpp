// Registration of zelPickwell40.ocx through the prefix's regsvr32, machine
// wide (/s, /s /u) and per user (/s /n /i:user, /s /u /n /i:user): the keys
// of the type library, its interfaces and every class the server serves are
// written, and unregistration removes them and nothing else.
#include "library/registry_key.h"
#include "server_module.h"
#include "zelPickwell40.h"

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <optional>
#include <string>
#include <vector>

namespace pkw::test {
namespace {

using library::readRegistryString;
using library::registryKeyExists;

std::string narrow(const std::wstring& wide) {
    return std::string(wide.begin(), wide.end()); // the keys are ASCII
}

std::wstring text(REFGUID guid) {
    wchar_t buffer[40] = {};
    ::StringFromGUID2(guid, buffer, 40);
    return buffer;
}

struct ScopeCase {
    const char* label;
    HKEY hive;      // the classes root is hive\Software\Classes
    HKEY otherHive; // must stay untouched
    const wchar_t* registerArgs;
    const wchar_t* unregisterArgs;
};

const ScopeCase kScopes[] = {
    {"Machine", HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, L"/s", L"/s /u"},
    {"User", HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, L"/s /n /i:user", L"/s /u /n /i:user"},
};

struct ExpectedValue {
    std::wstring key;
    std::wstring name;                 // empty: the default value
    std::optional<std::wstring> value; // none: only the key must exist
};

const std::wstring kLibId = text(LIBID_zelPickwell40);
const std::wstring kTypeLibKey = L"TypeLib\\" + kLibId + L"\\4.0";
const wchar_t* const kPlatform = sizeof(void*) == 8 ? L"win64" : L"win32";
const std::wstring kDual = L"{00020424-0000-0000-C000-000000000046}";
const std::wstring kDispatch = L"{00020420-0000-0000-C000-000000000046}";

struct InterfaceCase {
    const IID* iid;
    const wchar_t* name;
    const std::wstring* proxy;
};

const InterfaceCase kInterfaces[] = {
    {&IID__NuCheckBox40, L"_NuCheckBox40", &kDual},
    {&DIID___NuCheckBox40, L"__NuCheckBox40", &kDispatch},
    {&IID__NuOption40, L"_NuOption40", &kDual},
    {&DIID___NuOption40, L"__NuOption40", &kDispatch},
    {&IID__IPAO, L"_IPAO", &kDual},
    {&IID__clsSkin, L"_clsSkin", &kDual},
    {&IID__clsUnicode, L"_clsUnicode", &kDual},
    {&IID__Effects, L"_Effects", &kDual},
    {&IID__Caption, L"_Caption", &kDual},
    {&IID__About, L"_About", &kDual},
};

std::vector<ExpectedValue> typeLibraryKeys() {
    std::vector<ExpectedValue> keys = {
        {kTypeLibKey + L"\\0\\" + kPlatform, L"", serverPath()},
        {kTypeLibKey + L"\\FLAGS", L"", std::nullopt},
        {kTypeLibKey + L"\\HELPDIR", L"", std::nullopt},
    };
    for (const InterfaceCase& i : kInterfaces) {
        const std::wstring key = L"Interface\\" + text(*i.iid);
        keys.push_back({key, L"", i.name});
        keys.push_back({key + L"\\ProxyStubClsid32", L"", *i.proxy});
        keys.push_back({key + L"\\TypeLib", L"", kLibId});
        keys.push_back({key + L"\\TypeLib", L"Version", L"4.0"});
    }
    return keys;
}

// The classes the library will serve; each is checked once the server
// serves it (DllGetClassObject answers for it).
struct ExpectedClass {
    const wchar_t* name;
    const CLSID* clsid;
    UINT toolboxBitmap;
};

const ExpectedClass kClasses[] = {
    {L"NuCheckBox40", &CLSID_NuCheckBox40, 30000},
    {L"NuOption40", &CLSID_NuOption40, 30001},
};

std::vector<ExpectedValue> classKeys(const ExpectedClass& c, DWORD miscStatus) {
    const std::wstring clsid = text(*c.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    const std::wstring independent = std::wstring(L"zelPickwell40.") + c.name;
    const std::wstring versioned = independent + L".1";
    return {
        {key, L"", c.name},
        {key + L"\\InprocServer32", L"", serverPath()},
        {key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {key + L"\\ProgID", L"", versioned},
        {key + L"\\VersionIndependentProgID", L"", independent},
        {key + L"\\Control", L"", std::nullopt},
        {key + L"\\ToolboxBitmap32", L"", serverPath() + L"," + std::to_wstring(c.toolboxBitmap)},
        {key + L"\\MiscStatus", L"", L"0"},
        {key + L"\\MiscStatus\\1", L"", std::to_wstring(miscStatus)},
        {key + L"\\TypeLib", L"", kLibId},
        {key + L"\\Version", L"", L"4.0"},
        {key + L"\\Implemented Categories\\{40FC6ED4-2438-11CF-A3DB-080036F12502}", L"",
         std::nullopt},
        {versioned + L"\\CLSID", L"", clsid},
        {independent + L"\\CLSID", L"", clsid},
        {independent + L"\\CurVer", L"", versioned},
    };
}

// The keys whose absence proves a class is unregistered.
std::vector<std::wstring> classRoots(const ExpectedClass& c) {
    const std::wstring independent = std::wstring(L"zelPickwell40.") + c.name;
    return {L"CLSID\\" + text(*c.clsid), independent, independent + L".1"};
}

// Keys of other software that unregistration must leave alone.
const std::wstring kForeign = L"{0D2E5F1A-7C44-4B0E-9A55-3E1F00C0FFEE}";
const std::vector<std::wstring> kForeignRoots = {
    L"CLSID\\" + kForeign,
    L"Interface\\" + kForeign,
    L"TypeLib\\" + kForeign,
    L"zelPickwell40.SomeoneElse",
};
const std::vector<std::wstring> kForeignKeys = {
    kForeignRoots[0] + L"\\InprocServer32",
    kForeignRoots[1] + L"\\TypeLib",
    kForeignRoots[2] + L"\\1.0\\0\\win64",
    kForeignRoots[3] + L"\\CLSID",
};

class RegistrationTest : public ::testing::TestWithParam<ScopeCase> {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
        ASSERT_TRUE(serverDll().module()) << "cannot load " << narrow(serverPath());
        ASSERT_TRUE(openRoot(GetParam().hive, &root_));
        ASSERT_TRUE(openRoot(GetParam().otherHive, &otherRoot_));
        // Leftovers of an earlier, interrupted run, once per scope.
        static bool cleaned[2] = {};
        bool& done = cleaned[GetParam().hive == HKEY_CURRENT_USER];
        if (!done) done = runRegsvr32(GetParam().unregisterArgs) == 0;
        for (const std::wstring& key : kForeignKeys)
            ASSERT_HRESULT_SUCCEEDED(library::writeRegistryString(root_.get(), key, L"", L"x"));
    }
    void TearDown() override {
        if (registered_) runRegsvr32(GetParam().unregisterArgs);
        for (const std::wstring& key : kForeignRoots)
            library::deleteRegistryTree(root_.get(), key);
        ::CoUninitialize();
    }

    int registerServer() {
        registered_ = true;
        return runRegsvr32(GetParam().registerArgs);
    }
    int unregisterServer() {
        const int code = runRegsvr32(GetParam().unregisterArgs);
        registered_ = code != 0;
        return code;
    }

    static bool openRoot(HKEY hive, library::UniqueRegKey* root) {
        HKEY raw = nullptr;
        if (::RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &raw, nullptr) != ERROR_SUCCESS)
            return false;
        *root = library::UniqueRegKey(raw);
        return true;
    }

    void expectPresent(const std::vector<ExpectedValue>& keys) {
        for (const ExpectedValue& e : keys) {
            SCOPED_TRACE(narrow(e.key));
            ASSERT_TRUE(registryKeyExists(root_.get(), e.key));
            if (!e.value) continue;
            const auto actual = readRegistryString(root_.get(), e.key, e.name);
            ASSERT_TRUE(actual) << "value missing";
            EXPECT_EQ(::_wcsicmp(actual->c_str(), e.value->c_str()), 0) << narrow(*actual);
        }
    }

    bool serves(const ExpectedClass& c) {
        ComPtr<IClassFactory> factory;
        return SUCCEEDED(serverDll().classObject(*c.clsid, IID_PPV_ARGS(&factory)));
    }

    DWORD miscStatus(const ExpectedClass& c) {
        ComPtr<IClassFactory> factory;
        ComPtr<IOleObject> object;
        DWORD status = 0;
        if (SUCCEEDED(serverDll().classObject(*c.clsid, IID_PPV_ARGS(&factory))) &&
            SUCCEEDED(factory->CreateInstance(nullptr, IID_PPV_ARGS(&object)))) {
            EXPECT_HRESULT_SUCCEEDED(object->GetMiscStatus(DVASPECT_CONTENT, &status));
        }
        return status;
    }

    bool registered_ = false;
    library::UniqueRegKey root_;
    library::UniqueRegKey otherRoot_;
};

TEST_P(RegistrationTest, TypeLibraryAndInterfacesComeAndGo) {
    ASSERT_FALSE(registryKeyExists(root_.get(), kTypeLibKey));
    ASSERT_EQ(registerServer(), 0);

    expectPresent(typeLibraryKeys());
    EXPECT_FALSE(registryKeyExists(otherRoot_.get(), kTypeLibKey)) << "written to the other hive";
    // Nothing that would hide the library from reference lists.
    const auto flags = readRegistryString(root_.get(), kTypeLibKey + L"\\FLAGS", L"");
    ASSERT_TRUE(flags);
    EXPECT_EQ(std::stoul(*flags, nullptr, 16) & (LIBFLAG_FRESTRICTED | LIBFLAG_FHIDDEN), 0u);

    ASSERT_EQ(unregisterServer(), 0);
    EXPECT_FALSE(registryKeyExists(root_.get(), L"TypeLib\\" + kLibId));
    for (const InterfaceCase& i : kInterfaces)
        EXPECT_FALSE(registryKeyExists(root_.get(), L"Interface\\" + text(*i.iid)))
            << narrow(i.name);
    for (const std::wstring& key : kForeignKeys)
        EXPECT_TRUE(registryKeyExists(root_.get(), key)) << "foreign key removed";
}

bool runningUnderWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST_P(RegistrationTest, RegisteredTypeLibraryLoadsFromTheRegistry) {
    if (GetParam().hive == HKEY_CURRENT_USER && runningUnderWine())
        GTEST_SKIP() << "Wine's HKEY_CLASSES_ROOT does not show the user's classes, so "
                        "LoadRegTypeLib cannot find a per-user type library there";
    ASSERT_EQ(registerServer(), 0);
    ComPtr<ITypeLib> typeLib;
    ASSERT_HRESULT_SUCCEEDED(::LoadRegTypeLib(LIBID_zelPickwell40, 4, 0, LOCALE_NEUTRAL, &typeLib));
    ComPtr<ITypeInfo> checkBox;
    EXPECT_HRESULT_SUCCEEDED(typeLib->GetTypeInfoOfGuid(IID__NuCheckBox40, &checkBox));
}

TEST_P(RegistrationTest, EveryServedClassIsRegisteredAndRemoved) {
    std::vector<const ExpectedClass*> served;
    for (const ExpectedClass& c : kClasses)
        if (serves(c)) served.push_back(&c);
    if (served.empty()) GTEST_SKIP() << "the server serves no control class yet";

    ASSERT_EQ(registerServer(), 0);
    for (const ExpectedClass* c : served) {
        SCOPED_TRACE(narrow(c->name));
        expectPresent(classKeys(*c, miscStatus(*c)));
        EXPECT_FALSE(registryKeyExists(otherRoot_.get(), L"CLSID\\" + text(*c->clsid)));
    }
    ASSERT_EQ(unregisterServer(), 0);
    for (const ExpectedClass* c : served)
        for (const std::wstring& key : classRoots(*c))
            EXPECT_FALSE(registryKeyExists(root_.get(), key)) << narrow(key);
    for (const std::wstring& key : kForeignKeys)
        EXPECT_TRUE(registryKeyExists(root_.get(), key)) << "foreign key removed";
}

// A class of the type library whose implementation is not built is not
// offered to containers.
TEST_P(RegistrationTest, ClassesTheServerDoesNotServeAreNotRegistered) {
    ASSERT_EQ(registerServer(), 0);
    const CLSID* coclasses[] = {&CLSID_NuCheckBox40, &CLSID_NuOption40, &CLSID_clsSkin,
                                &CLSID_clsUnicode,   &CLSID_IPAO,       &CLSID_Effects,
                                &CLSID_Caption,      &CLSID_About};
    for (const CLSID* clsid : coclasses) {
        ComPtr<IClassFactory> factory;
        const bool served = SUCCEEDED(serverDll().classObject(*clsid, IID_PPV_ARGS(&factory)));
        EXPECT_EQ(registryKeyExists(root_.get(), L"CLSID\\" + text(*clsid)), served)
            << narrow(text(*clsid));
    }
}

// Names the scope in test listings instead of the case's bytes.
void PrintTo(const ScopeCase& scope, std::ostream* os) {
    *os << scope.label;
}

INSTANTIATE_TEST_SUITE_P(Scopes, RegistrationTest, ::testing::ValuesIn(kScopes),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace pkw::test
