#include "library/support_classes.h"

#include "common/com/server/server.h"

#include "zelPickwell40.h"

namespace pkw::library {
namespace {

// Empty interfaces: IDispatch from the type library is all there is.
class Skin : public com::DualDispatch<_clsSkin> {
public:
    using Interfaces = com::InterfaceMap<_clsSkin, IDispatch>;
};

class Unicode : public com::DualDispatch<_clsUnicode> {
public:
    using Interfaces = com::InterfaceMap<_clsUnicode, IDispatch>;
};

class Ipao : public com::DualDispatch<_IPAO> {
public:
    using Interfaces = com::InterfaceMap<_IPAO, IDispatch>;

    STDMETHODIMP TranslateAccelerator(LONG_PTR, LONG, LONG_PTR*, LONG_PTR*, short, LONG, LONG*,
                                      LONG*, LONG* lResult) noexcept override {
        if (!lResult) return E_POINTER;
        *lResult = 0;
        return S_OK;
    }
};

} // namespace

const com::ClassEntry& SkinClass() {
    static const com::ClassEntry entry{&CLSID_clsSkin, L"clsSkin", &com::createObject<Skin>};
    return entry;
}

const com::ClassEntry& UnicodeClass() {
    static const com::ClassEntry entry{&CLSID_clsUnicode, L"clsUnicode",
                                       &com::createObject<Unicode>};
    return entry;
}

const com::ClassEntry& IpaoClass() {
    static const com::ClassEntry entry{&CLSID_IPAO, L"IPAO", &com::createObject<Ipao>};
    return entry;
}

} // namespace pkw::library
