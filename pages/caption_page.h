// The Caption property page: the selected controls' Unicode caption and
// tool-tip text, edited in two of the library's text boxes.
#pragma once

#include "common/com/server/class_entry.h"

namespace pkw::pages {

const com::ClassEntry& CaptionPageClass();

} // namespace pkw::pages
