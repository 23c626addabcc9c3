// The settings of an effect set as its own type information lists them:
// every readable property without arguments, with its type and whether it
// can be written. Nothing here knows the effect-set class, so the editor
// follows it when settings come and go.
#pragma once

#include "common/com/type_info.h"
#include "common/com/variant.h"

#include <oaidl.h>

#include <string>
#include <vector>

namespace pkw::proppage {

struct Setting {
    std::wstring name;
    DISPID id = DISPID_UNKNOWN;
    com::ValueType type;
    // DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF (objects), or 0: read-only.
    WORD putFlag = 0;
};

// In the order of the type information.
HRESULT ListSettings(IDispatch* set, std::vector<Setting>& settings);
HRESULT ReadSetting(IDispatch* set, const Setting& setting, Variant& value);
HRESULT WriteSetting(IDispatch* set, const Setting& setting, const VARIANT& value);

} // namespace pkw::proppage
