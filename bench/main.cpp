// pickwell_bench: what our check box costs beside Windows' own controls, in
// one run on one form. Prints medians; see tools/bench-controls.sh.
//
//   paint 97x17: ours N us, button N us, static N us
//   gdi objects per control (50 shown, second round): ours N, button N
//   stream save+load (VisualEffectStyle 1): N us (save N, load N; N bytes)
//   bag save+load (VisualEffectStyle 1): N us (save N, load N; N keys, N writes)
#include "bench/gdi_bench.h"
#include "bench/paint_bench.h"
#include "bench/persistence_bench.h"
#include "host/message_loop.h"

#include <ole2.h>

#include <algorithm>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    using namespace pkw;
    int rounds = 400;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wcscmp(argv[i], L"--rounds") == 0) rounds = std::max(1, _wtoi(argv[i + 1]));
    if (FAILED(::OleInitialize(nullptr))) return 2;
    int status = 0;
    {
        host::Form::Options options;
        options.clientSize = {600, 260};
        host::Form form(options);
        if (!form.hwnd()) {
            std::fprintf(stderr, "no form window (is there a display?)\n");
            status = 2;
        } else {
            host::pumpPending();
            const bench::PaintResult paint = bench::MeasurePaint(form, rounds);
            std::printf("paint 97x17: ours %.0f us, button %.0f us, static %.0f us\n", paint.ours,
                        paint.button, paint.statik);
            const bench::GdiResult gdi = bench::MeasureGdiObjects(form, 50);
            std::printf(
                "gdi objects per control (50 shown, second round): ours %.2f, button %.2f\n",
                gdi.ours, gdi.button);
            const bench::PersistResults persist = bench::MeasurePersistence(form, rounds);
            std::printf("stream save+load (VisualEffectStyle 1): %.0f us (save %.0f, load %.0f; "
                        "%zu bytes)\n",
                        persist.stream.saveLoad, persist.stream.save, persist.stream.load,
                        persist.stream.size);
            std::printf("bag save+load (VisualEffectStyle 1): %.0f us (save %.0f, load %.0f; "
                        "%zu keys, %zu writes)\n",
                        persist.bag.saveLoad, persist.bag.save, persist.bag.load, persist.bag.keys,
                        persist.bag.size);
            if (paint.ours == 0 || persist.stream.saveLoad == 0 || persist.bag.saveLoad == 0)
                status = 1;
        }
        host::pumpPending();
    }
    ::OleUninitialize();
    return status;
}
