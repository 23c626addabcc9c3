#include "demo/fx_samples.h"

#include "demo/gallery_support.h"

#include "common/com/bstr.h"
#include "common/win/dib_section.h"
#include "common/win/unique_handle.h"
#include "host/capture.h"
#include "siblings/api/fx.h"
#include "siblings/api/loader.h"
#include "zelGlobals40.h"

#include <olectl.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace pkw::demo {
namespace {

using Microsoft::WRL::ComPtr;

// A body the size the library draws a check box at, with the key colour
// the drawing fills it with where nothing is.
constexpr int kBodyWidth = 150, kBodyHeight = 26;
constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kSteel = RGB(127, 157, 185); // the effect sets' border colour
// The sheet: two columns of labelled tiles, enlarged for looking at.
constexpr int kLabelWidth = 110, kTileWidth = 200, kTileHeight = 58, kColumns = 2;
constexpr int kZoom = 2;

BSTR NoUndo() {
    static const Bstr label(L"No Undo");
    return label.get();
}

// The glyph: a small check box, ticked.
void DrawGlyph(HDC dc, int x, int y) {
    const RECT box{x, y, x + 13, y + 13};
    const UniqueBrush frame(::CreateSolidBrush(RGB(28, 81, 128)));
    ::FillRect(dc, &box, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::FrameRect(dc, &box, frame.get());
    const UniquePen tick(::CreatePen(PS_SOLID, 2, RGB(33, 161, 33)));
    const SelectedObject pen(dc, tick.get());
    const POINT points[] = {{x + 3, y + 6}, {x + 5, y + 9}, {x + 10, y + 3}};
    ::Polyline(dc, points, 3);
}

UniqueFont CaptionFont(int height, int weight) {
    return UniqueFont(::CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                    DEFAULT_PITCH, L"Tahoma"));
}

// The body as the controls build it: key colour, a fill, a border, the
// glyph and (drawn by GDI) the caption.
ComPtr<IFxLayer> Body(COLORREF fill, bool caption) {
    DibSection dib(kBodyWidth, kBodyHeight);
    dib.fill(kKey);
    const RECT inner{0, 0, kBodyWidth, kBodyHeight};
    const UniqueBrush brush(::CreateSolidBrush(fill));
    ::FillRect(dib.dc(), &inner, brush.get());
    const UniqueBrush border(::CreateSolidBrush(kSteel));
    ::FrameRect(dib.dc(), &inner, border.get());
    DrawGlyph(dib.dc(), 4, (kBodyHeight - 13) / 2);
    if (caption) {
        const UniqueFont font = CaptionFont(13, FW_BOLD);
        const SelectedObject selected(dib.dc(), font.get());
        ::SetBkMode(dib.dc(), TRANSPARENT);
        ::SetTextColor(dib.dc(), RGB(20, 40, 90));
        RECT text{22, 0, kBodyWidth, kBodyHeight};
        ::DrawTextW(dib.dc(), L"Pickwell 40", -1, &text, DT_VCENTER | DT_SINGLELINE);
    }
    ComPtr<IFxLayer> layer = sib::NewFxLayer();
    if (!layer || FAILED(layer->LoadFromDC(dib.dc(), 0, 0, kBodyWidth, kBodyHeight)) ||
        FAILED(layer->SetTransparentColor(kKey)))
        return nullptr;
    return layer;
}

// A see-through body with one operation applied.
struct OperationSample {
    const wchar_t* label;
    void (*apply)(IFxLayer* layer);
};

const OperationSample kOperations[] = {
    {L"as loaded", [](IFxLayer*) {}},
    {L"BlurLayer 8", [](IFxLayer* l) { l->BlurLayer(8, NoUndo()); }},
    {L"BlurLayer 60", [](IFxLayer* l) { l->BlurLayer(60, NoUndo()); }},
    {L"SoftenLayer 100", [](IFxLayer* l) { l->SoftenLayer(100, NoUndo()); }},
    {L"Emboss",
     [](IFxLayer* l) {
         l->Emboss(2, 45, 100, RGB(60, 60, 60), 160, RGB(255, 255, 255), 220, NoUndo());
     }},
    {L"DropShadow 3,3", [](IFxLayer* l) { l->DropShadow(3, 3, 0, 127, 45, NoUndo()); }},
    {L"InnerShadow", [](IFxLayer* l) { l->InnerShadow(2, 2, 0, 160, 30, NoUndo()); }},
    {L"Glow", [](IFxLayer* l) { l->Glow(RGB(255, 160, 0), 5, 60, NoUndo()); }},
    {L"InvertColors", [](IFxLayer* l) { l->InvertColors(RGB(255, 255, 255), 255, NoUndo()); }},
    {L"DetectEdges", [](IFxLayer* l) { l->DetectEdges(NoUndo()); }},
    {L"SetLayerAlpha 110", [](IFxLayer* l) { l->SetLayerAlpha(110, NoUndo()); }},
    {L"Rotate 180", [](IFxLayer* l) { l->Rotate(180, NoUndo()); }},
    {L"Rotate 8", [](IFxLayer* l) { l->Rotate(8, NoUndo()); }},
    {L"linear gradient (body)",
     [](IFxLayer* l) {
         l->ClearGradientStops();
         l->AddGradientStop(RGB(255, 255, 255), 0, 255);
         l->AddGradientStop(kSteel, 100, 255);
         l->DrawLinearGradient(2, 0, NoUndo());
     }},
    {L"radial gradient (body)",
     [](IFxLayer* l) {
         l->ClearGradientStops();
         l->AddGradientStop(RGB(255, 250, 200), 0, 255);
         l->AddGradientStop(RGB(230, 120, 40), 100, 255);
         l->DrawRadialGradient(2, 0, 0, 0, 0, NoUndo());
     }},
};

// Text modes, from an effect set with the settings the library starts with.
ComPtr<IEffectSet> TextSettings() {
    ComPtr<IEffectSet> set;
    if (FAILED(sib::CreateSiblingObject(L"zelGlobals40.dll", CLSID_EffectSet, IID_PPV_ARGS(&set))))
        return nullptr;
    set->put_TextAntiAlias(-1);
    set->put_TextAlpha(255);
    set->put_TextForeColor(RGB(255, 255, 255));
    set->put_BackColor(kSteel);
    set->put_TextGlowColor(RGB(255, 0, 0));
    set->put_TextGlowBlur(125);
    set->put_TextGlowIntensity(5);
    set->put_TextInnerShadowAlpha(127);
    set->put_TextInnerShadowDistanceX(2);
    set->put_TextInnerShadowDistanceY(2);
    set->put_TextInnerShadowIntensity(45);
    set->put_TextInnerForeColor(RGB(255, 255, 255));
    set->put_TextGradientMode(2);
    set->put_TextGradientAngle(90);
    set->put_TextGradientCalcMode(2);
    ComPtr<IGradInfo> stops;
    if (SUCCEEDED(set->get_TextGradInfo(&stops))) {
        stops->put_Count(2);
        stops->put_GradColor(0, RGB(255, 230, 0));
        stops->put_GradPercent(0, 0);
        stops->put_GradColor(1, RGB(200, 0, 0));
        stops->put_GradPercent(1, 100);
    }
    return set;
}

// A small picture of diagonal stripes, for the texture mode.
ComPtr<IPictureDisp> Stripes() {
    return PictureOf(8, 8, [](int x, int y) { return (x + y) % 8 < 4 ? 0xFFD040u : 0x3060FFu; });
}

struct TextSample {
    const wchar_t* label;
    LONG mode;
    void (*extra)(IEffectSet* set);
};

const TextSample kTextModes[] = {
    {L"text 0 plain", 0, [](IEffectSet* s) { s->put_TextForeColor(RGB(20, 40, 90)); }},
    {L"text 0 + shadow", 0,
     [](IEffectSet* s) {
         s->put_TextForeColor(RGB(255, 255, 255));
         s->put_ApplyTextShadow(-1);
         s->put_TextShadowDistanceX(1);
         s->put_TextShadowDistanceY(2);
         s->put_TextShadowAlpha(160);
         s->put_TextShadowIntensity(20);
     }},
    {L"text 0 + emboss", 0,
     [](IEffectSet* s) {
         s->put_TextForeColor(kSteel);
         s->put_ApplyTextEmboss(-1);
         s->put_TextEmbossDepth(2);
         s->put_TextEmbossAngle(45);
         s->put_TextEmbossSoftness(100);
         s->put_TextEmbossAlpha(255);
         s->put_TextEmbossHighlightColor(RGB(255, 255, 255));
         s->put_TextEmbossShadowColor(RGB(30, 50, 80));
     }},
    {L"text 1 inner shadow", 1,
     [](IEffectSet* s) {
         // Caption strokes are two pixels wide: a tight shadow keeps them white.
         s->put_TextInnerStyle(1);
         s->put_TextInnerShadowIntensity(10);
     }},
    {L"text 2 glow", 2, [](IEffectSet* s) { s->put_TextForeColor(RGB(255, 255, 255)); }},
    {L"text 3 linear", 3, nullptr},
    {L"text 4 radial", 4, nullptr},
    {L"text 5 texture", 5,
     [](IEffectSet* s) {
         const ComPtr<IPictureDisp> picture = Stripes();
         s->putref_TextTexture(picture.Get());
     }},
};

ComPtr<IFxLayer> TextOnBody(const TextSample& sample) {
    const ComPtr<IEffectSet> set = TextSettings();
    ComPtr<IFxLayer> body = Body(kSteel, false), text = sib::NewFxLayer();
    if (!set || !body || !text) return nullptr;
    if (sample.extra) sample.extra(set.Get());
    set->put_TextEnhancementMode(sample.mode);
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(L"Tahoma"),
                  {},
                  FW_BOLD,
                  DEFAULT_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    desc.cySize.int64 = 100000; // points, in ten-thousandths
    ComPtr<IFontDisp> font;
    ComPtr<IDispatch> settings;
    const Bstr caption(L"Pickwell 40");
    if (FAILED(::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&font))) || FAILED(set.As(&settings)) ||
        FAILED(text->BuildTextLayer(settings.Get(), nullptr, font.Get(), caption.get(), 0, 0, 0)))
        return nullptr;
    // Placed as the layout places a caption: its content beside the glyph,
    // centred on the body's height.
    LONG dx = 0, dy = 0, h = 0, extra = 0;
    text->get_ShadowOffsetX(&dx);
    text->get_ShadowOffsetY(&dy);
    text->get_Height(&h);
    text->get_ShadowExtraHeight(&extra);
    body->PasteLayer(text.Get(), 22 - dx, kBodyHeight / 2 - (h - extra) / 2 - dy, NoUndo());
    return body;
}

