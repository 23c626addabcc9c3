// The core of the library's selection controls (the check box and the
// option button): everything they share, written once.
//
// A control derives through DualFace<its dual interface> (dual_face.h),
// which gives it its COM identity and routes the shared members of its
// interface here; the control itself adds its value, the rules by which
// the user changes it, and its traits (events, glyph strip, key orders).
// The state is one plain struct (SelectionState); the member functions
// are spread by concern over:
//   selection_properties.cpp  property procedures and methods
//   selection_lifecycle.cpp   Initialize ... Terminate, font and tool tip objects
//   selection_persistence.cpp ReadProperties / WriteProperties
//   selection_drawing.cpp     DrawControl, the standard drawing, the parent background
//   selection_effects_drawing.cpp  the effects look (layers of the effects engine)
//   selection_effects.cpp     the effect sets of the states and of the tool tip
//   selection_skin.cpp        the glyph image
//   selection_messages.cpp    attaching window messages and handling them
//   selection_input.cpp       mouse, keyboard, access-key and focus input
//   selection_tip_timing.cpp  when the tool tip shows and hides while hovering
#pragma once

#include "activex/subclassed.h"
#include "activex/ole_control.h"
#include "activex/event_sink.h"
#include "selection/caption_layout.h"
#include "selection/effect_look.h"
#include "selection/premultiplied_strip.h"
#include "selection/selection_state.h"
#include "selection/selection_traits.h"
#include "common/com/hresult.h"
#include "common/win/paint_buffer.h"
#include "persistence/control_block.h"

#include "zelPickwell40.h"

namespace pkw::selection {

class SelectionControl : public ax::OleControl, public ax::Subclassed, private persist::KeyAccess {
public:
    explicit SelectionControl(const SelectionTraits& traits);
    ~SelectionControl() override;

