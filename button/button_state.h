// The state of one BTN: plain data, named as the button's documentation
// names its members. Everything starts as zero, False or none; the
// settings get their defaults from InitProperties or ReadProperties.
#pragma once

#include "activex/skin_map.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>

namespace pkw::button {

using Microsoft::WRL::ComPtr;

struct ButtonState {
    // Window and life.
    HWND m_hWnd = nullptr;
    bool m_bUserMode = false;
    bool m_bLoaded = false;
    bool m_bRedraw = false;
    bool m_bTerminating = false;
    bool m_bSubclassed = false;
    SHORT m_iTwipsPerPixelX = 0;
    SHORT m_iTwipsPerPixelY = 0;

    // Input.
    bool m_bHot = false;
    bool m_bMousePressed = false;
    bool m_bKeyPressed = false;
    bool m_bFocused = false;
    SHORT m_iMouseButton = 0;
    SHORT m_iMouseShift = 0;
    float m_sngMouseX = 0;
    float m_sngMouseY = 0;

    // Settings.
    std::wstring m_sCaption;
    std::wstring m_sTipText;
    OLE_COLOR m_oBackColor = 0;
    OLE_COLOR m_oForeColor = 0;
    OLE_COLOR m_oDisabledForeColor = 0;
    LONG m_lBackStyle = 0;
    LONG m_lButtonStyle = 0;
    bool m_bEnabled = false;
    ComPtr<IFontDisp> m_Font; // the button's own object: assignments copy into it
    ComPtr<IPictureDisp> m_Picture;
    ComPtr<IPictureDisp> m_PictureHover;
    ComPtr<IPictureDisp> m_PictureDisabled;
    SHORT m_iNuTheme = 0;

    // Size and layout, in pixels.
    LONG m_lWidth = 0;
    LONG m_lHeight = 0;
    RECT m_rcFocus{};
    RECT m_rcContent{};
    RECT m_rcCaption{};
    RECT m_rcPicture{};

    // Skin and window region.
    ax::SkinMap m_SkinMap;
    bool m_bCustomSkin = false;
    // The size the window's region was cut for (0 x 0: the window's own).
    SIZE m_RegionSize{};
};

} // namespace pkw::button
