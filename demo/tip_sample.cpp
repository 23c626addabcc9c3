#include "demo/tip_sample.h"

#include "common/com/bstr.h"
#include "common/win/dib_section.h"
#include "common/win/unique_handle.h"
#include "host/capture.h"
#include "siblings/api/fx.h"
#include "siblings/api/loader.h"
#include "siblings/globals/tip_painter.h"
#include "siblings/globals/tip_style.h"
#include "zelGlobals40.h"

#include <olectl.h>
#include <wrl/client.h>

#include <algorithm>

namespace pkw::demo {
namespace {

using Microsoft::WRL::ComPtr;

constexpr int kWidth = 640, kHeight = 136;
constexpr int kZoom = 2;

ComPtr<IFontDisp> Font(int tenthsOfPoints, int weight) {
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(L"Tahoma"),
                  {},
                  SHORT(weight),
                  DEFAULT_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = LONGLONG(tenthsOfPoints) * 1000;
    ComPtr<IFontDisp> font;
    ::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&font));
    return font;
}

void Stops(IGradInfo* stops, COLORREF first, COLORREF second) {
    stops->put_Count(2);
    stops->put_GradColor(0, first);
    stops->put_GradPercent(0, 0);
    stops->put_GradColor(1, second);
    stops->put_GradPercent(1, 100);
}

// What every tip of the sheet shares: the tool-tip set's shape, both
// fonts, a soft drop shadow, smooth text.
ComPtr<IEffectSet> TipSet() {
    ComPtr<IEffectSet> set;
    if (FAILED(sib::CreateSiblingObject(L"zelGlobals40.dll", CLSID_EffectSet, IID_PPV_ARGS(&set))))
        return nullptr;
    set->put_Alpha(255);
    set->put_Border(VARIANT_TRUE);
    set->put_BorderWidth(1);
    set->put_Radius(10);
    set->put_TailLength(18);
    set->put_TailWidth(14);
    set->put_WordWrap(VARIANT_TRUE);
    set->put_FlexLimit(260);
    set->put_MarginLeft(12);
    set->put_MarginRight(12);
    set->put_MarginTop(9);
    set->put_MarginBottom(10);
    set->put_HeaderTextSeparation(6);
    set->put_TextAlpha(255);
    set->put_HeaderAlpha(255);
    set->put_TextAntiAlias(-1);
    set->put_HeaderAntiAlias(-1);
    set->putref_Font(Font(90, FW_NORMAL).Get());
    set->putref_HeaderFont(Font(100, FW_BOLD).Get());
    set->put_ApplyDropShadow(VARIANT_TRUE);
    set->put_DropShadowXDistance(2);
    set->put_DropShadowYDistance(3);
    set->put_DropShadowAlpha(90);
    set->put_DropShadowIntensity(50);
    set->put_BackStyle(2);
    set->put_BodyGradientMode(0);
    return set;
}

