#include "demo/effects_gallery.h"

#include "demo/gallery_support.h"
#include "host/effect_sets.h"
#include "host/form.h"
#include "host/input.h"
#include "host/library.h"
#include "host/message_loop.h"
#include "host/patterned_background.h"
#include "host/text.h"

#include <functional>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

namespace pkw::demo {
namespace {

using host::ComPtr;
using host::Site;

enum class State { Normal, Hot, Pressed, Disabled };
constexpr std::pair<const wchar_t*, State> kColumns[] = {
    {L"normal", State::Normal},
    {L"hot", State::Hot},
    {L"pressed", State::Pressed},
    {L"disabled", State::Disabled},
};

// One cell: a 150 x 28 body with 4 pixels of room for shadows.
constexpr LONG kBodyWidth = 150, kBodyHeight = 28, kRoom = 4;
constexpr LONG kCellWidth = kBodyWidth + kRoom, kCellHeight = kBodyHeight + kRoom;
constexpr LONG kGapX = 16, kGapY = 10, kLeft = 16, kTop = 34;
constexpr POINT kInside{40, 14};

// The turned control: a 110 x 30 body stood up in a square window.
constexpr LONG kTurnedLength = 110, kTurnedThickness = 30;

// The palette: a calm blue accent on light surfaces.
constexpr COLORREF kAccent = RGB(47, 128, 237);
constexpr COLORREF kAccentDeep = RGB(22, 82, 170);
constexpr COLORREF kAccentLight = RGB(226, 238, 253);
constexpr COLORREF kSurface = RGB(250, 251, 253);
constexpr COLORREF kInk = RGB(28, 36, 48);
constexpr COLORREF kMuted = RGB(150, 156, 166);
constexpr COLORREF kMutedSurface = RGB(236, 237, 240);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void Stops(IGradInfo* grad, std::initializer_list<std::pair<COLORREF, SHORT>> stops) {
    std::vector<GradStop> records;
    for (const auto& [colour, percent] : stops)
        records.push_back({LONG(colour), percent});
    grad->put_Count(LONG(records.size()));
    grad->SetStops(LONG(records.size()), records.data());
}

void BodyStops(IEffectSet* s, std::initializer_list<std::pair<COLORREF, SHORT>> stops) {
    ComPtr<IGradInfo> grad;
    if (SUCCEEDED(s->get_BodyGradInfo(&grad)) && grad) Stops(grad.Get(), stops);
}

void TextStops(IEffectSet* s, std::initializer_list<std::pair<COLORREF, SHORT>> stops) {
    ComPtr<IGradInfo> grad;
    if (SUCCEEDED(s->get_TextGradInfo(&grad)) && grad) Stops(grad.Get(), stops);
}

// What every look starts from in each state: a light surface with a thin
// border that takes the accent when hot and pressed; disabled is muted.
void Base(IEffectSet* s, State state) {
    s->put_BackStyle(0);
    s->put_Border(VARIANT_TRUE);
    s->put_TextAntiAlias(VARIANT_TRUE);
    s->put_ApplyImageShadow(VARIANT_FALSE);
    s->put_MarginLeft(3);
    s->put_MarginRight(3);
    s->put_TextForeColor(kInk);
    switch (state) {
    case State::Normal:
        s->put_BackColor(kSurface);
        s->put_BorderColor(RGB(196, 205, 218));
        break;
    case State::Hot:
        s->put_BackColor(kAccentLight);
        s->put_BorderColor(kAccent);
        break;
    case State::Pressed:
        s->put_BackColor(RGB(205, 224, 250));
        s->put_BorderColor(kAccentDeep);
        break;
    case State::Disabled:
        s->put_BackColor(kMutedSurface);
        s->put_BorderColor(RGB(210, 212, 216));
        s->put_TextForeColor(kMuted);
        break;
    }
}

bool Live(State state) {
    return state != State::Disabled;
}

ComPtr<IPictureDisp> BodyTexture() {
    // Fine diagonal linen.
    return PictureOf(6, 6, [](int x, int y) {
        return (x + y) % 6 == 0 ? 0xE4EAF2u : (x - y + 6) % 6 == 0 ? 0xEDF1F6u : 0xF7F9FCu;
    });
}

ComPtr<IPictureDisp> CaptionTexture() {
    // Warm stripes for the letters.
    return PictureOf(8, 8, [](int x, int y) { return (x + y) % 8 < 4 ? 0xF06A24u : 0xB8325Au; });
}

using Look = std::function<void(IEffectSet*, State)>;

struct Row {
    const wchar_t* caption;
    bool option; // NuOption40 instead of NuCheckBox40
    Look look;
};

const std::vector<Row>& Rows() {
    static const ComPtr<IPictureDisp> bodyTexture = BodyTexture();
    static const ComPtr<IPictureDisp> captionTexture = CaptionTexture();
    static const std::vector<Row> rows = {
        {L"Linear gradient", false,
         [](IEffectSet* s, State st) {
             if (!Live(st)) return;
             s->put_BackStyle(2);
             s->put_BodyGradientAngle(0);
             s->put_BodyGradientMode(0);
             const COLORREF top = st == State::Pressed ? RGB(214, 229, 250) : kWhite;
             const COLORREF bottom = st == State::Hot       ? RGB(200, 222, 252)
                                     : st == State::Pressed ? RGB(178, 206, 246)
                                                            : RGB(225, 233, 244);
             BodyStops(s, {{top, 0}, {bottom, 100}});
         }},
        {L"Radial gradient", false,
         [](IEffectSet* s, State st) {
             if (!Live(st)) return;
             s->put_BackStyle(3);
             s->put_BodyGradientMode(0);
             s->put_BodyGradientCalcMode(0);
             const COLORREF rim = st == State::Normal ? RGB(214, 236, 232)
                                  : st == State::Hot  ? RGB(170, 226, 214)
                                                      : RGB(132, 206, 190);
             BodyStops(s, {{kWhite, 0}, {rim, 100}});
         }},
        {L"Texture body", false,
         [](IEffectSet* s, State st) {
             if (!Live(st)) return;
             s->put_BackStyle(4);
             s->put_BodyTextureSizeMode(0);
             s->putref_BodyTexture(bodyTexture.Get());
         }},
        {L"Embossed body", false,
         [](IEffectSet* s, State st) {
             if (!Live(st)) return;
             s->put_BackColor(st == State::Pressed ? RGB(222, 226, 232) : RGB(236, 239, 243));
             s->put_ApplyBodyEmboss(VARIANT_TRUE);
             s->put_BodyEmbossDepth(st == State::Pressed ? 2 : 4);
             s->put_BodyEmbossAngle(st == State::Pressed ? 225 : 45);
             s->put_BodyEmbossSoftness(40);
             s->put_BodyEmbossHighlightColor(kWhite);
             s->put_BodyEmbossShadowColor(RGB(96, 108, 128));
             s->put_BodyEmbossAlpha(255);
         }},
        {L"Glow caption", false,
         [](IEffectSet* s, State st) {
             s->put_BackColor(st == State::Disabled ? RGB(70, 74, 82) : RGB(24, 32, 48));
             s->put_BorderColor(st == State::Hot ? RGB(90, 170, 255) : RGB(60, 72, 96));
             s->put_TextForeColor(Live(st) ? kWhite : RGB(140, 146, 156));
             if (!Live(st)) return;
             s->put_TextEnhancementMode(2);
             s->put_TextGlowColor(st == State::Pressed ? RGB(255, 170, 60) : RGB(80, 170, 255));
             s->put_TextGlowIntensity(st == State::Hot ? 8 : 5);
             s->put_TextGlowBlur(40);
         }},
        {L"Inner-shadow caption", false,
         [](IEffectSet* s, State st) {
             if (!Live(st)) return;
             s->put_TextEnhancementMode(1);
             s->put_TextForeColor(kAccent);
             s->put_TextInnerShadowColor(RGB(10, 30, 80));
             s->put_TextInnerShadowDistanceX(1);
             s->put_TextInnerShadowDistanceY(1);
             s->put_TextInnerShadowAlpha(160);
         }},
        {L"Gradient caption", false,
         [](IEffectSet* s, State st) {
             if (!Live(st)) return;
             s->put_TextEnhancementMode(3);
             s->put_TextGradientAngle(90);
             s->put_TextGradientMode(0);
             TextStops(s, {{st == State::Pressed ? RGB(160, 40, 140) : RGB(110, 60, 230), 0},
                           {RGB(20, 150, 220), 100}});
         }},
        {L"Texture caption", false,
         [](IEffectSet* s, State st) {
             if (!Live(st)) return;
             s->put_TextEnhancementMode(5);
             s->putref_TextTexture(captionTexture.Get());
         }},
        {L"Drop shadow", false,
         [](IEffectSet* s, State st) {
             s->put_ApplyDropShadow(Live(st) ? VARIANT_TRUE : VARIANT_FALSE);
             s->put_DropShadowColor(RGB(20, 40, 80));
             s->put_DropShadowAlpha(st == State::Pressed ? 60 : 110);
             s->put_DropShadowXDistance(st == State::Pressed ? 1 : 2);
             s->put_DropShadowYDistance(st == State::Pressed ? 1 : 3);
             s->put_DropShadowIntensity(30);
         }},
        {L"Half transparent", false,
         [](IEffectSet* s, State st) {
             s->put_BackColor(st == State::Disabled ? kMutedSurface : kWhite);
             s->put_Alpha(st == State::Hot ? 200 : 140);
         }},
        {L"Option: gradient", true,
         [](IEffectSet* s, State st) {
             if (!Live(st)) return;
             s->put_BackStyle(2);
             s->put_BodyGradientAngle(0);
             s->put_BodyGradientMode(0);
             BodyStops(s, {{kWhite, 0},
                           {st == State::Pressed ? RGB(178, 206, 246) : RGB(222, 232, 246), 100}});
         }},
        {L"Option: glow", true,
         [](IEffectSet* s, State st) {
             s->put_BackColor(st == State::Disabled ? RGB(70, 74, 82) : RGB(24, 32, 48));
             s->put_BorderColor(RGB(60, 72, 96));
             s->put_TextForeColor(Live(st) ? kWhite : RGB(140, 146, 156));
             if (!Live(st)) return;
             s->put_TextEnhancementMode(2);
             s->put_TextGlowColor(RGB(120, 230, 160));
             s->put_TextGlowBlur(40);
         }},
    };
    return rows;
}

RECT CellRect(int row, int column) {
    const LONG x = kLeft + column * (kCellWidth + kGapX);
    const LONG y = kTop + row * (kCellHeight + kGapY);
    return RECT{x, y, x + kCellWidth, y + kCellHeight};
}

// A control of the library with the effects look; every state's set made
// by `look` over the base.
ComPtr<Site> Place(host::Form& form, bool option, const wchar_t* caption, const RECT& rect,
                   const Look& look, LONG xRoom, LONG yRoom, SHORT rotation = 0) {
    ComPtr<IUnknown> control;
    const wchar_t* progId = option ? L"zelPickwell40.NuOption40" : L"zelPickwell40.NuCheckBox40";
    if (FAILED(host::createFromLibrary(host::besideProgram(L"zelPickwell40.ocx"), progId, control)))
        return nullptr;
    static int count = 0;
    ComPtr<Site> site = form.add(control.Get(), L"Fx" + std::to_wstring(++count), rect);
    if (!site) return nullptr;
    site->put(L"Caption", Variant::fromString(caption));
    // The body takes what the room for shadows (or for turning) leaves.
    site->put(L"ControlWidth", Variant::fromI4(rect.right - rect.left - xRoom));
    site->put(L"ControlHeight", Variant::fromI4(rect.bottom - rect.top - yRoom));
    site->put(L"XOffset", Variant::fromI4(xRoom));
    site->put(L"YOffset", Variant::fromI4(yRoom));
    site->put(L"VisualEffectStyle", Variant::fromI4(1));
    Variant sets;
    site->get(L"EffectsProps", sets);
    const auto states = host::EffectSetsOf(sets);
    for (std::size_t i = 0; i < states.size() && i < std::size(kColumns); ++i) {
        IEffectSet* s = states[i].Get();
        if (!s) continue;
        Base(s, kColumns[i].second);
        s->put_Rotation(rotation);
        look(s, kColumns[i].second);
    }
    site->put(L"Value", option ? Variant::fromBool(true) : Variant::fromI4(1));
    return site;
}

// Puts the control into the column's state; the returned step ends it.
std::function<void()> Enter(Site& site, State state) {
    switch (state) {
    case State::Normal:
        return [] {};
    case State::Hot:
        return Hover(site, kInside);
    case State::Pressed:
        return Press(site, kInside);
    case State::Disabled:
        site.put(L"Enabled", Variant::fromBool(false));
        return [] {};
    }
    return [] {};
}

} // namespace

std::wstring WriteEffectsGallery(const std::wstring& path) {
    const LONG columnsRight = CellRect(0, int(std::size(kColumns))).left;
    const LONG rows = LONG(Rows().size());
    host::Form::Options options;
    options.caption = L"Effects gallery";
    options.clientSize = {columnsRight + kTurnedLength + kLeft,
                          kTop + rows * (kCellHeight + kGapY) + 4};
    host::Form form(options);
    if (!form.hwnd()) return L"no window for the gallery";
    host::PatternedBackground pattern(form.hwnd());

    for (int c = 0; c < int(std::size(kColumns)); ++c) {
        const RECT cell = CellRect(0, c);
        Label(form.hwnd(), kColumns[c].first, RECT{cell.left + 4, 8, cell.right, 28});
    }
    Label(form.hwnd(), L"turned", RECT{columnsRight + 4, 8, columnsRight + kTurnedLength, 28});

    GalleryCells cells;
    for (int r = 0; r < rows; ++r) {
        const Row& row = Rows()[std::size_t(r)];
        for (int c = 0; c < int(std::size(kColumns)); ++c) {
            const RECT rect = CellRect(r, c);
            const ComPtr<Site> site =
                Place(form, row.option, row.caption, rect, row.look, kRoom, kRoom);
            if (!site) return L"the selection controls cannot be created from zelPickwell40.ocx";
            cells.capture(form, *site.Get(), rect,
                          [&] { return Enter(*site.Get(), kColumns[c].second); });
        }
    }
    // A quarter turn stands the control up: its window is as tall as the body
    // is long.
    const RECT turned{columnsRight + 30, kTop, columnsRight + 30 + kTurnedLength,
                      kTop + kTurnedLength};
    const auto gradient = Rows().front().look;
    const ComPtr<Site> up = Place(form, false, L"Turned 90\u00B0", turned, gradient, 0,
                                  kTurnedLength - kTurnedThickness, 2);
    if (!up) return L"the turned control cannot be created";
    host::pumpPending();

    return cells.save(form, path);
}

} // namespace pkw::demo
