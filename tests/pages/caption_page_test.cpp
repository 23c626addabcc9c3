// The Caption page as a designer's page frame drives it, editing two real
// check boxes of the library.
#include "activex/units.h"
#include "host/container_test.h"
#include "tests/pages/pages_fixture.h"

#include "zelPickwell40.h"

#include <ocidl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pkw::test {
namespace {

constexpr wchar_t kCheckBox[] = L"zelPickwell40.NuCheckBox40";

// Every call fails, as an object of a broken or foreign kind does.
class FailingObject : public ComObject<FailingObject, IDispatch> {
public:
    void* find(REFIID riid) noexcept {
        return riid == IID_IUnknown || riid == IID_IDispatch ? static_cast<IDispatch*>(this)
                                                             : nullptr;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
        *ids = 1;
        return S_OK;
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        return E_FAIL;
    }
};

class CaptionPageTest : public ContainerTest {
protected:
    void SetUp() override {
        ContainerTest::SetUp();
        first_ = placeFromLibrary(kCheckBox, L"Check1", {10, 10, 130, 34});
        second_ = placeFromLibrary(kCheckBox, L"Check2", {10, 40, 130, 64});
        ASSERT_TRUE(first_ && second_);
        ASSERT_TRUE(page_ = CreatePage(CLSID_Caption));
        ASSERT_HRESULT_SUCCEEDED(page_->SetPageSite(site_.Get()));
    }
    void TearDown() override {
        if (page_) {
            page_->Deactivate();
            page_->SetObjects(0, nullptr);
            page_->SetPageSite(nullptr);
            page_.Reset();
        }
        ContainerTest::TearDown();
    }

    static void setTexts(Site& box, const wchar_t* caption, const wchar_t* tip) {
        ASSERT_HRESULT_SUCCEEDED(box.put(L"UniCaption", Variant::fromString(caption)));
        ASSERT_HRESULT_SUCCEEDED(box.put(L"UniToolTipText", Variant::fromString(tip)));
    }
    static std::wstring text(Site& box, const wchar_t* name) {
        Variant value;
        EXPECT_HRESULT_SUCCEEDED(box.get(name, value));
        return value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"";
    }

    // Shows the page for `objects` in the form; the edit windows of its two
    // text boxes, top one first.
    std::vector<HWND> open(std::vector<IUnknown*> objects) {
        EXPECT_HRESULT_SUCCEEDED(page_->SetObjects(static_cast<ULONG>(objects.size()),
                                                   objects.data()));
        const RECT rect{140, 0, 140 + 361, 300};
        EXPECT_HRESULT_SUCCEEDED(page_->Activate(form().hwnd(), &rect, TRUE));
        EXPECT_HRESULT_SUCCEEDED(page_->Show(SW_SHOW));
        pumpPending();
        std::vector<HWND> edits = EditWindows(PageWindow(form().hwnd()));
        EXPECT_EQ(edits.size(), 2u);
        return edits;
    }

    ComPtr<Site> first_, second_;
    ComPtr<RecordingPageSite> site_ = makeCom<RecordingPageSite>();
    ComPtr<IPropertyPage2> page_;
};

TEST_F(CaptionPageTest, OpeningShowsTheFirstControlsTextsUnchangedAndChangesNothing) {
    const wchar_t caption[] = L"Привет, мир";
    setTexts(*first_, caption, L"Подсказка");
    setTexts(*second_, L"other", L"other tip");
    const std::vector<HWND> edits = open({first_->control(), second_->control()});
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(WindowText(edits[0]), caption);
    EXPECT_EQ(WindowText(edits[1]), L"Подсказка");
    pumpTicks(5); // a late change notification would come by now
    EXPECT_TRUE(site_->statuses.empty());
    EXPECT_EQ(page_->IsPageDirty(), S_FALSE);

    // The labels are drawn over the stripes.
    const host::Image shown = captureWindow(PageWindow(form().hwnd()));
    const auto tpp = ax::units::screenTwipsPerPixel();
    const Ink label = InkIn(shown, {345 / tpp.x, 630 / tpp.y, 930 / tpp.x, 825 / tpp.y},
                            [&](LONG x, LONG y) {
                                return shown.color(x, y) == ::GetSysColor(COLOR_BTNTEXT);
                            });
    EXPECT_GT(label.count, 10u) << "Label1 shows no text";
    EXPECT_EQ(shown.color(2, 0), RGB(240, 241, 255));
    EXPECT_EQ(shown.color(2, 1), ::GetSysColor(COLOR_BTNFACE));
}

class CaptionPageTypingTest : public CaptionPageTest,
                              public ::testing::WithParamInterface<int> {};

TEST_P(CaptionPageTypingTest, TypingACharacterMarksThePageDirty) {
    const std::vector<HWND> edits = open({first_->control()});
    ASSERT_EQ(edits.size(), 2u);
    ::PostMessageW(edits[static_cast<std::size_t>(GetParam())], WM_CHAR, L'x', 1);
    EXPECT_TRUE(pumpUntil([&] { return !site_->statuses.empty(); }));
    EXPECT_EQ(site_->statuses, std::vector<DWORD>{PROPPAGESTATUS_DIRTY});
    EXPECT_EQ(page_->IsPageDirty(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Boxes, CaptionPageTypingTest, ::testing::Values(0, 1),
                         [](const auto& info) {
                             return info.param == 0 ? "CaptionBox" : "ToolTipBox";
                         });

struct ApplyCase {
    const char* name;
    const wchar_t* caption; // typed into the caption box before Apply
};

class CaptionPageApplyTest : public CaptionPageTest,
                             public ::testing::WithParamInterface<ApplyCase> {};

// A failing object between the two check boxes stops neither of them.
TEST_P(CaptionPageApplyTest, EveryControlGetsTheBoxesTexts) {
    setTexts(*first_, L"first", L"first tip");
    setTexts(*second_, L"second", L"second tip");
    auto failing = makeCom<FailingObject>();
    const std::vector<HWND> edits =
        open({first_->control(), failing.Get(), second_->control()});
    ASSERT_EQ(edits.size(), 2u);
    ::SetWindowTextW(edits[0], GetParam().caption);

    ASSERT_EQ(page_->Apply(), S_OK);
    for (Site* box : {first_.Get(), second_.Get()}) {
        EXPECT_EQ(text(*box, L"UniCaption"), GetParam().caption) << narrow(box->name());
        EXPECT_EQ(text(*box, L"UniToolTipText"), L"first tip") << narrow(box->name());
    }
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionPageApplyTest,
                         ::testing::Values(ApplyCase{"Cyrillic", L"Ёлка и ёж"},
                                           ApplyCase{"Empty", L""}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pkw::test
