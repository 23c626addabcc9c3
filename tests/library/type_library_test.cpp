// The type library embedded in zelPickwell40.ocx, checked member by member
// against one table per interface: DISPIDs, property kinds, flags, the
// parameter types and directions, and the vtable order of the duals.
#include "server_module.h"
#include "common/com/bstr.h"
#include "type_description.h"
#include "zelPickwell40.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace pkw::test {
namespace {

enum class Kind { Method, Get, Put, PutRef };

struct Member {
    const wchar_t* name;
    DISPID id;
    Kind kind;
    const wchar_t* params; // as describeParameters() spells them
    WORD flags;            // FUNCFLAG_* that must be set; no other browsing flag may be
};

constexpr WORD kHidden = FUNCFLAG_FHIDDEN;
constexpr WORD kCheckValue = FUNCFLAG_FBINDABLE | FUNCFLAG_FREQUESTEDIT | FUNCFLAG_FDISPLAYBIND |
                             FUNCFLAG_FDEFAULTBIND | FUNCFLAG_FIMMEDIATEBIND;
constexpr WORD kOptionValue = FUNCFLAG_FBINDABLE | FUNCFLAG_FREQUESTEDIT | FUNCFLAG_FDISPLAYBIND |
                              FUNCFLAG_FDEFAULTBIND | FUNCFLAG_FUIDEFAULT;
// Flags whose presence or absence a container acts on.
constexpr WORD kCheckedFlags = kCheckValue | FUNCFLAG_FUIDEFAULT | FUNCFLAG_FHIDDEN |
                               FUNCFLAG_FRESTRICTED | FUNCFLAG_FNONBROWSABLE;

using K = Kind;

// Shared by both controls: the tool-tip settings and the drawing area.
#define PKW_TIP_AND_AREA_MEMBERS                                                                   \
    {L"TipAnimateSteps", 0x6803000D, K::Get, L"retval short*", 0},                                 \
        {L"TipAnimateSteps", 0x6803000D, K::Put, L"inout short*", 0},                              \
        {L"TipPreTimer", 0x6803000C, K::Get, L"retval float*", 0},                                 \
        {L"TipPreTimer", 0x6803000C, K::Put, L"inout float*", 0},                                  \
        {L"TipPostTimer", 0x6803000B, K::Get, L"retval float*", 0},                                \
        {L"TipPostTimer", 0x6803000B, K::Put, L"inout float*", 0},                                 \
        {L"TipShowMethod", 0x6803000A, K::Get, L"retval NuTipShowMethodConstants*", 0},            \
        {L"TipShowMethod", 0x6803000A, K::Put, L"inout NuTipShowMethodConstants*", 0},             \
        {L"TipHideMethod", 0x68030009, K::Get, L"retval NuTipHideMethodConstants*", 0},            \
        {L"TipHideMethod", 0x68030009, K::Put, L"inout NuTipHideMethodConstants*", 0},             \
        {L"UniToolTipText", 0x68030008, K::Get, L"retval BSTR*", kHidden},                         \
        {L"UniToolTipText", 0x68030008, K::Put, L"BSTR", kHidden},                                 \
        {L"NuToolTipText", 0x68030007, K::Get, L"retval BSTR*", 0}, {                              \
        L"NuToolTipText", 0x68030007, K::Put, L"inout BSTR*", 0                                    \
    }

#define PKW_AREA_MEMBERS                                                                           \
    {L"ControlWidth", 0x68030004, K::Get, L"retval long*", kHidden},                               \
        {L"ControlWidth", 0x68030004, K::Put, L"long", kHidden},                                   \
        {L"ControlHeight", 0x68030003, K::Get, L"retval long*", kHidden},                          \
        {L"ControlHeight", 0x68030003, K::Put, L"long", kHidden},                                  \
        {L"XOffset", 0x68030002, K::Get, L"retval long*", kHidden},                                \
        {L"XOffset", 0x68030002, K::Put, L"long", kHidden},                                        \
        {L"YOffset", 0x68030001, K::Get, L"retval long*", kHidden}, {                              \
        L"YOffset", 0x68030001, K::Put, L"long", kHidden                                           \
    }

// In vtable order.
const Member kCheckBoxMembers[] = {
    {L"Alignment", 0x68030019, K::Get, L"retval NuAlignmentConstants*", 0},
    {L"Alignment", 0x68030019, K::Put, L"NuAlignmentConstants", 0},
    {L"BackColor", DISPID_BACKCOLOR, K::Get, L"retval OLE_COLOR*", 0},
    {L"BackColor", DISPID_BACKCOLOR, K::Put, L"OLE_COLOR", 0},
    {L"BackStyle", 0x68030018, K::Get, L"retval NuBackStyleConstants*", 0},
    {L"BackStyle", 0x68030018, K::Put, L"NuBackStyleConstants", 0},
    {L"Caption", DISPID_CAPTION, K::Get, L"retval BSTR*", 0},
    {L"Caption", DISPID_CAPTION, K::Put, L"BSTR", 0},
    {L"UniCaption", 0x68030017, K::Get, L"retval BSTR*", kHidden},
    {L"UniCaption", 0x68030017, K::Put, L"BSTR", kHidden},
    {L"DrawFocusRectangle", 0x68030016, K::Get, L"retval VARIANT_BOOL*", 0},
    {L"DrawFocusRectangle", 0x68030016, K::Put, L"VARIANT_BOOL", 0},
    {L"DisabledForeColor", 0x68030015, K::Get, L"retval OLE_COLOR*", 0},
    {L"DisabledForeColor", 0x68030015, K::Put, L"OLE_COLOR", 0},
    {L"EffectsProps", 0x68030014, K::Get, L"retval VARIANT*", 0},
    {L"EffectsProps", 0x68030014, K::Put, L"VARIANT", 0},
    {L"Enabled", DISPID_ENABLED, K::Get, L"retval VARIANT_BOOL*", 0},
    {L"Enabled", DISPID_ENABLED, K::Put, L"VARIANT_BOOL", 0},
    {L"Font", DISPID_FONT, K::Get, L"retval IFontDisp**", 0},
    {L"Font", DISPID_FONT, K::Put, L"IFontDisp*", 0},
    {L"Font", DISPID_FONT, K::PutRef, L"IFontDisp*", 0},
    {L"ForeColor", DISPID_FORECOLOR, K::Get, L"retval OLE_COLOR*", 0},
    {L"ForeColor", DISPID_FORECOLOR, K::Put, L"OLE_COLOR", 0},
    {L"hdc", 0x68030013, K::Get, L"retval long*", 0},
    {L"hWnd", DISPID_HWND, K::Get, L"retval long*", 0},
    {L"MouseIcon", 0x68030012, K::Get, L"retval IPictureDisp**", 0},
    {L"MouseIcon", 0x68030012, K::PutRef, L"IPictureDisp*", 0},
    {L"MousePointer", 0x68030011, K::Get, L"retval NuMousePointerConstants*", 0},
    {L"MousePointer", 0x68030011, K::Put, L"NuMousePointerConstants", 0},
    {L"Picture", 0x68030010, K::Get, L"retval IPictureDisp**", 0},
    {L"Picture", 0x68030010, K::Put, L"IPictureDisp*", 0},
    {L"Picture", 0x68030010, K::PutRef, L"IPictureDisp*", 0},
    {L"PictureDisabled", 0x6803000F, K::Get, L"retval IPictureDisp**", 0},
    {L"PictureDisabled", 0x6803000F, K::Put, L"IPictureDisp*", 0},
    {L"PictureDisabled", 0x6803000F, K::PutRef, L"IPictureDisp*", 0},
    {L"TipEffectsProps", 0x6803000E, K::Get, L"retval VARIANT*", 0},
    {L"TipEffectsProps", 0x6803000E, K::Put, L"VARIANT", 0},
    PKW_TIP_AND_AREA_MEMBERS,
    {L"Value", DISPID_VALUE, K::Get, L"retval NuCheckBoxValueConstants*", kCheckValue},
    {L"Value", DISPID_VALUE, K::Put, L"NuCheckBoxValueConstants", kCheckValue},
    {L"ValueSetClick", 0x68030006, K::Get, L"retval VARIANT_BOOL*", 0},
    {L"ValueSetClick", 0x68030006, K::Put, L"VARIANT_BOOL", 0},
    {L"VisualEffectStyle", 0x68030005, K::Get, L"retval NuVisualEffectStyleConstants*", 0},
    {L"VisualEffectStyle", 0x68030005, K::Put, L"NuVisualEffectStyleConstants", 0},
    PKW_AREA_MEMBERS,
    {L"About", DISPID_ABOUTBOX, K::Method, L"", 0},
    {L"Refresh", DISPID_REFRESH, K::Method, L"", 0},
    {L"Redraw", 0x6003001A, K::Method, L"", 0},
    {L"BeginUpdate", 0x60030040, K::Method, L"", 0},
    {L"EndUpdate", 0x60030041, K::Method, L"", 0},
    {L"ApplyCustomSkin", 0x60030042, K::Method, L"", 0},
    {L"ApplyDefaultSkin", 0x60030043, K::Method, L"", 0},
};

const Member kOptionMembers[] = {
    {L"About", DISPID_ABOUTBOX, K::Method, L"", 0},
    {L"Alignment", 0x68030021, K::Get, L"retval NuAlignmentConstants*", 0},
    {L"Alignment", 0x68030021, K::Put, L"NuAlignmentConstants", 0},
    {L"BackColor", 0x68030020, K::Get, L"retval OLE_COLOR*", 0},
    {L"BackColor", 0x68030020, K::Put, L"OLE_COLOR", 0},
    {L"BackStyle", 0x6803001F, K::Get, L"retval NuBackStyleConstants*", 0},
    {L"BackStyle", 0x6803001F, K::Put, L"NuBackStyleConstants", 0},
    {L"EffectsProps", 0x6803001E, K::Get, L"retval VARIANT*", 0},
    {L"EffectsProps", 0x6803001E, K::Put, L"VARIANT", 0},
    {L"Caption", 0x6803001D, K::Get, L"retval BSTR*", 0},
    {L"Caption", 0x6803001D, K::Put, L"BSTR", 0},
    {L"UniCaption", 0x6803001C, K::Get, L"retval BSTR*", kHidden},
    {L"UniCaption", 0x6803001C, K::Put, L"BSTR", kHidden},
    {L"DrawFocusRectangle", 0x6803001B, K::Get, L"retval VARIANT_BOOL*", 0},
    {L"DrawFocusRectangle", 0x6803001B, K::Put, L"VARIANT_BOOL", 0},
    {L"DisabledForeColor", 0x6803001A, K::Get, L"retval OLE_COLOR*", 0},
    {L"DisabledForeColor", 0x6803001A, K::Put, L"OLE_COLOR", 0},
    {L"Enabled", 0x68030019, K::Get, L"retval VARIANT_BOOL*", 0},
    {L"Enabled", 0x68030019, K::Put, L"VARIANT_BOOL", 0},
    {L"Font", 0x68030018, K::Get, L"retval IFontDisp**", 0},
    {L"Font", 0x68030018, K::Put, L"IFontDisp*", 0},
    {L"Font", 0x68030018, K::PutRef, L"IFontDisp*", 0},
    {L"ForeColor", 0x68030017, K::Get, L"retval OLE_COLOR*", 0},
    {L"ForeColor", 0x68030017, K::Put, L"OLE_COLOR", 0},
    {L"GroupID", 0x68030016, K::Get, L"retval short*", 0},
    {L"GroupID", 0x68030016, K::Put, L"short", 0},
    {L"Grouped", 0x68030015, K::Get, L"retval VARIANT_BOOL*", 0},
    {L"Grouped", 0x68030015, K::Put, L"VARIANT_BOOL", 0},
    {L"hdc", 0x68030014, K::Get, L"retval long*", 0},
    {L"hWnd", 0x68030013, K::Get, L"retval long*", 0},
    {L"MouseIcon", 0x68030012, K::Get, L"retval IPictureDisp**", 0},
    {L"MouseIcon", 0x68030012, K::PutRef, L"IPictureDisp*", 0},
    {L"MousePointer", 0x68030011, K::Get, L"retval NuMousePointerConstants*", 0},
    {L"MousePointer", 0x68030011, K::Put, L"NuMousePointerConstants", 0},
    {L"Picture", 0x68030010, K::Get, L"retval IPictureDisp**", 0},
    {L"Picture", 0x68030010, K::PutRef, L"IPictureDisp*", 0},
    {L"Picture", 0x68030010, K::Put, L"IPictureDisp*", 0},
    {L"PictureDisabled", 0x6803000F, K::Get, L"retval IPictureDisp**", 0},
    {L"PictureDisabled", 0x6803000F, K::PutRef, L"IPictureDisp*", 0},
    {L"PictureDisabled", 0x6803000F, K::Put, L"IPictureDisp*", 0},
    {L"TipEffectsProps", 0x6803000E, K::Get, L"retval VARIANT*", 0},
    {L"TipEffectsProps", 0x6803000E, K::Put, L"VARIANT", 0},
    PKW_TIP_AND_AREA_MEMBERS,
    {L"Value", DISPID_VALUE, K::Get, L"retval VARIANT_BOOL*", kOptionValue},
    {L"Value", DISPID_VALUE, K::Put, L"VARIANT_BOOL", kOptionValue},
    {L"ValueSetClick", 0x68030006, K::Get, L"retval VARIANT_BOOL*", 0},
    {L"ValueSetClick", 0x68030006, K::Put, L"VARIANT_BOOL", 0},
    {L"VisualEffectStyle", 0x68030005, K::Get, L"retval NuVisualEffectStyleConstants*", 0},
    {L"VisualEffectStyle", 0x68030005, K::Put, L"NuVisualEffectStyleConstants", 0},
    PKW_AREA_MEMBERS,
    {L"Refresh", 0x60030024, K::Method, L"", 0},
    {L"Redraw", 0x60030025, K::Method, L"", 0},
    {L"BeginUpdate", 0x6003004D, K::Method, L"", 0},
    {L"EndUpdate", 0x6003004E, K::Method, L"", 0},
    {L"ApplyCustomSkin", 0x6003004F, K::Method, L"", 0},
    {L"ApplyDefaultSkin", 0x60030050, K::Method, L"", 0},
};

#define PKW_MOUSE_ARGS L"inout short*, inout short*, inout float*, inout float*"
#define PKW_SKIN_ARGS L"long, inout SkinMapInfo*, inout IPictureDisp**"
#define PKW_TIP_ARGS                                                                               \
    L"inout long*, inout long*, inout short*, inout short*, inout BSTR*, inout short*"

const Member kCheckBoxEvents[] = {
    {L"Click", 1, K::Method, L"", 0},
    {L"DblClick", 2, K::Method, L"", 0},
    {L"MouseDown", DISPID_MOUSEDOWN, K::Method, PKW_MOUSE_ARGS, 0},
    {L"MouseMove", 3, K::Method, PKW_MOUSE_ARGS, 0},
    {L"MouseUp", 4, K::Method, PKW_MOUSE_ARGS, 0},
    {L"KeyDown", 5, K::Method, L"inout short*, inout short*", 0},
    {L"KeyPress", 6, K::Method, L"inout short*", 0},
    {L"KeyUp", 7, K::Method, L"inout short*, inout short*", 0},
    {L"QuerySkin", 8, K::Method, PKW_SKIN_ARGS, 0},
    {L"QueryTipPlacement", 9, K::Method, PKW_TIP_ARGS, 0},
};

const Member kOptionEvents[] = {
    {L"Click", 1, K::Method, L"", 0},
    {L"DblClick", 2, K::Method, L"", 0},
    {L"MouseDown", 3, K::Method, PKW_MOUSE_ARGS, 0},
    {L"MouseMove", 4, K::Method, PKW_MOUSE_ARGS, 0},
    {L"MouseUp", 5, K::Method, PKW_MOUSE_ARGS, 0},
    {L"BeforeValueChanged", 6, K::Method, L"inout VARIANT_BOOL*, inout VARIANT_BOOL*", 0},
    {L"KeyDown", 7, K::Method, L"inout short*, inout short*", 0},
    {L"KeyPress", 8, K::Method, L"inout short*", 0},
    {L"KeyUp", 9, K::Method, L"inout short*, inout short*", 0},
    {L"QuerySkin", 10, K::Method, PKW_SKIN_ARGS, 0},
    {L"QueryTipPlacement", 11, K::Method, PKW_TIP_ARGS, 0},
};

const std::wstring kPtr = sizeof(void*) == 8 ? L"hyper" : L"long";
const std::wstring kIpaoArgs = kPtr + L", long, inout " + kPtr + L"*, inout " + kPtr +
                               L"*, short, long, inout long*, inout long*, retval long*";

INVOKEKIND invokeKind(Kind kind) {
    switch (kind) {
    case Kind::Get:
        return INVOKE_PROPERTYGET;
    case Kind::Put:
        return INVOKE_PROPERTYPUT;
    case Kind::PutRef:
        return INVOKE_PROPERTYPUTREF;
    default:
        return INVOKE_FUNC;
    }
}

class TypeLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
        typeLib_ = loadServerTypeLibrary();
        ASSERT_TRUE(typeLib_) << "no type library in zelPickwell40.ocx";
    }
    void TearDown() override {
        typeLib_.Reset();
        ::CoUninitialize();
    }

    ComPtr<ITypeInfo> info(REFGUID guid) {
        ComPtr<ITypeInfo> ti;
        EXPECT_HRESULT_SUCCEEDED(typeLib_->GetTypeInfoOfGuid(guid, &ti));
        return ti;
    }

    // The vtable view of a dual interface.
    ComPtr<ITypeInfo> vtableInfo(REFIID iid) {
        ComPtr<ITypeInfo> dispatch = info(iid);
        if (!dispatch) return nullptr;
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> vtable;
        if (FAILED(dispatch->GetRefTypeOfImplType(-1, &ref)) ||
            FAILED(dispatch->GetRefTypeInfo(ref, &vtable)))
            return nullptr;
        return vtable;
    }

    // Every function of `ti` from `first` on matches the table row by row.
    static void expectMembers(ITypeInfo* ti, UINT first, std::span<const Member> table) {
        TYPEATTR* attr = nullptr;
        ASSERT_HRESULT_SUCCEEDED(ti->GetTypeAttr(&attr));
        const UINT count = attr->cFuncs;
        ti->ReleaseTypeAttr(attr);
        ASSERT_EQ(count - first, table.size()) << "member count of " << typeName(ti).c_str();
        for (size_t i = 0; i < table.size(); ++i) {
            const Member& want = table[i];
            FUNCDESC* func = nullptr;
            ASSERT_HRESULT_SUCCEEDED(ti->GetFuncDesc(static_cast<UINT>(first + i), &func));
            Bstr name;
            UINT names = 0;
            ti->GetNames(func->memid, name.put(), 1, &names);
            SCOPED_TRACE(::testing::Message() << "row " << i << " " << want.name);
            EXPECT_STREQ(name.get(), want.name);
            EXPECT_EQ(func->memid, want.id);
            EXPECT_EQ(func->invkind, invokeKind(want.kind));
            EXPECT_EQ(func->wFuncFlags & kCheckedFlags, want.flags);
            EXPECT_EQ(describeParameters(ti, *func), want.params);
            ti->ReleaseFuncDesc(func);
        }
    }

    // Late-bound clients find each name at its DISPID.
    static void expectDispIds(ITypeInfo* dispatch, std::span<const Member> table) {
        for (const Member& m : table) {
            LPOLESTR name = const_cast<LPOLESTR>(m.name);
            MEMBERID id = 0;
            ASSERT_HRESULT_SUCCEEDED(dispatch->GetIDsOfNames(&name, 1, &id)) << m.name;
            EXPECT_EQ(id, m.id) << m.name;
        }
    }

    static WORD typeFlags(ITypeInfo* ti) {
        TYPEATTR* attr = nullptr;
        if (FAILED(ti->GetTypeAttr(&attr))) return 0;
        const WORD flags = attr->wTypeFlags;
        ti->ReleaseTypeAttr(attr);
        return flags;
    }

    ComPtr<ITypeLib> typeLib_;
};

