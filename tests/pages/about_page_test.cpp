// The About page as a designer's page frame drives it, from the registered
// zelPickwell40.ocx.
#include "activex/units.h"
#include "host/container_test.h"
#include "tests/pages/pages_fixture.h"

#include "zelPickwell40.h"

#include <ocidl.h>

namespace pkw::test {
namespace {

namespace units = ax::units;

constexpr wchar_t kPageClass[] = L"PkwPages.Page";

class PageSite : public ComObject<PageSite, IPropertyPageSite> {
public:
    void* find(REFIID riid) noexcept {
        return riid == IID_IUnknown || riid == IID_IPropertyPageSite
                   ? static_cast<IPropertyPageSite*>(this)
                   : nullptr;
    }
    STDMETHODIMP OnStatusChange(DWORD) override { return S_OK; }
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
};

ULONG ReferencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

class AboutPageTest : public ContainerTest {
protected:
    ComPtr<IPropertyPage2> createPage() {
        ComPtr<IPropertyPage2> page;
        const HRESULT registered = registerLibrary();
        if (FAILED(registered)) {
            ADD_FAILURE() << "registering failed: " << hexResult(registered);
            return page;
        }
        const HRESULT hr =
            ::CoCreateInstance(CLSID_About, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&page));
        if (FAILED(hr)) ADD_FAILURE() << "creating the page failed: " << hexResult(hr);
        return page;
    }
    HWND pageWindow() { return ::FindWindowExW(form().hwnd(), nullptr, kPageClass, nullptr); }
};

TEST_F(AboutPageTest, ADesignerShowsThePanelOnThePageAndTakesItDown) {
    ComPtr<IPropertyPage2> page = createPage();
    ASSERT_TRUE(page);
    auto site = makeCom<PageSite>();
    ASSERT_HRESULT_SUCCEEDED(page->SetPageSite(site.Get()));
    // The selection is handed over and taken back; the page keeps none of it.
    auto selected = makeCom<PageSite>();
    IUnknown* objects[] = {selected.Get()};
    ASSERT_HRESULT_SUCCEEDED(page->SetObjects(1, objects));
    EXPECT_EQ(ReferencesOf(selected.Get()), 1u);

    PROPPAGEINFO info{};
    ASSERT_HRESULT_SUCCEEDED(page->GetPageInfo(&info));
    ASSERT_NE(info.pszTitle, nullptr);
    EXPECT_STREQ(info.pszTitle, L"About");
    ::CoTaskMemFree(info.pszTitle);
    const units::TwipsPerPixel tpp = units::screenTwipsPerPixel();
    EXPECT_EQ(info.size.cx, units::pixelsFromTwips(5415, tpp.x));
    EXPECT_EQ(info.size.cy, units::pixelsFromTwips(4500, tpp.y));

    const RECT rect{4, 6, 4 + info.size.cx, 6 + info.size.cy};
    ASSERT_HRESULT_SUCCEEDED(page->Activate(form().hwnd(), &rect, TRUE));
    const HWND window = pageWindow();
    ASSERT_TRUE(window) << "no page window in the parent";
    ASSERT_HRESULT_SUCCEEDED(page->Show(SW_SHOW));
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    EXPECT_EQ(page->Apply(), S_OK);

    RECT placed{};
    ::GetWindowRect(window, &placed);
    ::MapWindowPoints(nullptr, form().hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_TRUE(::EqualRect(&placed, &rect));

    pumpPending();
    const host::Image shown = captureWindow(window);
    ASSERT_EQ(shown.width(), info.size.cx);
    // The background image, untouched above the product name.
    const LONG nameTop = units::pixelsFromTwips(1645, tpp.y);
    const host::Image header = ResourceImage(1013, {0, 0, 350, nameTop});
    ASSERT_FALSE(header.empty());
    EXPECT_EQ(PixelsDiffering(shown, {0, 0}, header), 0u);
    // The product name: ink over the image, centred across the page.
    const host::Image body = ResourceImage(1013, {0, nameTop, 350, 230});
    const Ink name = InkIn(shown, {0, nameTop, 350, 230}, [&](LONG x, LONG y) {
        return shown.at(x, y) != body.at(x, y - nameTop);
    });
    EXPECT_GT(name.count, 50u);
    EXPECT_NEAR((name.left + name.right + 1) / 2.0, info.size.cx / 2.0, 2.0);
    // The three lines below the image, on the face colour.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const Ink lines = InkIn(shown, {0, 230, info.size.cx, info.size.cy},
                            [&](LONG x, LONG y) { return shown.color(x, y) != face; });
    EXPECT_GT(lines.count, 100u);
    EXPECT_NEAR(lines.left, units::pixelsFromTwips(120, tpp.x), 2) << "the lines' margin";

    ASSERT_HRESULT_SUCCEEDED(page->Deactivate());
    EXPECT_FALSE(::IsWindow(window));
    ASSERT_HRESULT_SUCCEEDED(page->SetObjects(0, nullptr));
    ASSERT_HRESULT_SUCCEEDED(page->SetPageSite(nullptr));
    EXPECT_EQ(ReferencesOf(site.Get()), 1u);
}

TEST_F(AboutPageTest, ReleasingAnActivePageTakesItsWindowAlong) {
    ComPtr<IPropertyPage2> page = createPage();
    ASSERT_TRUE(page);
    const RECT rect{0, 0, 200, 150};
    ASSERT_HRESULT_SUCCEEDED(page->Activate(form().hwnd(), &rect, FALSE));
    const HWND window = pageWindow();
    ASSERT_TRUE(window);
    page.Reset();
    EXPECT_FALSE(::IsWindow(window));
}

} // namespace
} // namespace pkw::test
