// The classes this server offers: one table, walked by the class factory
// lookup and by registration alike.
#pragma once

#include "activex/control_class.h"

#include <span>

namespace pkw::library {

// Classes whose implementation is built into this server, public and
// private alike (ControlClass::isPublic tells which ones are registered).
std::span<const ax::ControlClass* const> classTable();

// The public class with this CLSID, or null.
const ax::ControlClass* findPublicClass(REFCLSID clsid) noexcept;

} // namespace pkw::library
