#include "tests/button/button_fixture.h"

#include "siblings/api/plain.h"

namespace pkw::test {
namespace {

struct Strip {
    LONG resource;
    SIZE frame;
    SIZE corner; // the map margins: corners are copied unscaled
    int frames;
};

constexpr COLORREF kMask = RGB(255, 0, 255);

std::optional<Strip> StripOf(int buttonStyle) {
    if (buttonStyle == 1) return Strip{1100, {18, 21}, {8, 9}, 8};
    if (buttonStyle == 2) return Strip{1496, {20, 23}, {4, 4}, 6};
    return std::nullopt;
}

// The strip's pixels as the resource server lends them to the library
// (the same DLL in this process), in the default colour scheme.
Image StripImage(const Strip& strip) {
    Image image(strip.frame.cx, strip.frame.cy * strip.frames);
    const HDC dc = sib::ResSrv().GetStaticResDc(strip.resource, 0);
    if (!dc) return Image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            image.at(x, y) = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    sib::ResSrv().ReleaseStaticResDc(dc);
    return image;
}

bool IsWindowCorner(int x, int y, int w, int h) {
    return (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
}

// Frame k's top-left and bottom-right corner pieces against the capture,
// leaving out the strip's masked pixels and the window's corner pixels.
bool CornersMatch(const Image& shown, const Image& strip, const Strip& s, int k) {
    const int w = shown.width(), h = shown.height();
    for (int cy = 0; cy < s.corner.cy; ++cy)
        for (int cx = 0; cx < s.corner.cx; ++cx) {
            const std::pair<POINT, POINT> pairs[] = {
                {{cx, cy}, {cx, k * s.frame.cy + cy}},
                {{w - 1 - cx, h - 1 - cy}, {s.frame.cx - 1 - cx, (k + 1) * s.frame.cy - 1 - cy}},
            };
            for (const auto& [at, from] : pairs) {
                const std::uint32_t source = strip.at(from.x, from.y);
                if (source == 0xFF00FF || IsWindowCorner(at.x, at.y, w, h)) continue;
                if (shown.at(at.x, at.y) != source) return false;
            }
        }
    return true;
}

} // namespace

PlacedButton ButtonTest::placeButton(const RECT& pixels, const AddOptions& options) {
    PlacedButton placed;
    placed.site = placeRegistrationFree(CLSID_BTN, L"Button1", pixels, options);
    if (!placed.site) return placed;
    const HRESULT hr = placed.site->control()->QueryInterface(
        IID__BTN, reinterpret_cast<void**>(placed.button.GetAddressOf()));
    if (FAILED(hr)) ADD_FAILURE() << "no _BTN: " << hexResult(hr);
    pumpPending();
    return placed;
}

PlacedButton ButtonTest::loadButton(IPropertyBag* bag, const RECT& pixels) {
    AddOptions options;
    options.init = AddOptions::Init::PropertyBag;
    options.bag = bag;
    return placeButton(pixels, options);
}

PlacedButton ButtonTest::loadButton(std::initializer_list<Setting> settings, const RECT& pixels) {
    const ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    for (const auto& [name, value] : settings)
        EXPECT_EQ(bag->set(name, value), S_OK) << narrow(name);
    return loadButton(bag.Get(), pixels);
}

std::vector<int> ButtonTest::framesShown(const PlacedButton& b, int buttonStyle) {
    const std::optional<Strip> strip = StripOf(buttonStyle);
    if (!strip) return {};
    const Image pixels = StripImage(*strip);
    const Image shown = captureControl(form(), *b.site.Get());
    std::vector<int> frames;
    if (pixels.empty() || shown.empty()) return frames;
    for (int k = 0; k < strip->frames; ++k)
        if (CornersMatch(shown, pixels, *strip, k)) frames.push_back(k);
    return frames;
}

bool ButtonTest::showsFrame(const PlacedButton& b, int buttonStyle, int frame) {
    return pumpUntil([&] { return framesShown(b, buttonStyle) == std::vector<int>{frame}; });
}

} // namespace pkw::test
