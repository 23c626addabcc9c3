// The about box that the controls' About method opens. The call returns
// only when the box closes, so the test runs inside the box's own loop
// (from a timer), waiting on what the screen shows; whatever it leaves
// open is closed after it, so that the call always returns.
#include "activex/units.h"
#include "host/container_test.h"
#include "pages/about_box_window.h"
#include "tests/pages/pages_fixture.h"

#include <functional>
#include <utility>
#include <vector>

namespace pkw::test {
namespace {

namespace units = ax::units;

constexpr int kNormalFrame = 0, kHotFrame = 77;

std::vector<HWND> OpenBoxes() {
    std::vector<HWND> boxes;
    for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, pages::kAboutBoxClass, nullptr));)
        boxes.push_back(box);
    return boxes;
}

void CloseBoxesBut(HWND keep) {
    for (HWND box : OpenBoxes())
        if (box != keep) ::PostMessageW(box, WM_CLOSE, 0, 0);
}

thread_local std::function<void()> t_inside;
thread_local HWND t_firstBox = nullptr;

void CALLBACK RunInside(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (auto inside = std::exchange(t_inside, nullptr)) inside();
    CloseBoxesBut(nullptr);
}

// A second box would hold the call that opened it in a loop of its own.
void CALLBACK CloseSecondBox(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (OpenBoxes().size() > 1) ADD_FAILURE() << "a second about box opened";
    CloseBoxesBut(t_firstBox);
}

// The pixels of frame `frameLeft` of the close strip where the box puts it.
bool ShowsFrame(HWND box, int frameLeft) {
    const host::Image shown = captureWindow(box);
    const host::Image frame = ResourceImage(2000, {frameLeft, 0, frameLeft + 76, 25});
    return ShowsAt(shown, {shown.width() - 82, shown.height() - 32}, frame);
}

void MoveCursorOver(HWND box, POINT client) {
    POINT screen = client;
    ::ClientToScreen(box, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

class AboutBoxTest : public ContainerTest {};

TEST_F(AboutBoxTest, AboutOpensOneModalBoxThatItsDrawnButtonCloses) {
    auto box = place(L"zelPickwell40.NuCheckBox40", L"Check1", {10, 10, 130, 34});
    ASSERT_TRUE(box);
    const HWND formWindow = form().hwnd();
    bool closedByClick = false;
    t_inside = [&] {
        ASSERT_TRUE(pumpUntil([] { return OpenBoxes().size() == 1; })) << "no box";
        const HWND hwnd = t_firstBox = OpenBoxes().front();
        EXPECT_FALSE(::IsWindowEnabled(formWindow)) << "the form takes input meanwhile";
        const units::TwipsPerPixel tpp = units::screenTwipsPerPixel();
        RECT client{};
        ::GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, units::pixelsFromTwips(5910, tpp.x));
        EXPECT_EQ(client.bottom, units::pixelsFromTwips(4620, tpp.y));

        const UINT_PTR guard = ::SetTimer(nullptr, 0, 200, &CloseSecondBox);
        EXPECT_HRESULT_SUCCEEDED(callMethod(box->dispatch(), L"About")) << "a second About";
        ::KillTimer(nullptr, guard);
        EXPECT_EQ(OpenBoxes().size(), 1u);

        EXPECT_TRUE(pumpUntil([&] {
            return ShowsAt(captureWindow(hwnd), {0, 0}, ResourceImage(1013, {0, 0, 350, 100}));
        }));
        EXPECT_TRUE(pumpUntil([&] { return ShowsFrame(hwnd, kNormalFrame); }));
        const POINT on{client.right - 82 + 38, client.bottom - 32 + 12};
        MoveCursorOver(hwnd, on);
        EXPECT_TRUE(pumpUntil([&] { return ShowsFrame(hwnd, kHotFrame); })) << "under the cursor";
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2);
        EXPECT_TRUE(pumpUntil([&] { return ShowsFrame(hwnd, kNormalFrame); })) << "cursor gone";

        MoveCursorOver(hwnd, on);
        ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
        ::PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(on.x, on.y));
        closedByClick = pumpUntil([&] { return !::IsWindow(hwnd); });
    };
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &RunInside);
    EXPECT_HRESULT_SUCCEEDED(callMethod(box->dispatch(), L"About"));
    ::KillTimer(nullptr, timer);
    t_inside = nullptr;

    EXPECT_TRUE(closedByClick);
    EXPECT_TRUE(OpenBoxes().empty());
    EXPECT_TRUE(::IsWindowEnabled(formWindow));
}

} // namespace
} // namespace pkw::test
