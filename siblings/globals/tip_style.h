// TipStyle: what the tip's window needs of an effect set, read once per show
// into plain values (colours already translated to COLORREF).
//
//   TipStyle          the values, with the tool-tip set's defaults
//   readTipStyle(set) reads a set; a null set gives the defaults
//
// Every TailStyle and Style value draws the same balloon with a straight-
// sided tail; a TailLength or TailWidth under 2 draws none. The body's fill
// and finish are read here (TipBodyLook); the header's and the caption's
// styles the effects engine reads from the set itself (TipStyle::settings).
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

struct IEffectSet;

namespace pkw::globals {

enum class TipAlign { Left, Centre, Right };

struct TipShadow {
    bool on = false;
    int dx = 3;
    int dy = 3;
    COLORREF color = RGB(0, 0, 0);
    BYTE alpha = 127;
    int softness = 4; // pixels over which the shadow's edge fades out
};

struct TipGradientStop {
    COLORREF color = 0;
    int percent = 0;
};

struct TipEmboss {
    bool on = false;
    int depth = 2;
    int angle = 45;
    int softness = 100;
    COLORREF shadow = RGB(0x7F, 0x9D, 0xB9);
    COLORREF highlight = RGB(0x7F, 0x9D, 0xB9);
    BYTE alpha = 255;
};

// The body as the effects look fills and finishes it. BackStyle: 1 no fill
// (what is behind shows through), 2 linear gradient, 3 radial gradient,
// 4 texture (when there is one); every value but 1 lays BackColor first.
struct TipBodyLook {
    int backStyle = 0;
    int gradientMode = 0; // 0 the first two stops, 2 all, other: the engine's ramp
    std::vector<TipGradientStop> stops;
    int gradientAngle = 0;
    int gradientCalcMode = 2;
    int gradientX = 0, gradientY = 0, gradientRadius = 20;
    int gradientBlur = 0;
    Microsoft::WRL::ComPtr<IPicture> texture;
    int textureSizeMode = 0;
    int bodyBlur = 0;
    int bodySoften = 0;
    TipEmboss emboss;
    // The whole body with its text.
    int blur = 0;
    int soften = 0;
};

// A picture beside a line kind: the set's Image beside the caption, its
// HeaderImage beside the header (left of it, or right with HeaderImageOnRight).
struct TipImageLook {
    Microsoft::WRL::ComPtr<IPicture> picture; // null: no image
    COLORREF mask = RGB(255, 0, 255);         // pixels of this colour are left out
    BYTE alpha = 255;
    int blur = 0;
    int soften = 0;
    bool shadow = false;
    int shadowDx = 2, shadowDy = 2;
    COLORREF shadowColor = RGB(0, 0, 0);
    BYTE shadowAlpha = 127;
    int shadowIntensity = 65;
    // Measure the image with its shadow on that axis (else by the picture alone).
    bool excludeX = true, excludeY = true;
    int alignment = 1; // on its line: 0 top, 1 centred, 2 bottom
    bool onRight = false;
};

struct TipStyle {
    COLORREF back = RGB(255, 255, 255);
    COLORREF border = RGB(0x7F, 0x9D, 0xB9);
    COLORREF text = RGB(0, 0, 0);
    COLORREF header = RGB(0, 0, 0);
    int borderWidth = 1; // 0: no border
    int radius = 12;
    int tailLength = 20;
    int tailWidth = 12;
    bool wordWrap = true;
    int flexLimit = 240;
    RECT margins{}; // left, top, right, bottom
    BYTE alpha = 255;
    int captionIndent = 0;
    TipAlign captionAlign = TipAlign::Left;
    std::wstring headerText;
    int headerIndent = 0;
    int headerSeparation = 0;
    TipAlign headerAlign = TipAlign::Left;
    TipShadow shadow;
    TipBodyLook body;
    TipImageLook image;
    TipImageLook headerImage;
    // The set itself: the engine reads the header's and the caption's text
    // styles from it by name. Null: plain black text.
    Microsoft::WRL::ComPtr<IDispatch> settings;
    // Null: the system's message font.
    Microsoft::WRL::ComPtr<IFont> font;
    Microsoft::WRL::ComPtr<IFont> headerFont;
};

TipStyle readTipStyle(IEffectSet* set);

} // namespace pkw::globals