struct DualCase {
    const char* name;
    const IID* iid;
    std::span<const Member> members;
};

TEST_F(TypeLibraryTest, DualInterfacesMatchTheirTablesInVtableOrder) {
    const DualCase cases[] = {
        {"_NuCheckBox40", &IID__NuCheckBox40, kCheckBoxMembers},
        {"_NuOption40", &IID__NuOption40, kOptionMembers},
    };
    for (const DualCase& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<ITypeInfo> dispatch = info(*c.iid);
        ComPtr<ITypeInfo> vtable = vtableInfo(*c.iid);
        ASSERT_TRUE(dispatch && vtable);
        const WORD flags = typeFlags(dispatch.Get());
        EXPECT_TRUE(flags & TYPEFLAG_FDUAL);
        EXPECT_TRUE(flags & TYPEFLAG_FHIDDEN);
        EXPECT_TRUE(flags & TYPEFLAG_FNONEXTENSIBLE);
        // The vtable view lists only the interface's own functions.
        expectMembers(vtable.Get(), 0, c.members);
        expectDispIds(dispatch.Get(), c.members);
    }
}

TEST_F(TypeLibraryTest, EventInterfacesMatchTheirTables) {
    const DualCase cases[] = {
        {"__NuCheckBox40", &DIID___NuCheckBox40, kCheckBoxEvents},
        {"__NuOption40", &DIID___NuOption40, kOptionEvents},
    };
    for (const DualCase& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<ITypeInfo> events = info(*c.iid);
        ASSERT_TRUE(events);
        TYPEATTR* attr = nullptr;
        ASSERT_HRESULT_SUCCEEDED(events->GetTypeAttr(&attr));
        EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
        EXPECT_FALSE(attr->wTypeFlags & TYPEFLAG_FDUAL);
        events->ReleaseTypeAttr(attr);
        expectMembers(events.Get(), 0, c.members);
    }
}

