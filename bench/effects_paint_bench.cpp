#include "bench/effects_paint_bench.h"

#include "bench/paint_bench.h"
#include "bench/timing.h"
#include "host/dispatch.h"
#include "host/message_loop.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace pkw::bench {
namespace {

constexpr UINT kRedraw = RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW;

// The normal state's set, late bound as a host's script reaches it.
ComPtr<IDispatch> NormalSet(host::Site& site) {
    Variant sets;
    if (FAILED(host::getProperty(site.dispatch(), L"EffectsProps", sets)) ||
        sets.vt != (VT_ARRAY | VT_DISPATCH))
        return nullptr;
    LONG index = 0;
    ComPtr<IDispatch> set;
    ::SafeArrayGetElement(sets.parray, &index, set.GetAddressOf());
    return set;
}

} // namespace

double MeasureEffectsPaint(host::Form& form, int rounds) {
    // 124 x 28: a 120 x 24 body and room for its shadow.
    const ComPtr<host::Site> box = PlaceCheckBox(form, L"Effects", {10, 100, 134, 128});
    if (!box || !box->window()) return 0;
    box->put(L"XOffset", Variant::fromI4(4));
    box->put(L"YOffset", Variant::fromI4(4));
    box->put(L"VisualEffectStyle", Variant::fromI4(1));
    const ComPtr<IDispatch> set = NormalSet(*box.Get());
    if (!set) {
        std::fprintf(stderr, "effects paint: no effect set\n");
        return 0;
    }
    const std::pair<const wchar_t*, LONG> settings[] = {
        {L"BackStyle", 2},        {L"BodyGradientAngle", 90}, {L"BodyGradientMode", 0},
        {L"ApplyBodyEmboss", -1}, {L"BodyEmbossDepth", 2},    {L"TextEnhancementMode", 2},
        {L"ApplyDropShadow", -1},
    };
    for (const auto& [name, value] : settings)
        if (FAILED(host::putProperty(set.Get(), name, Variant::fromI4(value)))) {
            std::fprintf(stderr, "effects paint: %ls not set\n", name);
            return 0;
        }
    ::RedrawWindow(box->window(), nullptr, nullptr, kRedraw);
    host::pumpPending();

    std::vector<double> samples;
    constexpr int kWarmUp = 20;
    for (int round = 0; round < rounds + kWarmUp; ++round) {
        const double us = Time([&] { ::RedrawWindow(box->window(), nullptr, nullptr, kRedraw); });
        if (round >= kWarmUp) samples.push_back(us);
        host::pumpPending();
    }
    form.remove(*box.Get());
    host::pumpPending();
    return Median(samples);
}

} // namespace pkw::bench
