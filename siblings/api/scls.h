// The subclassing object of zelSCls40.dll as the controls use it: one
// GlobalSubclass per thread, created on first use from the DLL beside the
// calling module.
#pragma once

#include "zelSCls40.h"

#include <wrl/client.h>

namespace pkw::sib {

// The thread's shared object (a new reference); null when zelSCls40.dll
// cannot be loaded or the object cannot be created (the next call tries
// again).
Microsoft::WRL::ComPtr<IGlobalSubclass> ThreadSubclass();

// Drops the thread's own reference; callers that still hold one keep the
// object. Attachments do not depend on the object: they stay until
// detached or until their window is destroyed.
void ReleaseThreadSubclass();

// A new memory DC object (clsMemDC) straight from zelSCls40.dll.
HRESULT CreateMemDc(Microsoft::WRL::ComPtr<IMemDC>& out);
// The object's DC; null for none.
HDC MemDcHandle(IMemDC* mem);

} // namespace pkw::sib
