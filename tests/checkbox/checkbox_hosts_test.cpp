// The check box in containers that are not the test form: Wine's own ATL
// host window, which creates the control from the ProgID in its window
// text, and what a designer asks of the control before showing its pages.
#include "tests/checkbox/checkbox_fixture.h"

#include "common/com/bstr.h"

#include <ocidl.h>

namespace pkw::test {
namespace {

using AtlAxWinInit = BOOL(WINAPI*)();
using AtlAxGetControl = HRESULT(WINAPI*)(HWND host, IUnknown** control);

template <typename F>
F Export(HMODULE module, const char* name) {
    // Through void*: FARPROC and the real type differ, as with any GetProcAddress.
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The host window is created visible: the control is activated inside its
// WM_CREATE, while the host itself is not shown yet, so the control's
// window never sees a show transition of its own.
TEST_F(CheckBoxTest, AnAtlHostWindowMadeFromTheProgIdGetsAControlThatAnswersInput) {
    ASSERT_HRESULT_SUCCEEDED(registerLibrary());
    const HMODULE atl = ::LoadLibraryW(L"atl100.dll"); // stays loaded: it keeps hooks
    ASSERT_TRUE(atl);
    const auto init = Export<AtlAxWinInit>(atl, "AtlAxWinInit");
    const auto getControl = Export<AtlAxGetControl>(atl, "AtlAxGetControl");
    ASSERT_TRUE(init && getControl && init());

    const HWND host =
        ::CreateWindowExW(0, L"AtlAxWin100", L"zelPickwell40.NuCheckBox40", WS_CHILD | WS_VISIBLE,
                          10, 10, 120, 24, form().hwnd(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    {
        ComPtr<IUnknown> control;
        ASSERT_HRESULT_SUCCEEDED(getControl(host, &control));
        ComPtr<_NuCheckBox40> box;
        ASSERT_HRESULT_SUCCEEDED(control.As(&box));
        LONG handle = 0;
        ASSERT_HRESULT_SUCCEEDED(box->get_hWnd(&handle));
        const auto window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
        ASSERT_TRUE(::IsWindowVisible(window));
        pumpPending();

        Bstr tip(L"abc");
        ASSERT_HRESULT_SUCCEEDED(box->put_UniToolTipText(tip.get()));
        EXPECT_EQ(::SendMessageW(window, 3552, 0, 0), 12);

        RECT screen{};
        ::GetWindowRect(window, &screen);
        ASSERT_TRUE(input::moveCursor({screen.left + 6, screen.top + 6}));
        const LPARAM at = MAKELPARAM(6, 6);
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(window, WM_LBUTTONUP, 0, at);
        NuCheckBoxValueConstants value{};
        EXPECT_TRUE(pumpUntil([&] { return SUCCEEDED(box->get_Value(&value)) && value == 1; }))
            << "the click did not toggle";
    }
    ::DestroyWindow(host);
    pumpPending();
}

// A designer's property command creates every page the control lists.
TEST_F(CheckBoxTest, ThePropertyPagesListedCanAllBeCreatedInTheirOrder) {
    ASSERT_HRESULT_SUCCEEDED(registerLibrary());
    auto b = placeBox();
    ASSERT_TRUE(b);
    ComPtr<ISpecifyPropertyPages> specify;
    ASSERT_HRESULT_SUCCEEDED(b.box.As(&specify));
    CAUUID pages{};
    ASSERT_HRESULT_SUCCEEDED(specify->GetPages(&pages));
    EXPECT_GE(pages.cElems, 2u) << "the About and Caption pages at least";
    const CLSID order[] = {CLSID_About, CLSID_Caption, CLSID_Effects};
    size_t next = 0;
    for (ULONG i = 0; i < pages.cElems; ++i) {
        ComPtr<IPropertyPage> page;
        EXPECT_HRESULT_SUCCEEDED(
            ::CoCreateInstance(pages.pElems[i], nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&page)))
            << "page " << i;
        while (next < std::size(order) && order[next] != pages.pElems[i])
            ++next;
        EXPECT_LT(next, std::size(order)) << "page " << i << " out of order";
    }
    ::CoTaskMemFree(pages.pElems);
}

} // namespace
} // namespace pkw::test
