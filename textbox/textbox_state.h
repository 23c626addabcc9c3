// Everything a NuMText40 keeps, as one plain struct: its settings, the edit
// window it owns and the bookkeeping of its delayed notifications.
#pragma once

#include "common/win/unique_handle.h"

#include <ocidl.h>
#include <windows.h>

#include <string>

namespace pkw::textbox {

// The delayed notification waiting on the timer object.
enum class PendingEvent : LONG {
    None = 0,
    PositionCheck = -22,
    TextChange = -23,
};

struct TextBoxState {
    // --- Settings --------------------------------------------------------
    LONG m_lAlignment = 0; // 0 left, 1 centre, 2 right; others left
    bool m_bAutoHighLight = false;
    OLE_COLOR m_oBackColor = 0x80000005;   // window
    OLE_COLOR m_oForeColor = 0x80000008;   // window text
    OLE_COLOR m_oBorderColor = 0x8000000F; // button face
    LONG m_lCodePage = 0;
    bool m_bDisableContextMenu = false;
    bool m_bDisableColumnChangeEvent = false;
    bool m_bHideSelection = true;
    bool m_bIgnoreChangeEvent = false;
    bool m_bLocked = false;
    bool m_bTrapTab = false;
    bool m_bEnabled = true;
    bool m_bRightToLeft = false;
    LONG m_lMaxLength = 0; // 0: no limit
    std::wstring m_sPasswordChar;
    short m_iMarginLeft = 2;
    short m_iMarginRight = 2;
    std::wstring m_sText;     // the text while no edit window holds it
    std::wstring m_sLastText; // the last text set through Text

    // --- Windows -----------------------------------------------------------
    UniqueWindow m_hWndEdit;     // the wide-character edit window
    HWND m_hWndCtl = nullptr;    // the control's own window
    HWND m_hWndParent = nullptr; // the edit window's parent when attached

    // --- Lifecycle and painting ------------------------------------------------
    bool m_bDesignMode = true;
    bool m_bLoaded = false;
    bool m_bRedraw = false;
    bool m_bMouseDown = false;
    bool m_bFocusByMouse = false;
    bool m_bHover = false;      // the hover timer runs
    bool m_bHoverPaint = false; // a repaint is due when the hover ends
    bool m_bResizing = false;
    WPARAM m_iLastKeyDown = 0;   // 0 after WM_KEYUP
    short m_iEditWidthTwips = 0; // the edit window's width, as last laid out

    // --- Delayed notifications ------------------------------------------------
    bool m_bEventPending = false;
    PendingEvent m_lPendingEvent = PendingEvent::None;
    LONG m_lLastLine = 0;
    LONG m_lLastLineCount = 0;
    LONG m_lLastColumn = 0;

    std::wstring m_sTabString = L"    ";
};

} // namespace pkw::textbox