// The accelerator hook takes pointer-sized handles; the publishing and
// page interfaces have no members of their own.
TEST_F(TypeLibraryTest, HelperInterfacesMatchTheirTables) {
    const Member ipao[] = {{L"TranslateAccelerator", 0x60030000, K::Method, kIpaoArgs.c_str(), 0}};
    const DualCase cases[] = {
        {"_IPAO", &IID__IPAO, ipao},           {"_clsSkin", &IID__clsSkin, {}},
        {"_clsUnicode", &IID__clsUnicode, {}}, {"_Effects", &IID__Effects, {}},
        {"_Caption", &IID__Caption, {}},       {"_About", &IID__About, {}},
    };
    for (const DualCase& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<ITypeInfo> vtable = vtableInfo(*c.iid);
        ASSERT_TRUE(vtable);
        expectMembers(vtable.Get(), 0, c.members);
    }
}

struct CoclassCase {
    const wchar_t* name;
    const CLSID* clsid;
    const IID* defaultInterface;
    const IID* source; // null: none
    WORD flags;        // TYPEFLAG_* that must be set
};

TEST_F(TypeLibraryTest, CoclassesNameTheirDefaultAndSourceInterfaces) {
    const CoclassCase cases[] = {
        {L"NuCheckBox40", &CLSID_NuCheckBox40, &IID__NuCheckBox40, &DIID___NuCheckBox40,
         TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL},
        {L"NuOption40", &CLSID_NuOption40, &IID__NuOption40, &DIID___NuOption40,
         TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL},
        {L"clsSkin", &CLSID_clsSkin, &IID__clsSkin, nullptr,
         TYPEFLAG_FCANCREATE | TYPEFLAG_FAPPOBJECT},
        {L"clsUnicode", &CLSID_clsUnicode, &IID__clsUnicode, nullptr, TYPEFLAG_FCANCREATE},
        {L"IPAO", &CLSID_IPAO, &IID__IPAO, nullptr, TYPEFLAG_FCANCREATE},
        {L"Effects", &CLSID_Effects, &IID__Effects, nullptr, TYPEFLAG_FCANCREATE},
        {L"Caption", &CLSID_Caption, &IID__Caption, nullptr, TYPEFLAG_FCANCREATE},
        {L"About", &CLSID_About, &IID__About, nullptr, TYPEFLAG_FCANCREATE},
    };
    for (const CoclassCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name);
        ComPtr<ITypeInfo> coclass = info(*c.clsid);
        ASSERT_TRUE(coclass);
        EXPECT_EQ(typeName(coclass.Get()), c.name);
        TYPEATTR* attr = nullptr;
        ASSERT_HRESULT_SUCCEEDED(coclass->GetTypeAttr(&attr));
        EXPECT_EQ(attr->typekind, TKIND_COCLASS);
        EXPECT_EQ(attr->wTypeFlags & c.flags, c.flags);
        if (!(c.flags & TYPEFLAG_FCONTROL)) {
            EXPECT_FALSE(attr->wTypeFlags & TYPEFLAG_FCONTROL);
        }
        const UINT implemented = attr->cImplTypes;
        coclass->ReleaseTypeAttr(attr);
        ASSERT_EQ(implemented, c.source ? 2u : 1u);
        for (UINT i = 0; i < implemented; ++i) {
            INT implFlags = 0;
            HREFTYPE ref = 0;
            ComPtr<ITypeInfo> impl;
            ASSERT_HRESULT_SUCCEEDED(coclass->GetImplTypeFlags(i, &implFlags));
            ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref));
            ASSERT_HRESULT_SUCCEEDED(coclass->GetRefTypeInfo(ref, &impl));
            ASSERT_HRESULT_SUCCEEDED(impl->GetTypeAttr(&attr));
            const GUID guid = attr->guid;
            impl->ReleaseTypeAttr(attr);
            EXPECT_TRUE(implFlags & IMPLTYPEFLAG_FDEFAULT);
            const bool source = implFlags & IMPLTYPEFLAG_FSOURCE;
            EXPECT_TRUE(::IsEqualGUID(guid, source ? *c.source : *c.defaultInterface));
        }
    }
}

