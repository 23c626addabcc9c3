// The demo's form: the library registered from the program's folder, the
// controls of the table placed on a form of the control host and given
// their settings, and every problem told in plain words.
#pragma once

#include "host/form.h"

#include <memory>
#include <string>
#include <vector>

namespace pkw::demo {

class DemoForm {
public:
    enum class Status { Ok, NoWindow, LibraryMissing, RegistrationFailed, ClassMissing };
    struct Result {
        Status status = Status::Ok;
        std::wstring message;            // why it stopped
        std::vector<std::wstring> notes; // what it did without
    };

    Result build();
    host::Form& form() { return *form_; }

private:
    Result placeAll();

    std::unique_ptr<host::Form> form_;
};

} // namespace pkw::demo
