// Property procedures of the text box and its EM* members, each a message
// to the edit window (0 or empty without one).
#include "textbox/nu_mtext40.h"

#include <string>

namespace pkw::textbox {
namespace {

VARIANT_BOOL vb(bool value) noexcept {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

template <typename T, typename V>
HRESULT Give(T* out, V value) noexcept {
    if (!out) return E_POINTER;
    *out = static_cast<T>(value);
    return S_OK;
}

} // namespace

// A setting that changes nothing on screen: stored, then the container told.
#define PKW_TEXTBOX_FLAG(Name, member)                                                             \
    STDMETHODIMP NuMText40::get_##Name(VARIANT_BOOL* value) {                                      \
        return Give(value, vb(state_.member));                                                     \
    }                                                                                              \
    STDMETHODIMP NuMText40::put_##Name(VARIANT_BOOL value) {                                       \
        state_.member = value != VARIANT_FALSE;                                                    \
        propertyChanged(L## #Name);                                                                \
        return S_OK;                                                                               \
    }

PKW_TEXTBOX_FLAG(AutoHighLight, m_bAutoHighLight)
PKW_TEXTBOX_FLAG(DisableContextMenu, m_bDisableContextMenu)
PKW_TEXTBOX_FLAG(DisableColumnChangeEvent, m_bDisableColumnChangeEvent)
PKW_TEXTBOX_FLAG(IgnoreChangeEvent, m_bIgnoreChangeEvent)
PKW_TEXTBOX_FLAG(Locked, m_bLocked)
PKW_TEXTBOX_FLAG(RightToLeft, m_bRightToLeft)
PKW_TEXTBOX_FLAG(TrapTab, m_bTrapTab)

#undef PKW_TEXTBOX_FLAG

STDMETHODIMP NuMText40::get_Alignment(LONG* lAlignment) {
    return Give(lAlignment, state_.m_lAlignment);
}

STDMETHODIMP NuMText40::put_Alignment(LONG lAlignment) {
    return ax::guarded([&] {
        state_.m_lAlignment = lAlignment;
        CreateEditWindow();
        propertyChanged(L"Alignment");
        return S_OK;
    });
}

STDMETHODIMP NuMText40::get_HideSelection(VARIANT_BOOL* bHide) {
    return Give(bHide, vb(state_.m_bHideSelection));
}

STDMETHODIMP NuMText40::put_HideSelection(VARIANT_BOOL bHide) {
    return ax::guarded([&] {
        state_.m_bHideSelection = bHide != VARIANT_FALSE;
        // ES_NOHIDESEL is a creation style.
        if (state_.m_hWndEdit) CreateEditWindow();
        propertyChanged(L"HideSelection");
        return S_OK;
    });
}

STDMETHODIMP NuMText40::get_BackColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oBackColor);
}

STDMETHODIMP NuMText40::put_BackColor(OLE_COLOR oColor) {
    return setProperty(L"BackColor", state_.m_oBackColor, oColor, [&] {
        UpdateColors(false, true);
        DrawFrame();
    });
}

STDMETHODIMP NuMText40::get_ForeColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oForeColor);
}

STDMETHODIMP NuMText40::put_ForeColor(OLE_COLOR oColor) {
    return setProperty(L"ForeColor", state_.m_oForeColor, oColor,
                       [&] { UpdateColors(false, true); });
}

STDMETHODIMP NuMText40::get_BorderColor(OLE_COLOR* oColor) {
    return Give(oColor, state_.m_oBorderColor);
}

STDMETHODIMP NuMText40::put_BorderColor(OLE_COLOR oColor) {
    return setProperty(L"BorderColor", state_.m_oBorderColor, oColor, [&] { DrawFrame(); });
}

STDMETHODIMP NuMText40::get_Enabled(VARIANT_BOOL* bEnabled) {
    return Give(bEnabled, vb(state_.m_bEnabled));
}

