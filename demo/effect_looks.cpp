#include "demo/effect_looks.h"

#include "demo/gallery_support.h"
#include "host/effect_sets.h"

#include <initializer_list>
#include <utility>

namespace pkw::demo {
namespace {

using host::ComPtr;

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

} // namespace

const std::vector<NamedLook>& EffectLooks() {
    static const ComPtr<IPictureDisp> bodyTexture = BodyTexture();
    static const ComPtr<IPictureDisp> captionTexture = CaptionTexture();
    static const std::vector<NamedLook> looks = {
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
    return looks;
}

const NamedLook* FindLook(std::wstring_view caption) {
    for (const NamedLook& l : EffectLooks())
        if (caption == l.caption) return &l;
    return nullptr;
}

void ApplyLook(host::Site& site, const RECT& rect, const Look& look, LONG xRoom, LONG yRoom,
               SHORT rotation) {
    // The body takes what the room for shadows (or for turning) leaves.
    site.put(L"ControlWidth", Variant::fromI4(rect.right - rect.left - xRoom));
    site.put(L"ControlHeight", Variant::fromI4(rect.bottom - rect.top - yRoom));
    site.put(L"XOffset", Variant::fromI4(xRoom));
    site.put(L"YOffset", Variant::fromI4(yRoom));
    site.put(L"VisualEffectStyle", Variant::fromI4(1));
    Variant sets;
    site.get(L"EffectsProps", sets);
    const auto states = host::EffectSetsOf(sets);
    for (std::size_t i = 0; i < states.size() && i < kStates; ++i) {
        IEffectSet* s = states[i].Get();
        if (!s) continue;
        const State state = State(i);
        Base(s, state);
        s->put_Rotation(rotation);
        look(s, state);
    }
}

} // namespace pkw::demo
