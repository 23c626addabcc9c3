// Every COM server of the project, through its exports: class objects and
// unloading, its type library, and registration for the machine and for
// the current user, which removes exactly what it wrote.
#include "common/com/server/registry.h"
#include "tests/common/com_server/server_dll.h"
#include "zelGlobals40.h"
#include "zelPickwell40.h"
#include "zelSCls40.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace pkw::test {
namespace {

using Microsoft::WRL::ComPtr;

struct ServedClass {
    const CLSID* clsid;
    const wchar_t* progId; // version-independent
    const IID* iid;        // an interface the class answers
};

struct ServerCase {
    const char* name;
    const wchar_t* file;
    const GUID* libid;
    std::vector<ServedClass> classes;
};

const ServerCase kServers[] = {
    {"Library",
     L"zelPickwell40.ocx",
     &LIBID_zelPickwell40,
     {{&CLSID_NuCheckBox40, L"zelPickwell40.NuCheckBox40", &IID__NuCheckBox40}}},
    {"Subclassing",
     L"zelSCls40.dll",
     &LIBID_zelSCls40Lib,
     {{&__uuidof(GlobalSubclass), L"zelSCls40.GlobalSubclass", &__uuidof(IGlobalSubclass)},
      {&__uuidof(Timer), L"zelSCls40.Timer", &__uuidof(ITimer)},
      {&__uuidof(clsMemDC), L"zelSCls40.clsMemDC", &__uuidof(IMemDC)}}},
    {"Globals",
     L"zelGlobals40.dll",
     &LIBID_zelNuGlobals40Lib,
     {{&CLSID_EffectSet, L"zelGlobals40.EffectSet", &IID_IEffectSet},
      {&CLSID_GradInfo, L"zelGlobals40.GradInfo", &IID_IGradInfo},
      {&CLSID_ToolTip, L"zelGlobals40.ToolTip", &IID_IToolTip}}},
};

std::wstring text(REFGUID guid) {
    wchar_t buffer[40] = {};
    ::StringFromGUID2(guid, buffer, 40);
    return buffer;
}

std::wstring clsidKey(const ServedClass& c) {
    return L"CLSID\\" + text(*c.clsid);
}

bool sameText(const std::optional<std::wstring>& a, const std::wstring& b) {
    return a && ::_wcsicmp(a->c_str(), b.c_str()) == 0;
}

const ServerDll& dllOf(const ServerCase& server) {
    static std::vector<std::unique_ptr<ServerDll>> loaded;
    for (const auto& dll : loaded)
        if (dll->path().ends_with(server.file)) return *dll;
    return *loaded.emplace_back(std::make_unique<ServerDll>(server.file));
}

class ServerTest : public ::testing::TestWithParam<ServerCase> {
protected:
    void SetUp() override {
        ASSERT_EQ(::CoInitialize(nullptr), S_OK);
        ASSERT_TRUE(dll().loaded());
    }
    void TearDown() override { ::CoUninitialize(); }
    const ServerDll& dll() const { return dllOf(GetParam()); }
};

TEST_P(ServerTest, ServesEachClassAndUnloadsOnlyWhenNothingIsLeft) {
    ASSERT_EQ(dll().canUnloadNow(), S_OK) << "an earlier test left an object alive";
    for (const ServedClass& c : GetParam().classes) {
        SCOPED_TRACE(testing::Message() << "class " << text(*c.clsid).c_str());
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(dll().classObject(*c.clsid, IID_PPV_ARGS(&factory)), S_OK);
        ComPtr<IUnknown> object;
        ASSERT_EQ(factory->CreateInstance(nullptr, *c.iid,
                                          reinterpret_cast<void**>(object.GetAddressOf())),
                  S_OK);
        ComPtr<IUnknown> aggregated;
        EXPECT_EQ(factory->CreateInstance(object.Get(), IID_PPV_ARGS(&aggregated)),
                  CLASS_E_NOAGGREGATION);
        // Late binding from the embedded type library, unregistered.
        ComPtr<IDispatch> dispatch;
        ASSERT_EQ(object.As(&dispatch), S_OK);
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK);
        ASSERT_EQ(factory->LockServer(TRUE), S_OK);
        factory.Reset();
        object.Reset();
        dispatch.Reset();
        info.Reset();
        EXPECT_EQ(dll().canUnloadNow(), S_FALSE) << "locked";
        ASSERT_EQ(dll().classObject(*c.clsid, IID_PPV_ARGS(&factory)), S_OK);
        ASSERT_EQ(factory->LockServer(FALSE), S_OK);
        EXPECT_EQ(dll().canUnloadNow(), S_FALSE) << "a live factory";
        factory.Reset();
        EXPECT_EQ(dll().canUnloadNow(), S_OK);
    }
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(dll().classObject(IID_IDispatch, IID_IClassFactory, &none),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(dll().install(TRUE, L"everyone"), E_INVALIDARG);
}

TEST_P(ServerTest, EmbedsTheTypeLibraryOfThisArchitecture) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(::LoadTypeLibEx(dll().path().c_str(), REGKIND_NONE, &library), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, *GetParam().libid);
    EXPECT_EQ(attr->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    library->ReleaseTLibAttr(attr);
}

struct Scope {
    const char* name;
    HKEY hive;  // the classes root is hive\Software\Classes
    HKEY other; // untouched
    bool user;
};

const Scope kScopes[] = {{"Machine", HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, false},
                         {"User", HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, true}};

com::UniqueRegKey classesRoot(HKEY hive) {
    HKEY raw = nullptr;
    ::RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                      nullptr);
    return com::UniqueRegKey(raw);
}

