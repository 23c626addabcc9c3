// BTN: the library's private push button, placed by its own property
// pages and never offered to containers.
//
// The COM object joins the OLE control plumbing (OleControl), the dual
// interface _BTN of the library's private type library, and ISubclass,
// through which the subclassing library hands it the window messages it
// attached. Its state is one plain struct (ButtonState); the members are
// spread by concern over:
//   button_com.cpp          identity, dispatch, class description
//   button_properties.cpp   property procedures and methods
//   button_lifecycle.cpp    Initialize ... Terminate, the font, resizing
//   button_persistence.cpp  ReadProperties / WriteProperties
//   button_skin.cpp         the default skins and the frame of each state
//   button_drawing.cpp      layout, window region, DrawControl
//   button_messages.cpp     attached window messages, hover tracking
//   button_input.cpp        mouse, keyboard, access-key and focus input
#pragma once

#include "activex/dual_control.h"
#include "activex/event_sink.h"
#include "activex/ole_control.h"
#include "activex/subclassed.h"
#include "button/button_state.h"

#include "zelPickwell40Private.h"
#include "zelSCls40.h"

#include <vector>

namespace pkw::button {

class BTN final : public ax::DualControl<ax::OleControl, _BTN, ax::Subclassed> {
public:
    BTN();
    ~BTN() override;

    // _BTN
    STDMETHODIMP BeginUpdate() override;
    STDMETHODIMP EndUpdate() override;
    STDMETHODIMP get_BackColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_BackColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_Caption(BSTR* sCaption) override;
    STDMETHODIMP put_Caption(BSTR sCaption) override;
    STDMETHODIMP get_DisabledForeColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_DisabledForeColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* bEnabled) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL bEnabled) override;
    STDMETHODIMP get_Font(IFontDisp** oFont) override;
    STDMETHODIMP putref_Font(IFontDisp* oFont) override;
    STDMETHODIMP get_ForeColor(OLE_COLOR* oColor) override;
    STDMETHODIMP put_ForeColor(OLE_COLOR oColor) override;
    STDMETHODIMP get_hWnd(LONG* lHwnd) override;
    STDMETHODIMP get_TipText(BSTR* sText) override;
    STDMETHODIMP put_TipText(BSTR sText) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP ApplyDefaultLayout() override;
    STDMETHODIMP ApplyDefaultSkin() override;

protected:
    void* ownInterface(REFIID riid) noexcept override;
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
    void onGotFocus() override;
    void onLostFocus() override;
    void onAmbientChanged(DISPID id) override;

private:
    // --- Lifecycle (button_lifecycle.cpp) ----------------------------------
    void Resize();
    // Keeps `font` as m_Font and listens to its changes.
    void SetFontObject(ComPtr<IFontDisp> font);
    void m_Font_FontChanged();
    HRESULT SetFont(IFontDisp* oFont);
    void UpdateAccessKeys();

    // --- Skin (button_skin.cpp) ----------------------------------------------
    void LoadDefaultSkin();
    void ReleaseSkin();
    int GetSkinFrame() const;

    // --- Drawing (button_drawing.cpp) ----------------------------------------
    void DrawControl();
    void ApplyLayout(HDC hdc);
    void SetWindowRegion();
    void DrawBackground(HDC hdc);
    void DrawPicture(HDC hdc);
    void DrawCaption(HDC hdc);
    bool PressedOver() const { return state_.m_bMousePressed && state_.m_bHot; }
    // Sends WM_PAINT to the button's own window: it repaints at once.
    void RepaintNow();
    void CallUpdateParent();

    // --- Window messages (button_messages.cpp) --------------------------------
    void AttachMessages();
    void DetachMessages();
    bool ConsumesMessage(UINT message) const noexcept override;
    LRESULT HandleMessage(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;
    void HoverMove();
    void HoverTick();

    // --- Input (button_input.cpp) ---------------------------------------------
    void MouseDown(const MouseArgs& args);
    void MouseUp(const MouseArgs& args);

    // --- Persistence (button_persistence.cpp) ----------------------------------
    HRESULT ReadFont(const ax::PropertyBag& bag, IFontDisp* ambient);

    ButtonState state_;
    ax::PropertyChangeListener fontListener_;
};

} // namespace pkw::button
