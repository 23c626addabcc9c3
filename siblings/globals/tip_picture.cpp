#include "siblings/globals/tip_picture.h"

#include "common/effects/body_geometry.h"
#include "common/win/unique_handle.h"

#include <algorithm>

namespace pkw::globals {

std::optional<SIZE> tipPictureSize(IPicture* picture) {
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (!picture || FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight)))
        return std::nullopt;
    const WindowDc screen(nullptr);
    const int dpiX = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    const int dpiY = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    const long width = effects::PicturePixels(hmWidth, 1440 / std::max(dpiX, 1));
    const long height = effects::PicturePixels(hmHeight, 1440 / std::max(dpiY, 1));
    // Beyond the screen a picture is no tip's: it would only cost memory.
    if (width < 1 || height < 1 || width > 4096 || height > 4096) return std::nullopt;
    return SIZE{width, height};
}

} // namespace pkw::globals
