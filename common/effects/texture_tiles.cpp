#include "common/effects/texture_tiles.h"

#include <algorithm>

namespace pkw::effects {

std::vector<TextureBlit> TextureBlits(int textureWidth, int textureHeight, int bodyWidth,
                                      int bodyHeight, int sizeMode) {
    std::vector<TextureBlit> blits;
    if (textureWidth <= 0 || textureHeight <= 0 || bodyWidth <= 0 || bodyHeight <= 0) return blits;
    if (textureWidth >= bodyWidth && textureHeight >= bodyHeight) {
        blits.push_back({0, 0, bodyWidth, bodyHeight, bodyWidth, bodyHeight});
    } else if (sizeMode == 0) {
        for (int y = 0; y < bodyHeight; y += textureHeight) {
            const int h = std::min(textureHeight, bodyHeight - y);
            for (int x = 0; x < bodyWidth; x += textureWidth) {
                const int w = std::min(textureWidth, bodyWidth - x);
                blits.push_back({x, y, w, h, w, h});
            }
        }
    } else if (sizeMode == 1) {
        blits.push_back({0, 0, bodyWidth, bodyHeight, textureWidth, textureHeight});
    }
    return blits;
}

} // namespace pkw::effects
