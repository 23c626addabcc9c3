// Pieces of a hand-built late-bound object (the container's extender, the
// form and its Controls collection, the ambient properties): a table of
// member names and the argument checks of Invoke.
#pragma once

#include "common/com/variant.h"

#include <oaidl.h>

#include <span>

namespace pkw::host {

struct DispName {
    DISPID id;
    const wchar_t* name;
};

// GetIDsOfNames over `table`: the first name is the member (compared
// without regard to case); parameter names are not known.
HRESULT idsOfNames(std::span<const DispName> table, LPOLESTR* names, UINT count, DISPID* ids);
const DispName* findName(std::span<const DispName> table, DISPID id);

// True for a property read (DISPATCH_PROPERTYGET, alone or with METHOD).
inline bool isGet(WORD flags) {
    return (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0;
}
inline bool isPut(WORD flags) {
    return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
}

// The value of a property put (the argument named DISPID_PROPERTYPUT),
// dereferenced.
HRESULT putArgument(const DISPPARAMS* params, Variant& value);
// Argument i in declaration order (positional only), dereferenced.
HRESULT positionalArgument(const DISPPARAMS* params, UINT i, Variant& value);
UINT positionalCount(const DISPPARAMS* params);

} // namespace pkw::host
