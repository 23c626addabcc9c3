// Places NuCheckBox40 on the test container's form (straight from
// zelPickwell40.ocx beside the test program) and reaches it both ways a
// host does: late bound by name, and through the _NuCheckBox40 vtable.
#pragma once

#include "host/container_test.h"
#include "host/units.h"
#include "tests/host/test_pictures.h"

#include "zelPickwell40.h"

#include <climits>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace pkw::test {

struct PlacedBox {
    ComPtr<Site> site;
    ComPtr<_NuCheckBox40> box; // the vtable

    explicit operator bool() const { return site && box; }
    IDispatch* late() const { return site->dispatch(); }
    HWND window() const { return site->window(); }
};

// The built-in glyph frames are 13 x 13.
constexpr LONG kGlyph = 13;
constexpr COLORREF kWhite = RGB(255, 255, 255);

class CheckBoxTest : public ContainerTest {
protected:
    static constexpr RECT kRect{10, 10, 130, 34};

    PlacedBox placeBox(std::wstring name = L"Check1", const RECT& pixels = kRect,
                       const AddOptions& options = {});
    // A box read from `bag`, below the one placeBox puts by default.
    PlacedBox loadBox(IPropertyBag* bag, std::wstring name = L"Loaded",
                      const RECT& pixels = {10, 60, 130, 84});

    // Late-bound reads and writes; failures are test failures.
    Variant get(const PlacedBox& b, const wchar_t* name);
    double getNumber(const PlacedBox& b, const wchar_t* name);
    std::wstring getText(const PlacedBox& b, const wchar_t* name);
    void put(const PlacedBox& b, const wchar_t* name, const VARIANT& value);
    // The extender's Width and Height (twips).
    double extenderNumber(const PlacedBox& b, const wchar_t* name);
};

// Where pixels of one kind lie: their count and bounding box.
struct Extent {
    std::size_t count = 0;
    LONG left = LONG_MAX, top = LONG_MAX, right = LONG_MIN, bottom = LONG_MIN;
    bool operator==(const Extent&) const = default;
};
void PrintTo(const Extent& e, std::ostream* out);
// The pixels of `image` (within `area` when given) whose colour is of `kind`.
Extent ExtentOf(const Image& image, const std::function<bool(COLORREF)>& kind,
                const RECT* area = nullptr);
std::function<bool(COLORREF)> Is(COLORREF wanted);

// Small VARIANT makers for tables of cases.
Variant I4(LONG v);
Variant Str(const std::wstring& s);
Variant Bool(bool v);
Variant R4(float v);

std::wstring TextOf(const VARIANT& v);
double NumberOf(const VARIANT& v);

// DllCanUnloadNow of a DLL already loaded in this process (S_FALSE also
// when it is not loaded at all, so a missing DLL cannot pass for idle).
HRESULT CanUnloadLoadedDll(const wchar_t* fileName);

} // namespace pkw::test