    // The members of the dual interface that every selection control has
    // (DualFace routes its interface's entries here).
    STDMETHODIMP get_Alignment(NuAlignmentConstants* iAlignment);
    STDMETHODIMP put_Alignment(NuAlignmentConstants iAlignment);
    STDMETHODIMP get_BackColor(OLE_COLOR* oColor);
    STDMETHODIMP put_BackColor(OLE_COLOR oColor);
    STDMETHODIMP get_BackStyle(NuBackStyleConstants* iStyle);
    STDMETHODIMP put_BackStyle(NuBackStyleConstants iStyle);
    STDMETHODIMP get_Caption(BSTR* sCaption);
    STDMETHODIMP put_Caption(BSTR sCaption);
    STDMETHODIMP get_UniCaption(BSTR* sCaption);
    STDMETHODIMP put_UniCaption(BSTR sCaption);
    STDMETHODIMP get_DrawFocusRectangle(VARIANT_BOOL* bDraw);
    STDMETHODIMP put_DrawFocusRectangle(VARIANT_BOOL bDraw);
    STDMETHODIMP get_DisabledForeColor(OLE_COLOR* oColor);
    STDMETHODIMP put_DisabledForeColor(OLE_COLOR oColor);
    STDMETHODIMP get_EffectsProps(VARIANT* oSets);
    STDMETHODIMP put_EffectsProps(VARIANT oSets);
    STDMETHODIMP get_Enabled(VARIANT_BOOL* bEnabled);
    STDMETHODIMP put_Enabled(VARIANT_BOOL bEnabled);
    STDMETHODIMP get_Font(IFontDisp** oFont);
    STDMETHODIMP put_Font(IFontDisp* oFont);
    STDMETHODIMP putref_Font(IFontDisp* oFont);
    STDMETHODIMP get_ForeColor(OLE_COLOR* oColor);
    STDMETHODIMP put_ForeColor(OLE_COLOR oColor);
    STDMETHODIMP get_hdc(LONG* lHdc);
    STDMETHODIMP get_hWnd(LONG* lHwnd);
    STDMETHODIMP get_MouseIcon(IPictureDisp** oIcon);
    STDMETHODIMP putref_MouseIcon(IPictureDisp* oIcon);
    STDMETHODIMP get_MousePointer(NuMousePointerConstants* iPointer);
    STDMETHODIMP put_MousePointer(NuMousePointerConstants iPointer);
    STDMETHODIMP get_Picture(IPictureDisp** oPicture);
    STDMETHODIMP put_Picture(IPictureDisp* oPicture);
    STDMETHODIMP putref_Picture(IPictureDisp* oPicture);
    STDMETHODIMP get_PictureDisabled(IPictureDisp** oPicture);
    STDMETHODIMP put_PictureDisabled(IPictureDisp* oPicture);
    STDMETHODIMP putref_PictureDisabled(IPictureDisp* oPicture);
    STDMETHODIMP get_TipEffectsProps(VARIANT* oSets);
    STDMETHODIMP put_TipEffectsProps(VARIANT oSets);
    STDMETHODIMP get_TipAnimateSteps(short* iSteps);
    STDMETHODIMP put_TipAnimateSteps(short* iSteps);
    STDMETHODIMP get_TipPreTimer(float* sngSeconds);
    STDMETHODIMP put_TipPreTimer(float* sngSeconds);
    STDMETHODIMP get_TipPostTimer(float* sngSeconds);
    STDMETHODIMP put_TipPostTimer(float* sngSeconds);
    STDMETHODIMP get_TipShowMethod(NuTipShowMethodConstants* iMethod);
    STDMETHODIMP put_TipShowMethod(NuTipShowMethodConstants* iMethod);
    STDMETHODIMP get_TipHideMethod(NuTipHideMethodConstants* iMethod);
    STDMETHODIMP put_TipHideMethod(NuTipHideMethodConstants* iMethod);
    STDMETHODIMP get_UniToolTipText(BSTR* sText);
    STDMETHODIMP put_UniToolTipText(BSTR sText);
    STDMETHODIMP get_NuToolTipText(BSTR* sText);
    STDMETHODIMP put_NuToolTipText(BSTR* sText);
    STDMETHODIMP get_ValueSetClick(VARIANT_BOOL* bClick);
    STDMETHODIMP put_ValueSetClick(VARIANT_BOOL bClick);
    STDMETHODIMP get_VisualEffectStyle(NuVisualEffectStyleConstants* iStyle);
    STDMETHODIMP put_VisualEffectStyle(NuVisualEffectStyleConstants iStyle);
    STDMETHODIMP get_ControlWidth(LONG* lWidth);
    STDMETHODIMP put_ControlWidth(LONG lWidth);
    STDMETHODIMP get_ControlHeight(LONG* lHeight);
    STDMETHODIMP put_ControlHeight(LONG lHeight);
    STDMETHODIMP get_XOffset(LONG* lOffset);
    STDMETHODIMP put_XOffset(LONG lOffset);
    STDMETHODIMP get_YOffset(LONG* lOffset);
    STDMETHODIMP put_YOffset(LONG lOffset);
    STDMETHODIMP About();
    STDMETHODIMP Refresh();
    STDMETHODIMP Redraw();
    STDMETHODIMP BeginUpdate();
    STDMETHODIMP EndUpdate();
    STDMETHODIMP ApplyCustomSkin();
    STDMETHODIMP ApplyDefaultSkin();

protected:
    void onInitialize() override;
    void onInitProperties() override;
    HRESULT onReadProperties(ax::PropertyBag& bag) override;
    HRESULT onWriteProperties(ax::PropertyBag& bag) override;
    void onShow() override;
    void onResize() override;
    void onPaint() override;
    // Every paint is composed off screen and covers the window.
    bool paintsWholeWindow() const noexcept override { return true; }
    void onTerminate() override;
    void onKeyDown(short keyCode, short shift) override;
    void onKeyPress(short keyAscii) override;
    void onKeyUp(short keyCode, short shift) override;
    void onAccessKeyPress(short keyAscii) override;
    void onDblClick() override;
    void onGotFocus() override;
    void onLostFocus() override;

    // --- What each control supplies -------------------------------------------
    enum class UserInput { LeftButton, OtherButton, Space, AccessKey };
    // The user changes the value by `input` (a release over the control, the
    // space bar coming up, the access key): the new value, the redraw and
    // Click. `armed`: the press started on the control.
    virtual void UserAction(UserInput input, bool armed) = 0;
    // The glyph row of the value (frame = row * 4 + look); a negative row
    // draws frame 0.
    virtual int GlyphValue() const = 0;
    // The control's own persisted keys (its value and what goes with it).
    virtual HRESULT loadValue(persist::Key key, const VARIANT& typed) = 0;
    virtual HRESULT saveValue(persist::Key key, Variant& typed) = 0;

    // --- For the controls ---------------------------------------------------------
    void DrawControl();
    HRESULT RaiseClick();
    const SelectionTraits& traits() const noexcept { return traits_; }

    SelectionState state_;

private:
    // --- Lifecycle (selection_lifecycle.cpp) ------------------------------
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

    // --- Properties (selection_properties.cpp) ----------------------------
    HRESULT SetFont(IFontDisp* oFont);
    HRESULT SetPicture(ComPtr<IPictureDisp>& member, IPictureDisp* picture, const wchar_t* name);
    HRESULT SetEffectSetArray(EffectSetArray& member, const VARIANT& sets);
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

