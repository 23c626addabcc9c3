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

class PageSite : public ComObject<PageSite, IPropertyPageSite> {
public:
    void* find(REFIID riid) noexcept {
        const bool mine = riid == IID_IUnknown || riid == IID_IPropertyPageSite;
        return mine ? static_cast<IPropertyPageSite*>(this) : nullptr;
    }
    STDMETHODIMP OnStatusChange(DWORD) override { return S_OK; }
    STDMETHODIMP GetLocaleID(LCID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }
};

ULONG ReferencesOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

class AboutPageTest : public ContainerTest {
protected:
    HWND pageWindow() { return ::FindWindowExW(form().hwnd(), nullptr, L"PkwPages.Page", nullptr); }
};

TEST_F(AboutPageTest, ADesignerShowsThePanelOnThePageAndTakesItDown) {
    ASSERT_HRESULT_SUCCEEDED(registerLibrary());
    ComPtr<IPropertyPage2> page;
    ASSERT_HRESULT_SUCCEEDED(
        ::CoCreateInstance(CLSID_About, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&page)));
    auto site = makeCom<PageSite>(), selected = makeCom<PageSite>();
    ASSERT_HRESULT_SUCCEEDED(page->SetPageSite(site.Get()));
    IUnknown* objects[] = {selected.Get()};
    ASSERT_HRESULT_SUCCEEDED(page->SetObjects(1, objects));
    EXPECT_EQ(ReferencesOf(selected.Get()), 1u) << "the page keeps none of the selection";

    PROPPAGEINFO info{};
    ASSERT_HRESULT_SUCCEEDED(page->GetPageInfo(&info));
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
    pumpPending();

    const host::Image shown = captureWindow(window);
    ASSERT_EQ(shown.width(), info.size.cx);
    const LONG nameTop = units::pixelsFromTwips(1645, tpp.y);
    EXPECT_TRUE(ShowsAt(shown, {0, 0}, ResourceImage(1013, {0, 0, 350, nameTop})))
        << "the background image above the name";
    // The product name's ink over the image, centred across the page.
    const host::Image body = ResourceImage(1013, {0, nameTop, 350, 230});
    const Ink name = InkIn({0, nameTop, 350, 230}, [&](LONG x, LONG y) {
        return shown.at(x, y) != body.at(x, y - nameTop);
    });
    EXPECT_GT(name.count, 50u);
    EXPECT_NEAR((name.left + name.right + 1) / 2.0, info.size.cx / 2.0, 2.0);
    // The three lines below the image, at their margin, on the face colour.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const Ink lines = InkIn({0, 230, info.size.cx, info.size.cy},
                            [&](LONG x, LONG y) { return shown.color(x, y) != face; });
    EXPECT_GT(lines.count, 100u);
    EXPECT_NEAR(lines.left, units::pixelsFromTwips(120, tpp.x), 2);

    ASSERT_HRESULT_SUCCEEDED(page->Deactivate());
    EXPECT_FALSE(::IsWindow(window));
    ASSERT_HRESULT_SUCCEEDED(page->SetPageSite(nullptr));
    EXPECT_EQ(ReferencesOf(site.Get()), 1u);

    // A frame that lets go of an active page takes its window along.
    ASSERT_HRESULT_SUCCEEDED(page->Activate(form().hwnd(), &rect, TRUE));
    const HWND again = pageWindow();
    ASSERT_TRUE(again);
    page.Reset();
    EXPECT_FALSE(::IsWindow(again));
}

} // namespace
} // namespace pkw::test
