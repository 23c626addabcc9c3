// Pictures and fonts for the tests: a small 24-bit bitmap file in memory,
// as the picture object keeps and saves it, an icon picture, and a font.
#pragma once

#include "host/picture_data.h"

#include <olectl.h>

#include <cstring>
#include <vector>

namespace pkw::test {

// A bitmap whose pixel (x, y), counted from the top-left, has colourAt(x, y).
template <typename ColourAt>
std::vector<BYTE> bitmapFileOf(int width, int height, ColourAt colourAt) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::vector<BYTE> bytes(file.bfSize, 0);
    std::memcpy(bytes.data(), &file, sizeof(file));
    std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Rows run bottom-up in the file.
            BYTE* p = bytes.data() + file.bfOffBits + (height - 1 - y) * stride + x * 3;
            const COLORREF colour = colourAt(x, y);
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    return bytes;
}

inline std::vector<BYTE> bitmapFile(int width, int height, COLORREF colour) {
    return bitmapFileOf(width, height, [colour](int, int) { return colour; });
}

template <typename ColourAt>
host::ComPtr<IPictureDisp> bitmapPictureOf(int width, int height, ColourAt colourAt) {
    host::ComPtr<IPictureDisp> picture;
    host::loadPictureBytes(bitmapFileOf(width, height, colourAt), picture);
    return picture;
}

inline host::ComPtr<IPictureDisp> bitmapPicture(int width, int height, COLORREF colour) {
    return bitmapPictureOf(width, height, [colour](int, int) { return colour; });
}

// A 16 x 16 icon picture (a picture that is no bitmap).
inline host::ComPtr<IPictureDisp> iconPicture() {
    PICTDESC desc{sizeof(PICTDESC), PICTYPE_ICON, {}};
    desc.icon.hicon = ::CreateIcon(nullptr, 16, 16, 1, 1, std::vector<BYTE>(32, 0xFF).data(),
                                   std::vector<BYTE>(32, 0x00).data());
    host::ComPtr<IPictureDisp> picture;
    ::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                               reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

// A standard font object; sizeCy in CY units (points x 10000).
inline host::ComPtr<IFontDisp> makeFont(const wchar_t* name, LONGLONG sizeCy, bool bold = false,
                                        bool italic = false, bool underline = false) {
    FONTDESC desc{sizeof(desc),
                  const_cast<LPOLESTR>(name),
                  {},
                  static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL),
                  DEFAULT_CHARSET,
                  italic ? TRUE : FALSE,
                  underline ? TRUE : FALSE,
                  FALSE};
    desc.cySize.int64 = sizeCy;
    host::ComPtr<IFontDisp> font;
    ::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&font));
    return font;
}

} // namespace pkw::test
