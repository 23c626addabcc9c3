// A group of the demo form changing its selection: a real click on one of
// its option buttons, as a user gives it.
#pragma once

#include "host/form.h"

namespace pkw::demo {

// The option button the demo selects, and the one that was selected before.
inline constexpr wchar_t kClickedOption[] = L"optLarge";
inline constexpr wchar_t kPreviousOption[] = L"optMedium";

// Clicks the control named `name` on the form; false when it is not there
// or the click could not be given.
bool ClickControl(host::Form& form, const wchar_t* name);

} // namespace pkw::demo
