// Typed values: copies and conversions that leave their source alone, and
// values in memory that someone else owns (a field of a record, the target
// of a by-reference argument).
#pragma once

#include "common/com/variant.h"

namespace pkw::host {

// Copies `from` into `to`, following a by-reference value (VariantCopyInd).
HRESULT copyValue(Variant& to, const VARIANT& from);
// `from` converted to vt (VariantChangeType); `to` may not be `from`.
HRESULT convertValue(Variant& to, const VARIANT& from, VARTYPE vt);

// Bytes of a fixed-size value of type vt; 0 for strings, objects and others.
std::size_t scalarSize(VARTYPE vt);

// Copies the value at `address` (of type vt) into `value`.
HRESULT readSlot(const void* address, VARTYPE vt, Variant& value);
// Converts `value` to vt and stores it at `address`, releasing a string or
// object that was there.
HRESULT writeSlot(void* address, VARTYPE vt, const VARIANT& value);

} // namespace pkw::host
