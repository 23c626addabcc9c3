// The plumbing's probe control, hosted in the test container: a real
// control built on the library's ActiveX plumbing.
#pragma once

#include "tests/support/container_test.h"

#include "probe_control.h"

namespace pkw::test {

class ProbeHostTest : public ContainerTest {
protected:
    void SetUp() override {
        ContainerTest::SetUp();
        probeLog().clear();
    }

    // `raw` stays valid while the form holds the control.
    ComPtr<Site> addProbe(const wchar_t* name, const RECT& pixels, Probe** raw = nullptr,
                          const AddOptions& options = {}) {
        ax::OleControl* control = Probe::kClass.create();
        if (!control) {
            ADD_FAILURE() << "no probe";
            return nullptr;
        }
        Probe* probe = static_cast<Probe*>(control);
        ComPtr<IProbe> owner = Adopt(static_cast<IProbe*>(probe));
        if (raw) *raw = probe;
        return add(owner.Get(), name, pixels, options);
    }

    static bool logged(const std::wstring& entry) {
        const auto& log = probeLog();
        return std::find(log.begin(), log.end(), entry) != log.end();
    }

    // The log entries that start with one of `prefixes`, in order.
    static std::vector<std::wstring> logOf(std::initializer_list<const wchar_t*> prefixes) {
        std::vector<std::wstring> out;
        for (const auto& e : probeLog())
            for (const wchar_t* p : prefixes)
                if (e.rfind(p, 0) == 0) out.push_back(e);
        return out;
    }
};

} // namespace pkw::test
