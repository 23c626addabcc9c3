// The state that every selection control keeps: plain data, named as the control's
// documentation names its members. Every value starts as zero, False or
// none, which is also each persisted key's default unless InitProperties
// or ReadProperties says otherwise.
#pragma once

#include "activex/skin_map.h"
#include "zelGlobals40.h"
#include "zelSCls40.h"
#include "zelFX40.h"
#include "common/win/dib_section.h"
#include "common/win/unique_handle.h"
#include "selection/effects_cache.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace pkw::selection {

using Microsoft::WRL::ComPtr;

// The glyph image (a strip of frames) and how it was obtained.
using SkinMap = ax::SkinMap;

// EffectsProps / TipEffectsProps: an array of effect-set objects as the
// caller gave it (its lower bound kept).
struct EffectSetArray {
    LONG lowerBound = 0;
    std::vector<ComPtr<IDispatch>> items;

    bool empty() const noexcept { return items.empty(); }
    LONG upperBound() const noexcept { return lowerBound + static_cast<LONG>(items.size()) - 1; }
    // The set at array index `index` as IEffectSet, or null.
    ComPtr<IEffectSet> at(LONG index) const;
    void clear() noexcept { items.clear(), lowerBound = 0; }
};

// The value and what goes with it are each control's own.
struct SelectionState {
    // Window and life.
    HWND m_hWnd = nullptr;
    bool m_bSubclassed = false;
    bool m_bTerminating = false;
    bool m_bSizing = false;
    bool m_bInitialized = false;
    bool m_bRedraw = false;
    SHORT m_iTwipsPerPixelX = 0;
    SHORT m_iTwipsPerPixelY = 0;

    // Input (set by the input handlers).
    bool m_bHover = false;
    bool m_bArmed = false;
    bool m_bKeyPressed = false;
    bool m_bAccessKeyDown = false;
    bool m_bHasFocus = false;

    // Properties.
    LONG m_lAlignment = 0;
    std::wstring m_sCaption;
    LONG m_lBackStyle = 0;
    OLE_COLOR m_oBackColor = 0;
    OLE_COLOR m_oDisabledForeColor = 0;
    OLE_COLOR m_oForeColor = 0;
    bool m_bDrawFocusRectangle = false;
    bool m_bEnabled = false;
    ComPtr<IPictureDisp> m_Picture;
    ComPtr<IPictureDisp> m_PictureDisabled;
    bool m_bValueSetClick = false;
    LONG m_lVisualEffectStyle = 0;
    LONG m_lControlWidth = 0;
    LONG m_lControlHeight = 0;
    LONG m_lXOffset = 0;
    LONG m_lYOffset = 0;
    std::wstring m_sNuToolTipText;
    ComPtr<IFontDisp> m_Font;

    // Effects and tool tip.
    EffectSetArray m_EffectsProps;
    EffectSetArray m_TipEffectsProps;
    float m_sngTipPreTimer = 0;
    float m_sngTipPostTimer = 0;
    LONG m_lTipShowMethod = 0;
    LONG m_lTipHideMethod = 0;
    SHORT m_iTipAnimateSteps = 0;
    bool m_bTipInitialized = false;
    bool m_bTipShown = false;
    bool m_bTipPending = false;
    bool m_bTipCancelled = false;
    float m_sngTipTime = 0;
    LONG m_lTipX = 0;
    LONG m_lTipY = 0;
    ComPtr<IToolTip> m_Tip;

    // Drawing.
    SkinMap m_SkinMap;
    bool m_bCustomSkin = false;
    LONG m_lPictureWidth = 0;
    LONG m_lPictureHeight = 0;
    ComPtr<IMemDC> m_BackgroundDC;

    // The effects look's layers: the body is kept from paint to paint (and
    // dropped with the effects look); the image and the caption are the
    // current state's, built when what they show changed, at the places the
    // layout chose.
    ComPtr<IFxLayer> m_BodyLayer;
    ComPtr<IFxLayer> m_ImageLayer;
    ComPtr<IFxLayer> m_TextLayer;
    RECT m_rcImage{};
    RECT m_rcText{};
    EffectsScratch m_EffectsScratch; // kept while the effects look lasts
};

} // namespace pkw::selection
