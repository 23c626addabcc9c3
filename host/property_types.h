// What an object's type information says about its properties: the declared
// type of a property's value, found by its DISPID, and which properties
// hold colours. Properties inherited from a base interface count too.
#pragma once

#include "host/type_info.h"

#include <oaidl.h>

#include <string>
#include <string_view>
#include <vector>

namespace pkw::host {

// The type information of the object's IDispatch; null when it has none.
ComPtr<ITypeInfo> dispatchTypeInfo(IDispatch* object);

struct PropertyType {
    ValueType type;
    bool byReference = false; // the property takes objects by reference (propputref)
};

// DISP_E_MEMBERNOTFOUND when no settable property has this DISPID.
HRESULT propertyType(ITypeInfo* info, DISPID id, PropertyType& out);

// Names of the settable properties whose values are colours.
std::vector<std::wstring> colourProperties(ITypeInfo* info);

// The value of an enumeration's member by name (compared without case).
bool enumMember(ITypeInfo* enumeration, std::wstring_view name, LONG& value);

} // namespace pkw::host
