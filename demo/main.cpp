// pickwell_demo: the library's controls on a form.
//
//   pickwell_demo.exe             shows the form until it is closed
//   pickwell_demo.exe --out DIR   writes DIR\form.png, the form again after a
//                                 click has moved an option group's selection
//                                 (DIR\form-selected.png), the push button's
//                                 gallery as DIR\buttons.png, the built-in
//                                 images as DIR\images\<id>.png, the effects
//                                 engine's samples as DIR\effects.png, the
//                                 tool tip in its effects look as
//                                 DIR\tooltip.png, and exits
//
// Exit codes: 0 done, 1 usage, 2 no window, 3 library missing, 4 library not
// registered, 5 a control class missing, 6 image not written.
#include "demo/button_gallery.h"
#include "demo/demo_form.h"
#include "demo/fx_samples.h"
#include "demo/group_change.h"
#include "demo/image_strips.h"
#include "demo/tip_sample.h"
#include "host/capture.h"
#include "host/message_loop.h"
#include "host/text.h"

#include <ole2.h>

#include <cstdio>
#include <string>

namespace {

using pkw::demo::DemoForm;

void say(const std::wstring& line) {
    std::printf("pickwell_demo: %s\n", pkw::host::utf8(line).c_str());
}

// Creates DIR and the folders above it.
bool makeFolders(const std::wstring& dir) {
    for (std::size_t i = 0; i <= dir.size(); ++i) {
        if (i < dir.size() && dir[i] != L'\\' && dir[i] != L'/') continue;
        const std::wstring part = dir.substr(0, i);
        if (part.empty() || part.back() == L':') continue;
        if (!::CreateDirectoryW(part.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

int exitCode(DemoForm::Status status) {
    switch (status) {
    case DemoForm::Status::Ok:
        return 0;
    case DemoForm::Status::NoWindow:
        return 2;
    case DemoForm::Status::LibraryMissing:
        return 3;
    case DemoForm::Status::RegistrationFailed:
        return 4;
    case DemoForm::Status::ClassMissing:
        return 5;
    }
    return 1;
}

// Writes the form as it is on screen; false (and why) when it cannot.
bool saveForm(pkw::host::Form& form, const std::wstring& path) {
    const pkw::host::Image image = pkw::host::captureForm(form);
    const HRESULT hr = image.savePng(path);
    if (FAILED(hr)) {
        say(L"writing " + path + L" failed: " + pkw::host::hexResult(hr));
        return false;
    }
    say(L"wrote " + path + L" (" + std::to_wstring(image.width()) + L"x" +
        std::to_wstring(image.height()) + L")");
    return true;
}

int run(const std::wstring& outDir) {
    DemoForm demo;
    const DemoForm::Result result = demo.build();
    for (const std::wstring& note : result.notes)
        say(note);
    if (result.status != DemoForm::Status::Ok) {
        say(result.message);
        return exitCode(result.status);
    }
    if (outDir.empty()) {
        pkw::host::runMessageLoop([&] { return demo.form().closed(); });
        return 0;
    }
    if (!makeFolders(outDir)) {
        say(L"cannot create " + outDir);
        return 6;
    }
    if (!saveForm(demo.form(), outDir + L"\\form.png")) return 6;
    if (!pkw::demo::ClickControl(demo.form(), pkw::demo::kClickedOption)) {
        say(std::wstring(L"cannot click ") + pkw::demo::kClickedOption);
        return 6;
    }
    say(std::wstring(L"clicked ") + pkw::demo::kClickedOption + L": it takes the selection from " +
        pkw::demo::kPreviousOption);
    if (!saveForm(demo.form(), outDir + L"\\form-selected.png")) return 6;
    const std::wstring gallery = outDir + L"\\buttons.png";
    const std::wstring galleryProblem = pkw::demo::WriteButtonGallery(gallery);
    if (!galleryProblem.empty()) {
        say(galleryProblem);
        return 6;
    }
    say(L"wrote " + gallery);
    const pkw::demo::StripsResult strips = pkw::demo::WriteImageStrips(outDir + L"\\images");
    for (const std::wstring& written : strips.written)
        say(L"wrote " + written);
    for (const std::wstring& problem : strips.problems)
        say(problem);
    const pkw::demo::SamplesResult samples =
        pkw::demo::WriteEffectSamples(outDir + L"\\effects.png");
    say(samples.ok ? L"wrote " + samples.message : samples.message);
    const pkw::demo::TipSampleResult tip = pkw::demo::WriteTipSample(outDir + L"\\tooltip.png");
    say(tip.ok ? L"wrote " + tip.message : tip.message);
    return strips.ok && samples.ok && tip.ok ? 0 : 6;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring outDir;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--out" && i + 1 < argc) {
            outDir = argv[++i];
        } else {
            std::printf("usage: pickwell_demo [--out DIR]\n");
            return 1;
        }
    }
    if (FAILED(::OleInitialize(nullptr))) {
        say(L"OLE is not available");
        return 2;
    }
    const int code = run(outDir);
    ::OleUninitialize();
    return code;
}
