// The about box that the controls' About method opens. The method returns
// only when the box closes, so the test runs as steps from a timer inside
// the box's own loop; one deadline covers them all, after which the boxes
// are closed so that the call always returns.
#include "activex/units.h"
#include "host/container_test.h"
#include "pages/about_box_window.h"
#include "tests/pages/pages_fixture.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace pkw::test {
namespace {

namespace units = ax::units;
using Clock = std::chrono::steady_clock;

constexpr SIZE kFrame{76, 25};
constexpr int kNormalFrame = 0, kHotFrame = 77;

BOOL CALLBACK CollectBox(HWND hwnd, LPARAM list) {
    wchar_t name[64]{};
    ::GetClassNameW(hwnd, name, 64);
    if (std::wstring(name) == pages::kAboutBoxClass)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> OpenBoxes() {
    std::vector<HWND> boxes;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

SIZE ClientSize(HWND hwnd) {
    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    return {rc.right, rc.bottom};
}

// The close button's place: from the client area's bottom right corner.
POINT ButtonAt(HWND box) {
    const SIZE client = ClientSize(box);
    return {client.cx - 82, client.cy - 32};
}

bool ShowsFrame(HWND box, int frameLeft) {
    const POINT at = ButtonAt(box);
    const host::Image shown = captureWindow(box);
    const host::Image frame = ResourceImage(2000, {frameLeft, 0, frameLeft + kFrame.cx, kFrame.cy});
    return !shown.empty() && !frame.empty() && PixelsDiffering(shown, at, frame) == 0;
}

bool ShowsBackground(HWND box) {
    const host::Image shown = captureWindow(box);
    // Above the product name the image shows unchanged.
    const host::Image image = ResourceImage(1013, {0, 0, 350, 100});
    return !shown.empty() && !image.empty() && PixelsDiffering(shown, {0, 0}, image) == 0;
}

void MoveCursorOver(HWND box, POINT client) {
    POINT screen = client;
    ::ClientToScreen(box, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::PostMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

struct Step {
    const char* name;
    std::function<void(HWND box)> start; // once, when the step begins
    std::function<bool(HWND box)> done;  // polled until it holds
};

class BoxScript {
public:
    explicit BoxScript(std::vector<Step> steps) : steps_(std::move(steps)) {}

    bool finished() const { return next_ == steps_.size(); }

    void tick() {
        const std::vector<HWND> boxes = OpenBoxes();
        if (!first_ && !boxes.empty()) first_ = boxes.front();
        if (!timedOut_ && !boxes.empty() && Clock::now() > deadline_) {
            if (finished())
                ADD_FAILURE() << "the box stayed open after its steps";
            else
                ADD_FAILURE() << "the box never got past: " << steps_[next_].name;
            next_ = steps_.size();
            timedOut_ = true;
        }
        if (timedOut_) {
            // Every box goes, so that every call returns.
            for (HWND box : boxes)
                ::PostMessageW(box, WM_CLOSE, 0, 0);
            return;
        }
        if (running_) {
            // A step's own call is still inside: a box that it opened holds
            // the call in a loop of its own until it closes.
            for (HWND box : boxes)
                if (box != first_) {
                    ADD_FAILURE() << "a second about box opened";
                    ::PostMessageW(box, WM_CLOSE, 0, 0);
                }
            return;
        }
        if (finished() || !first_) return;
        running_ = true;
        Step& step = steps_[next_];
        if (!started_ && step.start) step.start(first_);
        started_ = true;
        if (step.done(first_)) {
            ++next_;
            started_ = false;
        }
        running_ = false;
    }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    HWND first_ = nullptr;
    bool started_ = false;
    bool running_ = false;
    bool timedOut_ = false;
    Clock::time_point deadline_ = Clock::now() + std::chrono::seconds(30);
};

thread_local BoxScript* t_script = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (t_script) t_script->tick();
}

class AboutBoxTest : public ContainerTest {};

TEST_F(AboutBoxTest, AboutOpensOneModalBoxThatItsDrawnButtonCloses) {
    auto box = place(L"zelPickwell40.NuCheckBox40", L"Check1", {10, 10, 130, 34});
    ASSERT_TRUE(box);
    const HWND formWindow = form().hwnd();
    const units::TwipsPerPixel tpp = units::screenTwipsPerPixel();
    HRESULT secondCall = E_FAIL;

    BoxScript script({
        {"opening", nullptr,
         [&](HWND hwnd) {
             EXPECT_TRUE(::IsWindowVisible(hwnd));
             EXPECT_FALSE(::IsWindowEnabled(formWindow)) << "the form takes input meanwhile";
             const SIZE client = ClientSize(hwnd);
             EXPECT_EQ(client.cx, units::pixelsFromTwips(5910, tpp.x));
             EXPECT_EQ(client.cy, units::pixelsFromTwips(4620, tpp.y));
             RECT window{};
             ::GetWindowRect(hwnd, &window);
             EXPECT_NEAR(window.left + window.right, ::GetSystemMetrics(SM_CXSCREEN), 1);
             EXPECT_NEAR(window.top + window.bottom, ::GetSystemMetrics(SM_CYSCREEN), 1);
             return true;
         }},
        {"a second About", [&](HWND) { secondCall = callMethod(box->dispatch(), L"About"); },
         [&](HWND) { return OpenBoxes().size() == 1; }},
        {"the panel and the normal frame", nullptr,
         [](HWND hwnd) { return ShowsBackground(hwnd) && ShowsFrame(hwnd, kNormalFrame); }},
        {"the hot frame under the cursor",
         [](HWND hwnd) {
             MoveCursorOver(hwnd, {ButtonAt(hwnd).x + 38, ButtonAt(hwnd).y + 12});
         },
         [](HWND hwnd) { return ShowsFrame(hwnd, kHotFrame); }},
        {"the normal frame once the cursor leaves",
         [](HWND) {
             ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 2,
                            ::GetSystemMetrics(SM_CYSCREEN) - 2);
         },
         [](HWND hwnd) { return ShowsFrame(hwnd, kNormalFrame); }},
        {"a click on the button",
         [](HWND hwnd) {
             const POINT on{ButtonAt(hwnd).x + 38, ButtonAt(hwnd).y + 12};
             MoveCursorOver(hwnd, on);
             ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
             ::PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(on.x, on.y));
         },
         [](HWND) { return true; }},
    });
    t_script = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 15, &Tick);
    const HRESULT about = callMethod(box->dispatch(), L"About");
    ::KillTimer(nullptr, timer);
    t_script = nullptr;

    EXPECT_HRESULT_SUCCEEDED(about);
    EXPECT_HRESULT_SUCCEEDED(secondCall);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(OpenBoxes().empty());
    EXPECT_TRUE(::IsWindowEnabled(formWindow));
}

} // namespace
} // namespace pkw::test
