// Every COM server of the project, through its exports: class objects and
// unloading, and the type library it carries.
#include "tests/common/com_server/server_cases.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

namespace pkw::test {
namespace {

using Microsoft::WRL::ComPtr;

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
        SCOPED_TRACE(testing::Message() << "class " << guidText(*c.clsid).c_str());
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

std::string serverName(const testing::TestParamInfo<ServerCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Servers, ServerTest, testing::ValuesIn(serverCases()), serverName);

} // namespace
} // namespace pkw::test
