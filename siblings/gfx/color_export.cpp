#include "siblings/gfx/color.h"
#include "siblings/gfx/gfx_exports.h"

extern "C" COLORREF WINAPI gfxTranslateColor(OLE_COLOR oleColor, HPALETTE hPalette) {
    return pkw::sib::gfx::TranslateOleColor(oleColor, hPalette);
}
