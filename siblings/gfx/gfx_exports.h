// The exports of zelGFX40.dll, declared from the shared list so that a
// definition with a different signature does not compile.
#pragma once

#include "siblings/api/plain.h"

PKW_GFX40_FUNCTIONS(PKW_SIB_DECLARE_EXPORT)
