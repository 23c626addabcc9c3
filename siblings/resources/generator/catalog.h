// Every image the generator writes: resource id, file name, size, frames and
// the function that draws it. PKW40Res.rc and the library's resource script
// embed the files by these names.
#pragma once

#include "image.h"

#include <span>

namespace pkw::images {

struct ImageLayout {
    int id;
    const char* file;
    int width, height;
    int frames; // 1 for a single image
    int frameWidth, frameHeight;
    int strideX, strideY; // from one frame's origin to the next
    bool masked;          // the mask colour marks what is not drawn
    Image (*draw)();
};

std::span<const ImageLayout> Catalog();

} // namespace pkw::images
