// Windows bitmap files: 24 bits per pixel, uncompressed, rows bottom-up and
// padded to 4 bytes, as resource compilers embed them.
#pragma once

#include "image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pkw::images {

std::vector<std::uint8_t> EncodeBmp24(const Image& image);

// False when the file cannot be written.
bool WriteBmp24(const std::string& path, const Image& image);

} // namespace pkw::images
