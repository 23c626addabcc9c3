// The Caption page as a designer's page frame drives it, editing two real
// check boxes of the library.
#include "activex/units.h"
#include "host/container_test.h"
#include "tests/pages/pages_fixture.h"

#include "zelPickwell40.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace pkw::test {
namespace {

constexpr wchar_t kCheckBox[] = L"zelPickwell40.NuCheckBox40";

// Records the page's status reports.
class RecordingPageSite : public ComObject<RecordingPageSite, IPropertyPageSite> {
public:
    void* find(REFIID riid) noexcept {
        return riid == IID_IUnknown || riid == IID_IPropertyPageSite
                   ? static_cast<IPropertyPageSite*>(this)
                   : nullptr;
    }
    STDMETHODIMP OnStatusChange(DWORD flags) override {
        statuses.push_back(flags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* lcid) override {
        if (!lcid) return E_POINTER;
        *lcid = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP GetPageContainer(IUnknown** container) override {
        if (container) *container = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

    std::vector<DWORD> statuses;
};

ComPtr<IPropertyPage2> CreatePage(REFCLSID clsid) {
    ComPtr<IPropertyPage2> page;
    const HRESULT registered = registerLibrary();
    if (FAILED(registered)) {
        ADD_FAILURE() << "registering failed: " << hexResult(registered);
        return page;
    }
    const HRESULT hr =
        ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&page));
    if (FAILED(hr)) ADD_FAILURE() << "creating the page failed: " << hexResult(hr);
    return page;
}

HWND PageWindow(HWND parent) {
    return ::FindWindowExW(parent, nullptr, L"PkwPages.Page", nullptr);
}

BOOL CALLBACK CollectEdit(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (::lstrcmpiW(name, L"Edit") == 0)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

// The page's edit windows, top one first.
std::vector<HWND> EditWindows(HWND page) {
    std::vector<HWND> edits;
    ::EnumChildWindows(page, &CollectEdit, reinterpret_cast<LPARAM>(&edits));
    std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        ::GetWindowRect(a, &ra);
        ::GetWindowRect(b, &rb);
        return ra.top < rb.top;
    });
    return edits;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

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

    static void setTexts(Site* box, const wchar_t* caption, const wchar_t* tip) {
        ASSERT_HRESULT_SUCCEEDED(box->put(L"UniCaption", Variant::fromString(caption)));
        ASSERT_HRESULT_SUCCEEDED(box->put(L"UniToolTipText", Variant::fromString(tip)));
    }
    static std::wstring text(Site* box, const wchar_t* name) {
        Variant value;
        EXPECT_HRESULT_SUCCEEDED(box->get(name, value));
        return value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"";
    }

