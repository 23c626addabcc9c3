#include "bench/gdi_bench.h"

#include "bench/paint_bench.h"
#include "host/gdi_objects.h"
#include "host/message_loop.h"

#include <functional>
#include <string>
#include <vector>

namespace pkw::bench {
namespace {

constexpr int kColumns = 5;

RECT Cell(int i) {
    const LONG x = 10 + (i % kColumns) * 110, y = 10 + (i / kColumns) * 22;
    return {x, y, x + 97, y + 17};
}

// Objects per control that a round of `controls` leaves alive while shown;
// `place` creates them, `clear` destroys them all.
double Round(HWND form, int controls, const std::function<void(int)>& place,
             const std::function<void()>& clear) {
    host::pumpPending();
    const int before = test::CountGdiObjects();
    for (int i = 0; i < controls; ++i)
        place(i);
    ::RedrawWindow(form, nullptr, nullptr,
                   RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    host::pumpPending();
    const int after = test::CountGdiObjects();
    clear();
    host::pumpPending();
    return static_cast<double>(after - before) / controls;
}

double SecondRound(HWND form, int controls, const std::function<void(int)>& place,
                   const std::function<void()>& clear) {
    Round(form, controls, place, clear);
    return Round(form, controls, place, clear);
}

} // namespace

GdiResult MeasureGdiObjects(host::Form& form, int controls) {
    GdiResult result;
    std::vector<ComPtr<host::Site>> sites;
    result.ours = SecondRound(
        form.hwnd(), controls,
        [&](int i) {
            sites.push_back(PlaceCheckBox(form, (L"Box" + std::to_wstring(i)).c_str(), Cell(i)));
        },
        [&] {
            for (const auto& site : sites)
                if (site) form.remove(*site.Get());
            sites.clear();
        });

    std::vector<UniqueWindow> buttons;
    result.button = SecondRound(
        form.hwnd(), controls,
        [&](int i) {
            const RECT r = Cell(i);
            buttons.emplace_back(
                ::CreateWindowExW(0, L"BUTTON", L"Check1", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, form.hwnd(),
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr));
        },
        [&] { buttons.clear(); });
    return result;
}

} // namespace pkw::bench
