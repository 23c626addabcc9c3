// The class of zelPropPage40.dll.
#include "common/com/server/server.h"
#include "siblings/proppage/prop_page.h"

namespace pkw::com {
namespace {

const ClassEntry kPropPage{&CLSID_clsPropPage, L"clsPropPage", &createObject<proppage::PropPage>};
const ClassEntry* const kClasses[] = {&kPropPage};

} // namespace

const Server& thisServer() {
    static const Server server{L"zelPropPage40", kClasses};
    return server;
}

} // namespace pkw::com
