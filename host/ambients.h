// The ambient properties a form offers its controls: one table (DISPID,
// name, how the value is read) walked by the site's IDispatch. Form-wide
// values live in Ambients; the display name is the site's own. A test can
// override any ambient's value or make the container not know it.
#pragma once

#include "common/com/variant.h"
#include "host/com_object.h"

#include <ocidl.h>

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pkw::host {

struct Ambients {
    bool userMode = true;
    ComPtr<IFontDisp> font;
    OLE_COLOR backColor = 0x8000000F; // button face
    OLE_COLOR foreColor = 0x80000012; // button text
    LCID localeId = 0;                // 0: the user's default locale
    bool messageReflect = false;
    bool supportsMnemonics = true;
    bool uiDead = false;
    // Values set by a test win over everything above.
    std::vector<std::pair<DISPID, Variant>> overrides;
    // Ambients the container answers with DISP_E_MEMBERNOTFOUND.
    std::vector<DISPID> missing;
};

struct AmbientProperty {
    DISPID id;
    const wchar_t* name;
    // The value for a site called `displayName`.
    Variant (*read)(const Ambients& ambients, const std::wstring& displayName);
};

std::span<const AmbientProperty> ambientProperties();
const AmbientProperty* findAmbient(DISPID id);
const AmbientProperty* findAmbient(std::wstring_view name);

// The ambient's value as a site reports it; DISP_E_MEMBERNOTFOUND when the
// container does not know it.
HRESULT readAmbient(const Ambients& ambients, const std::wstring& displayName, DISPID id,
                    Variant& value);

// The form's default ambient font: Tahoma, 8 points. (The classic "MS Sans
// Serif" has no face in a Wine prefix and falls back to whatever the host
// machine has; Tahoma is in every test prefix, so pixels stay the same.)
ComPtr<IFontDisp> defaultAmbientFont();

} // namespace pkw::host