    // Shows the page for `objects` in the form; the edit windows of its two
    // text boxes, top one first.
    std::vector<HWND> open(std::vector<IUnknown*> objects) {
        EXPECT_HRESULT_SUCCEEDED(
            page_->SetObjects(static_cast<ULONG>(objects.size()), objects.data()));
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
    setTexts(first_.Get(), caption, L"Подсказка");
    setTexts(second_.Get(), L"other", L"other tip");
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
    const Ink label =
        InkIn({345 / tpp.x, 630 / tpp.y, 930 / tpp.x, 825 / tpp.y},
              [&](LONG x, LONG y) { return shown.color(x, y) == ::GetSysColor(COLOR_BTNTEXT); });
    EXPECT_GT(label.count, 10u) << "Label1 shows no text";
    EXPECT_EQ(shown.color(2, 0), RGB(240, 241, 255));
    EXPECT_EQ(shown.color(2, 1), ::GetSysColor(COLOR_BTNFACE));
}

// A frame that offers the page its keys (as Windows' frames do) has the
// arrows handled by the focused box, and keeps Tab for itself.
TEST_F(CaptionPageTest, TheFocusedBoxTakesTheArrowKeysTheFrameOffers) {
    setTexts(first_.Get(), L"caption", L"");
    const std::vector<HWND> edits = open({first_->control()});
    ASSERT_EQ(edits.size(), 2u);
    ::SetFocus(edits[0]);
    ::SendMessageW(edits[0], EM_SETSEL, 7, 7);
    ASSERT_TRUE(pumpUntil([&] { return ::GetFocus() == edits[0]; }));

    MSG home{edits[0], WM_KEYDOWN, VK_HOME, 1, 0, {}};
    EXPECT_EQ(page_->TranslateAccelerator(&home), S_OK);
    DWORD start = 99;
    ::SendMessageW(edits[0], EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    EXPECT_EQ(start, 0u) << "Home did not reach the box";
    MSG tab{edits[0], WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_EQ(page_->TranslateAccelerator(&tab), S_FALSE);
}

class CaptionPageTypingTest : public CaptionPageTest, public ::testing::WithParamInterface<int> {};

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
    setTexts(first_.Get(), L"first", L"first tip");
    setTexts(second_.Get(), L"second", L"second tip");
    auto failing = makeCom<FailingObject>();
    const std::vector<HWND> edits = open({first_->control(), failing.Get(), second_->control()});
    ASSERT_EQ(edits.size(), 2u);
    ::SetWindowTextW(edits[0], GetParam().caption);

    ASSERT_EQ(page_->Apply(), S_OK);
    for (Site* box : {first_.Get(), second_.Get()}) {
        EXPECT_EQ(text(box, L"UniCaption"), GetParam().caption) << narrow(box->name());
        EXPECT_EQ(text(box, L"UniToolTipText"), L"first tip") << narrow(box->name());
    }
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionPageApplyTest,
                         ::testing::Values(ApplyCase{"Cyrillic", L"Ёлка и ёж"},
                                           ApplyCase{"Empty", L""}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- In a real page frame ---------------------------------------------------------

// The frame runs its own dialog loop, so the test only starts keys from a
// timer and checks on later ticks what the windows show; nothing here
// pumps messages past the frame's loop.
struct FrameRun {
    enum class Step { Open, Typing, Done } step = Step::Open;
    HWND frame = nullptr;
    std::vector<HWND> edits;
    std::chrono::steady_clock::time_point deadline;
    std::wstring caption, tip;
};
thread_local FrameRun* t_run = nullptr;

BOOL CALLBACK FindFrame(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (::IsWindowVisible(hwnd) && ::lstrcmpW(name, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void HardwareKey(WORD vk, bool shift = false) {
    std::vector<INPUT> keys;
    auto key = [&](WORD code, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = code;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        keys.push_back(in);
    };
    if (shift) key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift) key(VK_SHIFT, true);
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void CALLBACK FrameTick(HWND, UINT, UINT_PTR timer, DWORD) {
    FrameRun& run = *t_run;
    const bool late = std::chrono::steady_clock::now() > run.deadline;
    if (run.step == FrameRun::Step::Open) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindFrame,
                            reinterpret_cast<LPARAM>(&run.frame));
        if (run.frame) run.edits = EditWindows(run.frame);
        if (run.edits.size() == 2) {
            ::SetForegroundWindow(run.frame);
            ::SetFocus(run.edits[0]);
            // Tab to the tool-tip box, type, step back over it and type again.
            HardwareKey(VK_TAB);
            HardwareKey('Z');
            HardwareKey(VK_LEFT);
            HardwareKey('Y');
            run.step = FrameRun::Step::Typing;
        }
    } else if (run.step == FrameRun::Step::Typing) {
        run.tip = WindowText(run.edits[1]);
        run.caption = WindowText(run.edits[0]);
        if (run.tip.size() >= 2 || late) run.step = FrameRun::Step::Done;
    }
    if (run.step == FrameRun::Step::Done || late) {
        ::KillTimer(nullptr, timer);
        if (run.frame) ::PostMessageW(run.frame, WM_COMMAND, IDCANCEL, 0);
    }
}

TEST_F(CaptionPageTest, InARealFrameTabArrowsAndTypingReachTheBoxes) {
    setTexts(first_.Get(), L"caption", L"");
    FrameRun run;
    run.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    t_run = &run;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &FrameTick);
    IUnknown* objects[] = {first_->control()};
    CLSID pages[] = {CLSID_Caption};
    EXPECT_HRESULT_SUCCEEDED(::OleCreatePropertyFrame(form().hwnd(), 0, 0, L"Check1", 1, objects, 1,
                                                      pages, LOCALE_USER_DEFAULT, 0, nullptr));
    ::KillTimer(nullptr, timer);
    t_run = nullptr;
    ASSERT_EQ(run.edits.size(), 2u) << "no frame with the page's two boxes";
    EXPECT_EQ(run.tip, L"yz");
    EXPECT_EQ(run.caption, L"caption");
}

} // namespace
} // namespace pkw::test
