// NuCheckBox40: the library's check box control.
//
// The COM object joins three faces: the OLE control plumbing (OleControl),
// the dual interface _NuCheckBox40 that containers and scripts call, and
// ISubclass, through which the subclassing library hands it the window
// messages it attached. Its state is one plain struct (CheckBoxState);
// the member functions are spread by concern over:
//   checkbox_com.cpp         identity, dispatch, class description
//   checkbox_properties.cpp  property procedures and methods
//   checkbox_lifecycle.cpp   Initialize ... Terminate, font and tool tip objects
//   checkbox_persistence.cpp ReadProperties / WriteProperties
//   checkbox_drawing.cpp     DrawControl, the standard drawing, the parent background
//   checkbox_effects.cpp     the effect sets of the states and of the tool tip
//   checkbox_skin.cpp        the glyph image
//   checkbox_messages.cpp    attaching window messages and handling them
//   checkbox_input.cpp       mouse, keyboard, access-key and focus input
//   checkbox_tip_timing.cpp  when the tool tip shows and hides while hovering
#pragma once

#include "activex/ole_control.h"
#include "checkbox/checkbox_state.h"
#include "activex/event_sink.h"
#include "common/com/hresult.h"
#include "persistence/control_block.h"

#include "zelPickwell40.h"

namespace pkw::checkbox {

class NuCheckBox40 final : public ax::OleControl,
                           public _NuCheckBox40,
                           public ISubclass,
                           private persist::KeyAccess {
public:
    NuCheckBox40();
    ~NuCheckBox40() override;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch (served from the type library)
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    // _NuCheckBox40
    STDMETHODIMP get_Alignment(NuAlignmentConstants* iAlignment) override;
    STDMETHODIMP put_Alignment(NuAlignmentConstants iAlignment) override;
    STDMETHODIMP get_BackColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_BackColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_BackStyle(NuBackStyleConstants* iStyle) override;
    STDMETHODIMP put_BackStyle(NuBackStyleConstants iStyle) override;
    STDMETHODIMP get_Caption(BSTR* sCaption) override;
    STDMETHODIMP put_Caption(BSTR sCaption) override;
    STDMETHODIMP get_UniCaption(BSTR* sCaption) override;
    STDMETHODIMP put_UniCaption(BSTR sCaption) override;
    STDMETHODIMP get_DrawFocusRectangle(VARIANT_BOOL* bDraw) override;
    STDMETHODIMP put_DrawFocusRectangle(VARIANT_BOOL bDraw) override;
    STDMETHODIMP get_DisabledForeColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_DisabledForeColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_EffectsProps(VARIANT* oSets) override;
    STDMETHODIMP put_EffectsProps(VARIANT oSets) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* bEnabled) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL bEnabled) override;
    STDMETHODIMP get_Font(IFontDisp** oFont) override;
    STDMETHODIMP put_Font(IFontDisp* oFont) override;
    STDMETHODIMP putref_Font(IFontDisp* oFont) override;
    STDMETHODIMP get_ForeColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_ForeColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_hdc(LONG* lHdc) override;
    STDMETHODIMP get_hWnd(LONG* lHwnd) override;
    STDMETHODIMP get_MouseIcon(IPictureDisp** oIcon) override;
    STDMETHODIMP putref_MouseIcon(IPictureDisp* oIcon) override;
    STDMETHODIMP get_MousePointer(NuMousePointerConstants* iPointer) override;
    STDMETHODIMP put_MousePointer(NuMousePointerConstants iPointer) override;
    STDMETHODIMP get_Picture(IPictureDisp** oPicture) override;
    STDMETHODIMP put_Picture(IPictureDisp* oPicture) override;
    STDMETHODIMP putref_Picture(IPictureDisp* oPicture) override;
    STDMETHODIMP get_PictureDisabled(IPictureDisp** oPicture) override;
    STDMETHODIMP put_PictureDisabled(IPictureDisp* oPicture) override;
    STDMETHODIMP putref_PictureDisabled(IPictureDisp* oPicture) override;
    STDMETHODIMP get_TipEffectsProps(VARIANT* oSets) override;
    STDMETHODIMP put_TipEffectsProps(VARIANT oSets) override;
    STDMETHODIMP get_TipAnimateSteps(short* iSteps) override;
    STDMETHODIMP put_TipAnimateSteps(short* iSteps) override;
    STDMETHODIMP get_TipPreTimer(float* sngSeconds) override;
    STDMETHODIMP put_TipPreTimer(float* sngSeconds) override;
    STDMETHODIMP get_TipPostTimer(float* sngSeconds) override;
    STDMETHODIMP put_TipPostTimer(float* sngSeconds) override;
    STDMETHODIMP get_TipShowMethod(NuTipShowMethodConstants* iMethod) override;
    STDMETHODIMP put_TipShowMethod(NuTipShowMethodConstants* iMethod) override;
    STDMETHODIMP get_TipHideMethod(NuTipHideMethodConstants* iMethod) override;
    STDMETHODIMP put_TipHideMethod(NuTipHideMethodConstants* iMethod) override;
    STDMETHODIMP get_UniToolTipText(BSTR* sText) override;
    STDMETHODIMP put_UniToolTipText(BSTR sText) override;
    STDMETHODIMP get_NuToolTipText(BSTR* sText) override;
    STDMETHODIMP put_NuToolTipText(BSTR* sText) override;
    STDMETHODIMP get_Value(NuCheckBoxValueConstants* iValue) override;
    STDMETHODIMP put_Value(NuCheckBoxValueConstants iValue) override;
    STDMETHODIMP get_ValueSetClick(VARIANT_BOOL* bClick) override;
    STDMETHODIMP put_ValueSetClick(VARIANT_BOOL bClick) override;
    STDMETHODIMP get_VisualEffectStyle(NuVisualEffectStyleConstants* iStyle) override;
    STDMETHODIMP put_VisualEffectStyle(NuVisualEffectStyleConstants iStyle) override;
    STDMETHODIMP get_ControlWidth(LONG* lWidth) override;
    STDMETHODIMP put_ControlWidth(LONG lWidth) override;
    STDMETHODIMP get_ControlHeight(LONG* lHeight) override;
    STDMETHODIMP put_ControlHeight(LONG lHeight) override;
    STDMETHODIMP get_XOffset(LONG* lOffset) override;
    STDMETHODIMP put_XOffset(LONG lOffset) override;
    STDMETHODIMP get_YOffset(LONG* lOffset) override;
    STDMETHODIMP put_YOffset(LONG lOffset) override;
    STDMETHODIMP About() override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP Redraw() override;
    STDMETHODIMP BeginUpdate() override;
    STDMETHODIMP EndUpdate() override;
    STDMETHODIMP ApplyCustomSkin() override;
    STDMETHODIMP ApplyDefaultSkin() override;

    // ISubclass
    STDMETHODIMP get_MsgResponse(LONG* response) override;
    STDMETHODIMP put_MsgResponse(LONG response) override;
    STDMETHODIMP WindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) override;

    IDispatch* dispatch() noexcept override { return static_cast<_NuCheckBox40*>(this); }

