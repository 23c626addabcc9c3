// zelSCls40.dll as a COM server: class objects, unloading,
// registration, its embedded type library and late binding.
#include "scls_support.h"

#include "common/com/bstr.h"
#include "common/com/variant.h"

#include <olectl.h>

#include <string>

namespace pkw::scls_test {
namespace {

using ServerTest = SclsTest;

const test::ServerClass kClasses[] = {
    {&__uuidof(GlobalSubclass), &__uuidof(IGlobalSubclass), L"zelSCls40.GlobalSubclass"},
    {&__uuidof(Timer), &__uuidof(ITimer), L"zelSCls40.Timer"},
    {&__uuidof(clsMemDC), &__uuidof(IMemDC), L"zelSCls40.clsMemDC"},
};

TEST_F(ServerTest, ClassObjectsCreateEachClassAlsoThroughTheSiblingLoader) {
    test::expectClassObjects(sclsDll(), kClasses);
    for (const test::ServerClass& c : kClasses) {
        ComPtr<IUnknown> viaLoader;
        EXPECT_EQ(pkw::sib::CreateSiblingObject(L"zelSCls40.dll", *c.clsid, *c.iid,
                                                reinterpret_cast<void**>(viaLoader.GetAddressOf())),
                  S_OK);
        EXPECT_TRUE(viaLoader);
    }
}

TEST_F(ServerTest, CanUnloadOnlyWithoutObjectsLocksOrSubclassedWindows) {
    ASSERT_EQ(canUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(sclsDll().classFactory(__uuidof(clsMemDC), &factory), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    ASSERT_EQ(sclsDll().classFactory(__uuidof(clsMemDC), &factory), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    for (const test::ServerClass& c : kClasses) {
        ComPtr<IUnknown> object = create<IUnknown>(*c.clsid);
        EXPECT_EQ(canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(canUnloadNow(), S_OK);

    // A window routed through the DLL's procedure keeps it loaded.
    TestWindow window;
    const auto sink = Adopt(new TestSink("s", 2, nullptr));
    {
        auto global = create<IGlobalSubclass>(__uuidof(GlobalSubclass));
        ASSERT_EQ(global->AttachMessage(sink.Get(), window.hwnd(), kOther), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    {
        auto global = create<IGlobalSubclass>(__uuidof(GlobalSubclass));
        ASSERT_EQ(global->DetachMessage(sink.Get(), window.hwnd(), kOther), S_OK);
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ServerTest, RegistrationWritesAndRemovesTheClassesAndTheTypeLibrary) {
    test::expectRegistrationRoundTrip(sclsDll(), kClasses, LIBID_zelSCls40Lib, 4, __uuidof(IMemDC),
                                      test::ForeignSubkeys::Removed);
}

// The embedded type library: handles are pointer-sized integers, the
// events have their fixed ids, the automation interfaces are dual.
TEST_F(ServerTest, EmbeddedTypeLibraryDescribesTheInterfaces) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(::LoadTypeLibEx(sclsDll().path().c_str(), REGKIND_NONE, &library), S_OK);
    const VARTYPE pointerSized = sizeof(void*) == 8 ? VT_I8 : VT_I4;

    ComPtr<ITypeInfo> subclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(__uuidof(ISubclass), &subclass), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(subclass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
    const WORD funcs = attr->cFuncs;
    subclass->ReleaseTypeAttr(attr);
    bool foundWindowProc = false;
    for (UINT i = 0; i < funcs; ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(subclass->GetFuncDesc(i, &f), S_OK);
        Bstr name;
        subclass->GetDocumentation(f->memid, name.put(), nullptr, nullptr, nullptr);
        if (name.view() == L"WindowProc") {
            foundWindowProc = true;
            ASSERT_EQ(f->cParams, 5);
            EXPECT_EQ(f->lprgelemdescParam[0].tdesc.vt, pointerSized); // hWnd
            EXPECT_EQ(f->lprgelemdescParam[1].tdesc.vt, VT_UINT);      // iMsg
            EXPECT_EQ(f->lprgelemdescParam[4].tdesc.vt, VT_PTR);       // result
        }
        subclass->ReleaseFuncDesc(f);
    }
    EXPECT_TRUE(foundWindowProc);

    for (const IID* dual : {&__uuidof(IGlobalSubclass), &__uuidof(ITimer), &__uuidof(IMemDC)}) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(library->GetTypeInfoOfGuid(*dual, &info), S_OK);
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL) << test::guidText(*dual).c_str();
        info->ReleaseTypeAttr(attr);
    }

    ComPtr<ITypeInfo> events;
    ASSERT_EQ(library->GetTypeInfoOfGuid(__uuidof(DTimerEvents), &events), S_OK);
    MEMBERID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"ThatTime");
    ASSERT_EQ(events->GetIDsOfNames(&name, 1, &id), S_OK);
    EXPECT_EQ(id, 1);
}

DISPID idOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
}

HRESULT invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<Variant> args,
               Variant* result) {
    // Arguments go right to left.
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO excep{};
    UINT argErr = 0;
    const HRESULT hr = object->Invoke(idOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, flags,
                                      &params, result, &excep, &argErr);
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrHelpFile);
    return hr;
}

TEST_F(ServerTest, MemDcByName) {
    auto memDc = create<IMemDC>(__uuidof(clsMemDC));
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(memDc.As(&dispatch), S_OK);
    UINT count = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);

    EXPECT_EQ(idOf(dispatch.Get(), L"Create"), 1);
    EXPECT_EQ(idOf(dispatch.Get(), L"hDC"), 2);
    EXPECT_EQ(idOf(dispatch.Get(), L"width"), 3); // names are case-insensitive
    EXPECT_EQ(idOf(dispatch.Get(), L"Height"), 4);
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Resize")};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);

    Variant ignored;
    ASSERT_EQ(invoke(dispatch.Get(), L"Create", DISPATCH_METHOD,
                     {Variant::fromI4(21), Variant::fromI2(11), Variant::fromI4(0x00FF00)},
                     &ignored),
              S_OK);
    Variant width, height, hdc;
    ASSERT_EQ(invoke(dispatch.Get(), L"Width", DISPATCH_PROPERTYGET, {}, &width), S_OK);
    ASSERT_EQ(invoke(dispatch.Get(), L"Height", DISPATCH_PROPERTYGET, {}, &height), S_OK);
    ASSERT_EQ(invoke(dispatch.Get(), L"hDC", DISPATCH_PROPERTYGET, {}, &hdc), S_OK);
    EXPECT_EQ(width.vt, VT_I4);
    EXPECT_EQ(width.lVal, 21);
    EXPECT_EQ(height.lVal, 11);
    HDC early = nullptr;
    memDc->get_hDC(&early);
    ASSERT_NE(early, nullptr);
#ifdef _WIN64
    ASSERT_EQ(hdc.vt, VT_I8);
    EXPECT_EQ(hdc.llVal, reinterpret_cast<LONG_PTR>(early));
#else
    ASSERT_EQ(hdc.vt, VT_I4);
    EXPECT_EQ(hdc.lVal, reinterpret_cast<LONG_PTR>(early));
#endif
    EXPECT_EQ(::GetPixel(early, 20, 10), RGB(0, 255, 0));

    // Wrong argument types and counts are refused, nothing changes.
    Variant text;
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocString(L"wide");
    EXPECT_EQ(invoke(dispatch.Get(), L"Create", DISPATCH_METHOD,
                     {text, Variant::fromI4(2), Variant::fromI4(0)}, &ignored),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(invoke(dispatch.Get(), L"Create", DISPATCH_METHOD, {Variant::fromI4(2)}, &ignored),
              DISP_E_BADPARAMCOUNT);
    // A failure of the method itself comes back as its HRESULT.
    EXPECT_EQ(invoke(dispatch.Get(), L"Create", DISPATCH_METHOD,
                     {Variant::fromI4(0), Variant::fromI4(2), Variant::fromI4(0)}, &ignored),
              DISP_E_EXCEPTION);
    EXPECT_EQ(invoke(dispatch.Get(), L"Width", DISPATCH_PROPERTYGET, {}, &width), S_OK);
    EXPECT_EQ(width.lVal, 21);
}

TEST_F(ServerTest, TimerIntervalByName) {
    auto timer = create<ITimer>(__uuidof(Timer));
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(timer.As(&dispatch), S_OK);
    Variant ignored;
    ASSERT_EQ(
        invoke(dispatch.Get(), L"Interval", DISPATCH_PROPERTYPUT, {Variant::fromI4(250)}, &ignored),
        S_OK);
    LONG interval = 0;
    timer->get_Interval(&interval);
    EXPECT_EQ(interval, 250);
    Variant read;
    ASSERT_EQ(invoke(dispatch.Get(), L"Interval", DISPATCH_PROPERTYGET, {}, &read), S_OK);
    EXPECT_EQ(read.lVal, 250);
    ASSERT_EQ(timer->put_Interval(0), S_OK);
}

} // namespace
} // namespace pkw::scls_test
