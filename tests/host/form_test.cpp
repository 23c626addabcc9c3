// What the form does for a real control: ambients in place before the
// control loads, an extender in twips, the controls listed for a control
// that looks for its siblings, a control let go of even from inside its
// own event, and what the control reports heard as it comes.
#include "host/container_test.h"
#include "host/event_log.h"
#include "tests/host/test_pictures.h"

#include "common/com/bstr.h"
#include "common/win/unique_handle.h"

#include <olectl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pkw::test {
namespace {

using ::testing::ElementsAre;
using ::testing::MatchesRegex;

constexpr wchar_t kCheckBox[] = L"zelPickwell40.NuCheckBox40";

class FormTest : public ContainerTest {
protected:
    ComPtr<Site> placeBox(const wchar_t* name, const RECT& pixels, const AddOptions& options = {}) {
        return placeFromLibrary(kCheckBox, name, pixels, options);
    }

    static Variant get(IDispatch* object, const wchar_t* name) {
        Variant value;
        EXPECT_HRESULT_SUCCEEDED(getProperty(object, name, value)) << narrow(name);
        return value;
    }
    static ComPtr<IDispatch> object(const Variant& v) {
        return v.vt == VT_DISPATCH ? ComPtr<IDispatch>(v.pdispVal) : nullptr;
    }
    static LONG twips(LONG pixels) {
        const WindowDc screen(nullptr);
        return ::MulDiv(pixels, 1440, ::GetDeviceCaps(screen.get(), LOGPIXELSX));
    }
};

// A check box without a Font of its own takes the form's font while it
// loads: the site must be there before the control reads its bag.
TEST_F(FormTest, AControlLoadsWithTheFormsAmbientsAlreadyInPlace) {
    const ComPtr<IFontDisp> formFont = makeFont(L"Tahoma", 140000, true);
    form().setAmbientFont(formFont.Get());
    auto bag = MemoryPropertyBag::create();
    AddOptions load;
    load.init = AddOptions::Init::PropertyBag;
    load.bag = bag.Get();
    auto box = placeBox(L"Check1", {10, 10, 130, 34}, load);
    ASSERT_TRUE(box);
    // Font objects report the size they realised: compare with the form's.
    ComPtr<IFont> font, expected;
    ASSERT_HRESULT_SUCCEEDED(
        object(get(box->dispatch(), L"Font"))->QueryInterface(IID_PPV_ARGS(&font)));
    ASSERT_HRESULT_SUCCEEDED(formFont.As(&expected));
    CY size{}, expectedSize{};
    BOOL bold = FALSE;
    font->get_Size(&size);
    expected->get_Size(&expectedSize);
    font->get_Bold(&bold);
    EXPECT_EQ(size.int64, expectedSize.int64);
    EXPECT_TRUE(bold);
}

TEST_F(FormTest, TheExtenderSpeaksTwipsAndMovesTheControlsWindow) {
    auto box = placeBox(L"Check1", {10, 20, 130, 44});
    ASSERT_TRUE(box);
    IDispatch* extender = box->extender();
    EXPECT_FLOAT_EQ(get(extender, L"Left").fltVal, float(twips(10)));
    EXPECT_FLOAT_EQ(get(extender, L"Width").fltVal, float(twips(120)));
    EXPECT_EQ(typeName(extender), L"NuCheckBox40");

    ASSERT_HRESULT_SUCCEEDED(putProperty(extender, L"Width", Variant::fromI4(twips(200))));
    RECT window{};
    ASSERT_TRUE(::GetWindowRect(box->window(), &window));
    EXPECT_EQ(window.right - window.left, 200);
    // Names the extender does not own are the control's.
    ASSERT_HRESULT_SUCCEEDED(putProperty(extender, L"Caption", Variant::fromString(L"Through")));
    EXPECT_STREQ(get(box->dispatch(), L"Caption").bstrVal, L"Through");
}

// The option button finds its group this way: Parent.Controls by late
// binding, or the container's EnumObjects.
TEST_F(FormTest, TheControlsAreListedInOrderWhereAControlLooksForThem) {
    std::vector<ComPtr<Site>> boxes;
    for (const wchar_t* name : {L"Check1", L"Check2", L"Check3"}) {
        boxes.push_back(
            placeBox(name, {10, 10 + 30 * LONG(boxes.size()), 130, 34 + 30 * LONG(boxes.size())}));
        ASSERT_TRUE(boxes.back());
    }
    ComPtr<IDispatch> controls =
        object(get(object(get(boxes[2]->extender(), L"Parent")).Get(), L"Controls"));
    ASSERT_TRUE(controls);
    EXPECT_EQ(get(controls.Get(), L"Count").lVal, 3);

    Variant members;
    ASSERT_HRESULT_SUCCEEDED(
        invoke(controls.Get(), DISPID_NEWENUM, DISPATCH_PROPERTYGET, {}, &members));
    ComPtr<IEnumVARIANT> each;
    ASSERT_HRESULT_SUCCEEDED(members.punkVal->QueryInterface(IID_PPV_ARGS(&each)));
    ComPtr<IOleContainer> container;
    ASSERT_HRESULT_SUCCEEDED(boxes[0]->GetContainer(&container));
    ComPtr<IEnumUnknown> objects;
    ASSERT_HRESULT_SUCCEEDED(container->EnumObjects(OLECONTF_EMBEDDINGS, &objects));
    for (const ComPtr<Site>& box : boxes) {
        Variant member;
        ASSERT_EQ(each->Next(1, &member, nullptr), S_OK);
        EXPECT_STREQ(get(member.pdispVal, L"Name").bstrVal, box->name().c_str());
        ComPtr<IUnknown> viaObject, enumerated, control;
        ASSERT_HRESULT_SUCCEEDED(
            object(get(member.pdispVal, L"Object"))->QueryInterface(IID_PPV_ARGS(&viaObject)));
        ASSERT_EQ(objects->Next(1, enumerated.GetAddressOf(), nullptr), S_OK);
        box->control()->QueryInterface(IID_PPV_ARGS(&control));
        EXPECT_EQ(viaObject.Get(), control.Get());
        EXPECT_EQ(enumerated.Get(), control.Get());
    }
    Variant past;
    EXPECT_EQ(each->Next(1, &past, nullptr), S_FALSE);

    const Variant byName = Variant::fromString(L"check2");
    Variant item;
    ASSERT_HRESULT_SUCCEEDED(getProperty(controls.Get(), L"Item", {&byName, 1}, item));
    EXPECT_STREQ(get(item.pdispVal, L"Name").bstrVal, L"Check2");
    ASSERT_HRESULT_SUCCEEDED(form().remove(*boxes[0].Get()));
    EXPECT_EQ(get(controls.Get(), L"Count").lVal, 2);
}

// Ours is then the only reference left.
bool onlyReference(IUnknown* object) {
    object->AddRef();
    return object->Release() == 1;
}

TEST_F(FormTest, AControlIsLetGoOfEvenFromInsideItsOwnClick) {
    ComPtr<IUnknown> control;
    ASSERT_HRESULT_SUCCEEDED(createFromLibrary(besideProgram(kLibraryFile), kCheckBox, control));
    auto box = add(control.Get(), L"Check1", {10, 10, 130, 34});
    ASSERT_TRUE(box);
    box->events().on(L"Click", [&](EventCall&) { form().remove(*box.Get()); });
    ASSERT_TRUE(input::click(*box.Get(), {8, 8}));
    pumpPending();
    EXPECT_EQ(form().count(), 0u);
    EXPECT_EQ(box->form(), nullptr);
    EXPECT_TRUE(onlyReference(control.Get()));

    // A control that cannot start (no bag to load) is let go of as well.
    AddOptions broken;
    broken.init = AddOptions::Init::PropertyBag;
    HRESULT hr = S_OK;
    EXPECT_FALSE(form().add(control.Get(), L"Check2", {10, 10, 130, 34}, broken, &hr));
    EXPECT_EQ(hr, E_INVALIDARG);
    EXPECT_EQ(form().count(), 0u);
    EXPECT_TRUE(onlyReference(control.Get()));
}

TEST_F(FormTest, EventsAndChangesAreHeardAsTheyComeAndReadAsLines) {
    std::vector<std::wstring> heard;
    AddOptions listen;
    listen.onEvent = [&](const RecordedEvent& e) { heard.push_back(describeEvent(e)); };
    listen.onChange = [&](const NotifyRecorder::Change& c, bool requestEdit) {
        if (!requestEdit) heard.push_back(describeChange(c));
    };
    auto box = placeBox(L"Check1", {10, 10, 130, 34}, listen);
    ASSERT_TRUE(box);
    heard.clear();
    ASSERT_HRESULT_SUCCEEDED(box->put(L"Caption", Variant::fromString(L"Hi")));
    ASSERT_TRUE(input::click(*box.Get(), {8, 8}));
    std::erase_if(heard, [](const std::wstring& line) { return line.starts_with(L"MouseMove"); });
    std::vector<std::string> lines;
    for (const std::wstring& line : heard)
        lines.push_back(narrow(line));
    const std::string mouse = R"(\(Button=1, Shift=0, X=\d+\.?\d*, Y=\d+\.?\d*\))";
    EXPECT_THAT(lines, ElementsAre("Caption (DISPID -518)", MatchesRegex("MouseDown" + mouse),
                                   "Click()", MatchesRegex("MouseUp" + mouse)));
}

} // namespace
} // namespace pkw::test
