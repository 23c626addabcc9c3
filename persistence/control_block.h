// Reading and writing a run of persisted keys through the container's
// property bag, for either selection control.
//
// The control supplies a KeyAccess: it loads a typed value into its fields
// (or its window) and saves the current typed value; the routines here own
// the key names, the stored forms and the defaults.
#pragma once

#include "activex/property_bag.h"
#include "common/com/variant.h"
#include "persistence/control_keys.h"

#include <ocidl.h>
#include <wrl/client.h>

#include <span>

namespace pkw::persist {

class KeyAccess {
public:
    // The font that is the "Font" key's default (the container's ambient
    // font); may be null.
    virtual Microsoft::WRL::ComPtr<IFontDisp> defaultFont() = 0;
    // Stores a typed value; a failure leaves the setting as it was.
    virtual HRESULT load(Key key, const VARIANT& typed) = 0;
    // Gives the current typed value.
    virtual HRESULT save(Key key, Variant& typed) = 0;

protected:
    ~KeyAccess() = default;
};

// Reads `keys` in order. A key whose read, conversion or load fails is
// skipped and reading goes on; a missing key loads its default. Returns
// how many keys were loaded.
int ReadKeys(const ax::PropertyBag& bag, std::span<const Key> keys, KeyAccess& access);

// Writes `keys` in order, each with its default (a value equal to it leaves
// no entry). Stops at the first failure and returns it.
HRESULT WriteKeys(const ax::PropertyBag& bag, std::span<const Key> keys, KeyAccess& access);

} // namespace pkw::persist
