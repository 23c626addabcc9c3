// pkw_test_sibling.dll: one class on the COM server kit, a stand-in COM
// sibling for the loader's tests; never registered.
#include "test_sibling.h"

#include "common/com/server/server.h"

namespace {

class Object : public IPersist {
public:
    using Interfaces = pkw::com::InterfaceMap<IPersist>;
    STDMETHODIMP GetClassID(CLSID* clsid) noexcept override {
        if (!clsid) return E_POINTER;
        *clsid = kTestSiblingClsid;
        return S_OK;
    }
};

const pkw::com::ClassEntry kObject{&kTestSiblingClsid, L"Object", &pkw::com::createObject<Object>,
                                   pkw::com::Registration::None};
const pkw::com::ClassEntry* const kClasses[] = {&kObject};

} // namespace

const pkw::com::Server& pkw::com::thisServer() {
    static const Server server{L"PkwTestSibling", kClasses};
    return server;
}