protected:
    void onInitialize() override;
    void onInitProperties() override;
    HRESULT onReadProperties(ax::PropertyBag& bag) override;
    HRESULT onWriteProperties(ax::PropertyBag& bag) override;
    void onShow() override;
    void onResize() override;
    void onPaint() override;
    void onTerminate() override;
    void onKeyDown(short keyCode, short shift) override;
    void onKeyPress(short keyAscii) override;
    void onKeyUp(short keyCode, short shift) override;
    void onAccessKeyPress(short keyAscii) override;
    void onDblClick() override;
    void onGotFocus() override;
    void onLostFocus() override;

private:
    // --- Lifecycle (checkbox_lifecycle.cpp) ------------------------------
    void Resize();
    // Keeps `font` as m_Font and listens to its changes.
    void SetFontObject(ComPtr<IFontDisp> font);
    void m_Font_FontChanged();
    void CreateToolTip();
    void ReleaseToolTip();
    HRESULT m_Tip_Event(DISPID id, DISPPARAMS* params);
    void UpdateAccessKeys();
    // The design-time "(Unicode Text)" rule for a text property.
    bool KeepsWideText(const std::wstring& current) const;

    // --- Properties (checkbox_properties.cpp) ----------------------------
    HRESULT SetFont(IFontDisp* oFont);
    HRESULT SetPicture(ComPtr<IPictureDisp>& member, IPictureDisp* picture, const wchar_t* name);
    HRESULT SetEffectSetArray(EffectSetArray& member, const VARIANT& sets);
    HRESULT RaiseClick();
    // Stores a setting that changes nothing on screen and tells the container.
    template <typename M, typename V>
    HRESULT StoreAndNotify(M& member, V value, const wchar_t* name) {
        member = static_cast<M>(value);
        propertyChanged(name);
        return S_OK;
    }
    // The same for a setter that takes its value by reference.
    template <typename M, typename V>
    HRESULT StoreAndNotifyFrom(M& member, const V* value, const wchar_t* name) {
        PKW_RETURN_HR_IF_NULL(E_POINTER, value);
        return StoreAndNotify(member, *value, name);
    }

    // --- Effect sets (checkbox_effects.cpp) -------------------------------
    bool HasEffectSets() const;
    HRESULT CreateEffectSets();
    HRESULT CreateTipEffectSet();
    ComPtr<IFontDisp> EffectFont() const;
    // Gives the state sets the control font's face (errors ignored).
    void CopyFontToEffectSets();

    // --- Skin (checkbox_skin.cpp) ------------------------------------------
    void LoadDefaultSkin();
    void LoadCustomSkin();
    void ReleaseSkin();
    // Borrows the built-in strip into the skin map (nothing released first).
    void LoadBuiltInSkin();
    // Raises QuerySkin with the skin map and takes the host's record back;
    // `answer` is what the host left in p.
    void QuerySkin(LONG lID, ComPtr<IDispatch>& answer);
    // Borrows the host's bitmap under its name; false when nothing was lent.
    bool LoadSkinFromPicture(LONG lID, const std::wstring& sImageName, HBITMAP hBitmap);

    // --- Drawing (checkbox_drawing.cpp) ------------------------------------
    void DrawControl();
    void DrawStandard();
    void DrawEffects();
    void DrawGlyphAndPicture(HDC hdc);
    void DrawCaption(HDC hdc);
    int GetGlyphIndex() const;
    int GetVisualState() const;
    bool NeedsParentBackground() const;
    void CaptureParentBackground(bool bUpdateParent = false, const RECT* rcArea = nullptr);
    HRESULT EnsureBackgroundDC();
    LONG PixelWidth() const;
    LONG PixelHeight() const;

    // --- Window messages (checkbox_messages.cpp) ----------------------------
    void AttachMessages();
    void DetachMessages();
    LRESULT HandleMessage(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    void PaintWindow();
    void WindowPosChanged(LPARAM lParam);

    // --- Input (checkbox_input.cpp) -----------------------------------------
    // A mouse event's arguments, as the window message gives them.
    struct MouseArgs {
        SHORT button = 0;
        SHORT shift = 0;
        float x = 0;
        float y = 0;
    };
    void MouseMessage(UINT iMsg, WPARAM wParam, LPARAM lParam);
    void MouseMoved(const MouseArgs& args);
    bool IsMouseOverWindow() const;
    // The hover timer's tick: stop hovering once the cursor is elsewhere.
    void HoverTick();
    void TrackMouseLeave();
    void StopHover();
    void Toggle();
    HRESULT RaiseMouseEvent(DISPID id, MouseArgs args);
    HRESULT RaiseKeyEvent(DISPID id, short keyCode, short shift);

    // --- Tool-tip timing (checkbox_tip_timing.cpp) ----------------------------
    void ArmToolTip();
    void TipTimingStep();
    void TipLeaveStep();
    void m_Tip_QueryPlacement(LONG& x, LONG& y, SHORT& xDisplay, SHORT& yDisplay,
                              VARIANT_BOOL& bCancel);

    // --- Persistence (checkbox_persistence.cpp) ------------------------------
    ComPtr<IFontDisp> defaultFont() override;
    HRESULT load(persist::Key key, const VARIANT& typed) override;
    HRESULT save(persist::Key key, Variant& typed) override;

    CheckBoxState state_;
    // The subclassing object the messages were attached through.
    ComPtr<IGlobalSubclass> subclass_;
    std::vector<UINT> attached_;
    ComPtr<ax::PropertyChangeSink> fontSink_;
    ax::Connection fontConnection_;
    ComPtr<ax::DispatchEventSink> tipSink_;
    ax::Connection tipConnection_;
};

} // namespace pkw::checkbox
