// The exports of zelMFC40.dll, declared from the shared list.
#pragma once

#include "siblings/api/plain.h"

PKW_MFC40_FUNCTIONS(PKW_SIB_DECLARE_EXPORT)
