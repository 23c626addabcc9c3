#include "probe_control.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/win/unique_handle.h"
#include "host/value_text.h"

#include <olectl.h>

#include <array>

namespace pkw::test {
namespace {

const CLSID* const kPages[] = {&CLSID_StdFont};

std::wstring fontName(IFontDisp* font) {
    ComPtr<IFont> f;
    Bstr name;
    if (!font || FAILED(font->QueryInterface(IID_PPV_ARGS(&f))) || FAILED(f->get_Name(name.put())))
        return {};
    return name.str();
}

LONG fontSize(IFontDisp* font) {
    ComPtr<IFont> f;
    CY size{};
    if (!font || FAILED(font->QueryInterface(IID_PPV_ARGS(&f))) || FAILED(f->get_Size(&size)))
        return 0;
    return static_cast<LONG>(size.int64);
}

Variant byteArray(const std::vector<BYTE>& bytes) {
    Variant v;
    host::makeByteArray(bytes, v);
    return v;
}

} // namespace

const ax::ControlClass Probe::kClass{
    {&CLSID_Probe, L"Probe", &ax::createControl<Probe>, com::Registration::None,
     OLEMISC_RECOMPOSEONRESIZE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE},
    &IID_IProbe,
    &DIID_DProbeEvents,
    kPages,
};

std::vector<std::wstring>& probeLog() {
    static std::vector<std::wstring> log;
    return log;
}

Probe::Probe() : DualControl(kClass) {}
Probe::~Probe() {
    log(L"Destroyed");
}

void Probe::log(std::wstring entry) {
    probeLog().push_back(std::move(entry));
}

// --- IProbe -------------------------------------------------------------------

STDMETHODIMP Probe::get_Caption(BSTR* value) {
    if (!value) return E_POINTER;
    *value = ::SysAllocStringLen(caption_.data(), static_cast<UINT>(caption_.size()));
    return *value ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP Probe::put_Caption(BSTR value) {
    caption_.assign(value ? value : L"", value ? ::SysStringLen(value) : 0);
    propertyChanged(L"Caption");
    return S_OK;
}

STDMETHODIMP Probe::get_Value(short* value) {
    if (!value) return E_POINTER;
    *value = value_;
    return S_OK;
}

STDMETHODIMP Probe::put_Value(short value) {
    value_ = value;
    propertyChanged(L"Value");
    return S_OK;
}

STDMETHODIMP Probe::get_BackColor(OLE_COLOR* value) {
    if (!value) return E_POINTER;
    *value = backColor();
    return S_OK;
}

STDMETHODIMP Probe::put_BackColor(OLE_COLOR value) {
    setBackColor(value);
    propertyChanged(L"BackColor");
    return S_OK;
}

STDMETHODIMP Probe::get_Font(IFontDisp** value) {
    if (!value) return E_POINTER;
    return font().CopyTo(value);
}

STDMETHODIMP Probe::putref_Font(IFontDisp* value) {
    if (!value) return reportError(CTL_E_INVALIDPROPERTYVALUE, L"Font needs a font object");
    font_ = value;
    const HRESULT hr = setFont(value);
    propertyChanged(L"Font");
    return hr;
}

STDMETHODIMP Probe::get_Data(VARIANT* value) {
    if (!value) return E_POINTER;
    byteArray(data_).detach(value);
    return S_OK;
}

STDMETHODIMP Probe::put_Data(VARIANT value) {
    if (value.vt != (VT_ARRAY | VT_UI1) || !value.parray) return DISP_E_TYPEMISMATCH;
    const ULONG n = value.parray->rgsabound[0].cElements;
    const auto* p = static_cast<const BYTE*>(value.parray->pvData);
    data_.assign(p, p + n);
    propertyChanged(L"Data");
    return S_OK;
}

STDMETHODIMP Probe::Ask(short answer, LONG* result) {
    if (!result) return E_POINTER;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    std::array<VARIANTARG, 2> args{};
    args[0].vt = VT_I2 | VT_BYREF;
    args[0].piVal = &answer;
    args[1].vt = VT_BOOL | VT_BYREF;
    args[1].pboolVal = &cancel;
    const HRESULT hr = fireEvent(kQueryEvent, args);
    *result = answer + (cancel ? 1000 : 0);
    return hr;
}

// --- Hooks ----------------------------------------------------------------------

void Probe::onInitialize() {
    log(L"Initialize");
}

void Probe::onInitProperties() {
    log(L"InitProperties");
    init_.windowValid = ::IsWindow(hwnd()) != FALSE;
    init_.userMode = ambientUserMode();
    init_.displayName = ambientDisplayName();
    ComPtr<IFontDisp> ambient = ambientFont();
    init_.fontName = fontName(ambient.Get());
    init_.fontSizeCy = fontSize(ambient.Get());
    caption_ = init_.displayName;
    font_ = ambient;
    if (ambient) setFont(ambient.Get());
}

HRESULT Probe::onReadProperties(ax::PropertyBag& bag) {
    log(L"ReadProperties");
    Variant v;
    if (bag.read(L"Caption", Variant::fromString(L""), v) == S_OK && v.vt == VT_BSTR)
        caption_.assign(v.bstrVal, ::SysStringLen(v.bstrVal));
    if (SUCCEEDED(bag.read(L"Value", Variant::fromI2(0), v)) &&
        SUCCEEDED(::VariantChangeType(&v, &v, 0, VT_I2)))
        value_ = v.iVal;
    if (bag.read(L"Data", byteArray({}), v) == S_OK && v.vt == (VT_ARRAY | VT_UI1)) {
        const auto* p = static_cast<const BYTE*>(v.parray->pvData);
        data_.assign(p, p + v.parray->rgsabound[0].cElements);
    }
    if (bag.read(L"Font", Variant(), v) == S_OK && (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN)) {
        ComPtr<IFontDisp> f;
        if (v.punkVal && SUCCEEDED(v.punkVal->QueryInterface(IID_PPV_ARGS(&f)))) {
            font_ = f;
            setFont(f.Get());
        }
    }
    return S_OK;
}

HRESULT Probe::onWriteProperties(ax::PropertyBag& bag) {
    log(L"WriteProperties");
    Variant caption;
    caption.vt = VT_BSTR;
    caption.bstrVal = ::SysAllocStringLen(caption_.data(), static_cast<UINT>(caption_.size()));
    PKW_RETURN_IF_FAILED(bag.write(L"Caption", caption, Variant::fromString(L"")));
    PKW_RETURN_IF_FAILED(bag.write(L"Value", Variant::fromI2(value_), Variant::fromI2(0)));
    PKW_RETURN_IF_FAILED(bag.write(L"Data", byteArray(data_), byteArray({})));
    PKW_RETURN_IF_FAILED(bag.write(L"Font", Variant::fromDispatch(font_.Get()), Variant()));
    return S_OK;
}

void Probe::onShow() {
    log(L"Show");
}
void Probe::onHide() {
    log(L"Hide");
}

void Probe::onResize() {
    log(L"Resize " + std::to_wstring(scaleWidthTwips()) + L"x" +
        std::to_wstring(scaleHeightTwips()));
}

void Probe::onPaint() {
    log(L"Paint");
    RECT rc{};
    ::GetClientRect(hwnd(), &rc);
    UniqueBrush brush(::CreateSolidBrush(paintColor_));
    ::FillRect(hdc(), &rc, brush.get());
}

void Probe::onTerminate() {
    log(L"Terminate");
    if (onTerminateAction) onTerminateAction(*this);
}

void Probe::onKeyDown(short keyCode, short shift) {
    log(L"KeyDown " + std::to_wstring(keyCode) + L" " + std::to_wstring(shift));
    if (keyCode == kPingKey) {
        fireEvent(kPingEvent);
        // Still this object: a handler may have released the last reference.
        log(L"KeyDown done " + caption_);
    }
}

void Probe::onKeyPress(short keyAscii) {
    log(L"KeyPress " + std::to_wstring(keyAscii));
}

void Probe::onKeyUp(short keyCode, short shift) {
    log(L"KeyUp " + std::to_wstring(keyCode) + L" " + std::to_wstring(shift));
}

void Probe::onAccessKeyPress(short keyAscii) {
    log(L"AccessKeyPress " + std::wstring(1, static_cast<wchar_t>(keyAscii)));
}

void Probe::onDblClick() {
    log(L"DblClick");
}
void Probe::onGotFocus() {
    log(L"GotFocus");
}
void Probe::onLostFocus() {
    log(L"LostFocus");
}
void Probe::onAmbientChanged(DISPID id) {
    log(L"AmbientChanged " + std::to_wstring(id));
}

} // namespace pkw::test
