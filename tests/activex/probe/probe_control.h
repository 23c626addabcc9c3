// A small control built on the plumbing, for the plumbing's tests: it logs
// every hook into a log that outlives it, keeps a caption, a value, a byte
// array and a font, and offers the protected API to the tests.
#pragma once

#include "activex/dual_control.h"

#include "probe.h"

#include <functional>
#include <string>
#include <vector>

namespace pkw::test {

using Microsoft::WRL::ComPtr;

// Every hook of every probe, in order ("Initialize", "KeyDown 65 1", ...).
std::vector<std::wstring>& probeLog();
// What a probe saw when its InitProperties ran.
struct InitSnapshot {
    bool windowValid = false;
    bool userMode = false;
    std::wstring displayName;
    std::wstring fontName;
    LONG fontSizeCy = 0; // CY units: points × 10000
};

class Probe final : public ax::DualControl<ax::OleControl, IProbe> {
public:
    static const ax::ControlClass kClass;

    Probe();
    ~Probe() override;

    // IProbe
    STDMETHODIMP get_Caption(BSTR* value) override;
    STDMETHODIMP put_Caption(BSTR value) override;
    STDMETHODIMP get_Value(short* value) override;
    STDMETHODIMP put_Value(short value) override;
    STDMETHODIMP get_BackColor(OLE_COLOR* value) override;
    STDMETHODIMP put_BackColor(OLE_COLOR value) override;
    STDMETHODIMP get_Font(IFontDisp** value) override;
    STDMETHODIMP putref_Font(IFontDisp* value) override;
    STDMETHODIMP get_Data(VARIANT* value) override;
    STDMETHODIMP put_Data(VARIANT value) override;
    STDMETHODIMP Ask(short answer, LONG* result) override;

    // The protected API, for the tests.
    using OleControl::accessKeys;
    using OleControl::ambientDisplayName;
    using OleControl::ambientFont;
    using OleControl::ambientUserMode;
    using OleControl::backColor;
    using OleControl::enabled;
    using OleControl::extender;
    using OleControl::fireEvent;
    using OleControl::font;
    using OleControl::hdc;
    using OleControl::hwnd;
    using OleControl::isTerminating;
    using OleControl::propertyChanged;
    using OleControl::recordInfo;
    using OleControl::reportError;
    using OleControl::scaleHeightTwips;
    using OleControl::scaleWidthTwips;
    using OleControl::setAccessKeys;
    using OleControl::setBackColor;
    using OleControl::setEnabled;
    using OleControl::setHeightTwips;
    using OleControl::setMouseIcon;
    using OleControl::setMousePointer;
    using OleControl::setSizeTwips;
    using OleControl::setWidthTwips;
    using OleControl::twipsPerPixelX;
    using OleControl::twipsPerPixelY;

    const InitSnapshot& initSnapshot() const noexcept { return init_; }
    short value() const noexcept { return value_; }
    const std::wstring& caption() const noexcept { return caption_; }
    const std::vector<BYTE>& data() const noexcept { return data_; }
    ComPtr<IFontDisp> storedFont() const { return font_; }
    void setPaintColor(COLORREF color) noexcept { paintColor_ = color; }
    // Runs inside onTerminate (a re-entrant AddRef/Release, say).
    std::function<void(Probe&)> onTerminateAction;

protected:
    void* ownInterface(REFIID) noexcept override { return nullptr; }
    void onInitialize() override;
    void onInitProperties() override;
    HRESULT onReadProperties(ax::PropertyBag& bag) override;
    HRESULT onWriteProperties(ax::PropertyBag& bag) override;
    void onShow() override;
    void onHide() override;
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
    void onAmbientChanged(DISPID id) override;

private:
    void log(std::wstring entry);

    InitSnapshot init_;
    std::wstring caption_;
    short value_ = 0;
    std::vector<BYTE> data_;
    ComPtr<IFontDisp> font_;
    COLORREF paintColor_ = RGB(0, 128, 0);
};

// Event and key codes the probe reacts to.
constexpr DISPID kQueryEvent = 1;
constexpr DISPID kPingEvent = 2;
// KeyDown of this key raises Ping, then logs "KeyDown done" (after the
// handlers, on the same object).
constexpr short kPingKey = VK_F5;

} // namespace pkw::test
