#include "siblings/api/scls.h"

#include "siblings/api/loader.h"

#include <utility>

namespace pkw::sib {
namespace {

// A plain pointer: a thread-exit destructor could run after the sibling
// DLL is gone; a thread that never calls ReleaseThreadSubclass leaks one
// small object.
thread_local IGlobalSubclass* t_subclass = nullptr;

} // namespace

Microsoft::WRL::ComPtr<IGlobalSubclass> ThreadSubclass() {
    if (!t_subclass) {
        void* created = nullptr;
        if (FAILED(CreateSiblingObject(L"zelSCls40.dll", __uuidof(GlobalSubclass),
                                       __uuidof(IGlobalSubclass), &created))) {
            return nullptr;
        }
        t_subclass = static_cast<IGlobalSubclass*>(created);
    }
    return t_subclass;
}

void ReleaseThreadSubclass() {
    if (IGlobalSubclass* held = std::exchange(t_subclass, nullptr)) held->Release();
}

HRESULT CreateMemDc(Microsoft::WRL::ComPtr<IMemDC>& out) {
    return CreateSiblingObject(L"zelSCls40.dll", CLSID_clsMemDC, IID_IMemDC,
                               reinterpret_cast<void**>(out.ReleaseAndGetAddressOf()));
}

HDC MemDcHandle(IMemDC* mem) {
    HDC hdc = nullptr;
    if (!mem || FAILED(mem->get_hDC(&hdc))) return nullptr;
    return hdc;
}

} // namespace pkw::sib
