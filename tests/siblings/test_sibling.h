// The one class of pkw_test_sibling.dll, a stand-in COM sibling for the
// loader's tests: its objects answer IPersist::GetClassID with this CLSID.
#pragma once

#include <windows.h>

// {6C1F0E52-3B7A-4C0E-9A51-2D7E8B4F9C10}
inline constexpr CLSID kTestSiblingClsid = {
    0x6c1f0e52, 0x3b7a, 0x4c0e, {0x9a, 0x51, 0x2d, 0x7e, 0x8b, 0x4f, 0x9c, 0x10}};
