#include "bench/paint_bench.h"

#include "bench/timing.h"
#include "host/library.h"
#include "host/message_loop.h"

#include <cstdio>
#include <vector>

namespace pkw::bench {
namespace {

constexpr wchar_t kCaption[] = L"Check1";
constexpr UINT kRedraw = RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW;

// The font the form gives its controls (Tahoma 8 pt), for the native ones.
UniqueFont FormFont() {
    return UniqueFont(::CreateFontW(-::MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
}

UniqueWindow NativeChild(HWND parent, const wchar_t* cls, DWORD style, const RECT& r, HFONT font) {
    UniqueWindow w(::CreateWindowExW(0, cls, kCaption, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, parent, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr));
    if (w) ::SendMessageW(w.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return w;
}

} // namespace

ComPtr<host::Site> PlaceCheckBox(host::Form& form, const wchar_t* name, const RECT& pixels) {
    ComPtr<IUnknown> control;
    if (FAILED(host::createFromLibrary(host::besideProgram(L"zelPickwell40.ocx"),
                                       L"zelPickwell40.NuCheckBox40", control)))
        return nullptr;
    ComPtr<host::Site> site = form.add(control.Get(), name, pixels);
    if (site) site->put(L"Caption", Variant::fromString(kCaption));
    return site;
}

PaintResult MeasurePaint(host::Form& form, int rounds) {
    PaintResult result;
    const UniqueFont font = FormFont();
    const ComPtr<host::Site> ours = PlaceCheckBox(form, L"Ours", {10, 10, 107, 27});
    const UniqueWindow button =
        NativeChild(form.hwnd(), L"BUTTON", BS_AUTOCHECKBOX, {10, 40, 107, 57}, font.get());
    const UniqueWindow statik =
        NativeChild(form.hwnd(), L"STATIC", SS_LEFT, {10, 70, 107, 87}, font.get());
    if (!ours || !ours->window() || !button || !statik) {
        std::fprintf(stderr, "paint: could not place the three controls\n");
        return result;
    }
    const HWND windows[] = {ours->window(), button.get(), statik.get()};
    std::vector<double> samples[3];
    constexpr int kWarmUp = 20;
    for (int round = 0; round < rounds + kWarmUp; ++round) {
        for (int i = 0; i < 3; ++i) {
            const double us = Time([&] { ::RedrawWindow(windows[i], nullptr, nullptr, kRedraw); });
            if (round >= kWarmUp) samples[i].push_back(us);
        }
        host::pumpPending();
    }
    result.ours = Median(samples[0]);
    result.button = Median(samples[1]);
    result.statik = Median(samples[2]);
    form.remove(*ours.Get());
    host::pumpPending();
    return result;
}

} // namespace pkw::bench
