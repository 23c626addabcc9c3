#include "pages/about_box.h"

#include "common/com/module.h"
#include "pages/about_box_window.h"

#include <atomic>

namespace pkw::pages {
namespace {

std::atomic<bool> g_open{false};
std::atomic<HWND> g_window{nullptr};

// Holds the library's one box for a scope.
class OpenClaim {
public:
    OpenClaim() noexcept : held_(!g_open.exchange(true)) {}
    ~OpenClaim() {
        if (!held_) return;
        g_window = nullptr;
        g_open = false;
    }
    OpenClaim(const OpenClaim&) = delete;
    OpenClaim& operator=(const OpenClaim&) = delete;
    bool held() const noexcept { return held_; }

private:
    bool held_;
};

HWND OwnerBeside(HWND beside) noexcept {
    const HWND root = beside ? ::GetAncestor(beside, GA_ROOT) : nullptr;
    return root ? root : ::GetActiveWindow();
}

// The box's own loop; the caller's loop gets WM_QUIT back if it comes.
void RunModal(const AboutBoxWindow& box) noexcept {
    MSG msg;
    while (box.isOpen()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1) return;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace

HRESULT ShowAboutBox(HWND beside) noexcept {
    const OpenClaim claim;
    if (!claim.held()) {
        if (const HWND open = g_window.load()) ::SetForegroundWindow(open);
        return S_OK;
    }
    // The code stays loaded while the loop runs, whatever the caller releases.
    const module::ObjectLock keepLoaded;
    AboutBoxWindow box;
    if (!box.open(OwnerBeside(beside))) return E_FAIL;
    g_window = box.hwnd();
    RunModal(box);
    return S_OK;
}

} // namespace pkw::pages
