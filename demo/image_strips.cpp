#include "demo/image_strips.h"

#include "common/win/unique_handle.h"
#include "siblings/api/plain.h"
#include "host/capture.h"
#include "host/text.h"

#include <algorithm>
#include <cstdint>

namespace pkw::demo {
namespace {

struct StripLayout {
    LONG id;
    int frames;
    bool across; // frames follow each other left to right, else top to bottom
};

// The images the resource server lends, and how their frames lie.
constexpr StripLayout kStrips[] = {
    {1001, 12, false}, // check box: three values by four looks
    {1006, 8, false},  // option button: two values by four looks
    {1100, 8, false},  // push button, style 1
    {1496, 6, false},  // push button, style 2
    {1013, 1, false},  // about background
    {2000, 3, true},   // close button: normal, hot, pressed
};

// 0x00RRGGBB, as host::Image holds pixels.
constexpr std::uint32_t kMask = 0xFF00FF;
constexpr std::uint32_t kSheet = 0x505050;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kCheckLight = 0xFFFFFF;
constexpr std::uint32_t kCheckDark = 0xCCCCCC;
// Frames are enlarged until their longer side reaches about this many pixels.
constexpr int kTargetSide = 240;
constexpr int kMaxScale = 8;

std::uint32_t ToPixel(COLORREF c) {
    return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

// What a borrowed DC holds, copied through a 32-bit DIB.
host::Image ReadDc(HDC dc) {
    BITMAP info{};
    const HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return {};
    const int w = info.bmWidth, h = info.bmHeight;
    BITMAPINFO header{};
    header.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap dib(::CreateDIBSection(dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDc copy(::CreateCompatibleDC(dc));
    if (!dib || !bits || !copy) return {};
    {
        const SelectedObject selected(copy.get(), dib.get());
        if (!::BitBlt(copy.get(), 0, 0, w, h, dc, 0, 0, SRCCOPY)) return {};
        ::GdiFlush();
    }
    host::Image image(w, h);
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < image.pixels().size(); ++i)
        image.pixels()[i] = source[i] & 0xFFFFFF;
    return image;
}

// Frame k of a strip: equal cells, the last one possibly narrower (the
// close strip leaves a column between frames).
RECT FrameRect(const host::Image& strip, const StripLayout& layout, int k) {
    const int extent = layout.across ? strip.width() : strip.height();
    const int stride = (extent + layout.frames - 1) / layout.frames;
    const int begin = k * stride, end = std::min(extent, begin + stride);
    return layout.across ? RECT{begin, 0, end, strip.height()} : RECT{0, begin, strip.width(), end};
}

// What shows where a frame leaves a pixel out: the button face, white, or
// a checkerboard that marks the left-out pixels themselves.
enum class Backdrop { Face, White, Checkerboard };
constexpr Backdrop kBackdrops[] = {Backdrop::Face, Backdrop::White, Backdrop::Checkerboard};

std::uint32_t BackdropAt(Backdrop backdrop, int x, int y, int square) {
    switch (backdrop) {
    case Backdrop::Face:
        return ToPixel(::GetSysColor(COLOR_BTNFACE));
    case Backdrop::White:
        return kWhite;
    case Backdrop::Checkerboard:
        return (x / square + y / square) % 2 == 0 ? kCheckLight : kCheckDark;
    }
    return kWhite;
}

// Every frame side by side, enlarged, with a margin of its backdrop around
// it; one row per backdrop.
host::Image Sheet(const host::Image& strip, const StripLayout& layout) {
    const RECT first = FrameRect(strip, layout, 0);
    const int fw = first.right - first.left, fh = first.bottom - first.top;
    const int scale = std::clamp(kTargetSide / std::max(fw, fh), 1, kMaxScale);
    const int margin = 2; // source pixels
    const int gap = 2 * scale;
    const int cellW = (fw + 2 * margin) * scale, cellH = (fh + 2 * margin) * scale;
    const int rows = static_cast<int>(std::size(kBackdrops));
    host::Image sheet(gap + layout.frames * (cellW + gap), gap + rows * (cellH + gap));
    std::fill(sheet.pixels().begin(), sheet.pixels().end(), kSheet);
    const int square = std::max(2, scale / 2);
    for (int k = 0; k < layout.frames; ++k) {
        const RECT r = FrameRect(strip, layout, k);
        for (int row = 0; row < rows; ++row) {
            const int ox = gap + k * (cellW + gap), oy = gap + row * (cellH + gap);
            for (int y = 0; y < cellH; ++y)
                for (int x = 0; x < cellW; ++x) {
                    const int sx = x / scale - margin, sy = y / scale - margin;
                    const bool inside =
                        sx >= 0 && sy >= 0 && sx < r.right - r.left && sy < r.bottom - r.top;
                    std::uint32_t c = inside ? strip.at(r.left + sx, r.top + sy) : kMask;
                    if (c == kMask) c = BackdropAt(kBackdrops[row], x, y, square);
                    sheet.at(ox + x, oy + y) = c;
                }
        }
    }
    return sheet;
}

} // namespace

StripsResult WriteImageStrips(const std::wstring& dir) {
    StripsResult result;
    if (!::CreateDirectoryW(dir.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        result.ok = false;
        result.problems.push_back(L"cannot create " + dir);
        return result;
    }
    for (const StripLayout& layout : kStrips) {
        const std::wstring id = std::to_wstring(layout.id);
        const HDC dc = sib::ResSrv().GetStaticResDc(layout.id, 0);
        if (!dc) {
            result.ok = false;
            result.problems.push_back(L"the resource server lends no image " + id);
            continue;
        }
        const host::Image strip = ReadDc(dc);
        sib::ResSrv().ReleaseStaticResDc(dc);
        if (strip.empty()) {
            result.ok = false;
            result.problems.push_back(L"image " + id + L" cannot be read");
            continue;
        }
        const std::wstring path = dir + L"\\" + id + L".png";
        const HRESULT hr = Sheet(strip, layout).savePng(path);
        if (FAILED(hr)) {
            result.ok = false;
            result.problems.push_back(L"writing " + path + L" failed: " + host::hexResult(hr));
            continue;
        }
        result.written.push_back(path + L" (" + std::to_wstring(strip.width()) + L"x" +
                                 std::to_wstring(strip.height()) + L", " +
                                 std::to_wstring(layout.frames) +
                                 (layout.frames == 1 ? L" frame)" : L" frames)"));
    }
    return result;
}

} // namespace pkw::demo
