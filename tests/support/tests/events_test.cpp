#include "tests/support/container_test.h"

#include "spy_control.h"

#include <olectl.h>

#include <array>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

VARIANTARG byRef(VARTYPE vt, void* target) {
    VARIANTARG v;
    ::VariantInit(&v);
    v.vt = vt | VT_BYREF;
    v.byref = target;
    return v;
}

VARIANTARG byValueI4(LONG value) {
    VARIANTARG v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

ComPtr<IPictureDisp> bitmapPicture(int width, int height) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = ::CreateBitmap(width, height, 1, 32, nullptr);
    ComPtr<IPictureDisp> picture;
    ::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                               reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(EventRecorder::connect(spy->unknown(), recorder));
    }
    ComPtr<SpyControl> spy = makeCom<SpyControl>();
    ComPtr<EventRecorder> recorder;
};

TEST_F(EventsTest, ConnectsToTheDefaultSourceAndNamesEventsAndArguments) {
    EXPECT_EQ(recorder->sourceIid(), DIID_DSpyEvents);
    short button = 1, shift = 2;
    float x = 3.5f, y = 4.0f;
    std::array<VARIANTARG, 4> args{byRef(VT_I2, &button), byRef(VT_I2, &shift), byRef(VT_R4, &x),
                                   byRef(VT_R4, &y)};
    ASSERT_HRESULT_SUCCEEDED(spy->fire(1));
    ASSERT_HRESULT_SUCCEEDED(spy->fire(DISPID_MOUSEDOWN, args));
    ASSERT_HRESULT_SUCCEEDED(spy->fire(77)); // not in the interface
    EXPECT_EQ(recorder->names(), (std::vector<std::wstring>{L"Click", L"MouseDown", L""}));
    const RecordedEvent* down = recorder->last(L"mousedown");
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->id, DISPID_MOUSEDOWN);
    ASSERT_EQ(down->args.size(), 4u);
    const wchar_t* names[] = {L"Button", L"Shift", L"X", L"Y"};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(down->args[i].name, names[i]);
    EXPECT_EQ(down->args[0].vt, VT_I2 | VT_BYREF);
    EXPECT_EQ(down->args[0].value.vt, VT_I2); // dereferenced copies
    EXPECT_EQ(down->arg(L"Shift")->value.iVal, 2);
    EXPECT_FLOAT_EQ(down->arg(L"x")->value.fltVal, 3.5f);
    EXPECT_EQ(recorder->count(L"Click"), 1u);
}

TEST_F(EventsTest, HandlersAnswerThroughByReferenceArguments) {
    recorder->on(L"BeforeChange", [](EventCall& call) {
        EXPECT_EQ(call.name(), L"BeforeChange");
        EXPECT_HRESULT_SUCCEEDED(call.set(L"bCancel", Variant::fromBool(true)));
        EXPECT_HRESULT_SUCCEEDED(call.set(0u, Variant::fromString(L"0"))); // converted to Boolean
    });
    VARIANT_BOOL state = VARIANT_TRUE, cancel = VARIANT_FALSE;
    std::array<VARIANTARG, 2> args{byRef(VT_BOOL, &state), byRef(VT_BOOL, &cancel)};
    ASSERT_HRESULT_SUCCEEDED(spy->fire(9, args));
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(state, VARIANT_FALSE);
    // The record keeps what the control passed in, not the answers.
    EXPECT_EQ(recorder->last(L"BeforeChange")->arg(L"bCancel")->value.boolVal, VARIANT_FALSE);
}

TEST_F(EventsTest, StringVariantAndByValueArguments) {
    recorder->on(L"Texts", [](EventCall& call) {
        EXPECT_EQ(call.count(), 3u);
        EXPECT_HRESULT_SUCCEEDED(call.set(L"Text", Variant::fromString(L"answered")));
        EXPECT_HRESULT_SUCCEEDED(call.set(L"Any", Variant::fromI4(5)));
        EXPECT_EQ(call.set(L"lByValue", Variant::fromI4(1)), E_INVALIDARG);
        EXPECT_EQ(call.set(L"NoSuchParameter", Variant::fromI4(1)), DISP_E_UNKNOWNNAME);
        EXPECT_EQ(call.value(2).lVal, 42);
    });
    BSTR text = ::SysAllocString(L"asked");
    Variant any = Variant::fromString(L"old");
    std::array<VARIANTARG, 3> args{byRef(VT_BSTR, &text), byRef(VT_VARIANT, &any), byValueI4(42)};
    ASSERT_HRESULT_SUCCEEDED(spy->fire(10, args));
    EXPECT_STREQ(text, L"answered");
    ::SysFreeString(text);
    EXPECT_EQ(any.vt, VT_I4);
    EXPECT_EQ(any.lVal, 5);
}

