#include "demo/demo_form.h"

#include "demo/demo_controls.h"
#include "demo/effect_looks.h"
#include "host/library.h"
#include "host/text.h"

#include <algorithm>

namespace pkw::demo {
namespace {

using host::ComPtr;
using host::hexResult;

constexpr wchar_t kLibraryFile[] = L"zelPickwell40.ocx";
// Room for an effects control's shadow right of and below its body.
constexpr LONG kEffectsRoom = 4;

Variant settingValue(const Setting& s) {
    switch (s.kind) {
    case Setting::Kind::Text:
        return Variant::fromString(s.text);
    case Setting::Kind::Boolean:
        return Variant::fromBool(s.number != 0);
    case Setting::Kind::Number:
        break;
    }
    return Variant::fromI4(s.number);
}

} // namespace

DemoForm::Result DemoForm::build() {
    host::Form::Options options;
    options.caption = L"zelPickwell40 demo";
    options.clientSize = kFormSize;
    form_ = std::make_unique<host::Form>(options);
    if (!form_->hwnd())
        return {Status::NoWindow, L"cannot create a window: is there a display (Xvfb)?", {}};

    const std::wstring library = host::besideProgram(kLibraryFile);
    const HRESULT registered = host::registerLibrary(library);
    if (registered == HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND))
        return {Status::LibraryMissing, library + L" is missing: build the library first", {}};
    if (FAILED(registered))
        return {Status::RegistrationFailed,
                L"registering " + library + L" failed: " + hexResult(registered),
                {}};
    return placeAll();
}

DemoForm::Result DemoForm::placeAll() {
    Result result;
    std::vector<std::wstring> missing; // classes already found wanting
    for (const DemoControl& c : demoControls()) {
        const std::wstring progId = std::wstring(L"zelPickwell40.") + c.className;
        if (std::find(missing.begin(), missing.end(), progId) != missing.end()) continue;
        ComPtr<IUnknown> control;
        CLSID clsid{};
        HRESULT hr = c.privateClsid ? ::CLSIDFromString(c.privateClsid, &clsid)
                                    : host::createByProgId(progId.c_str(), control);
        if (c.privateClsid && SUCCEEDED(hr))
            hr = host::createFromDll(host::besideProgram(kLibraryFile), clsid, control);
        ComPtr<host::Site> site;
        if (SUCCEEDED(hr)) site = form_->add(control.Get(), c.name, c.rect, {}, &hr);
        if (!site) {
            const std::wstring why =
                progId + L" cannot be created (" + hexResult(hr) +
                (hr == REGDB_E_CLASSNOTREG || hr == CO_E_CLASSSTRING ? L", not in the library yet)"
                                                                     : L")");
            if (c.required) return {Status::ClassMissing, why, result.notes};
            result.notes.push_back(why + L": left out");
            missing.push_back(progId);
            continue;
        }
        if (c.effectLook) {
            if (const NamedLook* look = FindLook(c.effectLook))
                ApplyLook(*site.Get(), c.rect, look->look, kEffectsRoom, kEffectsRoom);
            else
                result.notes.push_back(std::wstring(c.name) + L": no look " + c.effectLook);
        }
        for (const Setting& s : c.settings) {
            hr = site->put(s.property, settingValue(s));
            if (FAILED(hr))
                result.notes.push_back(std::wstring(c.name) + L"." + s.property + L" not set: " +
                                       hexResult(hr));
        }
    }
    return result;
}

} // namespace pkw::demo
