// NuMText40: the library's Unicode text box, placed by its property pages.
//
// The COM object joins four faces: the OLE control plumbing (OleControl),
// its dual interface _NuMText40, ISubclass (the messages of its window and
// of the wide-character edit window it owns) and _IPAO (the accelerator
// hook's question: does the text box want this key?). Its state is one
// plain struct (TextBoxState); the member functions are spread over:
//   textbox_com.cpp          identity, dispatch, class description
//   textbox_properties.cpp   property procedures and the EM* members
//   textbox_text.cpp         the text in and out, code pages, the font
//   textbox_lifecycle.cpp    Initialize ... Terminate, the timer object
//   textbox_persistence.cpp  ReadProperties (it writes nothing back)
//   textbox_edit_window.cpp  creating, placing and attaching the edit window
//   textbox_drawing.cpp      the frame, the colour and GDI caches
//   textbox_messages.cpp     the attached messages and the context menu
//   textbox_keys.cpp         the accelerator decision, soft tabs, delayed events
#pragma once

#include "activex/dual_control.h"
#include "activex/event_sink.h"
#include "activex/ole_control.h"
#include "activex/subclassed.h"
#include "common/com/com_ptr.h"
#include "common/com/hresult.h"
#include "textbox/colour_cache.h"
#include "textbox/textbox_state.h"

#include "zelPickwell40.h"
#include "zelPickwell40Private.h"
#include "zelSCls40.h"

#include <string>
#include <vector>

namespace pkw::textbox {

using Microsoft::WRL::ComPtr;

// The DISPIDs of __NuMText40.
namespace event {
inline constexpr DISPID kChange = 1;
inline constexpr DISPID kKeyDown = 2;
inline constexpr DISPID kKeyPress = 3;
inline constexpr DISPID kKeyUp = 4;
} // namespace event

class NuMText40 final : public ax::DualControl<ax::OleControl, _NuMText40, _IPAO, ax::Subclassed> {
public:
    NuMText40();
    ~NuMText40() override;

    // _NuMText40
    STDMETHODIMP get_Alignment(LONG* lAlignment) override;
    STDMETHODIMP put_Alignment(LONG lAlignment) override;
    STDMETHODIMP get_AutoHighLight(VARIANT_BOOL* bHighLight) override;
    STDMETHODIMP put_AutoHighLight(VARIANT_BOOL bHighLight) override;
    STDMETHODIMP get_BackColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_BackColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_BorderColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_BorderColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_CodePage(LONG* lCodePage) override;
    STDMETHODIMP put_CodePage(LONG lCodePage) override;
    STDMETHODIMP get_DisableContextMenu(VARIANT_BOOL* bDisable) override;
    STDMETHODIMP put_DisableContextMenu(VARIANT_BOOL bDisable) override;
    STDMETHODIMP get_DisableColumnChangeEvent(VARIANT_BOOL* bDisable) override;
    STDMETHODIMP put_DisableColumnChangeEvent(VARIANT_BOOL bDisable) override;
    STDMETHODIMP get_EMCanUndo(VARIANT_BOOL* bCan) override;
    STDMETHODIMP get_EMCanPaste(VARIANT_BOOL* bCan) override;
    STDMETHODIMP get_EMCanCut(VARIANT_BOOL* bCan) override;
    STDMETHODIMP get_EMCanCopy(VARIANT_BOOL* bCan) override;
    STDMETHODIMP get_EMCanDelete(VARIANT_BOOL* bCan) override;
    STDMETHODIMP EMCut() override;
    STDMETHODIMP EMCopy() override;
    STDMETHODIMP EMPaste() override;
    STDMETHODIMP EMDelete() override;
    STDMETHODIMP EMUndo() override;
    STDMETHODIMP get_EMGetCurrentColumn(LONG* lColumn) override;
    STDMETHODIMP get_EMGetCurrentLine(LONG* lLine) override;
    STDMETHODIMP get_EMGetFirstVisibleLine(LONG* lLine) override;
    STDMETHODIMP get_EMLineCount(LONG* lCount) override;
    STDMETHODIMP get_EMLineForCharacterIndex(LONG* lIndex, LONG* lLine) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* bEnabled) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL bEnabled) override;
    STDMETHODIMP get_Font(IFontDisp** oFont) override;
    STDMETHODIMP put_Font(IFontDisp* oFont) override;
    STDMETHODIMP putref_Font(IFontDisp* oFont) override;
    STDMETHODIMP get_ForeColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_ForeColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_HideSelection(VARIANT_BOOL* bHide) override;
    STDMETHODIMP put_HideSelection(VARIANT_BOOL bHide) override;
    STDMETHODIMP get_hWnd(LONG* lHwnd) override;
    STDMETHODIMP get_hWndEdit(LONG* lHwnd) override;
    STDMETHODIMP get_IgnoreChangeEvent(VARIANT_BOOL* bIgnore) override;
    STDMETHODIMP put_IgnoreChangeEvent(VARIANT_BOOL bIgnore) override;
    STDMETHODIMP get_IsDirty(VARIANT_BOOL* bDirty) override;
    STDMETHODIMP put_IsDirty(VARIANT_BOOL bDirty) override;
    STDMETHODIMP get_LeftMargin(short* iMargin) override;
    STDMETHODIMP put_LeftMargin(short iMargin) override;
    STDMETHODIMP get_Locked(VARIANT_BOOL* bLocked) override;
    STDMETHODIMP put_Locked(VARIANT_BOOL bLocked) override;
    STDMETHODIMP get_MaxLength(LONG* lLength) override;
    STDMETHODIMP put_MaxLength(LONG lLength) override;
    STDMETHODIMP get_PasswordChar(BSTR* sChar) override;
    STDMETHODIMP put_PasswordChar(BSTR sChar) override;
    STDMETHODIMP put_Redraw(VARIANT_BOOL bRedraw) override;
    STDMETHODIMP get_RightMargin(short* iMargin) override;
    STDMETHODIMP put_RightMargin(short iMargin) override;
    STDMETHODIMP get_RightToLeft(VARIANT_BOOL* bRightToLeft) override;
    STDMETHODIMP put_RightToLeft(VARIANT_BOOL bRightToLeft) override;
    STDMETHODIMP get_SelStart(LONG* lStart) override;
    STDMETHODIMP put_SelStart(LONG lStart) override;
    STDMETHODIMP get_SelLength(LONG* lLength) override;
    STDMETHODIMP put_SelLength(LONG lLength) override;
    STDMETHODIMP get_SelText(BSTR* sText) override;
    STDMETHODIMP put_SelText(BSTR sText) override;
    STDMETHODIMP get_Text(BSTR* sText) override;
    STDMETHODIMP put_Text(BSTR sText) override;
    STDMETHODIMP get_TrapTab(VARIANT_BOOL* bTrap) override;
    STDMETHODIMP put_TrapTab(VARIANT_BOOL bTrap) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP VarToUni(VARIANT* vValue, BSTR* sText) override;
    STDMETHODIMP UniToVar(BSTR sText, VARIANT* vValue) override;

    // _IPAO: the accelerator decision (textbox_keys.cpp)
    STDMETHODIMP TranslateAccelerator(LONG_PTR hWnd, LONG iMsg, LONG_PTR* wParam, LONG_PTR* lParam,
                                      short iKeyCode, LONG X, LONG* Y, LONG* time,
                                      LONG* lResult) override;

