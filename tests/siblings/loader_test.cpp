#include "siblings/api/loader.h"

#include "test_sibling.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

namespace {

using Microsoft::WRL::ComPtr;
using pkw::sib::CreateSiblingObject;

TEST(SiblingLoader, CreatesAnObjectFromTheDllBesideThisProgramWithoutRegistration) {
    ComPtr<IPersist> object;
    ASSERT_EQ(
        CreateSiblingObject(L"pkw_test_sibling.dll", kTestSiblingClsid, IID_PPV_ARGS(&object)),
        S_OK);
    CLSID clsid{};
    ASSERT_EQ(object->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, kTestSiblingClsid);
    // CoCreateInstance knows no such class: nothing was registered.
    ComPtr<IUnknown> registered;
    EXPECT_NE(::CoCreateInstance(kTestSiblingClsid, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&registered)),
              S_OK);
}

TEST(SiblingLoader, FailuresAreReportedAndLeaveNoPointer) {
    struct Case {
        const wchar_t* dll;
        CLSID clsid;
        HRESULT expected;
    };
    const CLSID unknown = {0x1, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};
    const Case cases[] = {
        {L"pkw_no_such_sibling.dll", kTestSiblingClsid, HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)},
        // Loaded in this process and on the search path, but not beside us.
        {L"ole32.dll", kTestSiblingClsid, HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)},
        {L"zelUni40.dll", kTestSiblingClsid, HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND)},
        {L"pkw_test_sibling.dll", unknown, CLASS_E_CLASSNOTAVAILABLE},
        {L"", kTestSiblingClsid, HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER)},
    };
    for (const Case& c : cases) {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateSiblingObject(c.dll, c.clsid, IID_IUnknown, &object), c.expected) << c.dll;
        EXPECT_EQ(object, nullptr) << c.dll;
    }
    EXPECT_EQ(
        CreateSiblingObject(L"pkw_test_sibling.dll", kTestSiblingClsid, IID_IUnknown, nullptr),
        E_POINTER);
    ComPtr<IStream> wrongInterface;
    EXPECT_EQ(CreateSiblingObject(L"pkw_test_sibling.dll", kTestSiblingClsid,
                                  IID_PPV_ARGS(&wrongInterface)),
              E_NOINTERFACE);
    EXPECT_EQ(wrongInterface, nullptr);
}

} // namespace
