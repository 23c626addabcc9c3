#include "tests/checkbox/checkbox_fixture.h"

#include <algorithm>

namespace pkw::test {

Extent ExtentOf(const Image& image, const std::function<bool(COLORREF)>& kind, const RECT* area) {
    const RECT whole{0, 0, image.width(), image.height()};
    const RECT& r = area ? *area : whole;
    Extent e;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x) {
            if (!kind(image.color(x, y))) continue;
            ++e.count;
            e.left = std::min(e.left, x);
            e.top = std::min(e.top, y);
            e.right = std::max(e.right, x + 1);
            e.bottom = std::max(e.bottom, y + 1);
        }
    return e;
}

void PrintTo(const Extent& e, std::ostream* out) {
    *out << e.count << " pixels in (" << e.left << "," << e.top << ")-(" << e.right << ","
         << e.bottom << ")";
}

std::function<bool(COLORREF)> Is(COLORREF wanted) {
    return [wanted](COLORREF c) { return c == wanted; };
}

PlacedBox CheckBoxTest::placeBox(std::wstring name, const RECT& pixels, const AddOptions& options) {
    PlacedBox placed;
    placed.site = placeRegistrationFree(CLSID_NuCheckBox40, std::move(name), pixels, options);
    if (!placed.site) return placed;
    const HRESULT hr = placed.site->control()->QueryInterface(
        IID__NuCheckBox40, reinterpret_cast<void**>(placed.box.GetAddressOf()));
    if (FAILED(hr)) ADD_FAILURE() << "no _NuCheckBox40: " << hexResult(hr);
    pumpPending();
    return placed;
}

PlacedBox CheckBoxTest::loadBox(IPropertyBag* bag, std::wstring name, const RECT& pixels) {
    AddOptions options;
    options.init = AddOptions::Init::PropertyBag;
    options.bag = bag;
    return placeBox(std::move(name), pixels, options);
}

Variant CheckBoxTest::get(const PlacedBox& b, const wchar_t* name) {
    Variant value;
    const HRESULT hr = getProperty(b.late(), name, value);
    if (FAILED(hr)) ADD_FAILURE() << "get " << narrow(name) << ": " << hexResult(hr);
    return value;
}

double CheckBoxTest::getNumber(const PlacedBox& b, const wchar_t* name) {
    return NumberOf(get(b, name));
}

std::wstring CheckBoxTest::getText(const PlacedBox& b, const wchar_t* name) {
    return TextOf(get(b, name));
}

void CheckBoxTest::put(const PlacedBox& b, const wchar_t* name, const VARIANT& value) {
    const HRESULT hr = putProperty(b.late(), name, value);
    if (FAILED(hr)) ADD_FAILURE() << "put " << narrow(name) << ": " << hexResult(hr);
}

double CheckBoxTest::extenderNumber(const PlacedBox& b, const wchar_t* name) {
    Variant value;
    const HRESULT hr = b.site->get(name, value);
    if (FAILED(hr)) ADD_FAILURE() << "extender " << narrow(name) << ": " << hexResult(hr);
    return NumberOf(value);
}

Variant I4(LONG v) {
    return Variant::fromI4(v);
}
Variant Str(const std::wstring& s) {
    Variant r;
    r.vt = VT_BSTR;
    r.bstrVal = ::SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
    return r;
}
Variant Bool(bool v) {
    return Variant::fromBool(v);
}
Variant R4(float v) {
    return Variant::fromR4(v);
}

std::wstring TextOf(const VARIANT& v) {
    if (v.vt != VT_BSTR) return L"<vt " + std::to_wstring(v.vt) + L">";
    return std::wstring(v.bstrVal ? v.bstrVal : L"", ::SysStringLen(v.bstrVal));
}

double NumberOf(const VARIANT& v) {
    Variant d;
    if (FAILED(::VariantChangeType(&d, const_cast<VARIANT*>(&v), 0, VT_R8))) return -999999;
    return d.dblVal;
}

HRESULT CanUnloadLoadedDll(const wchar_t* fileName) {
    const HMODULE module = ::GetModuleHandleW(fileName);
    if (!module) return S_FALSE;
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    const auto proc = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
    return proc ? proc() : S_FALSE;
}

} // namespace pkw::test
