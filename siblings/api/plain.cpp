#include "siblings/api/plain.h"

#include "siblings/api/loader.h"

namespace pkw::sib {
namespace {

// A function of the right signature that does nothing and answers 0.
template <typename F>
struct Stub;
template <typename R, typename... A>
struct Stub<R(WINAPI*)(A...)> {
    static R WINAPI Call(A...) { return R{}; }
};

template <typename F>
void Bind(F& slot, HMODULE module, const char* name) {
    FARPROC found = module ? ::GetProcAddress(module, name) : nullptr;
    slot = found ? reinterpret_cast<F>(reinterpret_cast<void*>(found)) : &Stub<F>::Call;
}

#define PKW_SIB_BIND(ret, name, params) Bind(api.name, module, #name);

} // namespace

GfxApi ResolveGfx(HMODULE module) {
    GfxApi api{};
    PKW_GFX40_FUNCTIONS(PKW_SIB_BIND)
    return api;
}

MfcApi ResolveMfc(HMODULE module) {
    MfcApi api{};
    PKW_MFC40_FUNCTIONS(PKW_SIB_BIND)
    return api;
}

ResSrvApi ResolveResSrv(HMODULE module) {
    ResSrvApi api{};
    PKW_RESSRV40_FUNCTIONS(PKW_SIB_BIND)
    return api;
}

UniApi ResolveUni(HMODULE module) {
    UniApi api{};
    PKW_UNI40_FUNCTIONS(PKW_SIB_BIND)
    return api;
}

#undef PKW_SIB_BIND

const GfxApi& Gfx() {
    static const GfxApi api = ResolveGfx(LoadSiblingModule(L"zelGFX40.dll"));
    return api;
}

const MfcApi& Mfc() {
    static const MfcApi api = ResolveMfc(LoadSiblingModule(L"zelMFC40.dll"));
    return api;
}

const ResSrvApi& ResSrv() {
    static const ResSrvApi api = ResolveResSrv(LoadSiblingModule(L"zelResSrv40.dll"));
    return api;
}

const UniApi& Uni() {
    static const UniApi api = ResolveUni(LoadSiblingModule(L"zelUni40.dll"));
    return api;
}

} // namespace pkw::sib
