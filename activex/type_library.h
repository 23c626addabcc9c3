// The type library of the module that links this plumbing (its resource
// TYPELIB 1), loaded once per process and kept for the module's life.
#pragma once

#include <oaidl.h>
#include <windows.h>
#include <wrl/client.h>

namespace pkw::ax::type_library {

HRESULT get(ITypeLib** library);

// The type info that the library holds for `guid` (a class, interface,
// dispinterface or record).
HRESULT typeInfoOf(REFGUID guid, ITypeInfo** info);

// A dual interface seen two ways: `dispatch` for clients that ask for type
// information, `vtable` (the interface itself) for ITypeInfo::Invoke, which
// calls the vtable of the object it is given.
struct DualTypeInfo {
    Microsoft::WRL::ComPtr<ITypeInfo> dispatch;
    Microsoft::WRL::ComPtr<ITypeInfo> vtable;
};
HRESULT dualTypeInfo(REFIID iid, DualTypeInfo& out);

} // namespace pkw::ax::type_library
