// Pictures for the tests: a small 24-bit bitmap file in memory, as the
// picture object keeps and saves it, and an icon picture.
#pragma once

#include "host/picture_data.h"

#include <olectl.h>

#include <cstring>
#include <vector>

namespace pkw::test {

inline std::vector<BYTE> bitmapFile(int width, int height, COLORREF colour) {
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
            BYTE* p = bytes.data() + file.bfOffBits + y * stride + x * 3;
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    return bytes;
}

inline host::ComPtr<IPictureDisp> bitmapPicture(int width, int height, COLORREF colour) {
    host::ComPtr<IPictureDisp> picture;
    host::loadPictureBytes(bitmapFile(width, height, colour), picture);
    return picture;
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

} // namespace pkw::test
