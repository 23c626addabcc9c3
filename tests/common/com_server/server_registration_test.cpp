// Registration of every COM server of the project through its exports, for
// the machine and for the current user: it writes each class and removes
// exactly what it wrote.
#include "common/com/server/registry.h"
#include "tests/common/com_server/server_cases.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace pkw::test {
namespace {

using Microsoft::WRL::ComPtr;

std::wstring clsidKey(const ServedClass& c) {
    return L"CLSID\\" + guidText(*c.clsid);
}

bool sameText(const std::optional<std::wstring>& a, const std::wstring& b) {
    return a && ::_wcsicmp(a->c_str(), b.c_str()) == 0;
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
    const std::wstring library = L"TypeLib\\" + guidText(*server().libid);
    EXPECT_TRUE(exists(library));
    for (const ServedClass& c : server().classes) {
        SCOPED_TRACE(testing::Message() << "class " << guidText(*c.clsid).c_str());
        const std::wstring key = clsidKey(c);
        EXPECT_TRUE(sameText(value(key + L"\\InprocServer32"), dll().path()));
        EXPECT_EQ(value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_TRUE(value(key + L"\\ProgID").value_or(L"").starts_with(c.progId));
        EXPECT_TRUE(sameText(value(std::wstring(c.progId) + L"\\CLSID"), guidText(*c.clsid)));
        EXPECT_TRUE(sameText(value(key + L"\\TypeLib"), guidText(*server().libid)));
        EXPECT_FALSE(com::registryKeyExists(other_.get(), key)) << "written to the other scope";
        // Wine's HKEY_CLASSES_ROOT does not show the user's classes.
        if (!scope().user) {
            ComPtr<IUnknown> object;
            EXPECT_EQ(::CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, *c.iid,
                                         reinterpret_cast<void**>(object.GetAddressOf())),
                      S_OK);
        }
    }

    // Another program's subkey and value below the first class's key, and
    // the last class's ProgID taken over by another class.
    const ServedClass& first = server().classes.front();
    const ServedClass& last = server().classes.back();
    addForeign(clsidKey(first), clsidKey(first) + L"\\TheirSubkey", L"");
    addForeign(clsidKey(first), clsidKey(first), L"TheirValue");
    const std::wstring theirs = L"{0D2E5F1A-7C44-4B0E-9A55-3E1F00C0FFEE}";
    foreign_.push_back(last.progId);
    ASSERT_EQ(
        com::writeRegistryString(root_.get(), std::wstring(last.progId) + L"\\CLSID", L"", theirs),
        S_OK);

    ASSERT_EQ(unregister(), S_OK);
    for (const ServedClass& c : server().classes) {
        SCOPED_TRACE(testing::Message() << "class " << guidText(*c.clsid).c_str());
        EXPECT_FALSE(exists(clsidKey(c) + L"\\InprocServer32"));
        EXPECT_EQ(exists(c.progId), &c == &last);
        EXPECT_EQ(exists(clsidKey(c)), &c == &first);
    }
    EXPECT_EQ(value(std::wstring(last.progId) + L"\\CLSID"), theirs);
    EXPECT_TRUE(exists(clsidKey(first) + L"\\TheirSubkey"));
    EXPECT_EQ(value(clsidKey(first), L"TheirValue"), L"theirs");
    EXPECT_FALSE(value(clsidKey(first))) << "the class's own name stays behind";
    EXPECT_FALSE(exists(library));
    EXPECT_EQ(unregister(), S_OK) << "unregistering twice";
}

void PrintTo(const Scope& scope, std::ostream* os) {
    *os << scope.name;
}

std::string registrationName(const testing::TestParamInfo<std::tuple<ServerCase, Scope>>& info) {
    return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Servers, RegistrationTest,
                         testing::Combine(testing::ValuesIn(serverCases()),
                                          testing::ValuesIn(kScopes)),
                         registrationName);

} // namespace
} // namespace pkw::test
