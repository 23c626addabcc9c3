// What the type library of zelPickwell40.ocx must agree on with the code
// and with containers: records with the layout of their C++ twins (the
// controls copy them as raw memory into IRecordInfo-managed event
// arguments), colour properties that property browsers recognise, and the
// interfaces each control's class lists.
#include "tests/common/com_server/server_dll.h"
#include "common/com/bstr.h"
#include "zelPickwell40.h"
#include "zelSCls40.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <algorithm>
#include <cstddef>
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

struct RecordCase {
    const wchar_t* name; // in the type library
    size_t size;         // of the C++ struct
    std::vector<size_t> offsets;
};

TEST_F(TypeLibraryTest, RecordsHaveTheLayoutOfTheirHeaderTwins) {
    const RecordCase cases[] = {
        {L"RECT",
         sizeof(NuRECT),
         {offsetof(NuRECT, Left), offsetof(NuRECT, Top), offsetof(NuRECT, Right),
          offsetof(NuRECT, Bottom)}},
        {L"SkinMapInfo",
         sizeof(SkinMapInfo),
         {offsetof(SkinMapInfo, MemDC), offsetof(SkinMapInfo, ImageName),
          offsetof(SkinMapInfo, DCHeight), offsetof(SkinMapInfo, DCWidth),
          offsetof(SkinMapInfo, IMGHeight), offsetof(SkinMapInfo, IMGWidth),
          offsetof(SkinMapInfo, MapMargin), offsetof(SkinMapInfo, MaskColor),
          offsetof(SkinMapInfo, BackColor), offsetof(SkinMapInfo, RGN1BltMode),
          offsetof(SkinMapInfo, RGN2BltMode), offsetof(SkinMapInfo, RGN3BltMode),
          offsetof(SkinMapInfo, RGN4BltMode), offsetof(SkinMapInfo, RGN5BltMode)}},
        {L"SkinButtonLayoutInfo",
         sizeof(SkinButtonLayoutInfo),
         {offsetof(SkinButtonLayoutInfo, LayoutMode), offsetof(SkinButtonLayoutInfo, AutoSizeMode),
          offsetof(SkinButtonLayoutInfo, DrawingSpace)}},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.name, c.name + wcslen(c.name)));
        ComPtr<ITypeInfo> record = named(c.name);
        ASSERT_TRUE(record);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(record->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->typekind, TKIND_RECORD);
        EXPECT_EQ(attr->cbSizeInstance, c.size);
        const UINT fields = attr->cVars;
        record->ReleaseTypeAttr(attr);
        ASSERT_EQ(fields, c.offsets.size());
        for (UINT i = 0; i < fields; ++i) {
            VARDESC* field = nullptr;
            ASSERT_EQ(record->GetVarDesc(i, &field), S_OK);
            EXPECT_EQ(field->oInst, c.offsets[i]) << "field " << i;
            record->ReleaseVarDesc(field);
        }
        // Event arguments of record type need the record's GUID.
        ComPtr<IRecordInfo> info;
        EXPECT_EQ(::GetRecordInfoFromTypeInfo(record.Get(), &info), S_OK);
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
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(vtable->GetTypeAttr(&attr), S_OK);
        const UINT count = attr->cFuncs;
        vtable->ReleaseTypeAttr(attr);
        int colours = 0;
        for (UINT i = 0; i < count; ++i) {
            FUNCDESC* f = nullptr;
            ASSERT_EQ(vtable->GetFuncDesc(i, &f), S_OK);
            Bstr name;
            vtable->GetDocumentation(f->memid, name.put(), nullptr, nullptr, nullptr);
            if (f->invkind != INVOKE_FUNC && f->cParams > 0 && name.view().ends_with(L"Color")) {
                ++colours;
                const TYPEDESC type = valueType(*f);
                ComPtr<ITypeInfo> alias;
                ASSERT_EQ(type.vt, VT_USERDEFINED) << name.str().size();
                ASSERT_EQ(vtable->GetRefTypeInfo(type.hreftype, &alias), S_OK);
                ASSERT_EQ(alias->GetTypeAttr(&attr), S_OK);
                EXPECT_EQ(attr->guid, GUID_COLOR);
                alias->ReleaseTypeAttr(attr);
            }
            vtable->ReleaseFuncDesc(f);
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
        ASSERT_EQ(library_->GetTypeInfoOfGuid(*clsid, &coclass), S_OK);
        Bstr name;
        coclass->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
        SCOPED_TRACE(std::string(name.view().begin(), name.view().end()));
        const ComPtr<IUnknown> object = server.create<IUnknown>(*clsid);
        ASSERT_TRUE(object);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
        const UINT count = attr->cImplTypes;
        coclass->ReleaseTypeAttr(attr);
        std::vector<GUID> listed;
        for (UINT i = 0; i < count; ++i) {
            HREFTYPE ref = 0;
            ComPtr<ITypeInfo> info;
            INT flags = 0;
            ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &ref), S_OK);
            ASSERT_EQ(coclass->GetRefTypeInfo(ref, &info), S_OK);
            ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
            ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
            const GUID iid = attr->guid;
            info->ReleaseTypeAttr(attr);
            if (flags & IMPLTYPEFLAG_FSOURCE) continue; // the events: the container's side
            listed.push_back(iid);
            ComPtr<IUnknown> answered;
            EXPECT_EQ(
                object->QueryInterface(iid, reinterpret_cast<void**>(answered.GetAddressOf())),
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
