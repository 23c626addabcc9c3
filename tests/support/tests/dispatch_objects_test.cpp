#include "tests/support/container_test.h"

#include "tests/support/units.h"
#include "spy_control.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

class DispatchObjectsTest : public ContainerTest {
protected:
    ComPtr<Site> addSpy(ComPtr<SpyControl>& spy, const wchar_t* name, RECT r, short group = 0) {
        spy = makeCom<SpyControl>();
        spy->groupId = group;
        return add(spy->unknown(), name, r);
    }

    static Variant get(IDispatch* object, const wchar_t* name, HRESULT expected = S_OK) {
        Variant v;
        EXPECT_EQ(getProperty(object, name, v), expected) << narrow(name);
        return v;
    }

    static ComPtr<IDispatch> object(const Variant& v) {
        ComPtr<IDispatch> d;
        if (v.vt == VT_DISPATCH && v.pdispVal) d = v.pdispVal;
        return d;
    }
};

TEST_F(DispatchObjectsTest, TheExtenderOwnsItsMembersInTwips) {
    ComPtr<SpyControl> spy;
    auto site = addSpy(spy, L"Check1", {10, 20, 110, 44});
    ASSERT_TRUE(site);
    IDispatch* ext = site->extender();
    struct Case {
        const wchar_t* name;
        float twips;
    };
    const Case cases[] = {
        {L"Left", float(units::pixelsToTwipsX(10))},
        {L"top", float(units::pixelsToTwipsY(20))},
        {L"Width", float(units::pixelsToTwipsX(100))},
        {L"HEIGHT", float(units::pixelsToTwipsY(24))},
    };
    for (const Case& c : cases) {
        const Variant v = get(ext, c.name);
        EXPECT_EQ(v.vt, VT_R4) << narrow(c.name);
        EXPECT_FLOAT_EQ(v.fltVal, c.twips) << narrow(c.name);
    }
    EXPECT_STREQ(get(ext, L"Name").bstrVal, L"Check1");
    EXPECT_EQ(get(ext, L"Visible").boolVal, VARIANT_TRUE);
    EXPECT_STREQ(get(object(get(ext, L"Parent")).Get(), L"Name").bstrVal, L"Form1");

    ComPtr<IUnknown> viaObject, control;
    ASSERT_HRESULT_SUCCEEDED(object(get(ext, L"Object"))->QueryInterface(IID_PPV_ARGS(&viaObject)));
    ASSERT_HRESULT_SUCCEEDED(spy->unknown()->QueryInterface(IID_PPV_ARGS(&control)));
    EXPECT_EQ(viaObject.Get(), control.Get());

    ASSERT_HRESULT_SUCCEEDED(putProperty(ext, L"Tag", Variant::fromI4(12)));
    EXPECT_STREQ(get(ext, L"Tag").bstrVal, L"12");
    EXPECT_EQ(putProperty(ext, L"Name", Variant::fromString(L"Other")), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(putProperty(ext, L"Width", Variant::fromI4(-15)), CTL_E_INVALIDPROPERTYVALUE);
}

TEST_F(DispatchObjectsTest, OtherNamesReachTheControl) {
    ComPtr<SpyControl> spy;
    auto site = addSpy(spy, L"Option1", {10, 10, 60, 30}, 3);
    ASSERT_TRUE(site);
    IDispatch* ext = site->extender();
    DISPID id = 0;
    ASSERT_HRESULT_SUCCEEDED(dispId(ext, L"GroupID", id));
    EXPECT_EQ(id, 1); // the control's own DISPID
    EXPECT_EQ(get(ext, L"GroupID").iVal, 3);
    ASSERT_HRESULT_SUCCEEDED(putProperty(ext, L"groupid", Variant::fromI4(9)));
    EXPECT_EQ(spy->groupId, 9);
    EXPECT_EQ(get(ext, L"hWnd").lVal, spy->fakeHwnd);
    EXPECT_EQ(dispId(ext, L"NoSuchMember", id), DISP_E_UNKNOWNNAME);
    // The same through the site's helpers.
    Variant caption;
    ASSERT_HRESULT_SUCCEEDED(site->put(L"Caption", Variant::fromString(L"&Go")));
    ASSERT_HRESULT_SUCCEEDED(site->get(L"Caption", caption));
    EXPECT_STREQ(caption.bstrVal, L"&Go");
}

TEST_F(DispatchObjectsTest, MovingThroughTheExtenderResizesTheControl) {
    ComPtr<SpyControl> spy;
    auto site = addSpy(spy, L"Check1", {10, 20, 110, 44});
    ASSERT_TRUE(site);
    spy->calls.clear();
    ASSERT_HRESULT_SUCCEEDED(
        putProperty(site->extender(), L"Width", Variant::fromI4(units::pixelsToTwipsX(150))));
    ASSERT_HRESULT_SUCCEEDED(
        putProperty(site->extender(), L"Left", Variant::fromR4(float(units::pixelsToTwipsX(30)))));
    const RECT& r = site->rect();
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.right, 180);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.bottom, 44);
    const std::wstring extent = L"SetExtent " + std::to_wstring(units::pixelsToHimetricX(150)) +
                                L"x" + std::to_wstring(units::pixelsToHimetricY(24));
    EXPECT_EQ(spy->calls, (std::vector<std::wstring>{extent, L"SetObjectRects 10,20,160,44", extent,
                                                     L"SetObjectRects 30,20,180,44"}));
}

