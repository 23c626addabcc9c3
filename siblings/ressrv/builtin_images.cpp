#include "siblings/ressrv/builtin_images.h"

#include "siblings/api/loader.h"

#include <cstddef>
#include <cstdint>

namespace pkw::sib::res {
namespace {

HMODULE ResourceLibrary() {
    static const HMODULE module = ::LoadLibraryExW(PathBesideThisModule(L"PKW40Res.dll").c_str(),
                                                   nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

// Bytes of colour table between the header and the pixels.
std::size_t ColorTableBytes(const BITMAPINFOHEADER& h) {
    if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) return 12;
    if (h.biBitCount > 8) return std::size_t(h.biClrUsed) * sizeof(RGBQUAD);
    const std::size_t colors = h.biClrUsed ? h.biClrUsed : (std::size_t(1) << h.biBitCount);
    return colors * sizeof(RGBQUAD);
}

} // namespace

DibSurface LoadBuiltinImage(LONG resId) {
    const HMODULE module = ResourceLibrary();
    if (!module || resId <= 0 || resId > 0xFFFF) return {};
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(resId), MAKEINTRESOURCEW(2));
    if (!found) return {};
    const DWORD size = ::SizeofResource(module, found);
    const HGLOBAL loaded = ::LoadResource(module, found);
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(::LockResource(loaded)) : nullptr;
    if (!bytes || size < sizeof(BITMAPINFOHEADER)) return {};

    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes);
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const LONG width = header.biWidth;
    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || width <= 0 || height <= 0 ||
        header.biBitCount == 0 ||
        (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS))
        return {};
    const std::size_t stride = (std::size_t(width) * header.biBitCount + 31) / 32 * 4;
    const std::size_t offset = header.biSize + ColorTableBytes(header);
    if (offset + stride * std::size_t(height) > size) return {};

    DibSurface surface(width, height);
    if (!surface.valid()) return {};
    if (::SetDIBitsToDevice(surface.dc(), 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height),
                            bytes + offset, info, DIB_RGB_COLORS) != height)
        return {};
    ::GdiFlush();
    return surface;
}

} // namespace pkw::sib::res
