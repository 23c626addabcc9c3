#include "siblings/globals/class_table.h"

#include "siblings/globals/effect_set.h"
#include "siblings/globals/grad_info.h"
#include "siblings/globals/tool_tip.h"

namespace pkw::globals {
namespace {

template <class Impl>
HRESULT create(REFIID iid, void** ppv) noexcept {
    return createObject<Impl>(iid, ppv);
}

const ClassInfo kClasses[] = {
    {&CLSID_EffectSet, L"EffectSet", &create<EffectSet>},
    {&CLSID_GradInfo, L"GradInfo", &create<GradInfo>},
    {&CLSID_ToolTip, L"ToolTip", &create<ToolTip>},
};

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(const ClassInfo& info) noexcept : info_(info) {}

    void* findInterface(REFIID iid) noexcept {
        if (iid == IID_IUnknown || iid == IID_IClassFactory)
            return static_cast<IClassFactory*>(this);
        return nullptr;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                             void** ppv) noexcept override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return info_.create(iid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
        if (lock)
            module::lock();
        else
            module::unlock();
        return S_OK;
    }

private:
    const ClassInfo& info_;
};

} // namespace

std::span<const ClassInfo> classes() noexcept {
    return kClasses;
}

HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    for (const ClassInfo& info : kClasses)
        if (*info.clsid == clsid) return createObject<ClassFactory>(iid, ppv, info);
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace pkw::globals
