// What the type library of zelPickwell40.ocx must offer containers: event
// records that scripts can take, colour properties that property browsers
// recognise, and the interfaces each control's class lists.
#include "tests/common/com_server/server_dll.h"
#include "common/com/bstr.h"
#include "host/type_info.h"
#include "zelPickwell40.h"
#include "zelSCls40.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pkw::test {
namespace {

using Microsoft::WRL::ComPtr;

class TypeLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::LoadTypeLibEx(besideTestProgram(L"zelPickwell40.ocx").c_str(), REGKIND_NONE,
                                  &library_),
                  S_OK);
    }

    ComPtr<ITypeInfo> named(const wchar_t* name) {
        for (UINT i = 0; i < library_->GetTypeInfoCount(); ++i) {
            Bstr found;
            library_->GetDocumentation(static_cast<INT>(i), found.put(), nullptr, nullptr, nullptr);
            ComPtr<ITypeInfo> info;
            if (found.view() == name && SUCCEEDED(library_->GetTypeInfo(i, &info))) return info;
        }
        return nullptr;
    }

    ComPtr<ITypeLib> library_;
};

// Event arguments of a record type reach scripts through IRecordInfo, which
// needs the record's GUID in the library.
TEST_F(TypeLibraryTest, EventRecordsCanBeHandedToScripts) {
    for (const wchar_t* name : {L"RECT", L"SkinMapInfo", L"SkinButtonLayoutInfo"}) {
        ComPtr<ITypeInfo> record = named(name);
        ASSERT_TRUE(record) << name;
        ComPtr<IRecordInfo> info;
        EXPECT_EQ(::GetRecordInfoFromTypeInfo(record.Get(), &info), S_OK) << name;
    }
}

// The type of a property's value: its put's parameter or its get's result.
TYPEDESC valueType(const FUNCDESC& f) {
    const TYPEDESC& t = f.lprgelemdescParam[f.cParams - 1].tdesc;
    return f.invkind == INVOKE_PROPERTYGET && t.vt == VT_PTR ? *t.lptdesc : t;
}

TEST_F(TypeLibraryTest, ColourPropertiesUseTheColourAlias) {
    for (const IID* iid : {&IID__NuCheckBox40, &IID__NuOption40}) {
        ComPtr<ITypeInfo> dispatch, vtable;
        ASSERT_EQ(library_->GetTypeInfoOfGuid(*iid, &dispatch), S_OK);
        HREFTYPE ref = 0;
        ASSERT_EQ(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref), S_OK);
        ASSERT_EQ(dispatch->GetRefTypeInfo(ref, &vtable), S_OK);
        host::TypeAttr attr;
        ASSERT_EQ(attr.take(vtable.Get()), S_OK);
        int colours = 0;
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            host::FuncDesc f;
            ASSERT_EQ(f.take(vtable.Get(), i), S_OK);
            const std::wstring name = host::memberName(vtable.Get(), f->memid);
            if (f->invkind == INVOKE_FUNC || f->cParams == 0 || !name.ends_with(L"Color")) continue;
            ++colours;
            host::ValueType type;
            ASSERT_EQ(host::resolveType(vtable.Get(), valueType(*f), type), S_OK);
            EXPECT_EQ(type.kind, host::ValueType::Kind::Colour) << name.size();
        }
        EXPECT_GE(colours, 6) << "BackColor, ForeColor and DisabledForeColor, get and put";
    }
}

// Tools that read the library find a control's interfaces in its class:
// what the class lists the object answers, and what the object answers of
// its own (ISubclass) the class lists.
TEST_F(TypeLibraryTest, EachControlsClassListsTheInterfacesItsObjectAnswers) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    const ServerDll server(L"zelPickwell40.ocx");
    for (const CLSID* clsid : {&CLSID_NuCheckBox40, &CLSID_NuOption40}) {
        ComPtr<ITypeInfo> coclass;
        SCOPED_TRACE(clsid == &CLSID_NuCheckBox40 ? "NuCheckBox40" : "NuOption40");
        ASSERT_EQ(library_->GetTypeInfoOfGuid(*clsid, &coclass), S_OK);
        const ComPtr<IUnknown> object = server.create<IUnknown>(*clsid);
        ASSERT_TRUE(object);
        host::TypeAttr attr;
        ASSERT_EQ(attr.take(coclass.Get()), S_OK);
        std::vector<GUID> listed;
        for (UINT i = 0; i < attr->cImplTypes; ++i) {
            HREFTYPE ref = 0;
            ComPtr<ITypeInfo> info;
            INT flags = 0;
            host::TypeAttr implemented;
            ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &ref), S_OK);
            ASSERT_EQ(coclass->GetRefTypeInfo(ref, &info), S_OK);
            ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
            ASSERT_EQ(implemented.take(info.Get()), S_OK);
            if (flags & IMPLTYPEFLAG_FSOURCE) continue; // the events: the container's side
            listed.push_back(implemented->guid);
            ComPtr<IUnknown> answered;
            EXPECT_EQ(object->QueryInterface(implemented->guid,
                                             reinterpret_cast<void**>(answered.GetAddressOf())),
                      S_OK)
                << "interface " << i;
        }
        ComPtr<ISubclass> sink;
        if (SUCCEEDED(object.As(&sink))) {
            EXPECT_NE(std::find(listed.begin(), listed.end(), IID_ISubclass), listed.end())
                << "ISubclass is answered but not listed";
        }
    }
    ::OleUninitialize();
}

} // namespace
} // namespace pkw::test
