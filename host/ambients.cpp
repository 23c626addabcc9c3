#include "host/ambients.h"

#include "host/names.h"

#include <olectl.h>

#include <algorithm>
#include <iterator>

namespace pkw::host {
namespace {

Variant color(OLE_COLOR c) {
    Variant v;
    v.vt = VT_I4; // OLE_COLOR travels as a 32-bit integer
    v.lVal = static_cast<LONG>(c);
    return v;
}

const AmbientProperty kAmbients[] = {
    {DISPID_AMBIENT_BACKCOLOR, L"BackColor",
     [](const Ambients& a, const std::wstring&) { return color(a.backColor); }},
    {DISPID_AMBIENT_DISPLAYNAME, L"DisplayName",
     [](const Ambients&, const std::wstring& name) { return Variant::fromString(name.c_str()); }},
    {DISPID_AMBIENT_FONT, L"Font",
     [](const Ambients& a, const std::wstring&) { return Variant::fromDispatch(a.font.Get()); }},
    {DISPID_AMBIENT_FORECOLOR, L"ForeColor",
     [](const Ambients& a, const std::wstring&) { return color(a.foreColor); }},
    {DISPID_AMBIENT_LOCALEID, L"LocaleID",
     [](const Ambients& a, const std::wstring&) {
         return Variant::fromI4(
             static_cast<LONG>(a.localeId ? a.localeId : ::GetUserDefaultLCID()));
     }},
    {DISPID_AMBIENT_MESSAGEREFLECT, L"MessageReflect",
     [](const Ambients& a, const std::wstring&) { return Variant::fromBool(a.messageReflect); }},
    {DISPID_AMBIENT_SCALEUNITS, L"ScaleUnits",
     [](const Ambients&, const std::wstring&) { return Variant::fromString(L"Twip"); }},
    {DISPID_AMBIENT_TEXTALIGN, L"TextAlign",
     [](const Ambients&, const std::wstring&) { return Variant::fromI2(0); }},
    {DISPID_AMBIENT_USERMODE, L"UserMode",
     [](const Ambients& a, const std::wstring&) { return Variant::fromBool(a.userMode); }},
    {DISPID_AMBIENT_UIDEAD, L"UIDead",
     [](const Ambients& a, const std::wstring&) { return Variant::fromBool(a.uiDead); }},
    // Grab handles and hatching show only while designing.
    {DISPID_AMBIENT_SHOWGRABHANDLES, L"ShowGrabHandles",
     [](const Ambients& a, const std::wstring&) { return Variant::fromBool(!a.userMode); }},
    {DISPID_AMBIENT_SHOWHATCHING, L"ShowHatching",
     [](const Ambients& a, const std::wstring&) { return Variant::fromBool(!a.userMode); }},
    {DISPID_AMBIENT_DISPLAYASDEFAULT, L"DisplayAsDefault",
     [](const Ambients&, const std::wstring&) { return Variant::fromBool(false); }},
    {DISPID_AMBIENT_SUPPORTSMNEMONICS, L"SupportsMnemonics",
     [](const Ambients& a, const std::wstring&) { return Variant::fromBool(a.supportsMnemonics); }},
    {DISPID_AMBIENT_AUTOCLIP, L"AutoClip",
     [](const Ambients&, const std::wstring&) { return Variant::fromBool(true); }},
    {DISPID_AMBIENT_APPEARANCE, L"Appearance",
     [](const Ambients&, const std::wstring&) { return Variant::fromI2(1); }},
};

} // namespace

std::span<const AmbientProperty> ambientProperties() {
    return kAmbients;
}

const AmbientProperty* findAmbient(DISPID id) {
    auto it = std::find_if(std::begin(kAmbients), std::end(kAmbients),
                           [&](const AmbientProperty& p) { return p.id == id; });
    return it == std::end(kAmbients) ? nullptr : &*it;
}

const AmbientProperty* findAmbient(std::wstring_view name) {
    auto it = std::find_if(std::begin(kAmbients), std::end(kAmbients),
                           [&](const AmbientProperty& p) { return sameName(p.name, name); });
    return it == std::end(kAmbients) ? nullptr : &*it;
}

HRESULT readAmbient(const Ambients& ambients, const std::wstring& displayName, DISPID id,
                    Variant& value) {
    if (std::find(ambients.missing.begin(), ambients.missing.end(), id) != ambients.missing.end())
        return DISP_E_MEMBERNOTFOUND;
    for (const auto& [overridden, v] : ambients.overrides) {
        if (overridden == id) {
            value = v;
            return S_OK;
        }
    }
    const AmbientProperty* property = findAmbient(id);
    if (!property) return DISP_E_MEMBERNOTFOUND;
    value = property->read(ambients, displayName);
    return S_OK;
}

ComPtr<IFontDisp> defaultAmbientFont() {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.lpstrName = const_cast<LPOLESTR>(L"Tahoma");
    desc.cySize.int64 = 80000; // 8 points, in units of 1/10000 point
    desc.sWeight = FW_NORMAL;
    desc.sCharset = DEFAULT_CHARSET;
    ComPtr<IFontDisp> font;
    ::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&font));
    return font;
}

} // namespace pkw::host
