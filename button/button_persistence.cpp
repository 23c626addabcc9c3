// Loading and saving the button's settings through the container's
// property bag. One table gives each key's name, stored type and default,
// in the order the keys are written; loading walks its own order.
//
// Values are checked against the key's type: a value that is not of it
// (or an object that is not a picture or a font) ends the load with its
// error, and nothing in the bag decides what the button creates.
#include "button/btn.h"

#include "activex/variant_ops.h"
#include "common/com/hresult.h"

#include <span>

namespace pkw::button {
namespace {

enum class Key {
    Caption,
    ButtonStyle,
    Picture,
    PictureHover,
    PictureDisabled,
    Enabled,
    Font,
    BackColor,
    ForeColor,
    DisabledForeColor,
    BackStyle,
    NuTheme,
    TipText,
};

struct KeyInfo {
    Key key;
    const wchar_t* name;
    VARTYPE type; // VT_DISPATCH: a picture, or the font (default the ambient font)
    LONG number;  // default of a number, a colour or a Boolean (-1 True)
};

// In the order they are written.
constexpr KeyInfo kKeys[] = {
    {Key::Caption, L"Caption", VT_BSTR, 0},
    {Key::ButtonStyle, L"ButtonStyle", VT_I4, 1},
    {Key::Picture, L"Picture", VT_DISPATCH, 0},
    {Key::PictureHover, L"PictureHover", VT_DISPATCH, 0},
    {Key::PictureDisabled, L"PictureDisabled", VT_DISPATCH, 0},
    {Key::Enabled, L"Enabled", VT_BOOL, -1},
    {Key::Font, L"Font", VT_DISPATCH, 0},
    {Key::BackColor, L"BackColor", VT_I4, static_cast<LONG>(0x8000000F)},
    {Key::ForeColor, L"ForeColor", VT_I4, static_cast<LONG>(0x80000012)},
    {Key::DisabledForeColor, L"DisabledForeColor", VT_I4, -1},
    {Key::BackStyle, L"BackStyle", VT_I4, 1},
    {Key::NuTheme, L"NuTheme", VT_I2, 0},
    {Key::TipText, L"TipText", VT_BSTR, 0},
};

// Font comes before the keys that follow it here, and is read apart.
constexpr Key kReadBeforeFont[] = {Key::DisabledForeColor, Key::BackStyle,   Key::BackColor,
                                   Key::ForeColor,         Key::ButtonStyle, Key::Picture};
constexpr Key kReadAfterFont[] = {Key::PictureHover, Key::PictureDisabled, Key::Enabled,
                                  Key::NuTheme,      Key::TipText,         Key::Caption};

const KeyInfo& Describe(Key key) {
    for (const KeyInfo& info : kKeys)
        if (info.key == key) return info;
    return kKeys[0]; // unreachable: every key has a row
}

Variant DefaultOf(const KeyInfo& info, IFontDisp* ambientFont) {
    switch (info.type) {
    case VT_BSTR:
        return Variant::fromString(L"");
    case VT_BOOL:
        return Variant::fromBool(info.number != 0);
    case VT_I2:
        return Variant::fromI2(static_cast<SHORT>(info.number));
    case VT_DISPATCH:
        return Variant::fromDispatch(info.key == Key::Font ? ambientFont : nullptr);
    default:
        return Variant::fromI4(info.number);
    }
}

// The stored value as the key's type. Objects stay objects: nothing else
// converts to one, and an object converts to nothing else.
HRESULT ToKeyType(const KeyInfo& info, const VARIANT& stored, Variant& typed) {
    const bool object = stored.vt == VT_DISPATCH || stored.vt == VT_UNKNOWN;
    if (info.type == VT_DISPATCH) {
        if (stored.vt == VT_EMPTY || stored.vt == VT_NULL) {
            typed = Variant::fromDispatch(nullptr);
            return S_OK;
        }
        if (!object) return DISP_E_TYPEMISMATCH;
        return ax::changeType(typed.put(), stored, VT_DISPATCH);
    }
    if (object) return DISP_E_TYPEMISMATCH;
    return ax::changeType(typed.put(), stored, info.type);
}

template <typename I>
HRESULT ObjectOf(const VARIANT& typed, ComPtr<I>& out) {
    out.Reset();
    if (!typed.pdispVal) return S_OK;
    return typed.pdispVal->QueryInterface(__uuidof(I),
                                          reinterpret_cast<void**>(out.GetAddressOf()));
}

Variant ObjectVariant(IUnknown* object) {
    ComPtr<IDispatch> dispatch;
    if (object) ignore(object->QueryInterface(IID_PPV_ARGS(&dispatch)));
    return Variant::fromDispatch(dispatch.Get());
}

std::wstring TextOf(const VARIANT& typed) {
    return std::wstring(typed.bstrVal ? typed.bstrVal : L"", ::SysStringLen(typed.bstrVal));
}

Variant TextVariant(const std::wstring& text) {
    Variant v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

HRESULT ReadTyped(const ax::PropertyBag& bag, Key key, IFontDisp* ambient, Variant& typed) {
    const KeyInfo& info = Describe(key);
    Variant stored;
    PKW_RETURN_IF_FAILED(bag.read(info.name, DefaultOf(info, ambient), stored));
    return ToKeyType(info, stored, typed);
}

} // namespace

HRESULT BTN::onReadProperties(ax::PropertyBag& bag) {
    state_.m_hWnd = hwnd();
    state_.m_bUserMode = ambientUserMode();
    const ComPtr<IFontDisp> ambient = ambientFont();

    const auto readKeys = [&](std::span<const Key> keys) -> HRESULT {
        for (const Key key : keys) {
            Variant typed;
            PKW_RETURN_IF_FAILED(ReadTyped(bag, key, ambient.Get(), typed));
            switch (key) {
            case Key::DisabledForeColor:
                state_.m_oDisabledForeColor = static_cast<OLE_COLOR>(typed.lVal);
                break;
            case Key::BackStyle:
                state_.m_lBackStyle = typed.lVal;
                break;
            case Key::BackColor:
                state_.m_oBackColor = static_cast<OLE_COLOR>(typed.lVal);
                break;
            case Key::ForeColor:
                state_.m_oForeColor = static_cast<OLE_COLOR>(typed.lVal);
                setForeColor(state_.m_oForeColor);
                break;
            case Key::ButtonStyle:
                state_.m_lButtonStyle = typed.lVal;
                break;
            case Key::Picture:
                PKW_RETURN_IF_FAILED(ObjectOf(typed, state_.m_Picture));
                break;
            case Key::PictureHover:
                PKW_RETURN_IF_FAILED(ObjectOf(typed, state_.m_PictureHover));
                break;
            case Key::PictureDisabled:
                PKW_RETURN_IF_FAILED(ObjectOf(typed, state_.m_PictureDisabled));
                break;
            case Key::Enabled:
                state_.m_bEnabled = typed.boolVal != VARIANT_FALSE;
                setEnabled(state_.m_bEnabled);
                break;
            case Key::NuTheme:
                state_.m_iNuTheme = typed.iVal;
                break;
            case Key::TipText:
                state_.m_sTipText = TextOf(typed);
                break;
            case Key::Caption:
                state_.m_sCaption = TextOf(typed);
                break;
            case Key::Font:
                break;
            }
        }
        return S_OK;
    };

    PKW_RETURN_IF_FAILED(readKeys(kReadBeforeFont));
    PKW_RETURN_IF_FAILED(ReadFont(bag, ambient.Get()));
    PKW_RETURN_IF_FAILED(readKeys(kReadAfterFont));

    UpdateAccessKeys();
    LoadDefaultSkin();
    if (state_.m_bUserMode) AttachMessages();
    state_.m_bRedraw = true;
    state_.m_bLoaded = true;
    Resize();
    return S_OK;
}

// The font goes to the drawing surface, whose font object the button
// keeps as its own (later assignments copy into it).
HRESULT BTN::ReadFont(const ax::PropertyBag& bag, IFontDisp* ambient) {
    Variant typed;
    PKW_RETURN_IF_FAILED(ReadTyped(bag, Key::Font, ambient, typed));
    ComPtr<IFontDisp> font;
    PKW_RETURN_IF_FAILED(ObjectOf(typed, font));
    if (!font) return S_OK; // a bag that stores "no font" keeps the one there is
    PKW_RETURN_IF_FAILED(setFont(font.Get()));
    SetFontObject(this->font());
    return S_OK;
}

HRESULT BTN::onWriteProperties(ax::PropertyBag& bag) {
    const ComPtr<IFontDisp> ambient = ambientFont();
    for (const KeyInfo& info : kKeys) {
        Variant value;
        switch (info.key) {
        case Key::Caption:
            value = TextVariant(state_.m_sCaption);
            break;
        case Key::ButtonStyle:
            value = Variant::fromI4(state_.m_lButtonStyle);
            break;
        case Key::Picture:
            value = ObjectVariant(state_.m_Picture.Get());
            break;
        case Key::PictureHover:
            value = ObjectVariant(state_.m_PictureHover.Get());
            break;
        case Key::PictureDisabled:
            value = ObjectVariant(state_.m_PictureDisabled.Get());
            break;
        case Key::Enabled:
            value = Variant::fromBool(state_.m_bEnabled);
            break;
        case Key::Font:
            value = ObjectVariant(state_.m_Font.Get());
            break;
        case Key::BackColor:
            value = Variant::fromI4(static_cast<LONG>(state_.m_oBackColor));
            break;
        case Key::ForeColor:
            value = Variant::fromI4(static_cast<LONG>(state_.m_oForeColor));
            break;
        case Key::DisabledForeColor:
            value = Variant::fromI4(static_cast<LONG>(state_.m_oDisabledForeColor));
            break;
        case Key::BackStyle:
            value = Variant::fromI4(state_.m_lBackStyle);
            break;
        case Key::NuTheme:
            value = Variant::fromI2(state_.m_iNuTheme);
            break;
        case Key::TipText:
            value = TextVariant(state_.m_sTipText);
            break;
        }
        PKW_RETURN_IF_FAILED(bag.write(info.name, value, DefaultOf(info, ambient.Get())));
    }
    return S_OK;
}

} // namespace pkw::button