class RegistrationTest : public ::testing::TestWithParam<std::tuple<ServerCase, Scope>> {
protected:
    void SetUp() override {
        ASSERT_EQ(::CoInitialize(nullptr), S_OK);
        ASSERT_TRUE(dll().loaded());
        ASSERT_TRUE(root_ && other_);
        // A clean start in both scopes (a run that stopped half-way).
        ASSERT_EQ(dll().unregisterServer(), S_OK);
        ASSERT_EQ(dll().install(FALSE, L"user"), S_OK);
    }
    void TearDown() override {
        unregister();
        for (const std::wstring& key : foreign_) {
            ::RegDeleteTreeW(root_.get(), key.c_str());
            ::RegDeleteKeyW(root_.get(), key.c_str());
        }
        ::CoUninitialize();
    }

    const ServerCase& server() const { return std::get<0>(GetParam()); }
    const Scope& scope() const { return std::get<1>(GetParam()); }
    const ServerDll& dll() const { return dllOf(server()); }
    HRESULT enroll() const {
        return scope().user ? dll().install(TRUE, L"user") : dll().registerServer();
    }
    HRESULT unregister() const {
        return scope().user ? dll().install(FALSE, L"user") : dll().unregisterServer();
    }
    // Another program's value below one of our keys; the key goes at the end.
    void addForeign(const std::wstring& top, const std::wstring& key, const wchar_t* name) {
        foreign_.push_back(top);
        ASSERT_EQ(com::writeRegistryString(root_.get(), key, name, L"theirs"), S_OK);
    }
    bool exists(const std::wstring& key) const { return com::registryKeyExists(root_.get(), key); }
    std::optional<std::wstring> value(const std::wstring& key, const wchar_t* name = L"") const {
        return com::readRegistryString(root_.get(), key, name);
    }

    com::UniqueRegKey root_ = classesRoot(scope().hive);
    com::UniqueRegKey other_ = classesRoot(scope().other);
    std::vector<std::wstring> foreign_;
};

