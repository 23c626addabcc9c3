// How a texture of textureWidth x textureHeight pixels covers a body of
// bodyWidth x bodyHeight: the blits to make, each from the texture's
// top-left corner. Plain arithmetic, for every drawing with texture bodies.
#pragma once

#include <vector>

namespace pkw::effects {

struct TextureBlit {
    int x = 0, y = 0, width = 0, height = 0; // destination on the body
    int sourceWidth = 0, sourceHeight = 0;   // from the texture's (0, 0); stretched when
                                             // they differ from width x height
    friend bool operator==(const TextureBlit&, const TextureBlit&) = default;
};

// A texture at least as large as the body on both axes is copied once from
// its corner. Otherwise sizeMode 0 tiles it unscaled in rows from the top
// (the last row and column cut to the body), 1 stretches it once over the
// body, any other value draws nothing. An empty texture or body draws
// nothing.
std::vector<TextureBlit> TextureBlits(int textureWidth, int textureHeight, int bodyWidth,
                                      int bodyHeight, int sizeMode);

} // namespace pkw::effects