TEST_F(DispatchObjectsTest, TypeNameOfTheExtenderIsTheControlsClass) {
    ComPtr<SpyControl> spy;
    auto site = addSpy(spy, L"Check1", {10, 20, 110, 44});
    ASSERT_TRUE(site);
    EXPECT_EQ(typeName(site->extender()), L"SpyControl");
    EXPECT_EQ(typeName(spy->unknown()), L"SpyControl");
    ComPtr<IProvideClassInfo2> info;
    ASSERT_HRESULT_SUCCEEDED(site->extender()->QueryInterface(IID_PPV_ARGS(&info)));
    GUID source{};
    ASSERT_HRESULT_SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_EQ(source, DIID_DSpyEvents);
    // The form and its collection are plain late-bound objects.
    EXPECT_EQ(typeName(form().dispatch()), L"");
}

// An option button walks Parent.Controls by late binding: each member's
// type name, GroupID, hWnd and Value.
TEST_F(DispatchObjectsTest, ParentControlsIsWalkedLikeAnOptionGroupDoes) {
    ComPtr<SpyControl> a, b, c;
    ASSERT_TRUE(addSpy(a, L"Option1", {10, 10, 90, 30}, 1));
    ASSERT_TRUE(addSpy(b, L"Option2", {10, 40, 90, 60}, 2));
    auto third = addSpy(c, L"Option3", {10, 70, 90, 90}, 1);
    ASSERT_TRUE(third);
    b->value = true;

    ComPtr<IDispatch> controls =
        object(get(object(get(third->extender(), L"Parent")).Get(), L"Controls"));
    ASSERT_TRUE(controls);
    EXPECT_EQ(get(controls.Get(), L"Count").lVal, 3);

    struct Expected {
        const wchar_t* name;
        short group;
        LONG hwnd;
        VARIANT_BOOL value;
    };
    const Expected expected[] = {
        {L"Option1", 1, a->fakeHwnd, VARIANT_FALSE},
        {L"Option2", 2, b->fakeHwnd, VARIANT_TRUE},
        {L"Option3", 1, c->fakeHwnd, VARIANT_FALSE},
    };
    // Through _NewEnum, as For Each does.
    Variant enumerator;
    ASSERT_HRESULT_SUCCEEDED(
        invoke(controls.Get(), DISPID_NEWENUM, DISPATCH_PROPERTYGET, {}, &enumerator));
    ComPtr<IEnumVARIANT> members;
    ASSERT_HRESULT_SUCCEEDED(enumerator.punkVal->QueryInterface(IID_PPV_ARGS(&members)));
    for (const Expected& e : expected) {
        Variant member;
        ULONG fetched = 0;
        ASSERT_EQ(members->Next(1, &member, &fetched), S_OK);
        ASSERT_EQ(member.vt, VT_DISPATCH);
        EXPECT_EQ(typeName(member.pdispVal), L"SpyControl");
        EXPECT_STREQ(get(member.pdispVal, L"Name").bstrVal, e.name);
        EXPECT_EQ(get(member.pdispVal, L"GroupID").iVal, e.group);
        EXPECT_EQ(get(member.pdispVal, L"hWnd").lVal, e.hwnd);
        EXPECT_EQ(get(member.pdispVal, L"Value").boolVal, e.value);
    }
    Variant past;
    ULONG fetched = 7;
    EXPECT_EQ(members->Next(1, &past, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    // Item by 0-based index and by name; the collection follows the form.
    const Variant index = Variant::fromI2(1), name = Variant::fromString(L"option3"),
                  bad = Variant::fromI4(3);
    Variant item;
    ASSERT_HRESULT_SUCCEEDED(getProperty(controls.Get(), L"Item", {&index, 1}, item));
    EXPECT_STREQ(get(item.pdispVal, L"Name").bstrVal, L"Option2");
    ASSERT_HRESULT_SUCCEEDED(
        invoke(controls.Get(), DISPID_VALUE, DISPATCH_PROPERTYGET, {&name, 1}, &item));
    EXPECT_STREQ(get(item.pdispVal, L"Name").bstrVal, L"Option3");
    EXPECT_EQ(invoke(controls.Get(), DISPID_VALUE, DISPATCH_PROPERTYGET, {&bad, 1}, &item),
              DISP_E_BADINDEX);
    ASSERT_HRESULT_SUCCEEDED(form().remove(*form().site(L"Option1")));
    EXPECT_EQ(get(controls.Get(), L"Count").lVal, 2);
}

TEST_F(DispatchObjectsTest, EnumObjectsListsTheControlsUnlessTheHostCannot) {
    ComPtr<SpyControl> a, b;
    ASSERT_TRUE(addSpy(a, L"One", {0, 0, 10, 10}));
    ASSERT_TRUE(addSpy(b, L"Two", {0, 20, 10, 30}));
    ComPtr<IOleContainer> container;
    ASSERT_HRESULT_SUCCEEDED(a->site()->GetContainer(&container));
    ComPtr<IEnumUnknown> objects;
    ASSERT_HRESULT_SUCCEEDED(container->EnumObjects(OLECONTF_EMBEDDINGS, &objects));
    IUnknown* found[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(objects->Next(3, found, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    ComPtr<IUnknown> first, second;
    a->unknown()->QueryInterface(IID_PPV_ARGS(&first));
    b->unknown()->QueryInterface(IID_PPV_ARGS(&second));
    EXPECT_EQ(found[0], first.Get());
    EXPECT_EQ(found[1], second.Get());
    for (ULONG i = 0; i < fetched; ++i)
        found[i]->Release();

    form().behaviour().enumObjects = false;
    ComPtr<IEnumUnknown> none;
    EXPECT_EQ(container->EnumObjects(OLECONTF_EMBEDDINGS, &none), E_NOTIMPL);
    EXPECT_FALSE(none);
}

TEST_F(DispatchObjectsTest, AnExtenderKeptAfterRemovalStillAnswersSafely) {
    ComPtr<SpyControl> spy;
    auto site = addSpy(spy, L"Check1", {10, 20, 110, 44});
    ASSERT_TRUE(site);
    ComPtr<IDispatch> ext = site->extender();
    ASSERT_HRESULT_SUCCEEDED(form().remove(*site.Get()));
    EXPECT_EQ(site->form(), nullptr);
    EXPECT_STREQ(get(ext.Get(), L"Name").bstrVal, L"Check1");
    get(ext.Get(), L"Left", E_UNEXPECTED);
    Variant v;
    EXPECT_EQ(getProperty(ext.Get(), L"GroupID", v), DISP_E_UNKNOWNNAME);
    // The container let go of the control: ours is the only reference left.
    SpyControl* raw = spy.Get();
    raw->AddRef();
    EXPECT_EQ(raw->Release(), 1u);
}

} // namespace
} // namespace pkw::test
