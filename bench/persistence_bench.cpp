#include "bench/persistence_bench.h"

#include "bench/paint_bench.h"
#include "bench/timing.h"
#include "host/message_loop.h"
#include "host/property_bag.h"

#include <cstdio>
#include <vector>

namespace pkw::bench {
namespace {

struct Samples {
    std::vector<double> save, load, both;
    void add(double s, double l) { save.push_back(s), load.push_back(l), both.push_back(s + l); }
    void into(PersistResult& r) const {
        r.save = Median(save), r.load = Median(load), r.saveLoad = Median(both);
    }
};

PersistResult StreamRounds(IUnknown* from, IUnknown* to, int rounds) {
    PersistResult result;
    ComPtr<IPersistStreamInit> source, target;
    if (FAILED(from->QueryInterface(IID_PPV_ARGS(&source))) ||
        FAILED(to->QueryInterface(IID_PPV_ARGS(&target))))
        return result;
    Samples samples;
    for (int i = 0; i < rounds; ++i) {
        ComPtr<IStream> stream;
        if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return result;
        HRESULT saved = E_FAIL, loaded = E_FAIL;
        const double save = Time([&] { saved = source->Save(stream.Get(), TRUE); });
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        result.size = static_cast<std::size_t>(stat.cbSize.QuadPart);
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        const double load = Time([&] { loaded = target->Load(stream.Get()); });
        if (FAILED(saved) || FAILED(loaded)) {
            std::fprintf(stderr, "stream: save 0x%08lx, load 0x%08lx\n", saved, loaded);
            return result;
        }
        samples.add(save, load);
        host::pumpPending();
    }
    samples.into(result);
    return result;
}

PersistResult BagRounds(IUnknown* from, IUnknown* to, int rounds) {
    PersistResult result;
    ComPtr<IPersistPropertyBag> source, target;
    if (FAILED(from->QueryInterface(IID_PPV_ARGS(&source))) ||
        FAILED(to->QueryInterface(IID_PPV_ARGS(&target))))
        return result;
    Samples samples;
    for (int i = 0; i < rounds; ++i) {
        // Objects by reference: a bag of VARIANTs, as a container keeps in memory.
        const ComPtr<host::MemoryPropertyBag> bag =
            host::MemoryPropertyBag::create(host::MemoryPropertyBag::Objects::Reference);
        HRESULT saved = E_FAIL, loaded = E_FAIL;
        const double save = Time([&] { saved = source->Save(bag.Get(), TRUE, TRUE); });
        result.size = bag->writes().size();
        result.keys = bag->size();
        const double load = Time([&] { loaded = target->Load(bag.Get(), nullptr); });
        if (FAILED(saved) || FAILED(loaded)) {
            std::fprintf(stderr, "bag: save 0x%08lx, load 0x%08lx\n", saved, loaded);
            return result;
        }
        samples.add(save, load);
        host::pumpPending();
    }
    samples.into(result);
    return result;
}

} // namespace

PersistResults MeasurePersistence(host::Form& form, int rounds) {
    PersistResults results;
    const ComPtr<host::Site> from = PlaceCheckBox(form, L"From", {10, 10, 107, 27});
    const ComPtr<host::Site> to = PlaceCheckBox(form, L"To", {10, 40, 107, 57});
    if (!from || !to || FAILED(from->put(L"VisualEffectStyle", Variant::fromI4(1)))) {
        std::fprintf(stderr, "persistence: could not place the controls\n");
        return results;
    }
    host::pumpPending();
    results.stream = StreamRounds(from->control(), to->control(), rounds);
    results.bag = BagRounds(from->control(), to->control(), rounds);
    form.remove(*to.Get());
    form.remove(*from.Get());
    host::pumpPending();
    return results;
}

} // namespace pkw::bench
