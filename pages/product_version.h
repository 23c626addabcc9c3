// The product's version as the module's own version resource states it, so
// that what the pages show and what the file reports cannot disagree.
#pragma once

#include <windows.h>

namespace pkw::pages {

struct ProductVersion {
    WORD major = 0;
    WORD minor = 0;
    WORD patch = 0;
};

// The file version of the module that holds this code; zeros when the
// module has no version resource.
ProductVersion ModuleVersion() noexcept;

} // namespace pkw::pages
