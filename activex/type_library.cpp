#include "activex/type_library.h"

#include "common/com/hresult.h"
#include "common/com/module.h"

#include <mutex>
#include <system_error>
#include <new>

namespace pkw::ax::type_library {
namespace {

using Microsoft::WRL::ComPtr;

std::mutex& cacheMutex() {
    static std::mutex m;
    return m;
}

ComPtr<ITypeLib>& cachedLibrary() {
    static ComPtr<ITypeLib> library;
    return library;
}

} // namespace

HRESULT get(ITypeLib** library) {
    if (!library) return E_POINTER;
    *library = nullptr;
    try {
        std::lock_guard lock(cacheMutex());
        ComPtr<ITypeLib>& cached = cachedLibrary();
        if (!cached) {
            // REGKIND_NONE: the library is served from our own resources and
            // must not register itself as a side effect of being used.
            const std::wstring path = module::path();
            if (path.empty()) return HRESULT_FROM_WIN32(::GetLastError());
            PKW_RETURN_IF_FAILED(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &cached));
        }
        return cached.CopyTo(library);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::system_error&) {
        return E_FAIL;
    }
}

HRESULT typeInfoOf(REFGUID guid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeLib> library;
    PKW_RETURN_IF_FAILED(get(&library));
    return library->GetTypeInfoOfGuid(guid, info);
}

HRESULT dualTypeInfo(REFIID iid, DualTypeInfo& out) {
    ComPtr<ITypeInfo> info;
    PKW_RETURN_IF_FAILED(typeInfoOf(iid, &info));
    TYPEATTR* attr = nullptr;
    PKW_RETURN_IF_FAILED(info->GetTypeAttr(&attr));
    const bool dualDispatch =
        attr->typekind == TKIND_DISPATCH && (attr->wTypeFlags & TYPEFLAG_FDUAL) != 0;
    info->ReleaseTypeAttr(attr);
    out.dispatch = info;
    out.vtable = info;
    if (dualDispatch) {
        // Index -1 of a dual interface's dispatch view is its vtable view.
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> vtable;
        if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) &&
            SUCCEEDED(info->GetRefTypeInfo(ref, &vtable)))
            out.vtable = vtable;
    }
    return S_OK;
}

} // namespace pkw::ax::type_library
