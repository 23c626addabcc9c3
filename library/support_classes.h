// The library's classes without behaviour of their own: clsSkin and
// clsUnicode publish records and enumerations through the type library, and
// IPAO is the accelerator-hook interface's own class (its answer is always
// "handled"; the text box is the real implementation).
#pragma once

#include "common/com/server/class_entry.h"

namespace pkw::library {

const com::ClassEntry& SkinClass();
const com::ClassEntry& UnicodeClass();
const com::ClassEntry& IpaoClass();

} // namespace pkw::library
