// Places NuOption40 buttons in a column on the test container's form,
// straight from zelPickwell40.ocx beside the test program, and reads and
// writes them late bound as a host's code does.
#pragma once

#include "host/container_test.h"

#include "zelPickwell40.h"

#include <string>

namespace pkw::test {

class OptionTest : public ContainerTest {
protected:
    static RECT Row(int row) { return {10, 10 + 30 * row, 150, 34 + 30 * row}; }

    ComPtr<Site> placeOption(std::wstring name, int row, const AddOptions& options = {}) {
        ComPtr<Site> site =
            placeRegistrationFree(CLSID_NuOption40, std::move(name), Row(row), options);
        pumpPending();
        return site;
    }

    // Failures are test failures.
    static Variant get(Site& site, const wchar_t* name) {
        Variant value;
        const HRESULT hr = getProperty(site.dispatch(), name, value);
        if (FAILED(hr)) ADD_FAILURE() << "get " << narrow(name) << ": " << hexResult(hr);
        return value;
    }
    static void put(Site& site, const wchar_t* name, const VARIANT& value) {
        const HRESULT hr = putProperty(site.dispatch(), name, value);
        if (FAILED(hr)) ADD_FAILURE() << "put " << narrow(name) << ": " << hexResult(hr);
    }
    static bool isTrue(Site& site, const wchar_t* name) {
        const Variant v = get(site, name);
        EXPECT_EQ(v.vt, VT_BOOL) << narrow(name);
        return v.vt == VT_BOOL && v.boolVal != VARIANT_FALSE;
    }
    static SHORT number(Site& site, const wchar_t* name) {
        Variant v = get(site, name), converted;
        if (FAILED(::VariantChangeType(&converted, &v, 0, VT_I2))) {
            ADD_FAILURE() << narrow(name) << " is not a number";
            return -999;
        }
        return converted.iVal;
    }
};

} // namespace pkw::test
