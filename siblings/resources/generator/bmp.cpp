#include "bmp.h"

#include <fstream>

namespace pkw::images {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780; // 96 dots per inch

} // namespace

std::vector<std::uint8_t> EncodeBmp24(const Image& image) {
    const std::uint32_t stride = (std::uint32_t(image.width()) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * std::uint32_t(image.height());
    const std::uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;
    std::vector<std::uint8_t> out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + pixelBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, kInfoHeaderBytes);
    Put32(out, std::uint32_t(image.width()));
    Put32(out, std::uint32_t(image.height())); // positive: bottom row first
    Put16(out, 1);                             // planes
    Put16(out, 24);                            // bits per pixel
    Put32(out, 0);                             // BI_RGB
    Put32(out, pixelBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0); // colours used
    Put32(out, 0); // colours important
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = std::uint32_t(image.width()) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

bool WriteBmp24(const std::string& path, const Image& image) {
    const std::vector<std::uint8_t> bytes = EncodeBmp24(image);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

} // namespace pkw::images
