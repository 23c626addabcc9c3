// TipStyle: what the tip's window needs of an effect set, read once per show
// into plain values (colours already translated to COLORREF).
//
//   TipStyle          the values, with the tool-tip set's defaults
//   readTipStyle(set) reads a set; a null set gives the defaults
//
// Every TailStyle and Style value draws the same balloon with a straight-
// sided tail; a TailLength or TailWidth under 2 draws none. The text effects
// of the drawing (gradients, emboss, glow, textures, images) are not the tip's.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

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
    // Null: the system's message font.
    Microsoft::WRL::ComPtr<IFont> font;
    Microsoft::WRL::ComPtr<IFont> headerFont;
};

TipStyle readTipStyle(IEffectSet* set);

} // namespace pkw::globals
