// The server's exports as a client process sees them: class objects,
// server locks and DllCanUnloadNow, and DllInstall's command line.
#include "server_module.h"
#include "zelPickwell40.h"

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

class ServerExportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
        ASSERT_TRUE(serverDll().module());
    }
    void TearDown() override { ::CoUninitialize(); }

    // The first control class the server serves, if any.
    ComPtr<IClassFactory> anyFactory() {
        for (const CLSID* clsid : {&CLSID_NuCheckBox40, &CLSID_NuOption40}) {
            ComPtr<IClassFactory> factory;
            if (SUCCEEDED(serverDll().classObject(*clsid, IID_PPV_ARGS(&factory)))) return factory;
        }
        return nullptr;
    }
};

TEST_F(ServerExportsTest, NothingAliveMeansTheServerMayUnload) {
    EXPECT_EQ(serverDll().canUnloadNow(), S_OK);
}

TEST_F(ServerExportsTest, UnknownClassesAreRefused) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(serverDll().classObject(IID_IUnknown, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    // Classes of the type library that are not controls of this server.
    for (const CLSID* clsid : {&CLSID_clsSkin, &CLSID_clsUnicode, &CLSID_IPAO}) {
        object = reinterpret_cast<void*>(1);
        EXPECT_EQ(serverDll().classObject(*clsid, IID_IClassFactory, &object),
                  CLASS_E_CLASSNOTAVAILABLE);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(serverDll().classObject(CLSID_NuCheckBox40, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(ServerExportsTest, DllInstallRefusesAnUnknownCommandLine) {
    EXPECT_EQ(serverInstall(TRUE, L"everyone"), E_INVALIDARG);
    EXPECT_EQ(serverInstall(FALSE, L"users"), E_INVALIDARG);
}

TEST_F(ServerExportsTest, FactoriesAndLocksKeepTheServerLoaded) {
    ComPtr<IClassFactory> factory = anyFactory();
    if (!factory) GTEST_SKIP() << "the server serves no control class yet";
    EXPECT_EQ(serverDll().canUnloadNow(), S_FALSE) << "a live factory must pin the server";

    EXPECT_HRESULT_SUCCEEDED(factory->LockServer(TRUE));
    ComPtr<IUnknown> unknown;
    EXPECT_HRESULT_SUCCEEDED(factory.As(&unknown));
    factory.Reset();
    unknown.Reset();
    EXPECT_EQ(serverDll().canUnloadNow(), S_FALSE) << "LockServer(TRUE) must pin the server";

    factory = anyFactory();
    ASSERT_TRUE(factory);
    EXPECT_HRESULT_SUCCEEDED(factory->LockServer(FALSE));
    factory.Reset();
    EXPECT_EQ(serverDll().canUnloadNow(), S_OK);
}

TEST_F(ServerExportsTest, CreatedObjectsAnswerTheAskedInterfaceAndPinTheServer) {
    ComPtr<IClassFactory> factory = anyFactory();
    if (!factory) GTEST_SKIP() << "the server serves no control class yet";

    ComPtr<IUnknown> outer;
    EXPECT_HRESULT_SUCCEEDED(factory.As(&outer));
    IUnknown* aggregate = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(
        factory->CreateInstance(outer.Get(), IID_IUnknown, reinterpret_cast<void**>(&aggregate)),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(aggregate, nullptr);

    ComPtr<IUnknown> nothing;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &nothing), E_NOINTERFACE);
    EXPECT_EQ(nothing, nullptr);

    ComPtr<IDispatch> control;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, IID_PPV_ARGS(&control)));
    factory.Reset();
    outer.Reset();
    EXPECT_EQ(serverDll().canUnloadNow(), S_FALSE) << "a live control must pin the server";
    control.Reset();
    EXPECT_EQ(serverDll().canUnloadNow(), S_OK);
}

} // namespace
} // namespace pkw::test