// A 16 x 16 "information" badge on the mask colour: a blue disc with a
// white letter i.
ComPtr<IPictureDisp> InfoBadge() {
    DibSection dib(16, 16);
    if (!dib.valid()) return nullptr;
    dib.fill(RGB(255, 0, 255));
    const UniqueBrush disc(::CreateSolidBrush(RGB(38, 110, 200)));
    const UniquePen rim(::CreatePen(PS_SOLID, 1, RGB(22, 70, 150)));
    {
        const SelectedObject brush(dib.dc(), disc.get());
        const SelectedObject pen(dib.dc(), rim.get());
        ::Ellipse(dib.dc(), 0, 0, 16, 16);
    }
    const UniqueBrush white(::CreateSolidBrush(RGB(255, 255, 255)));
    const RECT dot{7, 3, 9, 5}, stem{7, 6, 9, 13};
    ::FillRect(dib.dc(), &dot, white.get());
    ::FillRect(dib.dc(), &stem, white.get());
    ::GdiFlush();
    // The picture takes a bitmap of its own.
    PICTDESC desc{sizeof(PICTDESC), PICTYPE_BITMAP};
    desc.bmp.hbitmap = static_cast<HBITMAP>(::CopyImage(dib.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    ComPtr<IPictureDisp> picture;
    if (!desc.bmp.hbitmap ||
        FAILED(::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                          reinterpret_cast<void**>(picture.GetAddressOf())))) {
        if (desc.bmp.hbitmap) ::DeleteObject(desc.bmp.hbitmap);
        return nullptr;
    }
    return picture;
}

// Light: a pale blue wash, an information badge and a navy header with a
// faint white shadow under it.
ComPtr<IEffectSet> LightTip() {
    ComPtr<IEffectSet> set = TipSet();
    if (!set) return set;
    set->put_BorderColor(RGB(118, 146, 190));
    set->put_BodyGradientAngle(0);
    ComPtr<IGradInfo> stops;
    if (SUCCEEDED(set->get_BodyGradInfo(&stops)))
        Stops(stops.Get(), RGB(255, 255, 255), RGB(214, 228, 248));
    set->put_HeaderForeColor(RGB(22, 52, 110));
    set->put_ApplyHeaderShadow(VARIANT_TRUE);
    set->put_HeaderShadowColor(RGB(255, 255, 255));
    set->put_HeaderShadowAlpha(255);
    set->put_HeaderShadowDistanceX(0);
    set->put_HeaderShadowDistanceY(1);
    set->put_HeaderShadowIntensity(10);
    set->put_TextForeColor(RGB(40, 48, 64));
    if (const ComPtr<IPictureDisp> badge = InfoBadge()) {
        set->putref_HeaderImage(badge.Get());
        set->put_HeaderImageMaskColor(RGB(255, 0, 255));
        set->put_HeaderImageAlpha(255);
        set->put_HeaderImageAlignment(1);
    }
    return set;
}

// Dark: a slate body lit from above, a glowing header, pale text.
ComPtr<IEffectSet> DarkTip() {
    ComPtr<IEffectSet> set = TipSet();
    if (!set) return set;
    set->put_BorderColor(RGB(20, 26, 36));
    set->put_BodyGradientAngle(0);
    ComPtr<IGradInfo> stops;
    if (SUCCEEDED(set->get_BodyGradInfo(&stops)))
        Stops(stops.Get(), RGB(70, 84, 104), RGB(30, 36, 48));
    set->put_HeaderEnhancementMode(2);
    set->put_HeaderForeColor(RGB(255, 255, 255));
    set->put_HeaderGlowColor(RGB(90, 170, 255));
    set->put_HeaderGlowBlur(60);
    set->put_HeaderGlowIntensity(4);
    set->put_TextForeColor(RGB(214, 222, 234));
    set->put_DropShadowAlpha(120);
    return set;
}

// A form to stand on: a soft vertical wash with a fine grid, and a check
// box (glyph and caption) under each tip.
struct Target {
    POINT glyph; // top-left corner of the 13 x 13 glyph
    const wchar_t* caption;
    bool checked;
};

void PaintBackdrop(const DibSection& sheet, const Target (&targets)[2]) {
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            const int shade = 240 - y * 18 / sheet.height();
            const int v = shade - (x % 16 == 0 || y % 16 == 0 ? 7 : 0);
            sheet.at(x, y) =
                std::uint32_t(v - 6) << 16 | std::uint32_t(v - 2) << 8 | std::uint32_t(v);
        }
    ::GdiFlush();
    const UniqueBrush face(::CreateSolidBrush(RGB(255, 255, 255)));
    const UniqueBrush edge(::CreateSolidBrush(RGB(28, 81, 128)));
    const UniquePen tick(::CreatePen(PS_SOLID, 2, RGB(33, 161, 33)));
    const UniqueFont font(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    const HDC dc = sheet.dc();
    const SelectedObject selectedFont(dc, font.get());
    const SelectedObject selectedPen(dc, tick.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(30, 30, 30));
    for (const Target& t : targets) {
        const RECT box{t.glyph.x, t.glyph.y, t.glyph.x + 13, t.glyph.y + 13};
        ::FillRect(dc, &box, face.get());
        ::FrameRect(dc, &box, edge.get());
        if (t.checked) {
            const POINT points[] = {{box.left + 3, box.top + 6},
                                    {box.left + 5, box.top + 9},
                                    {box.left + 10, box.top + 3}};
            ::Polyline(dc, points, 3);
        }
        RECT text{box.right + 6, box.top - 2, box.right + 300, box.bottom + 2};
        ::DrawTextW(dc, t.caption, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

// The tip's premultiplied picture over the sheet, as the screen would
// blend its layered window.
void Lay(const DibSection& sheet, const globals::TipPicture& tip) {
    const SIZE size = tip.size();
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const int sx = tip.origin.x + x, sy = tip.origin.y + y;
            if (sx < 0 || sy < 0 || sx >= sheet.width() || sy >= sheet.height()) continue;
            const std::uint32_t p =
                tip.pixels()[std::size_t(y) * std::size_t(size.cx) + std::size_t(x)];
            const std::uint32_t a = p >> 24, under = sheet.at(sx, sy);
            std::uint32_t out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const std::uint32_t c =
                    (p >> shift & 0xFF) + ((under >> shift & 0xFF) * (255 - a) + 127) / 255;
                out |= std::min<std::uint32_t>(c, 255) << shift;
            }
            sheet.at(sx, sy) = out;
        }
}

} // namespace

TipSampleResult WriteTipSample(const std::wstring& path) {
    if (!sib::NewFxLayer()) return {false, L"zelFX40.dll is missing"};
    DibSection sheet(kWidth, kHeight);
    if (!sheet.valid()) return {false, L"no memory for the tool-tip sheet"};
    const Target targets[2] = {{{28, 22}, L"Remember me", true},
                               {{348, 22}, L"Sync in the background", false}};
    PaintBackdrop(sheet, targets);
    ::GdiFlush();

    const ComPtr<IEffectSet> sets[2] = {LightTip(), DarkTip()};
    const wchar_t* headers[2] = {L"Stay signed in", L"Background sync"};
    const wchar_t* captions[2] = {
        L"Keeps you signed in on this computer\nfor two weeks, until you sign out.",
        L"Changes reach your other devices\nwhile you keep working."};
    const RECT area{0, 0, kWidth, kHeight};
    for (int i = 0; i < 2; ++i) {
        if (!sets[i]) return {false, L"zelGlobals40.dll is missing"};
        const Bstr header(headers[i]);
        sets[i]->put_HeaderText(header.get());
        const globals::TipStyle style = globals::readTipStyle(sets[i].Get());
        // The tail points at the glyph's lower half, as the cursor would.
        const POINT point{targets[i].glyph.x + 9, targets[i].glyph.y + 11};
        const globals::TipPicture tip = globals::drawTip(
            style, globals::TipText{style.headerText, captions[i]}, point, 1, 1, area);
        if (!tip) return {false, L"the tip could not be drawn"};
        Lay(sheet, tip);
    }

    host::Image image(kWidth * kZoom, kHeight * kZoom);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.at(x, y) = sheet.at(x / kZoom, y / kZoom) & 0xFFFFFF;
    if (FAILED(image.savePng(path))) return {false, L"writing " + path + L" failed"};
    return {true, path};
}

} // namespace pkw::demo
