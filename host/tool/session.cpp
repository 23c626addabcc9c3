#include "host/tool/session.h"

#include "host/capture.h"
#include "host/control_bag.h"
#include "host/event_log.h"
#include "host/files.h"
#include "host/form.h"
#include "host/input.h"
#include "host/library.h"
#include "host/message_loop.h"
#include "host/property_text.h"
#include "host/property_types.h"
#include "host/screen_lock.h"
#include "host/text.h"

#include <cstdio>
#include <memory>

namespace pkw::host::tool {
namespace {

constexpr SIZE kDefaultSize{120, 24};
constexpr LONG kMargin = 12; // between the control and the form's edges

enum Exit { kDone = 0, kNoWindow = 2, kNoControl = 3, kFailed = 4 };

void say(const std::wstring& line) {
    std::printf("%s\n", utf8(line).c_str());
    std::fflush(stdout);
}

void complain(const std::wstring& line) {
    std::fprintf(stderr, "host: %s\n", utf8(line).c_str());
    std::fflush(stderr);
}

void reportProblems(const std::wstring& file, const std::vector<BagProblem>& problems) {
    for (const BagProblem& p : problems)
        complain(file + (p.line > 0 ? L":" + std::to_wstring(p.line) : std::wstring()) + L": " +
                 p.message);
}

// A form that opens under the cursor would show its control hovered: the
// same command would draw differently depending on where the mouse rests.
void keepAwayFromCursor(HWND window) {
    POINT cursor{};
    RECT r{};
    if (!::GetCursorPos(&cursor) || !::GetWindowRect(window, &r) || !::PtInRect(&r, cursor)) return;
    const LONG width = r.right - r.left;
    const LONG gap = 16;
    const LONG left = cursor.x + gap + width <= ::GetSystemMetrics(SM_CXSCREEN)
                          ? cursor.x + gap
                          : cursor.x - gap - width;
    ::SetWindowPos(window, nullptr, left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class Session {
public:
    explicit Session(const Options& options) : options_(options) {}
    int run();

private:
    bool prepareBag();
    HRESULT createControl(ComPtr<IUnknown>& control);
    bool place();
    bool perform(const Action& action);
    bool type(const std::wstring& text);
    bool save(const std::wstring& path);
    bool writePng(const std::wstring& path);

    const Options& options_;
    LoadedBag loaded_;
    SIZE size_ = kDefaultSize;
    std::unique_ptr<Form> form_;
    ComPtr<Site> site_;
    int exit_ = kDone;
};

bool Session::prepareBag() {
    if (options_.load.empty()) return true;
    std::string bytes;
    const HRESULT hr = readFile(options_.load, bytes, kBagFileLimit);
    if (FAILED(hr)) {
        complain(L"cannot read " + options_.load + L" (" + hexResult(hr) + L")");
        return false;
    }
    loaded_ = loadControlText(bytes);
    reportProblems(options_.load, loaded_.problems);
    if (!loaded_.problems.empty()) exit_ = kFailed;
    return true;
}

HRESULT Session::createControl(ComPtr<IUnknown>& control) {
    if (!options_.library.empty())
        return createFromLibrary(options_.library, options_.control, control);
    return createByName(options_.control, control);
}

bool Session::place() {
    ComPtr<IUnknown> control;
    HRESULT hr = createControl(control);
    if (FAILED(hr)) {
        std::wstring hint;
        if (hr == REGDB_E_CLASSNOTREG || hr == CO_E_CLASSSTRING)
            hint = L": not registered (register it, or name its file with --library)";
        complain(L"cannot create " + options_.control + L" (" + hexResult(hr) + L")" + hint);
        return false;
    }
    AddOptions add;
    if (loaded_.bag) {
        add.init = AddOptions::Init::PropertyBag;
        add.bag = loaded_.bag.Get();
    }
    if (options_.events) {
        add.onEvent = [](const RecordedEvent& e) { say(L"event: " + describeEvent(e)); };
        add.onChange = [](const NotifyRecorder::Change& c, bool requestEdit) {
            say((requestEdit ? L"request edit: " : L"changed: ") + describeChange(c));
        };
    }
    const RECT rect{kMargin, kMargin, kMargin + size_.cx, kMargin + size_.cy};
    site_ = form_->add(control.Get(), L"Control1", rect, add, &hr);
    if (!site_) {
        complain(L"the form could not take " + options_.control + L" (" + hexResult(hr) + L")");
        return false;
    }
    if (options_.events && !site_->events().connected()) complain(L"the control offers no events");
    return true;
}

bool Session::type(const std::wstring& text) {
    if (FAILED(form_->focus(*site_.Get()))) return false;
    for (wchar_t c : text) {
        const SHORT scan = ::VkKeyScanW(c);
        // Keys that need no modifier go down and up as typed; others arrive
        // as their character alone.
        const bool plainKey = scan != -1 && HIBYTE(scan) == 0;
        if (!(plainKey ? input::pressKey(LOBYTE(scan)) : input::typeChar(c))) return false;
    }
    return true;
}

bool Session::save(const std::wstring& path) {
    std::string text;
    std::vector<BagProblem> problems;
    HRESULT hr = saveControlText(*site_.Get(), options_.control, text, problems, loaded_.order);
    reportProblems(path, problems);
    if (SUCCEEDED(hr)) hr = writeFile(path, text);
    if (FAILED(hr)) complain(L"cannot save to " + path + L" (" + hexResult(hr) + L")");
    return SUCCEEDED(hr) && problems.empty();
}

bool Session::writePng(const std::wstring& path) {
    const HRESULT hr = captureForm(*form_).savePng(path);
    if (FAILED(hr)) complain(L"cannot write " + path + L" (" + hexResult(hr) + L")");
    return SUCCEEDED(hr);
}

bool Session::perform(const Action& action) {
    std::wstring why;
    switch (action.kind) {
    case Action::Kind::Set: {
        const HRESULT hr =
            putPropertyText(site_->extender(), dispatchTypeInfo(site_->dispatch()).Get(),
                            action.name, action.value, why);
        if (FAILED(hr)) complain(why);
        return SUCCEEDED(hr);
    }
    case Action::Kind::Click:
        if (input::click(*site_.Get(), input::centre(*site_.Get()))) return true;
        complain(L"the click did not reach the control");
        return false;
    case Action::Kind::Type:
        if (type(action.value)) return true;
        complain(L"the keys did not reach the control");
        return false;
    case Action::Kind::Save:
        return save(action.name);
    case Action::Kind::Png:
        return writePng(action.name);
    }
    return false;
}

int Session::run() {
    if (!prepareBag()) return kNoWindow;
    if (loaded_.pixels)
        size_ = *loaded_.pixels;
    else if (options_.size)
        size_ = *options_.size;

    // The form takes the foreground, the cursor and the screen: one user
    // of them at a time (tests run beside this program).
    ScreenLock lock;
    if (!lock.held()) complain(L"another program kept the screen; going on regardless");

    Form::Options formOptions;
    formOptions.caption = L"host: " + options_.control;
    formOptions.clientSize = {size_.cx + 2 * kMargin, size_.cy + 2 * kMargin};
    formOptions.show = false;
    form_ = std::make_unique<Form>(formOptions);
    if (!form_->hwnd()) {
        complain(L"cannot create a window: is there a display?");
        return kNoWindow;
    }
    keepAwayFromCursor(form_->hwnd());
    form_->show();
    for (const auto& [name, value] : options_.ambients) {
        std::wstring why;
        if (FAILED(setAmbientText(*form_, name, value, why))) {
            complain(why);
            exit_ = kFailed;
        }
    }
    if (!place()) return kNoControl;
    pumpPending();
    for (const Action& action : options_.actions) {
        if (!perform(action)) exit_ = kFailed;
        pumpPending();
    }
    if (options_.show || options_.actions.empty()) runMessageLoop([&] { return form_->closed(); });
    site_.Reset();
    form_.reset();
    pumpPending();
    return exit_;
}

} // namespace

int runSession(const Options& options) {
    return Session(options).run();
}

} // namespace pkw::host::tool
