// Shared fixture of the plumbing's tests: an OLE apartment per test, a
// clean probe log, and helpers to make and host probes.
#pragma once

#include "common/com/com_ptr.h"
#include "probe/probe_control.h"
#include "test_container.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pkw::test {

// Fonts as the tests see them. A font object reports the face and size it
// realised, which depend on the fonts installed: compare against a
// reference font made the same way rather than against literal names.
struct FontLook {
    std::wstring name;
    LONGLONG sizeCy = 0;
    BOOL bold = FALSE;
    BOOL italic = FALSE;
    bool operator==(const FontLook&) const = default;
};

inline ComPtr<IFontDisp> makeFont(const wchar_t* name, LONGLONG sizeCy, bool bold = false,
                                  bool italic = false) {
    FONTDESC desc{sizeof(desc),
                  const_cast<LPOLESTR>(name),
                  {},
                  static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL),
                  DEFAULT_CHARSET,
                  italic ? TRUE : FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = sizeCy;
    ComPtr<IFontDisp> font;
    ::OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

inline FontLook lookOf(IFontDisp* font) {
    FontLook look;
    ComPtr<IFont> f;
    if (!font || FAILED(font->QueryInterface(IID_PPV_ARGS(&f)))) return look;
    BSTR name = nullptr;
    CY cy{};
    f->get_Name(&name);
    f->get_Size(&cy);
    f->get_Bold(&look.bold);
    f->get_Italic(&look.italic);
    look.name = name ? name : L"";
    ::SysFreeString(name);
    look.sizeCy = cy.int64;
    return look;
}

// The default font of the plumbing: "MS Sans Serif", 8 points.
inline FontLook defaultFontLook() {
    return lookOf(makeFont(L"MS Sans Serif", 80000).Get());
}

// A new probe through its class's create function: `probe` holds the only
// reference, `raw` is a view of the same object.
struct MadeProbe {
    ComPtr<IProbe> probe;
    Probe* raw = nullptr;
};

inline MadeProbe makeProbe() {
    MadeProbe m;
    ax::OleControl* control = Probe::kClass.create();
    if (!control) return m;
    m.raw = static_cast<Probe*>(control);
    m.probe = Adopt(static_cast<IProbe*>(m.raw));
    return m;
}

template <typename I>
ComPtr<I> as(IUnknown* object) {
    ComPtr<I> out;
    if (object) object->QueryInterface(IID_PPV_ARGS(&out));
    return out;
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

// The log entries that start with `prefix`, in order.
inline std::vector<std::wstring> logStarting(const std::wstring& prefix) {
    std::vector<std::wstring> out;
    for (const auto& e : probeLog())
        if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e);
    return out;
}

class OleTest : public ::testing::Test {
protected:
    using Made = MadeProbe;

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        probeLog().clear();
    }
    void TearDown() override {
        pumpPending();
        ::OleUninitialize();
    }
};

// A probe sited on a form and in place (InitNew, SetClientSite, DoVerb).
class HostedTest : public OleTest {
protected:
    void SetUp() override {
        OleTest::SetUp();
        form_ = std::make_unique<Form>();
        ASSERT_TRUE(form_->hwnd());
        made_ = makeProbe();
        ASSERT_TRUE(made_.probe);
        site_ = TestSite::create(form_->hwnd());
        inPlace_ = as<IOleInPlaceObject>(made_.probe.Get());
        site_->control = inPlace_.Get();
        oleObject_ = as<IOleObject>(made_.probe.Get());
    }
    void TearDown() override {
        if (oleObject_) {
            oleObject_->Close(OLECLOSE_NOSAVE);
            oleObject_->SetClientSite(nullptr);
        }
        inPlace_.Reset();
        oleObject_.Reset();
        made_ = Made{};
        site_.Reset();
        form_.reset();
        OleTest::TearDown();
    }

    HRESULT initAndActivate(LONG verb = OLEIVERB_INPLACEACTIVATE) {
        HRESULT hr = as<IPersistStreamInit>(made_.probe.Get())->InitNew();
        if (FAILED(hr)) return hr;
        hr = oleObject_->SetClientSite(site_.Get());
        if (FAILED(hr)) return hr;
        RECT pos = site_->position;
        return oleObject_->DoVerb(verb, nullptr, site_.Get(), 0, form_->hwnd(), &pos);
    }

    Probe& raw() { return *made_.raw; }
    HWND hwnd() { return made_.raw->hwnd(); }

    std::unique_ptr<Form> form_;
    Made made_;
    ComPtr<TestSite> site_;
    ComPtr<IOleObject> oleObject_;
    ComPtr<IOleInPlaceObject> inPlace_;
};

} // namespace pkw::test
