// Whether the platform draws Unicode text: one flag for the whole library,
// set by each control as it initialises; text calls take the wide or the
// narrow API by it.
#pragma once

namespace pkw::selection {

void SetUnicodePlatform(bool unicode) noexcept;
bool UnicodePlatform() noexcept;

} // namespace pkw::selection