protected:
    void* ownInterface(REFIID riid) noexcept override;
    void onInitialize() override;
    void onInitProperties() override;
    HRESULT onReadProperties(ax::PropertyBag& bag) override;
    HRESULT onWriteProperties(ax::PropertyBag& bag) override;
    void onResize() override;
    void onPaint() override;
    void onTerminate() override;
    void onGotFocus() override;

private:
    // --- Text, code pages and font (textbox_text.cpp) ----------------------
    std::wstring ReadWindowText();
    HRESULT SetText(const std::wstring& text);
    void ChangeCodePage(LONG codePage);
    HRESULT SetFont(IFontDisp* oFont);
    // The font with the user's character set, for a new control.
    ComPtr<IFontDisp> DefaultFont() const;

    // --- Lifecycle (textbox_lifecycle.cpp) ---------------------------------
    void FinishLoading();
    void CreateTimer();
    void ReleaseTimer();
    void StartTimer(LONG milliseconds);
    void StopTimer();

    // --- The edit window (textbox_edit_window.cpp) ---------------------------
    void CreateEditWindow();
    void DestroyEditWindow();
    RECT LayoutEditWindow(bool updateWidth);
    void Resize();
    void AttachEditMessages();
    void DetachEditMessages();
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // EM_GETSEL's two ends.
    std::pair<LONG, LONG> Selection() const;

    // --- Drawing (textbox_drawing.cpp) ------------------------------------------
    void DrawFrame();
    void UpdateColors(bool skip, bool redraw);

    // --- Messages (textbox_messages.cpp) ----------------------------------------
    LRESULT ControlMessage(HWND self, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT EditMessage(UINT iMsg, WPARAM wParam, LPARAM lParam);
    // The edit window's messages, or the control's and its parent's.
    bool ConsumesMessage(UINT message) const noexcept override;
    LRESULT HandleMessage(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;
    void PaintControlWindow();
    // A tick of the hover timer: ends the hover once the cursor has left
    // the control and repaints the frame then.
    void HoverTick(HWND self);
    void ShowPopupMenu();
    void RunMenuCommand(UINT item);

    // --- Keys and delayed events (textbox_keys.cpp) ---------------------------
    void RequestEvent(PendingEvent code, LONG milliseconds);
    void DelayedEventTick();
    void InsertTab();
    void RaiseChange();

    TextBoxState state_;
    ColourCache colours_;
    // The font the control reports at run time (a clone of its own).
    ComPtr<IFontDisp> runtimeFont_;
    ComPtr<ITimer> timer_;
    ComPtr<ax::DispatchEventSink> timerSink_;
    ax::Connection timerConnection_;
    // GetWindowTextWide's buffer, allocated on first use and reused.
    std::vector<wchar_t> textBuffer_;
};

} // namespace pkw::textbox