    // --- Effect sets (selection_effects.cpp) -------------------------------
    bool HasEffectSets() const;
    HRESULT CreateEffectSets();
    HRESULT CreateTipEffectSet();
    ComPtr<IFontDisp> EffectFont() const;
    // Gives the state sets the control font's face (errors ignored).
    void CopyFontToEffectSets();

    // --- Skin (selection_skin.cpp) ------------------------------------------
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

    // --- Drawing (selection_drawing.cpp) ------------------------------------
    void DrawStandard();
    void DrawEffects();
    void DrawGlyphAndPicture(HDC hdc);
    // The glyph of the current value and look at (x, y): the strip's frame,
    // or without a strip the plain box of that size (GlyphSize).
    void DrawGlyph(HDC hdc, LONG x, LONG y);
    SIZE GlyphSize() const;
    // The frame from the built-in strip in one blend (its masked copy is
    // shared); false for a host's strip, which the caller draws itself.
    bool DrawBuiltInGlyph(HDC hdc, LONG x, LONG y, LONG w, LONG h, LONG srcY);
    void DrawCaption(HDC hdc);
    // The caption's width and height wrapped within `bounds`, measured only
    // when the caption, the font or the bounds changed.
    SIZE MeasureCaption(HDC hdc, HFONT font, const RECT& bounds);
    int GetGlyphIndex() const;
    int GetVisualState() const;
    bool NeedsParentBackground() const;
    void CaptureParentBackground(bool bUpdateParent = false, const RECT* rcArea = nullptr);
    HRESULT EnsureBackgroundDC();
    LONG PixelWidth() const;
    LONG PixelHeight() const;

    // --- Effects drawing (selection_effects_drawing.cpp) ------------------------
    // The effects look composed and shown; a failure leaves the window's image.
    HRESULT ComposeEffects();
    // The current state's image and caption layers, built again only when
    // what they show changed since that state last drew.
    void PrepareLayers(IEffectSet* set, const EffectLook& look, StateDrawing& kept);
    // Lays the image and caption layers out on the body.
    void PlaceLayers(const EffectLook& look, LONG bodyWidth, LONG bodyHeight);
    // The body without its glyph, painted once per state and then copied.
    HRESULT PaintBackground(const EffectLook& look, DibSection& body, StateDrawing& kept);

    // --- Window messages (selection_messages.cpp) ----------------------------
    void AttachMessages();
    void DetachMessages();
    bool ConsumesMessage(UINT message) const noexcept override;
    LRESULT HandleMessage(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;
    void PaintWindow();
    void WindowPosChanged(LPARAM lParam);

    // --- Input (selection_input.cpp) -----------------------------------------
    void MouseMessage(UINT iMsg, WPARAM wParam, LPARAM lParam);
    void MouseMoved(const MouseArgs& args);
    bool IsMouseOverWindow() const;
    // The hover timer's tick: stop hovering once the cursor is elsewhere.
    void HoverTick();
    void TrackMouseLeave();
    void StopHover();

    // --- Tool-tip timing (selection_tip_timing.cpp) ----------------------------
    void ArmToolTip();
    void TipTimingStep();
    void TipLeaveStep();
    void m_Tip_QueryPlacement(LONG& x, LONG& y, SHORT& xDisplay, SHORT& yDisplay,
                              VARIANT_BOOL& bCancel);

    // --- Persistence (selection_persistence.cpp) ------------------------------
    ComPtr<IFontDisp> defaultFont() override;
    // The container's font, asked once for a whole load or save (every
    // font key's default is that font).
    class AmbientFontForPersistence {
    public:
        explicit AmbientFontForPersistence(SelectionControl& control);
        ~AmbientFontForPersistence();
        AmbientFontForPersistence(const AmbientFontForPersistence&) = delete;
        AmbientFontForPersistence& operator=(const AmbientFontForPersistence&) = delete;

    private:
        SelectionControl& control_;
    };
    ComPtr<IFontDisp> persistenceFont_;
    HRESULT load(persist::Key key, const VARIANT& typed) override;
    HRESULT save(persist::Key key, Variant& typed) override;

    const SelectionTraits& traits_;
    // The subclassing object the messages were attached through.
    ax::PropertyChangeListener fontListener_;
    ComPtr<ax::DispatchEventSink> tipSink_;
    ax::Connection tipConnection_;
    CaptionLayout captionLayout_;
    PremultipliedStrip glyphs_; // the built-in strip, while it is the skin
    // Keeps the thread's paint bitmap while the control lives.
    PaintScratchUser paintScratch_;
};

} // namespace pkw::selection
