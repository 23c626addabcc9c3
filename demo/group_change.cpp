#include "demo/group_change.h"

#include "host/input.h"
#include "host/message_loop.h"

namespace pkw::demo {

bool ClickControl(host::Form& form, const wchar_t* name) {
    host::Site* site = form.site(name);
    if (!site || !host::input::click(*site, host::input::centre(*site))) return false;
    // Away again, so that the picture shows the normal look.
    host::input::moveOutside(*site);
    host::pumpPending();
    return true;
}

} // namespace pkw::demo