TEST_F(EventsTest, ConversionFailuresLeaveTheArgumentAlone) {
    recorder->on(L"MouseDown", [](EventCall& call) {
        EXPECT_EQ(call.set(0u, Variant::fromString(L"abc")), DISP_E_TYPEMISMATCH);
        EXPECT_HRESULT_SUCCEEDED(call.set(1u, Variant::fromString(L"3")));
        EXPECT_EQ(call.set(9u, Variant::fromI4(1)), DISP_E_BADINDEX);
    });
    short button = 1, shift = 0;
    float x = 0, y = 0;
    std::array<VARIANTARG, 4> args{byRef(VT_I2, &button), byRef(VT_I2, &shift), byRef(VT_R4, &x),
                                   byRef(VT_R4, &y)};
    ASSERT_HRESULT_SUCCEEDED(spy->fire(DISPID_MOUSEDOWN, args));
    EXPECT_EQ(button, 1);
    EXPECT_EQ(shift, 3);
}

// A host fills a record passed by reference (a skin description) and sets
// a picture passed by reference.
TEST_F(EventsTest, RecordAndPictureArgumentsAreAnsweredInPlace) {
    ComPtr<IRecordInfo> recordInfo;
    ASSERT_HRESULT_SUCCEEDED(spyRecordInfo(L"SpySkinInfo", recordInfo));
    ComPtr<IPictureDisp> hostPicture = bitmapPicture(20, 240);
    ASSERT_TRUE(hostPicture);

    recorder->on(L"QuerySkin", [&](EventCall& call) {
        EXPECT_EQ(call.value(0).lVal, 1001);
        EXPECT_HRESULT_SUCCEEDED(call.setField(1, L"ImageName", Variant::fromString(L"host skin")));
        EXPECT_HRESULT_SUCCEEDED(call.setField(1, L"MaskColor", Variant::fromI4(0xFF00FF)));
        EXPECT_HRESULT_SUCCEEDED(call.setField(1, L"mapmargin.Right", Variant::fromI2(4)));
        EXPECT_EQ(call.setField(1, L"NoSuchField", Variant::fromI4(0)), DISP_E_UNKNOWNNAME);
        EXPECT_EQ(call.setField(1, L"MapMargin", Variant::fromI4(0)), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(call.setField(0, L"ImageName", Variant::fromI4(0)), E_INVALIDARG); // not a record
        EXPECT_HRESULT_SUCCEEDED(call.set(2u, Variant::fromDispatch(hostPicture.Get())));
    });

    SpySkinInfo info{};
    info.ImageName = ::SysAllocString(L"built-in");
    info.MaskColor = -1;
    info.MapMargin.Left = 7;
    IPictureDisp* picture = nullptr;
    VARIANTARG record;
    ::VariantInit(&record);
    record.vt = VT_RECORD | VT_BYREF;
    V_RECORD(&record) = &info;
    V_RECORDINFO(&record) = recordInfo.Get();
    std::array<VARIANTARG, 3> args{byValueI4(1001), record, byRef(VT_DISPATCH, &picture)};
    ASSERT_HRESULT_SUCCEEDED(spy->fire(8, args));

    EXPECT_STREQ(info.ImageName, L"host skin");
    EXPECT_EQ(info.MaskColor, 0xFF00FF);
    EXPECT_EQ(info.MapMargin.Left, 7);
    EXPECT_EQ(info.MapMargin.Right, 4);
    EXPECT_EQ(picture, hostPicture.Get());
    if (picture) picture->Release();
    ::SysFreeString(info.ImageName);

    // The record's fields as the control passed them, nested ones dotted.
    const RecordedEvent* skin = recorder->last(L"QuerySkin");
    ASSERT_NE(skin, nullptr);
    const auto& fields = skin->args[1].fields;
    ASSERT_EQ(fields.size(), 12u);
    EXPECT_EQ(fields[1].first, L"ImageName");
    EXPECT_STREQ(fields[1].second.bstrVal, L"built-in");
    EXPECT_EQ(fields[4].first, L"MapMargin.Left");
    EXPECT_EQ(fields[4].second.lVal, 7);
    EXPECT_EQ(fields[8].first, L"MaskColor");
    EXPECT_EQ(fields[8].second.lVal, -1);
}

TEST_F(EventsTest, HandlersCanBeReplacedAndRemoved) {
    int first = 0, second = 0;
    recorder->on(L"Click", [&](EventCall&) { ++first; });
    recorder->on(L"CLICK", [&](EventCall&) { ++second; });
    ASSERT_HRESULT_SUCCEEDED(spy->fire(1));
    recorder->off(L"click");
    ASSERT_HRESULT_SUCCEEDED(spy->fire(1));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(recorder->count(L"Click"), 2u);
}

TEST(EventSource, ObjectsWithoutClassInfoHaveNoDefaultSource) {
    auto bag = MemoryPropertyBag::create();
    ComPtr<EventRecorder> recorder;
    EXPECT_EQ(EventRecorder::connect(bag.Get(), recorder), E_NOINTERFACE);
    EXPECT_FALSE(recorder);
}

} // namespace
} // namespace pkw::test