// --- Records ----------------------------------------------------------------

struct Field {
    const wchar_t* name;
    const wchar_t* type;
    size_t offset; // in the C++ struct of the generated header
};

struct RecordCase {
    const wchar_t* name; // in the type library
    size_t size;         // of the C++ struct
    std::vector<Field> fields;
};

ComPtr<ITypeInfo> findType(ITypeLib* typeLib, const wchar_t* name) {
    ComPtr<ITypeInfo> found;
    for (UINT i = 0; i < typeLib->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> ti;
        if (SUCCEEDED(typeLib->GetTypeInfo(i, &ti)) && typeName(ti.Get()) == name) found = ti;
    }
    return found;
}

// The records keep their order and layout, and their C++ twins in the
// generated header have the same offsets (the controls copy them as raw
// memory into IRecordInfo-managed event arguments).
TEST_F(TypeLibraryTest, RecordsKeepFieldOrderTypesAndLayout) {
    const RecordCase cases[] = {
        {L"RECT",
         sizeof(NuRECT),
         {{L"Left", L"long", offsetof(NuRECT, Left)},
          {L"Top", L"long", offsetof(NuRECT, Top)},
          {L"Right", L"long", offsetof(NuRECT, Right)},
          {L"Bottom", L"long", offsetof(NuRECT, Bottom)}}},
        {L"SkinMapInfo",
         sizeof(SkinMapInfo),
         {{L"MemDC", L"long", offsetof(SkinMapInfo, MemDC)},
          {L"ImageName", L"BSTR", offsetof(SkinMapInfo, ImageName)},
          {L"DCHeight", L"long", offsetof(SkinMapInfo, DCHeight)},
          {L"DCWidth", L"long", offsetof(SkinMapInfo, DCWidth)},
          {L"IMGHeight", L"long", offsetof(SkinMapInfo, IMGHeight)},
          {L"IMGWidth", L"long", offsetof(SkinMapInfo, IMGWidth)},
          {L"MapMargin", L"RECT", offsetof(SkinMapInfo, MapMargin)},
          {L"MaskColor", L"long", offsetof(SkinMapInfo, MaskColor)},
          {L"BackColor", L"OLE_COLOR", offsetof(SkinMapInfo, BackColor)},
          {L"RGN1BltMode", L"VARIANT_BOOL", offsetof(SkinMapInfo, RGN1BltMode)},
          {L"RGN2BltMode", L"VARIANT_BOOL", offsetof(SkinMapInfo, RGN2BltMode)},
          {L"RGN3BltMode", L"VARIANT_BOOL", offsetof(SkinMapInfo, RGN3BltMode)},
          {L"RGN4BltMode", L"VARIANT_BOOL", offsetof(SkinMapInfo, RGN4BltMode)},
          {L"RGN5BltMode", L"short", offsetof(SkinMapInfo, RGN5BltMode)}}},
        {L"SkinButtonLayoutInfo",
         sizeof(SkinButtonLayoutInfo),
         {{L"LayoutMode", L"qrsSkinLayoutModes", offsetof(SkinButtonLayoutInfo, LayoutMode)},
          {L"AutoSizeMode", L"qrsSkinAutoSizeModes", offsetof(SkinButtonLayoutInfo, AutoSizeMode)},
          {L"DrawingSpace", L"RECT", offsetof(SkinButtonLayoutInfo, DrawingSpace)}}},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name);
        ComPtr<ITypeInfo> record = findType(typeLib_.Get(), c.name);
        ASSERT_TRUE(record) << "no record of this name";
        TYPEATTR* attr = nullptr;
        ASSERT_HRESULT_SUCCEEDED(record->GetTypeAttr(&attr));
        EXPECT_EQ(attr->typekind, TKIND_RECORD);
        EXPECT_EQ(attr->cbSizeInstance, c.size);
        const UINT vars = attr->cVars;
        record->ReleaseTypeAttr(attr);
        ASSERT_EQ(vars, c.fields.size());
        for (UINT i = 0; i < vars; ++i) {
            VARDESC* var = nullptr;
            ASSERT_HRESULT_SUCCEEDED(record->GetVarDesc(i, &var));
            Bstr name;
            UINT names = 0;
            record->GetNames(var->memid, name.put(), 1, &names);
            EXPECT_STREQ(name.get(), c.fields[i].name);
            EXPECT_EQ(describeType(record.Get(), var->elemdescVar.tdesc), c.fields[i].type)
                << c.fields[i].name;
            EXPECT_EQ(var->oInst, c.fields[i].offset) << c.fields[i].name;
            record->ReleaseVarDesc(var);
        }
        // Records reach event handlers through IRecordInfo, which needs a GUID.
        ComPtr<IRecordInfo> recordInfo;
        EXPECT_HRESULT_SUCCEEDED(::GetRecordInfoFromTypeInfo(record.Get(), &recordInfo));
    }
    // The C++ header's name never reaches the type library.
    EXPECT_FALSE(findType(typeLib_.Get(), L"NuRECT"));
}

