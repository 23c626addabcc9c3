// A control's skin: a strip of frames borrowed from the resource server
// (a built-in image, or a host's image kept under a name), with the
// fields of the type library's SkinMapInfo record, and giving it back.
#pragma once

#include <ocidl.h>
#include <windows.h>

#include <string>

namespace pkw::ax {

struct SkinMap {
    HDC MemDC = nullptr;
    std::wstring ImageName;
    LONG DCHeight = 0;
    LONG DCWidth = 0;
    LONG IMGHeight = 0;
    LONG IMGWidth = 0;
    RECT MapMargin{};
    LONG MaskColor = 0;
    OLE_COLOR BackColor = 0;
    bool RGN1BltMode = false;
    bool RGN2BltMode = false;
    bool RGN3BltMode = false;
    bool RGN4BltMode = false;
    SHORT RGN5BltMode = 0;
};

// Gives the image back (a static one to the resource server's pool, a
// custom one by its name) and clears the image, its name, the mask colour
// (-1) and the blit modes. Nothing is given back when nothing is held.
void ReleaseSkin(SkinMap& skin, bool custom);

// The image name as the resource server keys it (ANSI).
std::string SkinImageKey(const std::wstring& name);

} // namespace pkw::ax