STDMETHODIMP NuMText40::put_Enabled(VARIANT_BOOL bEnabled) {
    return setProperty(L"Enabled", state_.m_bEnabled, bEnabled != VARIANT_FALSE, [&] {
        setEnabled(state_.m_bEnabled);
        DrawFrame();
        UpdateColors(false, true);
    });
}

STDMETHODIMP NuMText40::get_MaxLength(LONG* lLength) {
    return Give(lLength, state_.m_lMaxLength);
}

STDMETHODIMP NuMText40::put_MaxLength(LONG lLength) {
    return setProperty(L"MaxLength", state_.m_lMaxLength, lLength,
                       [&] { Send(EM_LIMITTEXT, static_cast<WPARAM>(lLength)); });
}

STDMETHODIMP NuMText40::get_PasswordChar(BSTR* sChar) {
    if (!sChar) return E_POINTER;
    *sChar = ::SysAllocStringLen(state_.m_sPasswordChar.data(),
                                 static_cast<UINT>(state_.m_sPasswordChar.size()));
    return *sChar ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP NuMText40::put_PasswordChar(BSTR sChar) {
    return ax::guarded([&] {
        state_.m_sPasswordChar.assign(sChar ? sChar : L"", sChar ? ::SysStringLen(sChar) : 0);
        Send(EM_SETPASSWORDCHAR, state_.m_sPasswordChar.empty() ? 0 : state_.m_sPasswordChar[0]);
        if (state_.m_hWndEdit) ::InvalidateRect(state_.m_hWndEdit.get(), nullptr, TRUE);
        propertyChanged(L"PasswordChar");
        return S_OK;
    });
}

STDMETHODIMP NuMText40::get_LeftMargin(short* iMargin) {
    return Give(iMargin, state_.m_iMarginLeft);
}

STDMETHODIMP NuMText40::put_LeftMargin(short iMargin) {
    return ax::guarded([&] {
        state_.m_iMarginLeft = iMargin;
        CreateEditWindow();
        Resize();
        propertyChanged(L"MarginLeft");
        return S_OK;
    });
}

STDMETHODIMP NuMText40::get_RightMargin(short* iMargin) {
    return Give(iMargin, HIWORD(Send(EM_GETMARGINS)));
}

STDMETHODIMP NuMText40::put_RightMargin(short iMargin) {
    state_.m_iMarginRight = iMargin;
    Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
         MAKELONG(static_cast<WORD>(state_.m_iMarginLeft), static_cast<WORD>(iMargin)));
    propertyChanged(L"MarginRight");
    return S_OK;
}

STDMETHODIMP NuMText40::put_Redraw(VARIANT_BOOL bRedraw) {
    state_.m_bRedraw = bRedraw != VARIANT_FALSE;
    DrawFrame();
    return S_OK;
}

STDMETHODIMP NuMText40::Refresh() {
    DrawFrame();
    return S_OK;
}

STDMETHODIMP NuMText40::get_hWnd(LONG* lHwnd) {
    return Give(lHwnd, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd())));
}

STDMETHODIMP NuMText40::get_hWndEdit(LONG* lHwnd) {
    return Give(lHwnd, static_cast<LONG>(reinterpret_cast<LONG_PTR>(state_.m_hWndEdit.get())));
}

STDMETHODIMP NuMText40::get_IsDirty(VARIANT_BOOL* bDirty) {
    return Give(bDirty, vb(Send(EM_GETMODIFY) != 0));
}

STDMETHODIMP NuMText40::put_IsDirty(VARIANT_BOOL bDirty) {
    Send(EM_SETMODIFY, bDirty != VARIANT_FALSE);
    return S_OK;
}

// --- Selection ----------------------------------------------------------------

STDMETHODIMP NuMText40::get_SelStart(LONG* lStart) {
    return Give(lStart, Selection().first);
}

STDMETHODIMP NuMText40::put_SelStart(LONG lStart) {
    Send(EM_SETSEL, static_cast<WPARAM>(lStart), lStart);
    return S_OK;
}

STDMETHODIMP NuMText40::get_SelLength(LONG* lLength) {
    const auto [start, end] = Selection();
    return Give(lLength, end - start);
}