// OLE_COLOR properties must carry the stdole alias (GUID_COLOR): property
// browsers offer their colour picker for it alone.
TEST_F(TypeLibraryTest, ColourPropertiesUseTheColourAlias) {
    ComPtr<ITypeInfo> vtable = vtableInfo(IID__NuCheckBox40);
    ASSERT_TRUE(vtable);
    FUNCDESC* func = nullptr;
    ASSERT_HRESULT_SUCCEEDED(vtable->GetFuncDesc(3, &func)); // put_BackColor
    const TYPEDESC type = func->lprgelemdescParam[0].tdesc;
    ASSERT_EQ(type.vt, VT_USERDEFINED);
    ComPtr<ITypeInfo> alias;
    ASSERT_HRESULT_SUCCEEDED(vtable->GetRefTypeInfo(type.hreftype, &alias));
    vtable->ReleaseFuncDesc(func);
    TYPEATTR* attr = nullptr;
    ASSERT_HRESULT_SUCCEEDED(alias->GetTypeAttr(&attr));
    EXPECT_EQ(attr->typekind, TKIND_ALIAS);
    EXPECT_TRUE(::IsEqualGUID(attr->guid, GUID_COLOR));
    EXPECT_EQ(attr->tdescAlias.vt, VT_UI4);
    alias->ReleaseTypeAttr(attr);
}

