// The About property page: the product panel, nothing to edit.
#pragma once

#include "common/com/server/class_entry.h"

namespace pkw::pages {

const com::ClassEntry& AboutPageClass();

} // namespace pkw::pages
