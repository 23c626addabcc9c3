#include "pages/product_panel.h"

#include "common/win/unique_handle.h"
#include "pages/product_version.h"
#include "siblings/api/static_image.h"

#include <cwchar>
#include <iterator>

namespace pkw::pages {
namespace {

namespace units = ax::units;

constexpr LONG kBackgroundImage = 1013;
constexpr SIZE kBackgroundSize{350, 230};

constexpr wchar_t kFace[] = L"Tahoma";
constexpr wchar_t kProductName[] = L"Pickwell";
constexpr int kNamePoints = 18;
constexpr int kLinePoints = 8;

// Positions in twips.
constexpr LONG kNameTop = 1645;
constexpr LONG kLinesLeft = 120;
constexpr LONG kLinesTop = 3600;
constexpr LONG kLineGap = 15;

constexpr wchar_t kMakerFormat[] = L"Copyright \u00A9 Pickwell Software %d";
constexpr wchar_t kWebAddress[] = L"www.zelpickwell.com";

constexpr COLORREF kNameColor = RGB(0x00, 0x53, 0x9C); // the image's header blue
constexpr int kTwipsPerPoint = 20;

UniqueFont PanelFont(int points, bool bold, short twipsPerPixelY) noexcept {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(points, kTwipsPerPoint, twipsPerPixelY > 0 ? twipsPerPixelY : 15);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, kFace, LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectW(&font));
}

SIZE TextSize(HDC hdc, const wchar_t* text, int length) noexcept {
    SIZE size{};
    ::GetTextExtentPoint32W(hdc, text, length, &size);
    return size;
}

void DrawBackground(HDC hdc, SIZE area) noexcept {
    // The image covers only the top left; the rest is the face of a form.
    const RECT all{0, 0, area.cx, area.cy};
    ::FillRect(hdc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    const sib::StaticImage image(kBackgroundImage);
    if (image)
        ::BitBlt(hdc, 0, 0, kBackgroundSize.cx, kBackgroundSize.cy, image.dc(), 0, 0, SRCCOPY);
}

void DrawProductName(HDC hdc, SIZE area, units::TwipsPerPixel tpp) noexcept {
    const UniqueFont font = PanelFont(kNamePoints, true, tpp.y);
    const SelectedObject selected(hdc, font.get());
    const int length = static_cast<int>(std::wcslen(kProductName));
    const SIZE text = TextSize(hdc, kProductName, length);
    ::SetTextColor(hdc, kNameColor);
    ::TextOutW(hdc, area.cx / 2 - text.cx / 2, units::pixelsFromTwips(kNameTop, tpp.y),
               kProductName, length);
}

// The version, maker and web address lines, each a little below the last.
void DrawLines(HDC hdc, units::TwipsPerPixel tpp, int year) noexcept {
    const ProductVersion version = ModuleVersion();
    wchar_t versionLine[48];
    std::swprintf(versionLine, std::size(versionLine), L"Version: %u.%u.%u", version.major,
                  version.minor, version.patch);
    wchar_t makerLine[96];
    std::swprintf(makerLine, std::size(makerLine), kMakerFormat, year);
    const wchar_t* const lines[] = {versionLine, makerLine, kWebAddress};

    const UniqueFont font = PanelFont(kLinePoints, false, tpp.y);
    const SelectedObject selected(hdc, font.get());
    ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNTEXT));
    const LONG left = units::pixelsFromTwips(kLinesLeft, tpp.x);
    LONG top = kLinesTop;
    for (const wchar_t* line : lines) {
        const int length = static_cast<int>(std::wcslen(line));
        ::TextOutW(hdc, left, units::pixelsFromTwips(top, tpp.y), line, length);
        top += TextSize(hdc, line, length).cy * tpp.y + kLineGap;
    }
}

} // namespace

void DrawProductPanel(HDC hdc, SIZE area, units::TwipsPerPixel tpp, int year) noexcept {
    if (!hdc) return;
    DrawBackground(hdc, area);
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    const COLORREF oldColor = ::GetTextColor(hdc);
    DrawProductName(hdc, area, tpp);
    DrawLines(hdc, tpp, year);
    ::SetTextColor(hdc, oldColor);
    ::SetBkMode(hdc, oldMode);
}

int CurrentYear() noexcept {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now.wYear;
}

} // namespace pkw::pages
