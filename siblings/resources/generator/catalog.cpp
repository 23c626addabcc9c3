#include "catalog.h"

#include "about.h"
#include "buttons.h"
#include "glyphs.h"

namespace pkw::images {

std::span<const ImageLayout> Catalog() {
    static const ImageLayout kImages[] = {
        {1001, "checkbox_1001.bmp", 13, 156, 12, 13, 13, 0, 13, true, DrawCheckBoxStrip},
        {1006, "option_1006.bmp", 13, 104, 8, 13, 13, 0, 13, true, DrawOptionStrip},
        {1100, "button1_1100.bmp", 18, 168, 8, 18, 21, 0, 21, true, DrawButtonStrip1},
        {1496, "button2_1496.bmp", 20, 138, 6, 20, 23, 0, 23, true, DrawButtonStrip2},
        {1013, "about_1013.bmp", 350, 230, 1, 350, 230, 0, 0, false, DrawAboutBackground},
        {2000, "close_2000.bmp", 230, 25, 3, kCloseFrameWidth, 25, kCloseFrameStride, 0, false,
         DrawCloseButtonStrip},
        {30000, "toolbox_checkbox_30000.bmp", 16, 15, 1, 16, 15, 0, 0, false,
         DrawCheckBoxToolboxImage},
        {30001, "toolbox_option_30001.bmp", 16, 15, 1, 16, 15, 0, 0, false, DrawOptionToolboxImage},
    };
    return kImages;
}

} // namespace pkw::images
