// GoogleTest support for this project's tests that host controls on a form
// of the control host: OLE initialised once for the test program, one form
// per test, the screen held by one test at a time (see screen_lock.h), and
// helpers that place the library's controls on the form, registered or
// registration-free. The tests live in pkw::test and see the host's names
// there.
//
//   class CheckBoxTest : public pkw::test::ContainerTest {};
//   TEST_F(CheckBoxTest, ClickToggles) {
//       auto box = place(L"zelPickwell40.NuCheckBox40", L"Check1", {10, 10, 130, 34});
//       ASSERT_TRUE(box);
//       ASSERT_TRUE(pkw::test::input::click(*box, {8, 8}));
//       EXPECT_EQ(box->events().names(), (std::vector<std::wstring>{L"MouseDown", L"Click",
//       L"MouseUp"}));
//   }
#pragma once

#include "host/capture.h"
#include "host/dispatch.h"
#include "host/form.h"
#include "host/input.h"
#include "host/library.h"
#include "host/message_loop.h"
#include "host/persistence.h"
#include "host/property_bag.h"
#include "host/screen_lock.h"
#include "host/text.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <memory>
#include <string>

namespace pkw::test {

using namespace pkw::host;

// The library under test, beside the test program.
inline constexpr wchar_t kLibraryFile[] = L"zelPickwell40.ocx";

inline HRESULT registerLibrary() {
    return host::registerLibrary(besideProgram(kLibraryFile));
}
inline HRESULT dllCanUnloadNow() {
    return host::dllCanUnloadNow(besideProgram(kLibraryFile));
}

// "0x80004005" for messages.
inline std::string hexResult(HRESULT hr) {
    return utf8(host::hexResult(hr));
}

// UTF-8 for messages.
inline std::string narrow(const std::wstring& text) {
    return utf8(text);
}

// OleInitialize on the thread that runs the tests, once per program.
class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { initialized_ = SUCCEEDED(::OleInitialize(nullptr)); }
    void TearDown() override {
        pumpPending();
        if (initialized_) ::OleUninitialize();
    }

private:
    bool initialized_ = false;
};

inline ::testing::Environment* const kOleEnvironment =
    ::testing::AddGlobalTestEnvironment(new OleEnvironment);

class ContainerTest : public ::testing::Test {
protected:
    void SetUp() override {
        lock_ = std::make_unique<ScreenLock>();
        ASSERT_TRUE(lock_->held()) << "another test kept the screen";
        input::resetButtons();
        parkCursor();
        form_ = std::make_unique<Form>(formOptions());
        ASSERT_TRUE(form_->hwnd()) << "no form window (is there a display?)";
        pumpPending();
    }

    void TearDown() override {
        form_.reset();
        pumpPending();
        lock_.reset();
    }

    // Overridden by tests that want another form.
    virtual Form::Options formOptions() const { return {}; }
    Form& form() { return *form_; }

    // Creates a control of the library by ProgID (registering the library
    // beside the test program once) and places it on the form.
    ComPtr<Site> place(const wchar_t* progId, std::wstring name, const RECT& pixels,
                       const AddOptions& options = {}) {
        const HRESULT registered = registerLibrary();
        if (FAILED(registered)) {
            ADD_FAILURE() << "registering " << narrow(besideProgram(kLibraryFile))
                          << " failed: " << hexResult(registered);
            return nullptr;
        }
        ComPtr<IUnknown> control;
        const HRESULT created = createByProgId(progId, control);
        if (FAILED(created)) {
            ADD_FAILURE() << "creating " << narrow(progId) << " failed: " << hexResult(created);
            return nullptr;
        }
        return add(control.Get(), std::move(name), pixels, options);
    }

    // The same, straight from the library's class factory.
    ComPtr<Site> placeRegistrationFree(REFCLSID clsid, std::wstring name, const RECT& pixels,
                                       const AddOptions& options = {}) {
        ComPtr<IUnknown> control;
        const HRESULT created = createFromDll(besideProgram(kLibraryFile), clsid, control);
        if (FAILED(created)) {
            ADD_FAILURE() << "creating from " << narrow(kLibraryFile)
                          << " failed: " << hexResult(created);
            return nullptr;
        }
        return add(control.Get(), std::move(name), pixels, options);
    }

    // The same by the class's name in the library ("zelPickwell40.NuCheckBox40").
    ComPtr<Site> placeFromLibrary(const wchar_t* progId, std::wstring name, const RECT& pixels,
                                  const AddOptions& options = {}) {
        ComPtr<IUnknown> control;
        const HRESULT created = createFromLibrary(besideProgram(kLibraryFile), progId, control);
        if (FAILED(created)) {
            ADD_FAILURE() << "creating " << narrow(progId) << " from " << narrow(kLibraryFile)
                          << " failed: " << hexResult(created);
            return nullptr;
        }
        return add(control.Get(), std::move(name), pixels, options);
    }

    ComPtr<Site> add(IUnknown* control, std::wstring name, const RECT& pixels,
                     const AddOptions& options = {}) {
        HRESULT hr = S_OK;
        ComPtr<Site> site = form_->add(control, name, pixels, options, &hr);
        if (!site) ADD_FAILURE() << "siting " << narrow(name) << " failed: " << hexResult(hr);
        return site;
    }

private:
    // Away from where forms appear, so no control starts out hovered.
    static void parkCursor() {
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2);
    }

    std::unique_ptr<ScreenLock> lock_;
    std::unique_ptr<Form> form_;
};

} // namespace pkw::test
