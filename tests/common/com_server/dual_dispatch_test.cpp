// IDispatch from the module's own type libraries: late-bound calls land on
// the vtable of the interface they name, bad calls are refused, and a type
// described only by the second, private library is found as well.
#include "common/com/excep_info.h"
#include "common/com/variant.h"
#include "test_classes.h"

#include <gtest/gtest.h>

#include <vector>

namespace pkw::test {
namespace {

DISPID idOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// args in declaration order.
HRESULT call(IDispatch* object, DISPID id, WORD flags, std::vector<Variant> args,
             Variant* result = nullptr) {
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()),
                      put ? 1u : 0u};
    ExcepInfo excep;
    UINT argErr = 0;
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                          result ? result->put() : nullptr, &excep, &argErr);
}

TEST(DualDispatchTest, EachDualAnswersForItsOwnInterface) {
    const auto thing = make<Thing>();
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&dispatch)), S_OK);
    const DISPID size = idOf(dispatch.Get(), L"SIZE"); // names in any case
    ASSERT_EQ(size, 1);
    ASSERT_EQ(call(dispatch.Get(), size, DISPATCH_PROPERTYPUT, {Variant::fromI2(41)}), S_OK);
    LONG stored = 0;
    thing->get_Size(&stored);
    EXPECT_EQ(stored, 41);

    // The second dual's IDispatch knows its own members, at its own ids.
    ComPtr<IKitOther> other;
    ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&other)), S_OK);
    EXPECT_EQ(idOf(other.Get(), L"Size"), DISPID_UNKNOWN);
    Variant label;
    ASSERT_EQ(call(other.Get(), idOf(other.Get(), L"Label"), DISPATCH_PROPERTYGET, {}, &label),
              S_OK);
    ASSERT_EQ(label.vt, VT_BSTR);
    EXPECT_STREQ(label.bstrVal, L"other");

    UINT count = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, IID_IKitThing);
    EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
    info->ReleaseTypeAttr(attr);
    EXPECT_EQ(dispatch->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
}

TEST(DualDispatchTest, BadCallsAreRefusedAndChangeNothing) {
    const auto thing = make<Thing>();
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&dispatch)), S_OK);
    const DISPID pair = idOf(dispatch.Get(), L"Pair");
    // An object that lacks the parameter's interface is of the wrong type.
    const auto secret = make<Secret>();
    EXPECT_EQ(call(dispatch.Get(), pair, DISPATCH_METHOD,
                   {Variant::fromDispatch(static_cast<IDispatch*>(secret.Get()))}),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(thing->paired(), nullptr);
    const auto partner = make<Thing>();
    EXPECT_EQ(call(dispatch.Get(), pair, DISPATCH_METHOD,
                   {Variant::fromUnknown(static_cast<IKitThing*>(partner.Get()))}),
              S_OK);
    EXPECT_EQ(thing->paired(), static_cast<IKitOther*>(partner.Get()));
}

TEST(DualDispatchTest, TheSecondTypeLibraryServesItsClasses) {
    const auto secret = make<Secret>();
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(secret->QueryInterface(IID_PPV_ARGS(&dispatch)), S_OK);
    Variant word;
    ASSERT_EQ(call(dispatch.Get(), idOf(dispatch.Get(), L"Word"), DISPATCH_PROPERTYGET, {}, &word),
              S_OK);
    EXPECT_STREQ(word.bstrVal, L"hidden");

    ComPtr<ITypeLib> library;
    ASSERT_EQ(com::loadTypeLibrary(2, &library), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, LIBID_KitPrivateLib);
    library->ReleaseTLibAttr(attr);
    EXPECT_HRESULT_FAILED(com::loadTypeLibrary(3, &library));
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(com::typeInfoOf(CLSID_KitSecret, &info), S_OK);
    EXPECT_EQ(com::typeInfoOf(CLSID_KitThing, &info), S_OK);
    EXPECT_EQ(com::typeInfoOf(IID_IPersist, &info), TYPE_E_ELEMENTNOTFOUND);
}

} // namespace
} // namespace pkw::test