STDMETHODIMP NuMText40::put_SelLength(LONG lLength) {
    const LONG start = Selection().first;
    Send(EM_SETSEL, static_cast<WPARAM>(start), start + lLength);
    return S_OK;
}

STDMETHODIMP NuMText40::get_SelText(BSTR* sText) {
    if (!sText) return E_POINTER;
    *sText = nullptr;
    return ax::guarded([&] {
        const std::wstring text = ReadWindowText();
        const auto [start, end] = Selection();
        std::wstring part;
        if (start >= 0 && end > start && static_cast<std::size_t>(start) < text.size())
            part =
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
        *sText = ::SysAllocStringLen(part.data(), static_cast<UINT>(part.size()));
        return *sText ? S_OK : E_OUTOFMEMORY;
    });
}

STDMETHODIMP NuMText40::put_SelText(BSTR sText) {
    const LRESULT canUndo = Send(EM_CANUNDO);
    Send(EM_REPLACESEL, canUndo != 0, reinterpret_cast<LPARAM>(sText ? sText : L""));
    return S_OK;
}

// --- Edit operations ------------------------------------------------------------

STDMETHODIMP NuMText40::get_EMCanUndo(VARIANT_BOOL* bCan) {
    return Give(bCan, vb(Send(EM_CANUNDO) != 0));
}

STDMETHODIMP NuMText40::get_EMCanPaste(VARIANT_BOOL* bCan) {
    return Give(bCan, vb(::IsClipboardFormatAvailable(CF_TEXT) != 0));
}

STDMETHODIMP NuMText40::get_EMCanCut(VARIANT_BOOL* bCan) {
    const auto [start, end] = Selection();
    return Give(bCan, vb(end - start >= 1));
}

STDMETHODIMP NuMText40::get_EMCanCopy(VARIANT_BOOL* bCan) {
    return get_EMCanCut(bCan);
}

STDMETHODIMP NuMText40::get_EMCanDelete(VARIANT_BOOL* bCan) {
    return get_EMCanCut(bCan);
}

STDMETHODIMP NuMText40::EMCut() {
    Send(WM_CUT);
    return S_OK;
}

STDMETHODIMP NuMText40::EMCopy() {
    Send(WM_COPY);
    return S_OK;
}

STDMETHODIMP NuMText40::EMPaste() {
    Send(WM_PASTE);
    return S_OK;
}

STDMETHODIMP NuMText40::EMDelete() {
    Send(WM_CLEAR);
    return S_OK;
}

STDMETHODIMP NuMText40::EMUndo() {
    Send(WM_UNDO);
    return S_OK;
}

// --- Lines and columns --------------------------------------------------------

STDMETHODIMP NuMText40::get_EMGetCurrentColumn(LONG* lColumn) {
    if (!lColumn) return E_POINTER;
    POINT caret{};
    ::GetCaretPos(&caret);
    const LRESULT at = Send(EM_CHARFROMPOS, 0, MAKELPARAM(caret.x, caret.y));
    *lColumn = static_cast<LONG>(LOWORD(at)) - static_cast<LONG>(Send(EM_LINEINDEX, WPARAM(-1)));
    return S_OK;
}

STDMETHODIMP NuMText40::get_EMGetCurrentLine(LONG* lLine) {
    LONG start = Selection().first;
    return get_EMLineForCharacterIndex(&start, lLine);
}

STDMETHODIMP NuMText40::get_EMGetFirstVisibleLine(LONG* lLine) {
    return Give(lLine, Send(EM_GETFIRSTVISIBLELINE));
}

STDMETHODIMP NuMText40::get_EMLineCount(LONG* lCount) {
    return Give(lCount, Send(EM_GETLINECOUNT));
}

STDMETHODIMP NuMText40::get_EMLineForCharacterIndex(LONG* lIndex, LONG* lLine) {
    if (!lIndex) return E_POINTER;
    return Give(lLine, Send(EM_LINEFROMCHAR, static_cast<WPARAM>(*lIndex)));
}

} // namespace pkw::textbox