struct Sheet {
    DibSection dib;
    int next = 0;

    // The next tile's place: its label, then the layer rendered with its
    // content's top-left corner a little inside the tile.
    void Add(const wchar_t* label, IFxLayer* layer) {
        const int column = next % kColumns, row = next / kColumns;
        ++next;
        const int x = column * (kLabelWidth + kTileWidth), y = row * kTileHeight;
        RECT text{x + 6, y, x + kLabelWidth, y + kTileHeight};
        ::DrawTextW(dib.dc(), label, -1, &text, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        if (!layer) {
            ::TextOutW(dib.dc(), x + kLabelWidth, y + 20, L"(failed)", 8);
            return;
        }
        POINT old{};
        ::SetViewportOrgEx(dib.dc(), x + kLabelWidth + 14, y + 16, &old);
        layer->RenderToDC(dib.dc(), SRCCOPY, -1);
        ::SetViewportOrgEx(dib.dc(), old.x, old.y, nullptr);
    }
};

} // namespace

SamplesResult WriteEffectSamples(const std::wstring& path) {
    if (!sib::NewFxLayer()) return {false, L"zelFX40.dll is missing"};
    const int count = int(std::size(kOperations) + std::size(kTextModes));
    const int rows = (count + kColumns - 1) / kColumns;
    Sheet sheet{DibSection(kColumns * (kLabelWidth + kTileWidth), rows * kTileHeight)};
    if (!sheet.dib.valid()) return {false, L"no memory for the sample sheet"};
    sheet.dib.fill(::GetSysColor(COLOR_BTNFACE));
    const UniqueFont labels = CaptionFont(11, FW_NORMAL);
    const SelectedObject selected(sheet.dib.dc(), labels.get());
    ::SetBkMode(sheet.dib.dc(), TRANSPARENT);

    for (const OperationSample& sample : kOperations) {
        const ComPtr<IFxLayer> layer = Body(RGB(235, 240, 248), true);
        if (layer) sample.apply(layer.Get());
        sheet.Add(sample.label, layer.Get());
    }
    for (const TextSample& sample : kTextModes)
        sheet.Add(sample.label, TextOnBody(sample).Get());

    ::GdiFlush();
    const DibSection& dib = sheet.dib;
    host::Image image(dib.width() * kZoom, dib.height() * kZoom);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.at(x, y) = dib.at(x / kZoom, y / kZoom) & 0xFFFFFF;
    const HRESULT hr = image.savePng(path);
    if (FAILED(hr)) return {false, L"writing " + path + L" failed"};
    return {true, path};
}

} // namespace pkw::demo