TEST_P(RegistrationTest, WritesEachClassAndRemovesOnlyWhatItWrote) {
    ASSERT_EQ(enroll(), S_OK);
    ASSERT_EQ(enroll(), S_OK) << "registering twice";
    const std::wstring library = L"TypeLib\\" + text(*server().libid);
    EXPECT_TRUE(exists(library));
    for (const ServedClass& c : server().classes) {
        SCOPED_TRACE(testing::Message() << "class " << text(*c.clsid).c_str());
        const std::wstring key = clsidKey(c);
        EXPECT_TRUE(sameText(value(key + L"\\InprocServer32"), dll().path()));
        EXPECT_EQ(value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_TRUE(value(key + L"\\ProgID").value_or(L"").starts_with(c.progId));
        EXPECT_TRUE(sameText(value(std::wstring(c.progId) + L"\\CLSID"), text(*c.clsid)));
        EXPECT_TRUE(sameText(value(key + L"\\TypeLib"), text(*server().libid)));
        EXPECT_FALSE(com::registryKeyExists(other_.get(), key)) << "written to the other scope";
        // Wine's HKEY_CLASSES_ROOT does not show the user's classes.
        if (!scope().user) {
            ComPtr<IUnknown> object;
            EXPECT_EQ(::CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, *c.iid,
                                         reinterpret_cast<void**>(object.GetAddressOf())),
                      S_OK);
        }
    }

    const ServedClass& first = server().classes.front();
    addForeign(clsidKey(first), clsidKey(first) + L"\\TheirSubkey", L"");
    addForeign(clsidKey(first), clsidKey(first), L"TheirValue");
    ASSERT_EQ(unregister(), S_OK);
    for (const ServedClass& c : server().classes) {
        SCOPED_TRACE(testing::Message() << "class " << text(*c.clsid).c_str());
        EXPECT_FALSE(exists(clsidKey(c) + L"\\InprocServer32"));
        EXPECT_FALSE(exists(c.progId));
        EXPECT_EQ(exists(clsidKey(c)), &c == &first);
    }
    EXPECT_TRUE(exists(clsidKey(first) + L"\\TheirSubkey"));
    EXPECT_EQ(value(clsidKey(first), L"TheirValue"), L"theirs");
    EXPECT_FALSE(value(clsidKey(first))) << "the class's own name stays behind";
    EXPECT_FALSE(exists(library));
    EXPECT_EQ(unregister(), S_OK) << "unregistering twice";
}

TEST_P(RegistrationTest, AProgIdThatAnotherClassTookOverStays) {
    ASSERT_EQ(enroll(), S_OK);
    const ServedClass& c = server().classes.front();
    const std::wstring theirs = L"{0D2E5F1A-7C44-4B0E-9A55-3E1F00C0FFEE}";
    foreign_.push_back(c.progId);
    ASSERT_EQ(
        com::writeRegistryString(root_.get(), std::wstring(c.progId) + L"\\CLSID", L"", theirs),
        S_OK);
    ASSERT_EQ(unregister(), S_OK);
    EXPECT_EQ(value(std::wstring(c.progId) + L"\\CLSID"), theirs);
    EXPECT_FALSE(exists(clsidKey(c)));
}

// Readable names in failure messages instead of the cases' bytes.
void PrintTo(const ServerCase& server, std::ostream* os) {
    *os << server.name;
}
void PrintTo(const Scope& scope, std::ostream* os) {
    *os << scope.name;
}

std::string serverName(const testing::TestParamInfo<ServerCase>& info) {
    return info.param.name;
}

std::string registrationName(const testing::TestParamInfo<std::tuple<ServerCase, Scope>>& info) {
    return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Servers, ServerTest, testing::ValuesIn(kServers), serverName);
INSTANTIATE_TEST_SUITE_P(Servers, RegistrationTest,
                         testing::Combine(testing::ValuesIn(kServers), testing::ValuesIn(kScopes)),
                         registrationName);

} // namespace

} // namespace pkw::test
