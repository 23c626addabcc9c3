// The rules every generated image keeps; the generator refuses to write an
// image that breaks one.
//
// - Its size is the catalogue's.
// - No pixel is a blend with the mask colour: a pixel is exactly the mask
//   colour or clearly another colour.
// - Frames of a strip differ from each other.
// - In a masked image each frame's corner pixel is the mask colour and its
//   centre pixel is not; an opaque image has no mask pixel in its frames.
#pragma once

#include "catalog.h"

#include <string>
#include <vector>

namespace pkw::images {

// The broken rules, in words; empty when the image is fine.
std::vector<std::string> Validate(const ImageLayout& layout, const Image& image);

// Frame k of an image laid out as layout says.
Image FrameOf(const ImageLayout& layout, const Image& image, int k);

} // namespace pkw::images
