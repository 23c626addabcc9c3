// The exports of zelResSrv40.dll, declared from the shared list.
#pragma once

#include "siblings/api/plain.h"

PKW_RESSRV40_FUNCTIONS(PKW_SIB_DECLARE_EXPORT)
