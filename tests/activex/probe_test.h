// Fixture of the plumbing's tests: the shared test container (one form per
// test), the probe control made alone or placed on the form, its log, and
// fonts compared by how they look.
#pragma once

#include "common/com/bstr.h"
#include "common/com/com_ptr.h"
#include "probe/probe_control.h"
#include "host/container_test.h"
#include "host/value_text.h"
#include "tests/host/test_pictures.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pkw::test {

// A font object reports the face and size it realised, which depend on the
// fonts installed: compare against a reference font made the same way
// rather than against literal names.
struct FontLook {
    std::wstring name;
    LONGLONG sizeCy = 0;
    BOOL bold = FALSE;
    BOOL italic = FALSE;
    bool operator==(const FontLook&) const = default;
};

inline FontLook lookOf(IUnknown* font) {
    FontLook look;
    ComPtr<IFont> f;
    if (!font || FAILED(font->QueryInterface(IID_PPV_ARGS(&f)))) return look;
    Bstr name;
    CY cy{};
    f->get_Name(name.put());
    f->get_Size(&cy);
    f->get_Bold(&look.bold);
    f->get_Italic(&look.italic);
    look.name = name.str();
    look.sizeCy = cy.int64;
    return look;
}

// The plumbing's own default font: "MS Sans Serif", 8 points.
inline FontLook defaultFontLook() {
    return lookOf(makeFont(L"MS Sans Serif", 80000).Get());
}

// A one-dimensional byte array.
inline Variant bytes(const std::vector<BYTE>& b) {
    Variant v;
    makeByteArray(b, v);
    return v;
}

template <typename I>
ComPtr<I> as(IUnknown* object) {
    ComPtr<I> out;
    if (object) object->QueryInterface(IID_PPV_ARGS(&out));
    return out;
}

// A new probe through its class's create function: `probe` holds the only
// reference, `raw` is a view of the same object.
struct MadeProbe {
    ComPtr<IProbe> probe;
    Probe* raw = nullptr;
};

inline MadeProbe makeProbe() {
    MadeProbe m;
    if (SUCCEEDED(
            Probe::kClass.create(IID_IProbe, reinterpret_cast<void**>(m.probe.GetAddressOf()))))
        m.raw = static_cast<Probe*>(m.probe.Get());
    return m;
}

inline int countLog(const std::wstring& entry) {
    const auto& log = probeLog();
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

inline std::ptrdiff_t logIndex(const std::wstring& entry) {
    const auto& log = probeLog();
    const auto it = std::find(log.begin(), log.end(), entry);
    return it == log.end() ? -1 : it - log.begin();
}

// The log entries that start with one of `prefixes`, in order.
inline std::vector<std::wstring> logOf(std::initializer_list<const wchar_t*> prefixes) {
    std::vector<std::wstring> out;
    for (const auto& e : probeLog())
        for (const wchar_t* p : prefixes)
            if (e.rfind(p, 0) == 0) out.push_back(e);
    return out;
}

class ProbeTest : public ContainerTest {
protected:
    void SetUp() override {
        ContainerTest::SetUp();
        probeLog().clear();
    }

    // Places a new probe on `on` (the test's form by default); `raw` stays
    // valid while the form holds the control.
    ComPtr<Site> addProbe(const wchar_t* name, const RECT& pixels, Probe** raw = nullptr,
                          const AddOptions& options = {}, Form* on = nullptr) {
        MadeProbe m = makeProbe();
        if (!m.probe) {
            ADD_FAILURE() << "no probe";
            return nullptr;
        }
        if (raw) *raw = m.raw;
        HRESULT hr = S_OK;
        ComPtr<Site> site = (on ? *on : form()).add(m.probe.Get(), name, pixels, options, &hr);
        EXPECT_TRUE(site) << hexResult(hr);
        return site;
    }
};

// With one probe placed on the test's form.
class PlacedProbeTest : public ProbeTest {
protected:
    void SetUp() override {
        ProbeTest::SetUp();
        site_ = addProbe(L"Probe1", {10, 20, 110, 50}, &probe_);
        ASSERT_TRUE(site_ && site_->window());
    }
    Probe& raw() { return *probe_; }
    HWND hwnd() { return probe_->hwnd(); }

    ComPtr<Site> site_;
    Probe* probe_ = nullptr;
};

} // namespace pkw::test