// --- Enumerations -----------------------------------------------------------

struct EnumValue {
    std::wstring name;
    LONG value;
};

std::vector<EnumValue> enumValues(ITypeInfo* ti) {
    std::vector<EnumValue> values;
    TYPEATTR* attr = nullptr;
    if (FAILED(ti->GetTypeAttr(&attr))) return values;
    const UINT vars = attr->cVars;
    ti->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < vars; ++i) {
        VARDESC* var = nullptr;
        if (FAILED(ti->GetVarDesc(i, &var))) continue;
        Bstr name;
        UINT count = 0;
        ti->GetNames(var->memid, name.put(), 1, &count);
        VARIANT v;
        ::VariantInit(&v);
        ::VariantChangeType(&v, var->lpvarValue, 0, VT_I4);
        values.push_back({name.get() ? name.get() : L"", v.lVal});
        ti->ReleaseVarDesc(var);
    }
    return values;
}

// Each enumeration: its size, members at their places (all of them for the
// short ones), and values that strictly ascend.
TEST_F(TypeLibraryTest, EnumerationsHoldTheirMembersInOrder) {
    using At = std::pair<size_t, EnumValue>;
    struct Case {
        const wchar_t* name;
        size_t count;
        std::vector<At> members;
    };
    const Case cases[] = {
        {L"qrsSkinTileModes",
         4,
         {{0, {L"sknStretchHStretchV", 0}},
          {1, {L"sknStretchHTileV", 1}},
          {2, {L"sknTileHStretchV", 2}},
          {3, {L"sknTileHTileV", 3}}}},
        {L"qrsSkinLayoutModes",
         2,
         {{0, {L"sknLayoutStandard", 0}}, {1, {L"sknLayoutSeperates", 1}}}},
        {L"qrsSkinAutoSizeModes",
         4,
         {{0, {L"sknAutoSizeNone", 0}},
          {1, {L"sknAutoSizeH", 1}},
          {2, {L"sknAutoSizeV", 2}},
          {3, {L"sknAutoSizeBoth", 3}}}},
        {L"NuAlignmentConstants",
         2,
         {{0, {L"nuAlignGlyphLeft", 0}}, {1, {L"nuAlignGlyphRight", 1}}}},
        {L"NuBackStyleConstants", 2, {{0, {L"nuTransparent", 0}}, {1, {L"nuOpaque", 1}}}},
        {L"NuCheckBoxValueConstants",
         3,
         {{0, {L"nuUnchecked", 0}}, {1, {L"nuChecked", 1}}, {2, {L"nuGrayed", 2}}}},
        {L"NuVisualEffectStyleConstants",
         2,
         {{0, {L"nuStandard", 0}}, {1, {L"nuSpecialEffects", 1}}}},
        // 0 to 15 with no gap, then the custom pointer.
        {L"NuMousePointerConstants",
         17,
         {{0, {L"nuDefault", 0}}, {15, {L"nuSizeAll", 15}}, {16, {L"nuCustom", 99}}}},
        // Windows' own names and numbers.
        {L"UniCodePages",
         103,
         {{0, {L"CP_UNKNOWN", -1}},
          {1, {L"CP_ACP", 0}},
          {5, {L"CP_SYMBOL", 42}},
          {6, {L"CP_AWIN", 101}},
          {17, {L"CP_AMAC", 112}},
          {20, {L"CP_7BIT", 203}},
          {23, {L"CP_HMAC", 206}},
          {24, {L"CP_OEM_437", 437}},
          {45, {L"CP_WESTEUROPE", 1252}},
          {66, {L"CP_ASCII", 20127}},
          {82, {L"CP_JAPANNHK", 50220}},
          {100, {L"CP_GB18030", 54936}},
          {102, {L"CP_UTF8", 65001}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.name);
        ComPtr<ITypeInfo> ti = findType(typeLib_.Get(), c.name);
        ASSERT_TRUE(ti);
        const auto values = enumValues(ti.Get());
        ASSERT_EQ(values.size(), c.count);
        for (const auto& [index, want] : c.members) {
            EXPECT_EQ(values[index].name, want.name) << index;
            EXPECT_EQ(values[index].value, want.value) << index;
        }
        for (size_t i = 1; i < values.size(); ++i)
            EXPECT_LT(values[i - 1].value, values[i].value) << values[i].name.c_str();
    }
}

} // namespace
} // namespace pkw::test
